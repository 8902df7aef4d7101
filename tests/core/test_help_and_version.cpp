#include <gtest/gtest.h>

#include <filesystem>

#include "TextFileHelpers.h"
#include "app/FileVersion.h"
#include "app/HelpTopics.h"
#include "file/ShippedFiles.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

TEST(HelpTopics, EachPageOpensItsOwnTopicAndEverythingElseTheDefault) {
    EXPECT_EQ(helpTopic(101), "bauteile.html");
    EXPECT_EQ(helpTopic(130), "staendige-lasten.html");
    EXPECT_EQ(helpTopic(131), "nutzlasten.html");
    EXPECT_EQ(helpTopic(600), "ergebnis.html");
    for (int other : {0, 99, 100, 102, 0x20065, -1}) EXPECT_EQ(helpTopic(other), kDefaultHelpTopic) << other;
}

// An installation: prefix/bin with the program, prefix/share/tavo with its files.
class ShippedFiles : public ::testing::Test {
protected:
    test::TemporaryFolder root;
    fs::path bin = root.path() / "usr" / "bin";
    fs::path data = root.path() / "usr" / "share" / "tavo";

    void SetUp() override {
        fs::create_directories(bin);
        fs::create_directories(data);
    }
};

TEST_F(ShippedFiles, AreFoundBesideTheProgramFirstThenInTheDataFolder) {
    EXPECT_EQ(findShippedFile(bin, "demo.tavo"), bin / "demo.tavo") << "found nowhere: the place beside the program";
    test::writeText(data / "demo.tavo", "installed");
    EXPECT_EQ(findShippedFile(bin, "demo.tavo"), data / "demo.tavo");
    test::writeText(bin / "demo.tavo", "beside");
    EXPECT_EQ(findShippedFile(bin, "demo.tavo"), bin / "demo.tavo");
}

TEST_F(ShippedFiles, TheHelpFileGoesByTheProgramsOwnName) {
    test::writeText(data / "tavo.qch", "help");
    EXPECT_EQ(helpFilePath(bin / "tavo"), data / "tavo.qch");
    EXPECT_EQ(helpFilePath(bin / "bauwaage"), bin / "bauwaage.qch") << "a renamed program looks for its own name";
    test::writeText(data / "bauwaage.qch", "help");
    EXPECT_EQ(helpFilePath(bin / "bauwaage"), data / "bauwaage.qch");
}

TEST(FileVersion, IsReadComparedAndShown) {
    EXPECT_EQ(parseFileVersion("18.0.0.1"), (FileVersion{18, 0, 0, 1}));
    EXPECT_EQ(parseFileVersion("0.65535.0.7"), (FileVersion{0, 65535, 0, 7}));
    for (const char* invalid : {"", "18.0.0", "18.0.0.1.2", "18.0.0.1-1", "18.0.0.65536", "18.-1.0.0", " 18.0.0.1", "?.?.?.?"})
        EXPECT_EQ(parseFileVersion(invalid), std::nullopt) << invalid;

    EXPECT_GT((FileVersion{2, 0, 0, 0}), (FileVersion{1, 9, 9, 9}));
    EXPECT_GT((FileVersion{18, 0, 0, 2}), (FileVersion{18, 0, 0, 1}));
    EXPECT_EQ((FileVersion{18, 0, 0, 1}), (FileVersion{18, 0, 0, 1}));

    EXPECT_EQ(versionLine("Dateiversion #", programFileVersion()), "Dateiversion 18.0.0.1 (64 bit)");
    EXPECT_EQ(versionLine("Dateiversion #", std::nullopt), "Dateiversion  (64 bit)");
}

}  // namespace
}  // namespace tavo
