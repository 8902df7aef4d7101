#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavo {

inline constexpr std::string_view kSettingsFolderName = "Kova-Software";
inline constexpr std::string_view kSettingsFileName = "Tavo.ini";

// What the place of the settings file depends on, gathered in one value so
// that the rule can be run on any folders.
struct SettingsEnvironment {
    std::filesystem::path home;          // $HOME
    std::string xdgConfigHome;           // $XDG_CONFIG_HOME; empty when unset
    std::string xdgConfigDirs;           // $XDG_CONFIG_DIRS, folders separated by ':'; empty when unset
    std::filesystem::path programDir;    // the folder of the program file
};

SettingsEnvironment currentSettingsEnvironment(std::filesystem::path programDir);

// The settings file "Tavo.ini" in the folder "Kova-Software" of the user's
// configuration folder ($XDG_CONFIG_HOME, else ~/.config; beside the program
// when neither is known). The folder is made if it is missing. When the file
// does not exist yet, the first older copy found is copied there, never over an
// existing file: "Kova-Software/Tavo.ini" in each of the system configuration
// folders ($XDG_CONFIG_DIRS, else /etc/xdg), then "Tavo.ini" beside the
// program. Without one, no file is made now: the first write makes it. A folder
// that cannot be made does not stop the path from being returned.
std::filesystem::path locateSettingsFile(const SettingsEnvironment& environment);

}  // namespace tavo
