#include "model/Numbers.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace tavo {

bool parseNumber(std::string_view text, double& value) {
    std::string cleaned;
    cleaned.reserve(text.size());
    for (char c : text) {
        if (c == ' ') continue;
        cleaned.push_back(c == ',' ? '.' : c);
    }
    if (cleaned.empty()) {
        value = 0.0;
        return true;
    }
    // sscanf's "%lf" is the reference behaviour: other leading white space is
    // skipped, trailing characters are ignored. "inf" and "nan" are no loads.
    return std::sscanf(cleaned.c_str(), "%lf", &value) == 1 && std::isfinite(value);
}

double numberOr0(std::string_view text) {
    double value = 0.0;
    return parseNumber(text, value) ? value : 0.0;
}

double roundHalfAway(double x, int decimals) {
    const double p = std::pow(10.0, decimals);
    const double magnitude = std::floor(std::fabs(x) * p + 0.5000005) / p;
    return x < 0.0 ? -magnitude : magnitude;
}

std::string trimZeros(std::string text, int decimals) {
    if (decimals < 1 || text.find('.') == std::string::npos) return text;
    int removed = 0;
    while (removed < decimals && !text.empty() && text.back() == '0') {
        text.pop_back();
        ++removed;
    }
    if (removed == decimals && !text.empty() && text.back() == '.') text.pop_back();
    return text;
}

std::string formatTrimmed(double x, int decimals) {
    return trimZeros(formatString("%.*f", decimals, roundHalfAway(x, decimals)), decimals);
}

bool valuesEqual(double a, double b) { return std::fabs(a - b) < 1e-6; }

std::string formatLoad(double x) { return formatString("%.2f", roundHalfAway(x, 2)); }

std::string formatString(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = formatStringV(format, arguments);
    va_end(arguments);
    return text;
}

std::string formatStringV(const char* format, va_list arguments) {
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, arguments);
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace tavo
