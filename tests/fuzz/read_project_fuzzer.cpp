// Any bytes as a project file: reading must end in the stream's error or a
// project, never outside the arrays or in a crash.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "file/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tavo::BinBuffer stream(std::vector<std::uint8_t>(data, data + size));
    // Built once: its built-in library takes long to fill, and reading needs
    // only a just-reset project.
    static const auto project = std::make_unique<tavo::ProjectData>();
    project->reset();
    try {
        tavo::readProject(stream, *project);
    } catch (const tavo::BinFileBase::Error&) {
        // A refused file is a good outcome.
    }
    return 0;
}
