#pragma once

#include <cstdarg>
#include <string>
#include <string_view>

namespace tavo {

// The text without the blanks around it.
std::string_view trimBlanks(std::string_view text);

// Lenient reading of a number text: blanks removed, comma taken as point, the
// leading number read. An empty or all-blank text is 0 and true; no number, false.
bool parseNumber(std::string_view text, double& value);

// The value parseNumber reads, 0 when it reads nothing: how sums and products read texts.
double numberOr0(std::string_view text);

// Half away from zero with a bias of 0.5000005, so that 2.345 rounds to 2.35.
double roundHalfAway(double x, int decimals);

// Rounded to n decimals, then trailing zeros (and a bare point) removed.
std::string formatTrimmed(double x, int decimals);

// The trimming step alone on an already formatted text: at most n trailing '0's,
// and the point when every decimal went.
std::string trimZeros(std::string text, int decimals);

// |a - b| < 1e-6.
bool valuesEqual(double a, double b);

// The standard load format of every computed load: "%.2lf" of the value rounded
// half away from zero first, so that a half on paper rounds up as it does by hand
// (14.50 x 5 / 100 gives 0.73, where printf alone gives 0.72).
std::string formatLoad(double x);

#if defined(__GNUC__)
#define TAVO_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define TAVO_PRINTF_FORMAT(f, a)
#endif

// printf into a std::string.
std::string formatString(const char* format, ...) TAVO_PRINTF_FORMAT(1, 2);
std::string formatStringV(const char* format, va_list arguments) TAVO_PRINTF_FORMAT(1, 0);

}  // namespace tavo
