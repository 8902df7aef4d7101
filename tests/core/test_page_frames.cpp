#include "output/FixedMetricsDevice.h"
#include "output/OutputFonts.h"
#include "output/PageComposer.h"
#include "output/PageFrames.h"
#include "output/PrintSettings.h"
#include "output/TextDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace tavo {
namespace {

using ::testing::ElementsAre;

// The maker's banner, both title lines and the numbered footer with its rule are
// pinned by the golden listings; these are the other choices.
class PageFramesTest : public ::testing::Test {
protected:
    void begin(OutputDevice& device, int page = 12) {
        ASSERT_TRUE(composer.beginDocument(page, device));
        composer.setMargins(0, 0, 0, 0);
        const PrintSettings settings;
        fonts = createOutputFonts(composer, settings.font1, settings.font2);
    }

    void finishOn(OutputDevice& out, int page = 12) {
        composer.finishDocument();
        composer.paginate();
        composer.renderPage(page, out);
    }

    // The rows of a page on the text device (82 characters wide without margins)
    // with the header and a body line "Text".
    std::vector<std::string> headerRows(const std::vector<std::string>& typed,
                                        const std::array<std::string, 2>& titles) {
        HeaderLines banner;
        for (const std::string& line : typed) banner.add(line);
        TextDevice device;
        begin(device);
        writeHeader(composer, fonts, banner, titles);
        composer.print("Text\n");
        TextDevice out;
        finishOn(out);
        std::vector<std::string> rows;
        std::istringstream page(out.pageText());
        for (std::string line; std::getline(page, line);) rows.push_back(line);
        return rows;
    }

    // The footer's texts on page 12, those in the small font of 6 points marked.
    std::vector<std::string> footerTexts(int numbering, const std::string& title, const std::string& text) {
        FixedMetricsDevice device;
        begin(device);
        writeFooter(composer, fonts, numbering, 1, title, text);
        FixedMetricsDevice out;
        finishOn(out);
        std::vector<std::string> texts;
        for (const auto& drawn : out.texts()) {
            texts.push_back(drawn.text + (drawn.font.record->height == 6 ? " (small)" : ""));
        }
        return texts;
    }

    PageComposer composer;
    OutputFonts fonts;
};

TEST_F(PageFramesTest, HeaderPrintsTheBannerLiterallyAndOnlyTheTitleLinesThatAreSet) {
    const std::string rule(82, '-');
    EXPECT_THAT(headerRows({"100 % sicher#%d#%s"}, {"", "Stiege 2"}),
                ElementsAre("100 % sicher" + std::string(28, ' ') + "%d" + std::string(38, ' ') + "%s", rule,
                            "Stiege 2", rule, "", "Text"));
    // Without any: the rule and one blank line.
    EXPECT_THAT(headerRows({}, {"", ""}), ElementsAre(rule, "", "Text"));
}

TEST_F(PageFramesTest, FooterShowsTheTextInTheSmallFontAndTheChosenNumbering) {
    EXPECT_THAT(footerTexts(2, "Bauwaage", "x.tavo"),
                ElementsAre("KOVA - Bauwaage   ", "x.tavo (small)", "Seite:", "12"));
    EXPECT_THAT(footerTexts(0, "Bauwaage", ""), ElementsAre("KOVA - Bauwaage   "));
    EXPECT_THAT(footerTexts(0, "", "nur Text"), ElementsAre("nur Text (small)"));
}

// Four digits fill the number's slot: a blank still stands between it and the word.
TEST_F(PageFramesTest, FooterKeepsAGapBeforeAFourDigitPageNumber) {
    FixedMetricsDevice device;
    begin(device, 1000);
    writeFooter(composer, fonts, 2, 1, "Bauwaage", "");
    FixedMetricsDevice out;
    finishOn(out, 1000);
    ASSERT_EQ(out.texts().size(), 3u);
    const auto& label = out.texts()[1];
    const auto& number = out.texts()[2];
    ASSERT_EQ(label.text + number.text, "Seite:1000");
    const int labelEnd = label.x + device.textWidth(label.font, label.text);
    EXPECT_EQ(number.x - labelEnd, device.textWidth(number.font, " "));
    EXPECT_EQ(number.x + device.textWidth(number.font, "1000"), composer.printableRect().right);
}

// --- Output fonts -------------------------------------------------------------------------

// The golden listings draw on a device without fonts; the fonts the dialogs set
// reach the listing through the GUI tests. What is left is the fallback.
class OutputFontsTest : public ::testing::Test {
protected:
    OutputFonts create() {
        EXPECT_TRUE(composer.beginDocument(1, device));
        return createOutputFonts(composer, font1, font2);
    }

    FontRecord font1{.height = -14, .faceName = "Courier New"};
    FontRecord font2{.height = 16, .faceName = "Georgia"};
    FixedMetricsDevice device;
    PageComposer composer;
};

TEST_F(OutputFontsTest, ATitleFontThatCannotBeMadeIsTheBoldOne) {
    const OutputFonts both = create();
    EXPECT_NE(both.fontTitle, both.fontBold);
    font2.faceName = "Missing";
    const OutputFonts noTitle = create();
    ASSERT_NE(noTitle.fontBold, 0);
    EXPECT_EQ(noTitle.fontTitle, noTitle.fontBold);
    font1.faceName = "Missing";
    const OutputFonts none = create();
    EXPECT_EQ(none.fontText + none.fontTitle, 0);
}

}  // namespace
}  // namespace tavo
