#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// A program's file version: four numbers, compared part by part from the first.
struct FileVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    int revision = 0;

    auto operator<=>(const FileVersion&) const = default;
};

// The version this program was built as.
FileVersion programFileVersion();

// "18.0.0.1".
std::string formatFileVersion(const FileVersion& version);

// Four numbers of 0 to 65535 separated by points, with nothing before or after;
// nothing for any other text.
std::optional<FileVersion> parseFileVersion(std::string_view text);

// The about box's version line: the '#' of the text ("Dateiversion #") becomes
// the version and " (64 bit)", or " (64 bit)" alone when there is no version.
std::string versionLine(std::string text, const std::optional<FileVersion>& version);

}  // namespace tavo
