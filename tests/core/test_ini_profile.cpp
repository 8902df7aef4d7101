#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TextFileHelpers.h"
#include "file/IniDocument.h"
#include "file/IniProfile.h"
#include "app/ProgramSettings.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::writeText;

TEST(IniDocument, WritingChangesOnlyTheLinesItMust) {
    IniDocument document(  // no line end at the end of the file
        "; written by hand\r\n\r\n"
        "[Print]\r\n  LEFT =  20 ; kept?\r\nTop=10\r\n; a note for the next section\r\n\r\n"
        "[Tavo_1800]\r\nAutoUpdateFlag=1");
    document.setValue("print", "left", "25");
    document.setValue("Print", "Bottom", "12");
    document.setValue("Tavo_1800", "Path", "a\nb");  // a line break cannot split the line
    document.setValue("Einstellungen", "Demo", "1");
    EXPECT_EQ(document.text(),
              "; written by hand\r\n\r\n"
              "[Print]\r\nLEFT=25\r\nTop=10\r\nBottom=12\r\n; a note for the next section\r\n\r\n"
              "[Tavo_1800]\r\nAutoUpdateFlag=1\r\nPath=a b\r\n\r\n"
              "[Einstellungen]\r\nDemo=1\r\n");
}

class IniProfileFile : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    fs::path file = folder.path() / "Kova-Software" / "Tavo.ini";
    IniProfile profile{file};

    void useFile(std::string_view text) {
        fs::create_directories(file.parent_path());
        writeText(file, text);
    }
};

TEST_F(IniProfileFile, AMissingFileGivesTheDefaultsAndIsMadeByTheFirstWrite) {
    EXPECT_EQ(profile.getString("Print", "Font1", "none"), "none");
    EXPECT_TRUE(profile.removeKey("Print", "Left"));
    EXPECT_FALSE(fs::exists(file.parent_path()));

    EXPECT_TRUE(profile.writeInt("Print", "Left", 25));
    EXPECT_EQ(readText(file), "[Print]\nLeft=25\n");
    EXPECT_EQ(profile.getInt("print", "LEFT", 20), 25);
}

// Whatever a hand-edited or carried-over file holds, each key reads as a number
// or falls back to its default.
TEST_F(IniProfileFile, AnOddFileIsReadAsFarAsItGoesAndGivesTheDefaultsForTheRest) {
    useFile("Left=1\n[print]\n; Left=2\nLEFT =  \"3\"  \r\nleft=4\nnoEquals\n[S]\nempty=\njunk=abc\n"
            "Font1=Stra\xDF" "e\n[Print]\nTop=6\n[\n=7\n");
    EXPECT_EQ(profile.getInt("Print", "Left", 20), 3);  // names in any case; the first counts
    EXPECT_EQ(profile.getInt("Print", "Top", 10), 10);
    EXPECT_EQ(profile.getString("Print", "noEquals", "none"), "none");
    for (const char* key : {"empty", "missing"}) EXPECT_EQ(profile.getInt("S", key, 9), 9) << key;
    EXPECT_EQ(profile.getInt("S", "junk", 9), 0);
    EXPECT_EQ(profile.getString("S", "Font1", ""), "Stra\xC3\x9F" "e");  // carried over from Windows
}

TEST_F(IniProfileFile, AFileThatCannotBeReadIsNeverReplaced) {
    useFile("[Print]\nLeft=5\n");
    fs::permissions(file, fs::perms::owner_write);
    fs::permissions(folder.path(), fs::perms::all);
    EXPECT_TRUE(test::holdsForAnOrdinaryUser(
        [&] { return profile.getInt("Print", "Left", 20) == 20 && !profile.writeInt("Print", "Top", 10); }));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readText(file), "[Print]\nLeft=5\n");
}

TEST_F(IniProfileFile, ReadOnceAndWrittenWithoutLosingWhatAnotherCopyWrote) {
    useFile("[Print]\nLeft=5\n");
    EXPECT_EQ(profile.getInt("Print", "Left", 20), 5);
    writeText(file, "[Print]\nLeft=6\nTop=7\n");  // another running copy
    EXPECT_EQ(profile.getInt("Print", "Left", 20), 5);
    EXPECT_TRUE(profile.writeInt("Print", "Right", 8));
    EXPECT_EQ(readText(file), "[Print]\nLeft=6\nTop=7\nRight=8\n");
    EXPECT_EQ(profile.getInt("Print", "Top", 20), 7);
}

TEST_F(IniProfileFile, TheRecentFileList) {
    // The recent-file list holds ten and forgets what fell off.
    useFile("[Recent File List]\nFile1=/a.tavo\nFile2=\nFile3=/c.tavo\nFile9=/old.tavo\n");
    IniProfile nextRun{file};
    EXPECT_EQ(loadRecentFiles(nextRun), (std::vector<std::string>{"/a.tavo", "/c.tavo", "/old.tavo"}));
    std::vector<std::string> many;
    for (int i = 1; i <= 12; ++i) many.push_back("/p" + std::to_string(i) + ".tavo");
    EXPECT_TRUE(saveRecentFiles(nextRun, many));
    EXPECT_EQ(loadRecentFiles(nextRun), std::vector<std::string>(many.begin(), many.begin() + 10));
    EXPECT_TRUE(saveRecentFiles(nextRun, {"/new.tavo", "/p1.tavo"}));
    EXPECT_EQ(readText(file), "[Recent File List]\nFile1=/new.tavo\nFile2=/p1.tavo\n");
}

}  // namespace
}  // namespace tavo
