#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "file/BinFile.h"

namespace tavo {

// Reading whole files, and the program's own small text files: the settings
// profile and the header lines.

// No valid file of each kind is larger; a larger one is refused (EFBIG) before
// it is read whole, so that a damaged or wrong file cannot fill the memory.
inline constexpr std::size_t kMaxProjectFileBytes = 16u << 20;  // twice the largest project written
inline constexpr std::size_t kMaxJsonFileBytes = 64u << 20;     // twice the largest project exported
inline constexpr std::size_t kMaxTextFileBytes = 1u << 20;      // settings and header lines

// The whole file, at most limit bytes of it. A pipe without a writer reads as
// empty instead of waiting for one. On failure failedAt tells whether the file
// could not be opened or not be read.
std::error_code readWholeFile(const std::filesystem::path& path, std::string& bytes, std::size_t limit,
                              FileOperation& failedAt);

// The whole file as UTF-8. Files written by the program on Windows are
// Windows-1252, so a file that is not valid UTF-8 is read as Windows-1252; a
// file with a byte-order mark is read as UTF-8 or UTF-16 as the mark says.
std::error_code readTextFile(const std::filesystem::path& path, std::string& utf8);

// Copies a file byte for byte, but only to a target that does not exist yet:
// file_exists when it does. A copy that breaks off is removed again.
std::error_code copyFileIfAbsent(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace tavo
