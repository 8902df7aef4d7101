#include "output/FixedMetricsDevice.h"
#include "output/PageComposer.h"
#include "ui/ResultsLayout.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

// The fixed device's A4 page with margins of 10 mm leaves 1900 × 2770 pixels:
// bands of 277 pixels. Its default font makes lines 40 high.
constexpr int kBand = 277;
constexpr int kLine = 40;

class BandIndexTest : public ::testing::Test {
protected:
    // A body of `lines` lines of the default font, one after the other from y = 0.
    void compose(int lines) {
        ASSERT_TRUE(composer.beginDocument(1, device));
        for (int i = 0; i < lines; ++i) composer.print("Zeile %d\n", i);
        composer.pageBreak();
        composer.finishDocument();
        index.build(composer);
    }

    FixedMetricsDevice device;
    PageComposer composer;
    BandIndex index;
};

TEST_F(BandIndexTest, BandsAreTenthsOfThePrintableAreaAndHoldEveryLineThatReachesIntoThem) {
    compose(100);
    ASSERT_EQ(composer.documentLine(99).y, 99 * kLine);
    EXPECT_EQ(index.bandHeight(), kBand);
    EXPECT_EQ(index.bandCount(), 15);  // 4000 pixels of lines

    // Line 6 (240 to 280) ends one band and begins the next.
    EXPECT_EQ(index.band(0).firstLine, 0u);
    EXPECT_EQ(index.band(0).lastLine, 6u);
    EXPECT_EQ(index.band(1).firstLine, 6u);
    EXPECT_EQ(index.band(1).lastLine, 13u);
    EXPECT_EQ(index.band(14).lastLine, 99u);
}

TEST_F(BandIndexTest, PaintingTakesTheLinesOfTheShownBandsAndTheBandAbove) {
    compose(100);
    // At the top: bands 0 and 1.
    BandIndex::LineRange top = index.linesToPaint(0, kBand, 0);
    EXPECT_EQ(top.begin, 0u);
    EXPECT_EQ(top.end, 14u);
    // Scrolled by five bands, rows of the second band: bands 5 to 7.
    BandIndex::LineRange scrolled = index.linesToPaint(kBand, 2 * kBand, 5);
    EXPECT_EQ(scrolled.begin, static_cast<std::size_t>(5 * kBand / kLine));
    EXPECT_EQ(scrolled.end, static_cast<std::size_t>((8 * kBand - 1) / kLine + 1));
    // Beyond the last band the range ends with the document.
    EXPECT_EQ(index.linesToPaint(0, 10 * kBand, 14).end, 100u);

    // An empty listing has no band to paint or scroll.
    compose(0);
    EXPECT_TRUE(index.empty());
    EXPECT_EQ(index.scrollMaxima(100, 100).vertical + index.scrollMaxima(100, 100).horizontal, 0);
    EXPECT_TRUE(index.linesToPaint(0, 1000, 0).empty());
}

}  // namespace
}  // namespace tavo
