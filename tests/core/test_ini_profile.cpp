#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TextFileHelpers.h"
#include "app/IniDocument.h"
#include "app/IniProfile.h"
#include "app/ProgramSettings.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::writeText;

TEST(IniDocument, FindsNamesWithoutRegardToCaseAndTakesTheFirstOfEach) {
    const IniDocument document(
        "Left=1\n"  // before any section: belongs to none
        "[print]\n"
        "; Left=2\n"
        "LEFT = 3\n"
        "left=4\n"
        "[Other]\n"
        "Left=5\n"
        "[PRINT]\n"
        "Top=6\n");
    EXPECT_EQ(document.value("Print", "Left"), "3");
    EXPECT_EQ(document.value("Other", "left"), "5");
    EXPECT_EQ(document.value("Print", "Top"), std::nullopt);  // only the first [Print] counts
    EXPECT_EQ(document.value("Missing", "Left"), std::nullopt);
}

TEST(IniDocument, ValuesLoseSurroundingBlanksAndOnePairOfQuotes) {
    const IniDocument document(
        "[S]\n"
        "plain =  a b  \r\n"
        "double=\"  x  \"\n"
        "single='y'\n"
        "twice=\"\"z\"\"\n"
        "mixed='w\"\n"
        "lone=\"\n"
        "empty=\n"
        "noEquals\n");
    EXPECT_EQ(document.value("S", "plain"), "a b");
    EXPECT_EQ(document.value("S", "double"), "  x  ");
    EXPECT_EQ(document.value("S", "single"), "y");
    EXPECT_EQ(document.value("S", "twice"), "\"z\"");
    EXPECT_EQ(document.value("S", "mixed"), "'w\"");
    EXPECT_EQ(document.value("S", "lone"), "\"");
    EXPECT_EQ(document.value("S", "empty"), "");
    EXPECT_EQ(document.value("S", "noEquals"), std::nullopt);
}

TEST(IniDocument, WritingChangesOnlyTheLinesItMust) {
    IniDocument document(
        "; written by hand\r\n"
        "\r\n"
        "[Print]\r\n"
        "  LEFT =  20 ; kept?\r\n"
        "Top=10\r\n"
        "; a note for the next section\r\n"
        "\r\n"
        "[Tavo_1800]\r\n"
        "AutoUpdateFlag=1");  // no line end at the end of the file
    document.setValue("print", "left", "25");
    document.setValue("Print", "Bottom", "12");
    document.setValue("Tavo_1800", "AutoUpdateTime", "2024.1.2.3.4.5.6.7");
    document.setValue("Einstellungen", "Demo", "1");
    EXPECT_EQ(document.text(),
              "; written by hand\r\n"
              "\r\n"
              "[Print]\r\n"
              "LEFT=25\r\n"
              "Top=10\r\n"
              "Bottom=12\r\n"
              "; a note for the next section\r\n"
              "\r\n"
              "[Tavo_1800]\r\n"
              "AutoUpdateFlag=1\r\n"
              "AutoUpdateTime=2024.1.2.3.4.5.6.7\r\n"
              "\r\n"
              "[Einstellungen]\r\n"
              "Demo=1\r\n");
}

TEST(IniDocument, NewSectionsAndKeysInAnEmptyOrBareFile) {
    IniDocument empty;
    empty.setValue("A", "x", "1");
    empty.setValue("A", "y", "2");
    EXPECT_EQ(empty.text(), "[A]\nx=1\ny=2\n");

    IniDocument headerOnly("[A]");
    headerOnly.setValue("A", "x", "1");
    EXPECT_EQ(headerOnly.text(), "[A]\nx=1\n");
}

TEST(IniDocument, ALineBreakInAValueCannotSplitTheLine) {
    IniDocument document("[A]\nx=1\n");
    document.setValue("A", "path", "a\nb\r\nc");
    EXPECT_EQ(document.text(), "[A]\nx=1\npath=a b  c\n");
}

TEST(IniDocument, RemovingAKeyLeavesTheRest) {
    IniDocument document("[A]\nx=1\ny=2\n[B]\nx=3\n");
    document.removeKey("a", "X");
    document.removeKey("A", "missing");
    EXPECT_EQ(document.text(), "[A]\ny=2\n[B]\nx=3\n");
}

TEST(ProfileInteger, ReadsTheLeadingNumberAsTheWindowsProfileDoes) {
    EXPECT_EQ(profileInteger("12"), 12);
    EXPECT_EQ(profileInteger("12abc"), 12);
    EXPECT_EQ(profileInteger("abc"), 0);
    EXPECT_EQ(profileInteger("-1"), -1);
    EXPECT_EQ(profileInteger(" +7"), 7);
    EXPECT_EQ(profileInteger("- 7"), 0);
    EXPECT_EQ(profileInteger("0x1F"), 31);
    EXPECT_EQ(profileInteger("0X1F"), 0);  // the prefix is lower case only
    EXPECT_EQ(profileInteger("0b101"), 5);
    EXPECT_EQ(profileInteger("0o17"), 15);
    EXPECT_EQ(profileInteger("019"), 19);
    EXPECT_EQ(profileInteger("4294967295"), -1);  // wraps at 32 bits
    EXPECT_EQ(profileInteger("3.9"), 3);
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
    EXPECT_EQ(profile.getInt("Print", "Left", 20), 20);
    EXPECT_EQ(profile.getString("Print", "Font1", "none"), "none");
    EXPECT_TRUE(profile.removeKey("Print", "Left"));
    EXPECT_FALSE(fs::exists(file.parent_path()));

    EXPECT_TRUE(profile.writeInt("Print", "Left", 25));
    EXPECT_EQ(readText(file), "[Print]\nLeft=25\n");
    EXPECT_EQ(profile.getInt("print", "LEFT", 20), 25);
}

TEST_F(IniProfileFile, IntegersUseTheDefaultOnlyForAMissingOrEmptyValue) {
    useFile("[S]\nempty=\nquotedEmpty=\"\"\njunk=abc\nquoted=\"15\"\nspaced =  42  \n");
    EXPECT_EQ(profile.getInt("S", "empty", 9), 9);
    EXPECT_EQ(profile.getInt("S", "quotedEmpty", 9), 9);
    EXPECT_EQ(profile.getInt("S", "missing", 9), 9);
    EXPECT_EQ(profile.getInt("S", "junk", 9), 0);
    EXPECT_EQ(profile.getInt("S", "quoted", 9), 15);
    EXPECT_EQ(profile.getInt("S", "spaced", 9), 42);
}

TEST_F(IniProfileFile, AWindowsFileIsReadAsWindows1252AndRewrittenAsUtf8) {
    useFile("; \xC4nderung\r\n[Print]\r\nFont1=-11,400,0,0,0,34,0,Stra\xDF" "e\r\n");
    EXPECT_EQ(profile.getString("Print", "Font1", ""), "-11,400,0,0,0,34,0,Stra\xC3\x9F" "e");

    EXPECT_TRUE(profile.writeInt("Print", "Left", 20));
    EXPECT_EQ(readText(file),
              "; \xC3\x84nderung\r\n[Print]\r\nFont1=-11,400,0,0,0,34,0,Stra\xC3\x9F" "e\r\nLeft=20\r\n");
}

TEST_F(IniProfileFile, AByteOrderMarkDoesNotHideTheFirstSection) {
    useFile("\xEF\xBB\xBF[Print]\nLeft=5\n");
    EXPECT_EQ(profile.getInt("Print", "Left", 20), 5);
}

TEST_F(IniProfileFile, WritingLeavesNoTemporaryFileAndFollowsALink) {
    const fs::path real = folder.path() / "real.ini";
    writeText(real, "[A]\nx=1\n");
    fs::create_directories(file.parent_path());
    fs::create_symlink(real, file);

    EXPECT_TRUE(profile.writeString("A", "y", "2"));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(readText(real), "[A]\nx=1\ny=2\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 1);
}

TEST_F(IniProfileFile, AFileThatCannotBeReadIsNeverReplaced) {
    useFile("[Print]\nLeft=5\n");
    fs::permissions(file, fs::perms::none);
    if (std::ifstream(file).good()) GTEST_SKIP() << "the permissions do not bind this user";

    EXPECT_EQ(profile.getInt("Print", "Left", 20), 20);
    EXPECT_FALSE(profile.writeInt("Print", "Top", 10));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(readText(file), "[Print]\nLeft=5\n");
}

TEST_F(IniProfileFile, AFolderThatCannotBeMadeFailsTheWrite) {
    writeText(folder.path() / "Kova-Software", "a file where the folder should be");
    EXPECT_FALSE(profile.writeInt("Print", "Left", 20));
}

TEST_F(IniProfileFile, TheDemoSettingKeepsTheCurrentValueUntilStored) {
    EXPECT_EQ(loadSkipDemoQuestion(profile, 0), 0);
    EXPECT_EQ(loadSkipDemoQuestion(profile, 1), 1);
    EXPECT_TRUE(saveSkipDemoQuestion(profile, 1));
    EXPECT_EQ(readText(file), "[Einstellungen]\nDemo=1\n");
    EXPECT_EQ(loadSkipDemoQuestion(profile, 0), 1);
}

TEST_F(IniProfileFile, TheRecentFileListHoldsTenAndForgetsWhatFellOff) {
    useFile("[Recent File List]\nFile1=/a.tavo\nFile2=\nFile3=/c.tavo\nFile9=/old.tavo\n");
    EXPECT_EQ(loadRecentFiles(profile), (std::vector<std::string>{"/a.tavo", "/c.tavo", "/old.tavo"}));

    std::vector<std::string> many;
    for (int i = 1; i <= 12; ++i) many.push_back("/p" + std::to_string(i) + ".tavo");
    EXPECT_TRUE(saveRecentFiles(profile, many));
    EXPECT_EQ(loadRecentFiles(profile), std::vector<std::string>(many.begin(), many.begin() + 10));

    EXPECT_TRUE(saveRecentFiles(profile, {"/new.tavo", "/p1.tavo"}));
    EXPECT_EQ(readText(file), "[Recent File List]\nFile1=/new.tavo\nFile2=/p1.tavo\n");
}

}  // namespace
}  // namespace tavo
