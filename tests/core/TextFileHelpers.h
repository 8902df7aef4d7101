#pragma once

#include <string>
#include <string_view>

#include "support/TestFiles.h"

namespace tavo::test {

// The settings, print-settings and header-lines tests compare whole files as text.
inline std::string readText(const std::filesystem::path& path) {
    const std::vector<std::uint8_t> bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}

inline void writeText(const std::filesystem::path& path, std::string_view text) { writeFile(path, {text.begin(), text.end()}); }

}  // namespace tavo::test
