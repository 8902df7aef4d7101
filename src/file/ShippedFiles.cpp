#include "file/ShippedFiles.h"

#include <system_error>

namespace tavo {
namespace fs = std::filesystem;

fs::path findShippedFile(const fs::path& programDir, std::string_view name) {
    const fs::path beside = programDir / name;
    std::error_code error;
    if (fs::exists(beside, error)) return beside;
    const fs::path installed = programDir.parent_path() / kInstalledDataFolder / name;
    return fs::exists(installed, error) ? installed : beside;
}

}  // namespace tavo
