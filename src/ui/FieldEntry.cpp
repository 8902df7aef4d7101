#include "ui/FieldEntry.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <limits>
#include <cmath>
#include <system_error>
#include <type_traits>

#include "model/Numbers.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

constexpr std::size_t kMaxFieldChars = 99;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

bool onlyBlanks(std::string_view text) { return std::all_of(text.begin(), text.end(), isBlank); }

// from_chars takes no plus sign, which a typed number may carry.
std::string_view withoutPlus(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    return text;
}

// The field's text after the number has been read; nullopt when nothing was read.
template <typename T, typename... Format>
std::optional<T> readWhole(std::string_view text, Format... format) {
    text = skipBlanks(text);
    const char firstChar = text.empty() ? '\0' : text.front();
    const std::string_view digits = withoutPlus(text);
    if (digits.size() != text.size() && (digits.empty() || digits.front() == '-')) return std::nullopt;
    T value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, format...);
    if (error == std::errc::invalid_argument) return std::nullopt;
    if (value == T{} && firstChar != '0') return std::nullopt;
    if (!onlyBlanks(std::string_view(end, static_cast<std::size_t>(digits.data() + digits.size() - end)))) return std::nullopt;
    if (error == std::errc::result_out_of_range) {
        if constexpr (std::is_floating_point_v<T>) return std::nullopt;
        return digits.front() == '-' ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
    }
    return value;
}

}  // namespace

std::optional<double> readFieldNumber(std::string_view text) {
    std::string typed(text.substr(0, kMaxFieldChars));
    std::replace(typed.begin(), typed.end(), ',', '.');
    const std::optional<double> value = readWhole<double>(typed, std::chars_format::general);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<int> readFieldInteger(std::string_view text) {
    const std::optional<long long> value = readWhole<long long>(text.substr(0, kMaxFieldChars));
    if (!value) return std::nullopt;
    return static_cast<int>(std::clamp<long long>(*value, INT_MIN, INT_MAX));
}

std::string formatFieldNumber(double value) { return formatString("%.*g", 15, value); }

bool isBelowMinimum(double value, double minimum, bool exclusive) {
    return value < minimum || (exclusive && value == minimum);
}

bool isAboveMaximum(double value, double maximum, bool exclusive) {
    return value > maximum || (exclusive && value == maximum);
}

std::string numberRangeMessage(RangeBound bound, double limit, bool exclusive) {
    const char* relation = bound == RangeBound::Lower ? (exclusive ? "größer als" : "größer gleich")
                                                      : (exclusive ? "kleiner als" : "kleiner gleich");
    return formatString("Geben Sie bitte eine Zahl %s %s ein!", relation, formatFieldNumber(limit).c_str());
}

std::string integerRangeMessage(int minimum, int maximum) {
    return formatString("Geben Sie eine ganze Zahl zwischen %d und %d ein.", minimum, maximum);
}

std::string unencodableCharacterMessage(char32_t character) {
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;  // half a character: nothing to show
    const std::string shown = surrogate ? std::string() : "„" + codePointToUtf8(character) + "“ ";
    return formatString("Das Zeichen %s(U+%04X) kann nicht gespeichert werden: Texte dürfen nur Zeichen des "
                        "westeuropäischen Zeichensatzes Windows-1252 enthalten.",
                        shown.c_str(), static_cast<unsigned>(character));
}

std::string textLengthMessage(int maxChars) { return formatString("Geben Sie nicht mehr als %d Zeichen ein.", maxChars); }

}  // namespace tavo
