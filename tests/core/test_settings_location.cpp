#include <gtest/gtest.h>

#include <filesystem>

#include "TextFileHelpers.h"
#include "app/SettingsLocation.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::writeText;

// A home, two system configuration folders and a program folder, all in a
// temporary folder.
class SettingsLocation : public ::testing::Test {
protected:
    test::TemporaryFolder root;
    fs::path home = root.path() / "home";
    fs::path systemA = root.path() / "etc-a";
    fs::path systemB = root.path() / "etc-b";
    fs::path program = root.path() / "program";
    SettingsEnvironment environment{home, "", systemA.string() + ":" + systemB.string(), program};
    fs::path expected = home / ".config" / "Kova-Software" / "Tavo.ini";

    SettingsLocation() {
        fs::create_directories(home);
        fs::create_directories(program);
    }

    static void place(const fs::path& file, std::string_view text) {
        fs::create_directories(file.parent_path());
        writeText(file, text);
    }
};

TEST_F(SettingsLocation, WithoutConfigHomeTheFileLiesUnderDotConfigAndIsNotMadeYet) {
    EXPECT_EQ(locateSettingsFile(environment), expected);
    EXPECT_TRUE(fs::is_directory(expected.parent_path()));
    EXPECT_FALSE(fs::exists(expected));
}

TEST_F(SettingsLocation, AnAbsoluteConfigHomeIsUsedAndARelativeOneIgnored) {
    environment.xdgConfigHome = (root.path() / "config").string();
    EXPECT_EQ(locateSettingsFile(environment), root.path() / "config" / "Kova-Software" / "Tavo.ini");

    environment.xdgConfigHome = "relative/config";
    EXPECT_EQ(locateSettingsFile(environment), expected);
}

TEST_F(SettingsLocation, WithoutAHomeTheFileLiesBesideTheProgram) {
    environment.home.clear();
    EXPECT_EQ(locateSettingsFile(environment), program / "Tavo.ini");
}

TEST_F(SettingsLocation, TheFirstOlderCopyIsCopiedAndLeftInPlace) {
    place(systemB / "Kova-Software" / "Tavo.ini", "[Print]\nLeft=30\n");
    place(program / "Tavo.ini", "[Print]\nLeft=40\n");

    EXPECT_EQ(locateSettingsFile(environment), expected);
    EXPECT_EQ(readText(expected), "[Print]\nLeft=30\n");
    EXPECT_TRUE(fs::exists(systemB / "Kova-Software" / "Tavo.ini"));
}

TEST_F(SettingsLocation, TheCopyBesideTheProgramIsTheLastResort) {
    place(systemA / "Tavo.ini", "not in the Kova-Software folder: no copy");
    place(program / "Tavo.ini", "[Print]\nLeft=40\n");

    locateSettingsFile(environment);
    EXPECT_EQ(readText(expected), "[Print]\nLeft=40\n");
}

TEST_F(SettingsLocation, AnExistingFileIsNeverOverwritten) {
    place(expected, "[Print]\nLeft=5\n");
    place(systemA / "Kova-Software" / "Tavo.ini", "[Print]\nLeft=30\n");

    locateSettingsFile(environment);
    EXPECT_EQ(readText(expected), "[Print]\nLeft=5\n");
}

TEST_F(SettingsLocation, AFolderThatCannotBeMadeStillGivesThePath) {
    writeText(home / ".config", "a file where the folder should be");
    place(program / "Tavo.ini", "[Print]\nLeft=40\n");

    EXPECT_EQ(locateSettingsFile(environment), expected);
    EXPECT_FALSE(fs::exists(expected.parent_path()));
}

}  // namespace
}  // namespace tavo
