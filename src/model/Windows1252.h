#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// Project texts are Windows-1252, as the file stores them; the edges of the
// program (Qt, JSON, the terminal) speak UTF-8 or UTF-16.

std::string windows1252ToUtf8(std::string_view text);

// Characters without a Windows-1252 code, and malformed UTF-8, become '?'.
std::string utf8ToWindows1252(std::string_view text);
std::string utf16ToWindows1252(std::u16string_view text);

// The first character of the text that has no Windows-1252 code (a lone
// surrogate counts as one), or none: what the conversions above would turn into '?'.
std::optional<char32_t> firstUnencodable(std::u16string_view text);

std::string codePointToUtf8(char32_t codePoint);

// A lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

}  // namespace tavo
