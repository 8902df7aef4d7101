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

TEST(IniDocument, ReadsAsTheWindowsProfileDoes) {
    const IniDocument document(
        "Left=1\n"  // before any section: belongs to none
        "[print]\n; Left=2\nLEFT =  3 3  \r\nleft=4\ndouble=\"  x  \"\nsingle='y'\nmixed='w\"\nnoEquals\n"
        "[Other]\nLeft=5\n[PRINT]\nTop=6\n");
    // Names compare without regard to case, and the first of each counts.
    EXPECT_EQ(document.value("Print", "Left"), "3 3");
    EXPECT_EQ(document.value("Other", "left"), "5");
    EXPECT_EQ(document.value("Print", "Top"), std::nullopt);
    // Blanks around a value go, and one pair of quotes.
    EXPECT_EQ(document.value("Print", "double"), "  x  ");
    EXPECT_EQ(document.value("Print", "single"), "y");
    EXPECT_EQ(document.value("Print", "mixed"), "'w\"");
    EXPECT_EQ(document.value("Print", "noEquals"), std::nullopt);
}

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

    IniDocument bare("[A]\nx=1\ny=2\n[B]\nx=3");
    bare.removeKey("a", "X");
    bare.setValue("B", "y", "4");
    EXPECT_EQ(bare.text(), "[A]\ny=2\n[B]\nx=3\ny=4\n");
}

TEST(ProfileInteger, ReadsTheLeadingNumberAsTheWindowsProfileDoes) {
    const std::pair<const char*, int> cases[] = {
        {"12abc", 12}, {"abc", 0},   {"-1", -1},   {" +7", 7},    {"- 7", 0},          {"0x1F", 31},
        {"0X1F", 0},   {"0b101", 5}, {"0o17", 15}, {"019", 19},   {"4294967295", -1},  {"3.9", 3},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(profileInteger(text), value) << text;
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

TEST_F(IniProfileFile, IntegersUseTheDefaultOnlyForAMissingOrEmptyValue) {
    useFile("\xEF\xBB\xBF[S]\nempty=\nquotedEmpty=\"\"\njunk=abc\nquoted=\"15\"\n");  // a byte-order mark hides nothing
    for (const char* key : {"empty", "quotedEmpty", "missing"}) EXPECT_EQ(profile.getInt("S", key, 9), 9) << key;
    EXPECT_EQ(profile.getInt("S", "junk", 9), 0);
    EXPECT_EQ(profile.getInt("S", "quoted", 9), 15);
}

TEST_F(IniProfileFile, AWindowsFileIsReadAsWindows1252AndRewrittenAsUtf8) {
    useFile("; \xC4nderung\r\n[Print]\r\nFont1=-11,400,0,0,0,34,0,Stra\xDF" "e\r\n");
    EXPECT_EQ(profile.getString("Print", "Font1", ""), "-11,400,0,0,0,34,0,Stra\xC3\x9F" "e");

    EXPECT_TRUE(profile.writeInt("Print", "Left", 20));
    EXPECT_EQ(readText(file), "; \xC3\x84nderung\r\n[Print]\r\nFont1=-11,400,0,0,0,34,0,Stra\xC3\x9F" "e\r\nLeft=20\r\n");
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

TEST_F(IniProfileFile, TheProgramsOwnSettings) {
    EXPECT_EQ(loadSkipDemoQuestion(profile, 1), 1);  // the current value until one is stored
    EXPECT_TRUE(saveSkipDemoQuestion(profile, 1));
    EXPECT_EQ(loadSkipDemoQuestion(profile, 0), 1);

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
