#pragma once

#include <filesystem>
#include <string_view>

namespace tavo {

// The data folder of an installation, relative to the prefix the programs'
// folder (prefix/bin) lies in.
inline constexpr std::string_view kInstalledDataFolder = "share/tavo";

// A file the program ships (the sample project, the help file, the default
// header lines): beside the program file first, so that a build folder works
// as it is, then in the installed data folder. When neither exists, the path
// beside the program, so that a message names the place looked at first.
std::filesystem::path findShippedFile(const std::filesystem::path& programDir, std::string_view name);

}  // namespace tavo
