#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "file/BinFile.h"
#include "model/ProjectData.h"

namespace tavo {

inline constexpr char kProjectMagic[8] = {'T', 'A', 'V', 'O', 'D', 'A', 'T', '_'};
inline constexpr std::int32_t kProjectFileVersion = 1;

// The texts that a row stores after its unit; the others are not in the file.
// Chosen by the unit as the file holds it (its low 16 bits), so that writer and
// reader agree even on a code no page would set.
using PermanentText = std::string PermanentRow::*;
using ImposedText = std::string ImposedRow::*;
std::span<const PermanentText> storedTexts(const PermanentRow& row);
std::span<const ImposedText> storedTexts(const ImposedRow& row);

// Reads magic, version and body into a just-reset project and returns the version.
// Throws BinFileBase::Error: -1 for a wrong magic or counts beyond the limits,
// -2 for an unsupported version, the stream's error for a short read.
std::int32_t readProject(BinFileBase& stream, ProjectData& project);

// Writes magic, version and body. A failed write throws BinFileBase::Error.
void writeProject(BinFileBase& stream, const ProjectData& project);

// Result of a whole-file operation: the message for the user (UTF-8) when it failed.
struct FileOutcome {
    bool ok = true;
    std::string message;
};

// Opens and reads a project file. On failure the project is reset again and the
// message says why; on success version holds the file's version.
FileOutcome loadProjectFile(const std::string& path, ProjectData& project, std::int32_t& version);

// Writes the project beside the target first and renames it over the target only
// when complete, so a failed save never destroys the previous file.
FileOutcome saveProjectFile(const std::string& path, const ProjectData& project);

}  // namespace tavo
