#include <gtest/gtest.h>

#include <filesystem>

#include "TextFileHelpers.h"
#include "app/SettingsLocation.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::readText;

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

    static void place(const fs::path& file, std::string_view text) {
        fs::create_directories(file.parent_path());
        test::writeText(file, text);
    }
};

TEST_F(SettingsLocation, TheFileLiesInTheUsersConfigurationFolder) {
    EXPECT_EQ(locateSettingsFile(environment), expected);
    EXPECT_TRUE(fs::is_directory(expected.parent_path()));
    EXPECT_FALSE(fs::exists(expected));  // made by the first write

    environment.xdgConfigHome = (root.path() / "config").string();
    EXPECT_EQ(locateSettingsFile(environment), root.path() / "config" / "Kova-Software" / "Tavo.ini");

    environment.xdgConfigHome.clear();
    environment.home.clear();
    EXPECT_EQ(locateSettingsFile(environment), program / "Tavo.ini");
}

TEST_F(SettingsLocation, TheFirstOlderCopyIsCopiedButNeverOverAnExistingFile) {
    place(systemA / "Tavo.ini", "not in the Kova-Software folder: no copy");
    place(systemB / "Kova-Software" / "Tavo.ini", "[Print]\nLeft=30\n");
    place(program / "Tavo.ini", "[Print]\nLeft=40\n");
    EXPECT_EQ(locateSettingsFile(environment), expected);
    EXPECT_EQ(readText(expected), "[Print]\nLeft=30\n");
    EXPECT_TRUE(fs::exists(systemB / "Kova-Software" / "Tavo.ini"));

    place(expected, "[Print]\nLeft=5\n");
    locateSettingsFile(environment);
    EXPECT_EQ(readText(expected), "[Print]\nLeft=5\n");

    // The copy beside the program is the last resort.
    fs::remove(expected);
    fs::remove(systemB / "Kova-Software" / "Tavo.ini");
    locateSettingsFile(environment);
    EXPECT_EQ(readText(expected), "[Print]\nLeft=40\n");
}

TEST_F(SettingsLocation, AFolderThatCannotBeMadeStillGivesThePath) {
    place(home / ".config", "a file where the folder should be");
    place(program / "Tavo.ini", "[Print]\nLeft=40\n");
    EXPECT_EQ(locateSettingsFile(environment), expected);
    EXPECT_FALSE(fs::exists(expected.parent_path()));
}

}  // namespace
}  // namespace tavo
