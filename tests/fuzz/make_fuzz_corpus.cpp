// Writes the seed corpus of the project reader into the folder given:
//   make_fuzz_corpus tests/fuzz/corpus

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "file/ProjectFile.h"
#include "support/SampleProjects.h"
#include "support/TestFiles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes fileOf(const tavo::ProjectData& project) {
    tavo::BinBuffer buffer;
    tavo::writeProject(buffer, project);
    return buffer.bytes();
}

// The file with its first heading line stored in the UTF-16 form that the
// program reads but never writes.
Bytes withWideTitle(const tavo::ProjectData& project) {
    Bytes bytes = fileOf(project);
    const std::size_t titleOffset = 12;
    const std::size_t oldLength = bytes[titleOffset] | (bytes[titleOffset + 1] << 8);
    const std::u16string title = u"\u00DCberschrift \u20AC";
    tavo::BinBuffer wide;
    wide.writeWideText(title);
    bytes.erase(bytes.begin() + titleOffset, bytes.begin() + static_cast<std::ptrdiff_t>(titleOffset + 2 + oldLength));
    bytes.insert(bytes.begin() + titleOffset, wide.bytes().begin(), wide.bytes().end());
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const tavo::ProjectData small = tavo::test::makeSmallProject();
    const Bytes smallFile = fileOf(small);

    tavo::test::writeFile(folder / "new.tavo", fileOf(tavo::ProjectData{}));
    tavo::test::writeFile(folder / "small.tavo", smallFile);
    tavo::test::writeFile(folder / "wide-title.tavo", withWideTitle(small));
    tavo::test::writeFile(folder / "truncated.tavo",
                          Bytes(smallFile.begin(), smallFile.begin() + static_cast<std::ptrdiff_t>(smallFile.size() / 2)));
    return 0;
}
