#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "file/BinFile.h"

namespace tavo {

// The one way the programs write a file: projects, PDF files, the settings and
// the header lines.
//
// - A regular file is replaced whole: the new content goes into a hidden file
//   beside it, reaches the disk, takes over the old file's permissions and is
//   then renamed over it, so a failure leaves the old file as it was.
// - An existing file the user may not write is refused, even where the folder
//   would allow the rename; one the user may write in a folder that takes no
//   new file is written in place.
// - Something that is no regular file (a pipe, a device such as /dev/stdout or
//   /dev/null, a link to one) is written in place, never replaced.
// - A link to a regular file replaces the file it points to and stays a link;
//   a link that points nowhere is refused.
// - Temporary files left by an interrupted save of the same file are removed.

// Why a save failed: where it stopped (opening or writing) and the system's
// error number; no error number when the file was saved.
struct SaveFailure {
    FileOperation operation = FileOperation::Write;
    int errorNumber = 0;
    std::int32_t position = 0;  // bytes written before a write failed

    explicit operator bool() const { return errorNumber != 0; }
};

SaveFailure saveFile(const std::filesystem::path& path, std::string_view content);

// The user's message for a failed save of path: the open or the write message
// of the file reporter.
std::string saveFailureMessage(const std::string& path, const SaveFailure& failure);

// The hidden name a save of target writes first, without its random end; it
// stays within the file system's limit of 255 bytes for a name.
std::filesystem::path temporaryPrefix(const std::filesystem::path& target);

}  // namespace tavo
