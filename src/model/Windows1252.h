#pragma once

#include <string>
#include <string_view>

namespace tavo {

// Project texts are Windows-1252, as the file stores them; the edges of the
// program (Qt, JSON, the terminal) speak UTF-8 or UTF-16.

std::string windows1252ToUtf8(std::string_view text);

// Characters without a Windows-1252 code, and malformed UTF-8, become '?'.
std::string utf8ToWindows1252(std::string_view text);
std::string utf16ToWindows1252(std::u16string_view text);

}  // namespace tavo
