#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// The rules by which a dialog field takes a number or a text from the user, and
// the messages that refuse it (UTF-8). Stricter than parseNumber: a field must
// hold exactly one number.

// A real number: comma taken as point, blanks and tabs around it allowed, at
// most the first 99 characters looked at. Refused: nothing to read, anything but
// blanks after the number, and a zero that was not written with the digit 0
// (".0", "-0"), which is what a failed reading would also give.
std::optional<double> readFieldNumber(std::string_view text);

// A whole number by the same rule, without the comma; values beyond the range
// of int are held at its ends, so that the range check refuses them.
std::optional<int> readFieldInteger(std::string_view text);

// A number as a field and a range message show it: up to 15 significant digits.
std::string formatFieldNumber(double value);

bool isBelowMinimum(double value, double minimum, bool exclusive);
bool isAboveMaximum(double value, double maximum, bool exclusive);

enum class RangeBound { Lower, Upper };
std::string numberRangeMessage(RangeBound bound, double limit, bool exclusive);

// The prompts for a field that holds no usable entry.
inline constexpr const char* kRealNumberPrompt = "Geben Sie eine Zahl ein.";
inline constexpr const char* kIntegerPrompt = "Geben Sie eine ganze Zahl ein.";
std::string integerRangeMessage(int minimum, int maximum);
std::string textLengthMessage(int maxChars);
// For a character the project file cannot hold (see firstUnencodable).
std::string unencodableCharacterMessage(char32_t character);

}  // namespace tavo
