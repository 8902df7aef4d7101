#include <gtest/gtest.h>

#include <string>

#include "TextFileHelpers.h"
#include "app/IniProfile.h"
#include "output/PrintSettings.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

FontRecord sampleFont() {
    FontRecord font;
    font.height = 14;
    font.weight = 300;
    font.italic = 1;
    font.underline = 1;
    font.strikeOut = 1;
    font.pitchAndFamily = 0x12;
    font.charSet = 238;
    font.faceName = "Times New Roman";
    return font;
}

TEST(FontLine, DefaultsAreArialElevenPointsBoldForTheTitle) {
    EXPECT_EQ(formatFontLine(defaultFontRecord(false)), "-11,400,0,0,0,34,0,Arial");
    EXPECT_EQ(formatFontLine(defaultFontRecord(true)), "-11,700,0,0,0,34,0,Arial");
}

TEST(FontLine, RoundTripsEveryStoredField) {
    const FontRecord font = sampleFont();
    EXPECT_EQ(formatFontLine(font), "14,300,1,1,1,18,238,Times New Roman");
    EXPECT_EQ(parseFontLine(formatFontLine(font), false), font);
}

TEST(FontLine, TheFaceIsCutTo32WhenWrittenAnd31WhenRead) {
    FontRecord font = defaultFontRecord(false);
    font.faceName = std::string(40, 'x');
    EXPECT_EQ(formatFontLine(font), "-11,400,0,0,0,34,0," + std::string(32, 'x'));
    EXPECT_EQ(parseFontLine(formatFontLine(font), false).faceName, std::string(31, 'x'));

    // Characters, not bytes: 31 umlauts are 62 bytes of UTF-8.
    std::string umlauts;
    for (int i = 0; i < 40; ++i) umlauts += "\xC3\xBC";
    EXPECT_EQ(parseFontLine("1,2,3,4,5,6,7," + umlauts, false).faceName, umlauts.substr(0, 62));

    font.faceName = "Arial   ";
    EXPECT_EQ(formatFontLine(font), "-11,400,0,0,0,34,0,Arial");
}

TEST(FontLine, ReadsWithTheToleranceOfTheStoredFormat) {
    const FontRecord font = parseFontLine("  \t-12, 700,\t+1,0,0,34,0,  Courier New  \r\n", false);
    EXPECT_EQ(font.height, -12);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.italic, 1);
    EXPECT_EQ(font.faceName, "Courier New");
    EXPECT_EQ(font.width, 0);
    EXPECT_EQ(font.quality, 0);

    // A byte field keeps the low byte of its number.
    EXPECT_EQ(parseFontLine("-11,400,257,0,0,34,-1,Arial", false).italic, 1);
    EXPECT_EQ(parseFontLine("-11,400,257,0,0,34,-1,Arial", false).charSet, 255);
}

TEST(FontLine, AnythingShortOfEightFieldsGivesTheDefault) {
    for (const char* broken : {"", "   ", "-11,400,0,0,0,34,0", "-11,400,0,0,0,34,0,", "-11,400,0,0,0,34,0,   ",
                               "-11 ,400,0,0,0,34,0,Arial", "x,400,0,0,0,34,0,Arial", "-11;400;0;0;0;34;0;Arial",
                               "+-11,400,0,0,0,34,0,Arial", "99999999999,400,0,0,0,34,0,Arial"}) {
        EXPECT_EQ(parseFontLine(broken, false), defaultFontRecord(false)) << broken;
        EXPECT_EQ(parseFontLine(broken, true), defaultFontRecord(true)) << broken;
    }
}

class PrintSettingsFile : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    fs::path file = folder.path() / "Tavo.ini";
    IniProfile profile{file};
};

TEST_F(PrintSettingsFile, AnEmptyProfileGivesTheDefaults) {
    const PrintSettings settings = loadPrintSettings(profile);
    EXPECT_TRUE(settings.showFileName);
    EXPECT_TRUE(settings.showDate);
    EXPECT_FALSE(settings.showTime);
    EXPECT_EQ(settings.pageNumbering, 2);
    EXPECT_EQ(settings.margins, (PrintSettings::Margins{20, 10, 10, 10}));
    EXPECT_EQ(settings.font1, defaultFontRecord(false));
    EXPECT_EQ(settings.font2, defaultFontRecord(true));
}

TEST_F(PrintSettingsFile, SavedUnderTheKeysOfSectionPrintAndReadBack) {
    PrintSettings settings;
    settings.showFileName = false;
    settings.showTime = true;
    settings.pageNumbering = 1;
    settings.margins = {25, 15, 12, 8};
    settings.font1 = sampleFont();
    ASSERT_TRUE(savePrintSettings(profile, settings));

    EXPECT_EQ(test::readText(file),
              "[Print]\n"
              "Datei=0\n"
              "Datum=1\n"
              "Zeit=1\n"
              "Seite=1\n"
              "Left=25\n"
              "Top=15\n"
              "Right=12\n"
              "Bottom=8\n"
              "Font1=14,300,1,1,1,18,238,Times New Roman\n"
              "Font2=-11,700,0,0,0,34,0,Arial\n");
    EXPECT_EQ(loadPrintSettings(profile), settings);
}

TEST_F(PrintSettingsFile, AHandEditedFileIsReadLikeTheWindowsProfile) {
    test::writeText(file,
                    "[PRINT]\r\n"
                    "datei=0\r\n"
                    "Zeit=5\r\n"
                    "Left=15mm\r\n"
                    "Top=\r\n"
                    "Font1=nonsense\r\n"
                    "Font2=\"-9,400,0,0,0,34,0,Liberation Sans\"\r\n");
    const PrintSettings settings = loadPrintSettings(profile);
    EXPECT_FALSE(settings.showFileName);
    EXPECT_TRUE(settings.showTime);
    EXPECT_EQ(settings.margins.left, 15);
    EXPECT_EQ(settings.margins.top, 10);
    EXPECT_EQ(settings.font1, defaultFontRecord(false));
    EXPECT_EQ(settings.font2.height, -9);
    EXPECT_EQ(settings.font2.weight, 400);
    EXPECT_EQ(settings.font2.faceName, "Liberation Sans");
}

}  // namespace
}  // namespace tavo
