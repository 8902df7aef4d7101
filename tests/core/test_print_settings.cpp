#include <gtest/gtest.h>

#include "TextFileHelpers.h"
#include "file/IniProfile.h"
#include "output/PrintSettings.h"

namespace tavo {
namespace {

TEST(FontLine, RoundTripsEveryFieldAndCutsTheFace) {
    const FontRecord font{.height = 14, .weight = 300, .italic = 1, .underline = 1, .strikeOut = 1,
                          .charSet = 238, .pitchAndFamily = 0x12, .faceName = "Times New Roman   "};
    EXPECT_EQ(formatFontLine(font), "14,300,1,1,1,18,238,Times New Roman");
    FontRecord trimmed = font;
    trimmed.faceName = "Times New Roman";
    EXPECT_EQ(parseFontLine(formatFontLine(font), false), trimmed);

    // 32 characters are written and 31 read; characters, not bytes.
    FontRecord longFace = font;
    longFace.faceName = std::string(40, 'x');
    EXPECT_EQ(formatFontLine(longFace), "14,300,1,1,1,18,238," + std::string(32, 'x'));
    std::string umlauts;
    for (int i = 0; i < 40; ++i) umlauts += "\xC3\xBC";
    EXPECT_EQ(parseFontLine("1,2,3,4,5,6,7," + umlauts, false).faceName, umlauts.substr(0, 62));
}

TEST(FontLine, ReadsWithTheToleranceOfTheStoredFormatOrGivesTheDefault) {
    const FontRecord font = parseFontLine("  \t-12, 700,\t+1,0,0,34,257,  Courier New  \r\n", false);
    EXPECT_EQ(font.height, -12);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.charSet, 1);  // a byte field keeps the low byte
    EXPECT_EQ(font.faceName, "Courier New");

    for (const char* broken : {"", "-11,400,0,0,0,34,0", "-11,400,0,0,0,34,0,   ", "-11 ,400,0,0,0,34,0,Arial",
                               "-11;400;0;0;0;34;0;Arial", "+-11,400,0,0,0,34,0,Arial", "99999999999,400,0,0,0,34,0,Arial"}) {
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
