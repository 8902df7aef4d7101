#include "app/FileVersion.h"

#include <charconv>

namespace tavo {

FileVersion programFileVersion() {
    return {TAVO_VERSION_MAJOR, TAVO_VERSION_MINOR, TAVO_VERSION_PATCH, TAVO_VERSION_TWEAK};
}

std::string formatFileVersion(const FileVersion& version) {
    return std::to_string(version.major) + '.' + std::to_string(version.minor) + '.' + std::to_string(version.build) +
           '.' + std::to_string(version.revision);
}

std::optional<FileVersion> parseFileVersion(std::string_view text) {
    int parts[4] = {};
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (at == end || *at != '.') return std::nullopt;
            ++at;
        }
        const auto [next, error] = std::from_chars(at, end, parts[i]);
        if (error != std::errc() || parts[i] < 0 || parts[i] > 0xFFFF) return std::nullopt;
        at = next;
    }
    if (at != end) return std::nullopt;
    return FileVersion{parts[0], parts[1], parts[2], parts[3]};
}

std::string versionLine(std::string text, const std::optional<FileVersion>& version) {
    const std::size_t mark = text.find('#');
    if (mark == std::string::npos) return text;
    return text.replace(mark, 1, (version ? formatFileVersion(*version) : std::string()) + " (64 bit)");
}

}  // namespace tavo
