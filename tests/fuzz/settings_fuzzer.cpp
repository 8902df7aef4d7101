// Any bytes as the settings file and as the header-lines file: reading must give
// settings and a banner within their limits, and a small listing laid out with
// them must end, never run outside an array or overflow.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "file/IniProfile.h"
#include "output/HeaderLines.h"
#include "output/ListingText.h"
#include "output/PrintSettings.h"

namespace {

const std::filesystem::path& inputFile() {
    static const std::filesystem::path file = [] {
        std::atexit([] { std::remove(inputFile().c_str()); });
        return std::filesystem::temp_directory_path() / ("tavo-settings-fuzz-" + std::to_string(::getpid()));
    }();
    return file;
}

const tavo::ProjectData& smallProject() {
    static const auto project = [] {
        auto made = std::make_unique<tavo::ProjectData>();
        made->permRowCount[0][0] = 1;
        made->permanentRow(0, 0, 0) = {"Estrich", "", "", "1.20", "", "", "", tavo::PermanentUnit::AreaLoad};
        return made;
    }();
    return *project;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(inputFile().c_str(), "wb");
    if (file == nullptr) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const tavo::PrintSettings settings = tavo::loadPrintSettings(tavo::IniProfile(inputFile()));
    const tavo::HeaderLines banner = tavo::loadBanner({inputFile()});
    if (banner.lines().size() > tavo::HeaderLines::kMaxLines) __builtin_trap();
    const tavo::TextListing listing = tavo::listingAsText(smallProject(), tavo::ListingFrame{settings, banner, "x.tavo"});
    if (listing.build.listed && listing.pages.empty()) __builtin_trap();
    return 0;
}
