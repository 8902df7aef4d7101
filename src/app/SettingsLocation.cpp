#include "app/SettingsLocation.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "file/TextFile.h"

namespace tavo {
namespace fs = std::filesystem;

namespace {

std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// The base directory rules ignore relative paths in these variables.
fs::path settingsFolder(const SettingsEnvironment& environment) {
    if (const fs::path configHome = environment.xdgConfigHome; configHome.is_absolute()) {
        return configHome / kSettingsFolderName;
    }
    if (environment.home.is_absolute()) return environment.home / ".config" / kSettingsFolderName;
    return environment.programDir;
}

std::vector<fs::path> olderCopies(const SettingsEnvironment& environment) {
    std::vector<fs::path> copies;
    const std::string_view configDirs =
        environment.xdgConfigDirs.empty() ? std::string_view("/etc/xdg") : environment.xdgConfigDirs;
    for (std::size_t start = 0; start <= configDirs.size();) {
        const std::size_t colon = std::min(configDirs.find(':', start), configDirs.size());
        if (const fs::path folder = configDirs.substr(start, colon - start); folder.is_absolute()) {
            copies.push_back(folder / kSettingsFolderName / kSettingsFileName);
        }
        start = colon + 1;
    }
    if (!environment.programDir.empty()) copies.push_back(environment.programDir / kSettingsFileName);
    return copies;
}

void copyFirstOlderCopy(const std::vector<fs::path>& candidates, const fs::path& file) {
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (!fs::is_regular_file(candidate, error)) continue;
        error = copyFileIfAbsent(candidate, file);
        // An unreadable copy gives way to the next one.
        if (!error || error == std::errc::file_exists) return;
    }
}

}  // namespace

SettingsEnvironment currentSettingsEnvironment(fs::path programDir) {
    return {environmentVariable("HOME"), environmentVariable("XDG_CONFIG_HOME"),
            environmentVariable("XDG_CONFIG_DIRS"), std::move(programDir)};
}

fs::path locateSettingsFile(const SettingsEnvironment& environment) {
    const fs::path folder = settingsFolder(environment);
    std::error_code error;
    fs::create_directories(folder, error);
    const fs::path file = folder / kSettingsFileName;
    if (!fs::exists(file, error) && !error) copyFirstOlderCopy(olderCopies(environment), file);
    return file;
}

}  // namespace tavo
