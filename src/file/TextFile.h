#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tavo {

// Reading and writing the program's own small text files: the settings profile
// and the header lines.

// The whole file as UTF-8. Files written by the program on Windows are
// Windows-1252, so a file that is not valid UTF-8 is read as Windows-1252; a
// leading byte-order mark is dropped.
std::error_code readTextFile(const std::filesystem::path& path, std::string& utf8);

// Copies a file byte for byte, but only to a target that does not exist yet:
// file_exists when it does. A copy that breaks off is removed again.
std::error_code copyFileIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tavo
