#include <gtest/gtest.h>

#include <filesystem>

#include "TextFileHelpers.h"
#include "app/FileVersion.h"
#include "app/HelpTopics.h"
#include "file/ShippedFiles.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

// An installation: prefix/bin with the program, prefix/share/tavo with its files.
TEST(ShippedFiles, AreFoundBesideTheProgramFirstThenInTheDataFolderByTheProgramsOwnName) {
    const test::TemporaryFolder root;
    const fs::path bin = root.path() / "usr" / "bin";
    const fs::path data = root.path() / "usr" / "share" / "tavo";
    fs::create_directories(bin);
    fs::create_directories(data);

    EXPECT_EQ(findShippedFile(bin, "demo.tavo"), bin / "demo.tavo") << "found nowhere: the place beside the program";
    test::writeText(data / "demo.tavo", "installed");
    EXPECT_EQ(findShippedFile(bin, "demo.tavo"), data / "demo.tavo");
    test::writeText(bin / "demo.tavo", "beside");
    EXPECT_EQ(findShippedFile(bin, "demo.tavo"), bin / "demo.tavo");

    test::writeText(data / "tavo.qch", "help");
    EXPECT_EQ(helpFilePath(bin / "tavo"), data / "tavo.qch");
}

// The update check compares the installed package's version with the offered one.
TEST(FileVersion, IsReadOnlyWhenWhole) {
    EXPECT_EQ(parseFileVersion("0.65535.0.7"), (FileVersion{0, 65535, 0, 7}));
    for (const char* invalid : {"", "18.0.0", "18.0.0.1.2", "18.0.0.1-1", "18.0.0.65536", "18.-1.0.0", " 18.0.0.1", "?.?.?.?"})
        EXPECT_EQ(parseFileVersion(invalid), std::nullopt) << invalid;
}

}  // namespace
}  // namespace tavo
