#include <gtest/gtest.h>

#include "TextFileHelpers.h"
#include "file/IniProfile.h"
#include "output/PrintSettings.h"

namespace tavo {
namespace {

// The face name is the last field and may hold blanks and umlauts; a line that is
// not whole gives the default font.
TEST(FontLine, ReadsWithTheToleranceOfTheStoredFormatOrGivesTheDefault) {
    const FontRecord font = parseFontLine("  \t-12, 700,\t+1,0,0,34,257,  Courier New  \r\n", false);
    EXPECT_EQ(formatFontLine(font), "-12,700,1,0,0,34,1,Courier New");  // a byte field keeps the low byte
    for (const char* broken : {"", "-11,400,0,0,0,34,0", "-11,400,0,0,0,34,0,   ", "-11;400;0;0;0;34;0;Arial",
                               "99999999999,400,0,0,0,34,0,Arial"}) {
        EXPECT_EQ(parseFontLine(broken, true), defaultFontRecord(true)) << broken;
    }
}

class PrintSettingsFile : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    std::filesystem::path file = folder.path() / "Tavo.ini";
    IniProfile profile{file};
};

TEST_F(PrintSettingsFile, DefaultsAreStoredUnderTheKeysOfSectionPrint) {
    EXPECT_EQ(loadPrintSettings(profile), PrintSettings{});
    ASSERT_TRUE(savePrintSettings(profile, PrintSettings{}));
    EXPECT_EQ(test::readText(file),
              "[Print]\nDatei=1\nDatum=1\nZeit=0\nSeite=2\nLeft=20\nTop=10\nRight=10\nBottom=10\n"
              "Font1=-11,400,0,0,0,34,0,Arial\nFont2=-11,700,0,0,0,34,0,Arial\n");

    PrintSettings changed;
    changed.showFileName = false;
    changed.showTime = true;
    changed.pageNumbering = 1;
    changed.margins = {25, 15, 12, 8};
    changed.font1.faceName = "Courier New";
    ASSERT_TRUE(savePrintSettings(profile, changed));
    EXPECT_EQ(loadPrintSettings(profile), changed);
}

TEST_F(PrintSettingsFile, ValuesNothingCanBePrintedWithFallBackToTheirDefaults) {
    test::writeText(file, "[Print]\nDatei=0\nZeit=5\nSeite=7\nLeft=-5\nTop=0\nRight=1000\nBottom=2147483647\n"
                          "Font1=-200,400,0,0,0,34,0,Arial\nFont2=-2147483648,700,0,0,0,34,0,Arial\n");
    const PrintSettings settings = loadPrintSettings(profile);
    EXPECT_FALSE(settings.showFileName);
    EXPECT_TRUE(settings.showTime);  // any number but 0 switches on
    EXPECT_EQ(settings.pageNumbering, 2);
    EXPECT_EQ(settings.margins, (PrintSettings::Margins{20, 0, 1000, 10}));
    EXPECT_EQ(settings.font1, defaultFontRecord(false));
    EXPECT_EQ(settings.font2, defaultFontRecord(true));

    test::writeText(file, "[Print]\nFont1=4,400,0,0,0,34,0,Arial\nFont2=-72,700,0,0,0,34,0,Arial\n");
    const PrintSettings limits = loadPrintSettings(IniProfile(file));
    EXPECT_EQ(limits.font1.height, 4);
    EXPECT_EQ(limits.font2.height, -72);
}

TEST(UsableMargins, AtMostAThirdOfThePaperSideTheyLieAlong) {
    const PrintSettings::Margins wide{71, 99, 70, 100};
    EXPECT_EQ(usableMargins(wide, {210, 297}), (PrintSettings::Margins{20, 99, 70, 10}));
    EXPECT_EQ(usableMargins(wide, {0, 0}), wide);  // paper unknown
}

}  // namespace
}  // namespace tavo
