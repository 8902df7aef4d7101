// Any bytes as project JSON: the import refuses the text or builds a project
// that the file holds whole, so that writing it and reading it back changes
// nothing the JSON shows.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "app/cli/ProjectJson.h"
#include "file/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto imported = std::make_unique<tavo::ProjectData>();
    static const auto reread = std::make_unique<tavo::ProjectData>();
    imported->reset();
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    if (!tavo::projectFromJson(json, *imported).ok) return 0;

    tavo::BinBuffer stream;
    tavo::writeProject(stream, *imported);
    stream.rewind();
    reread->reset();
    tavo::readProject(stream, *reread);  // an exception here is a finding too
    if (tavo::projectToJson(*reread) != tavo::projectToJson(*imported)) __builtin_trap();
    return 0;
}
