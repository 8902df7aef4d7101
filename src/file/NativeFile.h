#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The few file operations that the C and C++ libraries do not offer portably.
// These are the only operating-system calls of the file code; a port supplies
// its own definitions of these functions. Each sets errno when it fails.
namespace tavo::native {

// Sets the length of an open file, after its buffered output has been flushed.
bool truncateFile(std::FILE* file, std::int64_t size);

// Forces what was written to an open, flushed file onto the disk.
bool syncFile(std::FILE* file);

// Creates a new, empty file whose name is prefix followed by
// kUniqueSuffixLength random letters and digits, with the permissions a plain
// fopen would give it. Returns its name, or an empty text when no file could be
// created.
inline constexpr std::size_t kUniqueSuffixLength = 6;
std::string createUniqueFile(const std::string& prefix);

// Whether the user running the program may write the existing file, by the
// user's real rights rather than the owner's permission bits.
bool mayWrite(const std::string& path);

// Opens a file for reading; a pipe without a writer is opened at once and
// reads as empty instead of waiting for one.
std::FILE* openForReading(const std::string& path);

// Opens an existing file for writing where it is, emptied if it is a regular
// file; a pipe without a reader fails at once (ENXIO) instead of waiting for one.
std::FILE* openInPlace(const std::string& path);

// Renames from to to, replacing an existing file to in one step.
bool replaceFile(const std::string& from, const std::string& to);

}  // namespace tavo::native
