#pragma once

#include <string>

#include "model/ProjectData.h"

namespace tavo {

// The built-in self-weight and imposed-load libraries of a project, as JSON text
// (UTF-8; groups with their row unit, imposed tables with theirs, entries with
// category, description and value text).
std::string libraryToJson(const ProjectData& project);

// The same content as indented text for reading in a terminal (UTF-8): a heading
// per group and table with its unit, one line per entry with the category column
// aligned within its table.
std::string libraryToText(const ProjectData& project);

}  // namespace tavo
