#pragma once

#include <string>
#include <string_view>

#include "model/ProjectData.h"

namespace tavo {

// The stored part of the project as JSON text (UTF-8): every key, in the order
// of the documented shape, own-table entries in slot order and used ones only.
std::string projectToJson(const ProjectData& project);

struct JsonImport {
    bool ok = true;
    std::string message;  // UTF-8, names the JSON path of the faulty value
};

// Fills a project in its reset state from JSON text. "format" and "version" are
// required; a missing top-level key keeps the reset state, a missing key of a
// listed item stands for an empty text, no items, or unit 1. Counts beyond the
// limits of the project and out-of-range numbers are refused, as are unknown keys,
// so that a misspelt key cannot silently drop data.
JsonImport projectFromJson(std::string_view json, ProjectData& project);

}  // namespace tavo
