#include "output/FixedMetricsDevice.h"
#include "output/PageComposer.h"
#include "ui/ResultsLayout.h"

#include <gtest/gtest.h>

namespace tavo {
namespace {

// The fixed device's A4 page with margins of 10 mm leaves 1900 × 2770 pixels:
// bands of 277 pixels, steps of 190. Its default font makes lines 40 high.
constexpr int kBand = 277;
constexpr int kStep = 190;
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

TEST_F(BandIndexTest, ScrollingLetsTheLastBandStandAtTheTopAndTheRightEdgeAtTheRight) {
    compose(100);
    // Two bands high: the last of the 15 may stand at the top, and one more.
    EXPECT_EQ(index.scrollMaxima(1000, 2 * kBand).vertical, 14);
    EXPECT_EQ(index.scrollMaxima(1000, 20 * kBand).vertical, 0);
    // 900 pixels hidden: four whole steps and one for the rest.
    EXPECT_EQ(index.scrollMaxima(1000, kBand).horizontal, 5);
    // Wider than the document by a step or more: nothing to scroll.
    EXPECT_EQ(index.scrollMaxima(1900 + kStep, kBand).horizontal, 0);
    // A page moves by the bands the window holds, at least by one.
    EXPECT_EQ(index.bandsPerPage(3 * kBand + 10), 3);
    EXPECT_EQ(index.bandsPerPage(0), 1);

    compose(0);
    EXPECT_TRUE(index.empty());
    EXPECT_EQ(index.scrollMaxima(100, 100).vertical + index.scrollMaxima(100, 100).horizontal, 0);
    EXPECT_TRUE(index.linesToPaint(0, 1000, 0).empty());
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
}

TEST(ScreenMapping, PaperInchIsScreenInchAtNormalAndLargerAtTheOtherSizes) {
    const ScreenMapping normal(1200, 600, 96, 96, zoomFactorOf(DisplaySize::Normal));
    EXPECT_EQ(normal.toDeviceX(96), 1200);
    EXPECT_EQ(normal.toDeviceY(96), 600);

    const ScreenMapping medium(1200, 1200, 96, 96, zoomFactorOf(DisplaySize::Medium));
    EXPECT_EQ(medium.toDeviceX(144), 1200);  // an inch of paper on 1.5 inches of screen

    const ScreenMapping large(1200, 1200, 96, 120, zoomFactorOf(DisplaySize::Large));
    EXPECT_EQ(large.toDeviceY(240), 1200);
    EXPECT_DOUBLE_EQ(large.scaleY(), 0.2);
}

TEST(WheelNotches, EveryWholeNotchScrollsOneBandAndTheRestWaits) {
    WheelNotches wheel;
    EXPECT_EQ(wheel.add(60), 0);
    EXPECT_EQ(wheel.add(60), -1);  // away from the user: up
    EXPECT_EQ(wheel.add(-360), 1);  // three notches at once: still one band
    EXPECT_EQ(wheel.add(-119), 0);
    EXPECT_EQ(wheel.add(-1), 1);
}

}  // namespace
}  // namespace tavo
