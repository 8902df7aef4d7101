#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tavo {

class IniProfile;

// "Einstellungen"/"Demo": 1 when the sample project is no longer offered at the
// start of a new project. A missing key keeps the current value.
int loadSkipDemoQuestion(const IniProfile& profile, int current);
bool saveSkipDemoQuestion(IniProfile& profile, int skip);

// The recently used project files, newest first, in section "Recent File List"
// as "File1" to "File10".
inline constexpr std::size_t kRecentFileCount = 10;

// The paths held, in order; empty entries are skipped.
std::vector<std::string> loadRecentFiles(const IniProfile& profile);

// Writes the first ten paths and removes the keys of the places left over, so
// that a shorter list does not bring back older entries.
bool saveRecentFiles(IniProfile& profile, const std::vector<std::string>& paths);

}  // namespace tavo
