#include "output/FixedMetricsDevice.h"
#include "output/OutputFonts.h"
#include "output/PageComposer.h"
#include "output/PageFrames.h"
#include "output/PrintSettings.h"
#include "output/TextDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tavo {
namespace {

using ::testing::ElementsAre;
using DrawnText = FixedMetricsDevice::DrawnText;

// The text device without margins: 82 characters and 70 lines, one line each.
constexpr int kColumns = 82;
constexpr int kRows = 70;

// A row of the text device with the texts at their columns.
std::string row(const std::vector<std::pair<int, std::string>>& texts) {
    std::string line;
    for (const auto& [column, text] : texts) {
        line.resize(static_cast<std::size_t>(column), ' ');
        line += text;
    }
    return line;
}

const std::string kRule(kColumns, '-');

HeaderLines bannerOf(std::vector<std::string> typed) {
    HeaderLines banner;
    for (const std::string& line : typed) banner.add(line);
    return banner;
}

class PageFramesTest : public ::testing::Test {
protected:
    void begin(OutputDevice& device, int startPage = 1) {
        ASSERT_TRUE(composer.beginDocument(startPage, device));
        composer.setMargins(0, 0, 0, 0);
        const PrintSettings settings;
        fonts = createOutputFonts(composer, settings.font1, settings.font2);
    }

    // The first page on the text device, one string per row.
    std::vector<std::string> textPage() {
        composer.print("Text\n");
        composer.finishDocument();
        composer.paginate();
        TextDevice out;
        composer.renderPage(composer.startPage(), out);
        std::vector<std::string> rows;
        std::istringstream page(out.pageText());
        for (std::string line; std::getline(page, line);) rows.push_back(line);
        return rows;
    }

    std::vector<std::string> headerPage(const HeaderLines& banner, std::array<std::string, 2> titles) {
        TextDevice device;
        begin(device);
        writeHeader(composer, fonts, banner, titles);
        return textPage();
    }

    // The footer's last row.
    std::string footerRow(int numbering, const std::string& title, const std::string& text, int startPage = 1) {
        TextDevice device;
        begin(device, startPage);
        writeFooter(composer, fonts, numbering, 1, title, text);
        const std::vector<std::string> rows = textPage();
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(kRows));
        EXPECT_EQ(rows[kRows - 3], "");
        EXPECT_EQ(rows[kRows - 2], kRule);
        return rows.back();
    }

    PageComposer composer;
    OutputFonts fonts;
};

// --- Header -------------------------------------------------------------------------------

TEST_F(PageFramesTest, BannerPartsStandLeftCentredAndRightAndPrintLiterally) {
    const auto rows = headerPage(bannerOf({"A#B#C", "#Mitte", "100 % sicher#%d#%s"}), {"", ""});
    ASSERT_GE(rows.size(), 6u);
    EXPECT_EQ(rows[0], row({{0, "A"}, {41, "B"}, {81, "C"}}));
    EXPECT_EQ(rows[1], row({{39, "Mitte"}}));
    EXPECT_EQ(rows[2], row({{0, "100 % sicher"}, {40, "%d"}, {80, "%s"}}));
    // Without title lines: the rule and one blank line.
    EXPECT_EQ(rows[3], kRule);
    EXPECT_EQ(rows[4], "");
    EXPECT_EQ(rows[5], "Text");
}

TEST_F(PageFramesTest, TitleLinesThatAreSetStandBetweenTwoRules) {
    const HeaderLines banner = HeaderLines::makersBanner();
    const auto one = headerPage(banner, {"", "Stiege 2"});
    EXPECT_THAT(std::vector<std::string>(one.begin() + 2, one.end()),
                ElementsAre(kRule, "Stiege 2", kRule, "", "Text"));

    const auto both = headerPage(banner, {"Haus 100 %", "Stiege 2"});
    EXPECT_THAT(std::vector<std::string>(both.begin() + 2, both.end()),
                ElementsAre(kRule, "Haus 100 %", "Stiege 2", kRule, "", "Text"));
}

TEST_F(PageFramesTest, AnEmptyBannerLeavesTheRuleOnTop) {
    HeaderLines empty;
    const auto rows = headerPage(empty, {"Titel", ""});
    EXPECT_THAT(rows, ElementsAre(kRule, "Titel", kRule, "", "Text"));
}

// --- Footer -------------------------------------------------------------------------------

TEST_F(PageFramesTest, FooterNumberingChoosesLabelAndNumber) {
    const std::string title = "KOVA - Bauwaage   /p/x.tavo 01.02.2024";
    EXPECT_EQ(footerRow(2, "Bauwaage", "/p/x.tavo 01.02.2024", 12), row({{0, title}, {72, "Seite:"}, {80, "12"}}));
    EXPECT_EQ(footerRow(2, "Bauwaage", "", 999), row({{0, "KOVA - Bauwaage"}, {72, "Seite:"}, {79, "999"}}));
    EXPECT_EQ(footerRow(1, "Bauwaage", "/p/x.tavo 01.02.2024"), row({{0, title}, {72, "Seite:"}}));
    EXPECT_EQ(footerRow(0, "Bauwaage", "/p/x.tavo 01.02.2024"), title);
    EXPECT_EQ(footerRow(0, "", "nur Text"), "nur Text");
}

TEST_F(PageFramesTest, FooterTextFollowsTheTitleInTheSmallFontAndTheNumberEndsAtTheMargin) {
    FixedMetricsDevice device;
    begin(device, 7);
    composer.setMargins(20, 10, 10, 10);
    writeFooter(composer, fonts, 2, 1, "Bauwaage", "/p/x.tavo 01.02.2024 14:05");
    composer.finishDocument();
    composer.paginate();
    FixedMetricsDevice out;
    composer.renderPage(7, out);

    const std::vector<DrawnText>& texts = out.texts();
    ASSERT_EQ(texts.size(), 4u);
    constexpr int kLeft = 200;
    constexpr int kRight = 2000;
    EXPECT_EQ(texts[0].text, "KOVA - Bauwaage   ");
    EXPECT_EQ(texts[0].x, kLeft);
    EXPECT_EQ(texts[0].font.record->weight, kFontWeightBold);
    EXPECT_EQ(texts[1].text, "/p/x.tavo 01.02.2024 14:05");
    EXPECT_EQ(texts[1].x, kLeft + 180);
    EXPECT_EQ(texts[1].font.record->height, 6);
    EXPECT_EQ(texts[1].font.pixelHeight, -21);  // 6 points at 254 pixels an inch
    EXPECT_EQ(texts[2].text, "Seite:");
    EXPECT_EQ(texts[2].x, kRight - 40 - 60);
    EXPECT_EQ(texts[3].text, "7");
    EXPECT_EQ(texts[3].x, kRight - 10);
    // The footer ends at the bottom: the baseline of its last line lies the line's
    // descent above it.
    EXPECT_EQ(texts[0].baselineY, 2870 - 10);
}

// --- Output fonts -------------------------------------------------------------------------

class OutputFontsTest : public ::testing::Test {
protected:
    OutputFontsTest() {
        font1.height = -14;
        font1.italic = 1;
        font1.charSet = 238;
        font1.faceName = "Courier New";
        font2.height = 16;
        font2.weight = 300;
        font2.faceName = "Georgia";
    }

    OutputFonts create() {
        EXPECT_TRUE(composer.beginDocument(1, device));
        return createOutputFonts(composer, font1, font2);
    }

    // The font that text in one of the slots is drawn with, in a fresh document.
    FontRequest drawnWith(int OutputFonts::*slot) {
        const OutputFonts fonts = create();
        composer.selectFont(fonts.*slot);
        composer.print("x\n");
        composer.finishDocument();
        composer.paginate();
        FixedMetricsDevice out;
        composer.renderPage(1, out);
        return out.texts().at(0).font;
    }

    FontRecord font1;
    FontRecord font2;
    FixedMetricsDevice device;
    PageComposer composer;
};

TEST_F(OutputFontsTest, FourSlotsFromTheTwoRecords) {
    const OutputFonts fonts = create();
    EXPECT_EQ(fonts.fontText, 1);
    EXPECT_EQ(fonts.fontBold, 2);
    EXPECT_EQ(fonts.fontSmall, 3);
    EXPECT_EQ(fonts.fontTitle, 4);

    EXPECT_EQ(drawnWith(&OutputFonts::fontText).record, font1);
    FontRecord bold = font1;
    bold.weight = kFontWeightBold;
    EXPECT_EQ(drawnWith(&OutputFonts::fontBold).record, bold);
    // The title font keeps its light weight.
    EXPECT_EQ(drawnWith(&OutputFonts::fontTitle).record, font2);
}

TEST_F(OutputFontsTest, SmallFontIsSixPointsOfTheOutputFontWhateverItsSize) {
    font1.width = 20;  // a width would be taken as the size
    const FontRequest small = drawnWith(&OutputFonts::fontSmall);
    ASSERT_TRUE(small.record);
    EXPECT_EQ(small.pixelHeight, -21);
    FontRecord expected = font1;
    expected.height = 6;
    expected.width = 0;
    EXPECT_EQ(*small.record, expected);
}

TEST_F(OutputFontsTest, ATitleFontThatCannotBeMadeFallsBackToBold) {
    font2.faceName = "Missing";
    const OutputFonts fonts = create();
    EXPECT_EQ(fonts.fontTitle, fonts.fontBold);

    font1.faceName = "Missing";
    const OutputFonts none = create();
    EXPECT_EQ(none.fontText, 0);
    EXPECT_EQ(none.fontTitle, 0);
}

}  // namespace
}  // namespace tavo
