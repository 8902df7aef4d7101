#include "app/ProgramSettings.h"

#include "file/IniProfile.h"

namespace tavo {
namespace {

constexpr std::string_view kProgramSection = "Einstellungen";
constexpr std::string_view kDemoKey = "Demo";
constexpr std::string_view kRecentFileSection = "Recent File List";

std::string recentFileKey(std::size_t index) { return "File" + std::to_string(index + 1); }

}  // namespace

int loadSkipDemoQuestion(const IniProfile& profile, int current) {
    return profile.getInt(kProgramSection, kDemoKey, current);
}

bool saveSkipDemoQuestion(IniProfile& profile, int skip) { return profile.writeInt(kProgramSection, kDemoKey, skip); }

std::vector<std::string> loadRecentFiles(const IniProfile& profile) {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        std::string path = profile.getString(kRecentFileSection, recentFileKey(i), "");
        if (!path.empty()) paths.push_back(std::move(path));
    }
    return paths;
}

bool saveRecentFiles(IniProfile& profile, const std::vector<std::string>& paths) {
    bool written = true;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        const std::string key = recentFileKey(i);
        const bool ok = i < paths.size() && !paths[i].empty()
                            ? profile.writeString(kRecentFileSection, key, paths[i])
                            : profile.removeKey(kRecentFileSection, key);
        written = written && ok;
    }
    return written;
}

}  // namespace tavo
