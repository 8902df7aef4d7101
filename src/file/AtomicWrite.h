#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace tavo {

// Replacing a file without ever leaving half of one: the new content goes into a
// file beside the old one, reaches the disk, and is then renamed over it.

// Saving through a symbolic link replaces the file it points to, not the link.
std::filesystem::path fileBehind(const std::string& path);

// The new file takes the place of the old one and should be readable by the same people.
void copyPermissions(const std::filesystem::path& from, const std::string& to);

// Replaces the file's content as described above; on failure the old file stays
// as it was and no temporary file is left.
std::error_code writeFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace tavo
