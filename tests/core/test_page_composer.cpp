#include "output/FixedMetricsDevice.h"
#include "output/PageComposer.h"
#include "output/TextDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using DrawnText = FixedMetricsDevice::DrawnText;
using DrawnLine = FixedMetricsDevice::DrawnLine;

// The fixed device: A4 at 10 pixels a millimetre; the default margins of 10 mm leave a
// printable rectangle of 1900 × 2770 pixels from (100, 100). Default font: line height
// 40, descent 8, so 69 lines fill a page and a baseline lies 32 below a line's top.
constexpr int kLeft = 100;
constexpr int kTop = 100;
constexpr int kBottom = 2870;
constexpr int kLine = 40;
constexpr int kAscent = 32;

FontRecord fontOfSize(int points, const char* face = "Arial") {
    FontRecord font;
    font.height = points;
    font.faceName = face;
    return font;
}

class PageComposerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(composer.beginDocument(1, device)); }

    int finish() {
        composer.finishDocument();
        return composer.paginate();
    }

    void setColumns(std::vector<int> positions, std::vector<CellFlags> flags) {
        composer.setColumns(positions, flags);
    }

    void writeLines(int count, const char* prefix = "L") {
        for (int i = 0; i < count; ++i) composer.print("%s%d\n", prefix, i);
    }

    void writeBlock(int lines, const char* prefix, bool newPage = false) {
        composer.beginBlock();
        writeLines(lines, prefix);
        composer.endBlock(newPage);
    }

    void writeFrame(FrameKind kind, int lines, const char* prefix) {
        composer.beginFrame(kind);
        writeLines(lines, prefix);
        composer.endFrame();
    }

    std::vector<DrawnText> render(int page) const {
        FixedMetricsDevice out;
        composer.renderPage(page, out);
        return out.texts();
    }

    std::vector<std::string> textsOn(int page) const {
        std::vector<std::string> texts;
        for (const DrawnText& text : render(page)) texts.push_back(text.text);
        return texts;
    }

    std::vector<DrawnLine> linesOn(int page) const {
        FixedMetricsDevice out;
        composer.renderPage(page, out);
        return out.lines();
    }

    FixedMetricsDevice device;
    PageComposer composer;
};

// --- Writing text into cells ---------------------------------------------------------

TEST_F(PageComposerTest, OnlyTabsOfTheFormatBreakColumnsAndLiteralTextHasNoFormat) {
    setColumns({0, 500}, {CF_LEFT, CF_LEFT});
    composer.print("%s\t%s\n", "a\tb", "c");
    composer.printLiteral("100 %d\t%s\n");
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, "a\tb");
    EXPECT_EQ(texts[0].x, kLeft);
    EXPECT_EQ(texts[1].text, "c");
    EXPECT_EQ(texts[1].x, kLeft + 500);
    EXPECT_EQ(texts[1].baselineY, kTop + kAscent);
    EXPECT_EQ(texts[2].text, "100 %d");
    EXPECT_EQ(texts[3].text, "%s");
}

TEST_F(PageComposerTest, TabsBeyondTheLastColumnContinueTheText) {
    setColumns({0, 500}, {CF_LEFT, CF_LEFT});
    composer.print("a\tbb\tc\td\n");
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].x, kLeft + 520);  // right after "bb"
    EXPECT_EQ(texts[3].x, kLeft + 530);
    EXPECT_EQ(composer.documentLine(0).cells[2].flags, CF_CONTINUE);
}

TEST_F(PageComposerTest, FontChangeInsideACellGoesOnWithoutGapAndSetsTheLineHeight) {
    const int big = composer.addFont(fontOfSize(-11));  // 39 px cell height: line 50, descent 10
    composer.print("ab");
    EXPECT_EQ(composer.selectFont(big), 0);
    composer.print("cd\n");
    composer.print("next\n");
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].x, kLeft + 20);
    EXPECT_EQ(texts[1].font.pixelHeight, 39);
    EXPECT_FALSE(texts[0].font.record);
    // Both parts stand on the common baseline: largest ascent (40) below the top.
    EXPECT_EQ(texts[0].baselineY, kTop + 40);
    EXPECT_EQ(texts[1].baselineY, kTop + 40);
    EXPECT_EQ(composer.documentLine(0).height, 50);
    EXPECT_EQ(texts[2].baselineY, kTop + 50 + 40);
}

TEST_F(PageComposerTest, FontChangeBeforeAnyTextKeepsTheColumnAndSetsEmptyLineHeights) {
    const int big = composer.addFont(fontOfSize(-11));
    setColumns({0, 500}, {CF_LEFT, CF_RIGHT});
    composer.print("\t");
    composer.selectFont(big);
    composer.print("xy\n");
    composer.newLines(1);
    composer.print("\t\t\n");  // cells without text are dropped: still an empty line
    finish();

    const ComposedLine& line = composer.documentLine(0);
    ASSERT_EQ(line.cells.size(), 1u);
    EXPECT_EQ(line.cells[0].flags, CF_RIGHT);
    EXPECT_EQ(line.cells[0].fontSlot, big);
    ASSERT_EQ(composer.documentLineCount(), 3u);
    EXPECT_EQ(composer.documentLine(2).y, 100);
    EXPECT_EQ(composer.documentLine(2).height, 50);
    EXPECT_THAT(composer.documentLine(2).cells, IsEmpty());
}

TEST_F(PageComposerTest, AlignsTextInItsCell) {
    setColumns({0, 500, 1000, 1300}, {CF_RIGHT, CF_CENTER, CF_JUSTIFY, CF_LEFT});
    composer.print("abc\tde\ta b c\n");
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].x, kLeft + 500 - 30);       // ends at the next column
    EXPECT_EQ(texts[1].x, kLeft + 750 - 10);       // centred on 750
    // 300 wide, 50 of text: each of the two blanks grows by 125.
    EXPECT_EQ(texts[2].x, kLeft + 1000);
    EXPECT_EQ(texts[3].x, kLeft + 1000 + 10 + 10 + 125);
    EXPECT_EQ(texts[4].x, kLeft + 1300 - 10);
}

TEST_F(PageComposerTest, TextAfterAlignedTextContinuesWhereItEnded) {
    const int big = composer.addFont(fontOfSize(-11));
    setColumns({0, 500}, {CF_RIGHT, CF_LEFT});
    composer.print("ab");
    composer.selectFont(big);
    composer.print("c\n");
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].x, kLeft + 480);
    EXPECT_EQ(texts[1].x, kLeft + 500);
}

TEST_F(PageComposerTest, LineTextStopsAt2048BytesAndOnePrintAtItsBuffer) {
    composer.print("%s\n", std::string(2100, 'x').c_str());
    // 2001 bytes and the second line's first 462 fill the buffer of 2464 with its end;
    // the second newline is cut off, so that line is still open.
    composer.print("%s\n%s\n", std::string(2000, 'y').c_str(), std::string(1000, 'z').c_str());
    composer.print("!\n");
    finish();

    ASSERT_EQ(composer.documentLineCount(), 3u);
    EXPECT_EQ(composer.documentLine(0).text.size(), PageComposer::kMaxLineBytes);
    EXPECT_EQ(composer.documentLine(1).text, std::string(2000, 'y'));
    EXPECT_EQ(composer.documentLine(2).text, std::string(462, 'z') + "!");
}

TEST_F(PageComposerTest, ALineKeepsAtMost100Cells) {
    std::vector<int> positions;
    for (int i = 0; i < 120; ++i) positions.push_back(i * 10);
    setColumns(positions, std::vector<CellFlags>(120, CF_LEFT));
    for (int i = 0; i < 120; ++i) composer.print("%c\t", 'a' + i % 26);
    composer.print("\n");
    finish();

    const ComposedLine& line = composer.documentLine(0);
    ASSERT_EQ(line.cells.size(), PageComposer::kMaxCells);
    EXPECT_EQ(line.cells[99].x, 990);  // only 100 columns were installed
    EXPECT_EQ(line.cellText(line.cells[99]), "v");
}

TEST_F(PageComposerTest, NewColumnsStartALineAfreshOnlyWhenCellsAreClosed) {
    setColumns({0, 500}, {CF_LEFT, CF_LEFT});
    composer.print("lost\tlost too");
    setColumns({0, 300}, {CF_RIGHT, CF_LEFT});
    composer.print("kept");
    setColumns({0, 400}, {CF_RIGHT, CF_LEFT});
    composer.print(" too\n");
    finish();

    EXPECT_THAT(textsOn(1), ElementsAre("kept too"));
    EXPECT_EQ(render(1)[0].x, kLeft + 400 - 80);
}

TEST_F(PageComposerTest, NothingIsWrittenWhileClosed) {
    PageComposer closed;
    closed.print("text\n");
    closed.rule(CF_RULE_MIDDLE);
    closed.pageBreak();
    closed.finishDocument();
    EXPECT_EQ(closed.paginate(), 1);
    EXPECT_EQ(closed.documentLineCount(), 0u);
    EXPECT_EQ(closed.addFont(FontRecord{}), 0);

    composer.print("x\n");
    finish();
    composer.endDocument();
    EXPECT_EQ(composer.documentLineCount(), 0u);
    EXPECT_TRUE(render(1).empty());
}

// --- Rules, lines and boxes ----------------------------------------------------------

TEST_F(PageComposerTest, RuleEndsTheLineWithAFullWidthCell) {
    setColumns({0, 500}, {CF_LEFT, CF_LEFT});
    composer.print("a\tdropped");
    composer.rule(CF_RULE_MIDDLE);
    finish();

    EXPECT_THAT(textsOn(1), ElementsAre("a"));
    const ComposedLine& line = composer.documentLine(0);
    ASSERT_EQ(line.cells.size(), 2u);
    EXPECT_EQ(line.cells[1].x, 0);
    EXPECT_EQ(line.cells[1].width, 1900);
    EXPECT_THAT(linesOn(1), ElementsAre(DrawnLine{kLeft, kTop + 20, kLeft + 1899, kTop + 20}));
}

TEST_F(PageComposerTest, DoubleRulesLieOneMillimetreApart) {
    composer.rule(CF_RULE_TOP | CF_RULE_MIDDLE | CF_RULE_BOTTOM | CF_RULE_DOUBLE);
    finish();

    const int right = kLeft + 1899;
    EXPECT_THAT(linesOn(1), ElementsAre(DrawnLine{kLeft, kTop, right, kTop},  //
                                        DrawnLine{kLeft, kTop + 10, right, kTop + 10},
                                        DrawnLine{kLeft, kTop + 15, right, kTop + 15},
                                        DrawnLine{kLeft, kTop + 25, right, kTop + 25},
                                        DrawnLine{kLeft, kTop + 39, right, kTop + 39},
                                        DrawnLine{kLeft, kTop + 29, right, kTop + 29}));
}

TEST_F(PageComposerTest, VerticalLinesAndBoxesFollowTheCellFlags) {
    setColumns({0, 200, 400, 600},
               {CF_LINE_LEFT | CF_LINE_CENTER | CF_LINE_RIGHT, CF_BOX_FRAME | CF_RULE_TOP, CF_BOX_FILL, CF_LEFT});
    composer.print("\t\t\t\n");
    finish();

    FixedMetricsDevice out;
    composer.renderPage(1, out);
    const int bottom = kTop + kLine - 1;
    EXPECT_THAT(out.lines(), ElementsAre(DrawnLine{kLeft, bottom, kLeft, kTop},
                                         DrawnLine{kLeft + 100, bottom, kLeft + 100, kTop},
                                         DrawnLine{kLeft + 200, bottom, kLeft + 200, kTop}));
    // A frame replaces the cell's rules.
    EXPECT_THAT(out.rects(), ElementsAre(FixedMetricsDevice::DrawnRect{{300, kTop, 500, kTop + kLine}, false},
                                         FixedMetricsDevice::DrawnRect{{500, kTop, 700, kTop + kLine}, true}));
}

// --- Column tables -------------------------------------------------------------------

TEST(PageComposerColumns, CodesWidthsAndPositions) {
    std::array<int, 5> widths{7, 7, 7, 7, 7};
    std::array<CellFlags, 5> flags{CF_LEFT, CF_LEFT, CF_LEFT, CF_LEFT, CF_BOX_FILL};
    EXPECT_EQ(PageComposer::parseColumnCode("rcaxl-too-long", widths, flags), 5);
    EXPECT_THAT(widths, ElementsAre(0, 0, 0, 0, 0));
    EXPECT_THAT(flags, ElementsAre(CF_RIGHT, CF_CENTER, CF_JUSTIFY, CF_LEFT, CF_LEFT));

    std::array<CellFlags, 2> unknown{CF_RIGHT, CF_CENTER};
    std::array<int, 2> two{};
    EXPECT_EQ(PageComposer::parseColumnCode("x", two, unknown), 1);
    EXPECT_EQ(unknown[0], CF_RIGHT);  // another letter keeps the flag

    PageComposer::widenColumn(widths, 1, 30);
    PageComposer::widenColumn(widths, 1, 20);
    PageComposer::widenColumn(widths, 3, 50);
    PageComposer::widenColumn(widths, 5, 99);
    PageComposer::widenColumn(widths, -1, 99);
    EXPECT_THAT(widths, ElementsAre(0, 30, 0, 50, 0));
    EXPECT_THAT(PageComposer::widthsToPositions(widths, 10), ElementsAre(10, 10, 40, 40, 90));
}

TEST_F(PageComposerTest, ColumnsBeyondThePrintableWidthAreReportedByTheirLargestOverflow) {
    EXPECT_FALSE(composer.overflowPercent());
    composer.applyColumns(std::vector<int>{0, 1900}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    EXPECT_FALSE(composer.overflowPercent());

    composer.applyColumns(std::vector<int>{0, 2090}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    composer.applyColumns(std::vector<int>{0, 1995}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    ASSERT_TRUE(composer.overflowPercent());
    EXPECT_NEAR(*composer.overflowPercent(), 10.0, 1e-9);
    EXPECT_EQ(overflowWarningText(*composer.overflowPercent()), "Druckbarer Bereich um 10.0 % zu schmal!");

    // The table is installed all the same.
    composer.print("a\tb\n");
    finish();
    EXPECT_EQ(render(1)[1].x, kLeft + 1995);

    ASSERT_TRUE(composer.beginDocument(1, device));
    EXPECT_FALSE(composer.overflowPercent());
    composer.setMargins(110, 10, 110, 10);  // no width left
    composer.applyColumns(std::vector<int>{0, 1}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    EXPECT_EQ(composer.overflowPercent(), 100.0);
}

// --- Fonts ---------------------------------------------------------------------------

TEST_F(PageComposerTest, FontSizesArePointsAtTheDevicesResolution) {
    FontRecord wide = fontOfSize(11);
    wide.width = 20;  // the width field, when set, is the size
    const int cell = composer.addFont(fontOfSize(-11));
    const int character = composer.addFont(fontOfSize(11));
    const int byWidth = composer.addFont(wide);
    EXPECT_EQ(wide.width, 20);  // the caller's record is left alone
    for (const int slot : {cell, character, byWidth}) {
        composer.selectFont(slot);
        composer.print("x\n");
    }
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].font.pixelHeight, 39);  // 11 × 254 / 72 = 38.8
    EXPECT_EQ(texts[1].font.pixelHeight, -39);
    EXPECT_EQ(texts[2].font.pixelHeight, -71);
}

TEST_F(PageComposerTest, NineFontSlotsAndFailedFontsGiveSlotZero) {
    EXPECT_EQ(composer.addFont(fontOfSize(-11, "Missing")), 0);
    for (int slot = 1; slot <= 9; ++slot) EXPECT_EQ(composer.addFont(fontOfSize(-slot)), slot);
    EXPECT_EQ(composer.addFont(fontOfSize(-11)), 0);

    EXPECT_EQ(composer.selectFont(4), 0);
    EXPECT_EQ(composer.selectFont(10), 4);
    EXPECT_EQ(composer.selectFont(-1), 0);
    EXPECT_EQ(composer.textWidth(42, "abc"), 30);

    ASSERT_TRUE(composer.beginDocument(1, device));  // a new document frees the slots
    EXPECT_EQ(composer.addFont(fontOfSize(-11)), 1);
}

// --- Margins -------------------------------------------------------------------------

FixedMetricsDevice deviceWithBorder(int mm) {
    FixedMetricsDevice::Config config;
    config.borderMm = Rect{mm, mm, mm, mm};
    return FixedMetricsDevice(config);
}

TEST(PageComposerMargins, AreMeasuredFromThePapersEdge) {
    FixedMetricsDevice device = deviceWithBorder(4);  // printable area 2020 × 2890 from (40, 40)
    PageComposer composer;
    ASSERT_TRUE(composer.beginDocument(1, device));

    EXPECT_EQ(composer.setMargins(10, 10, 10, 10), (PrintableSize{1900, 2770}));
    // 10 mm from the paper's right edge: 40 + 1960 = 2100 − 100.
    EXPECT_EQ(composer.printableRect(), (Rect{60, 60, 1960, 2830}));

    composer.setMargins(2, 3, 1, 0);  // within the border: the border stands
    EXPECT_EQ(composer.printableRect(), (Rect{0, 0, 2020, 2890}));

    FixedMetricsDevice printer = deviceWithBorder(5);
    ASSERT_TRUE(composer.beginDocument(1, printer));
    composer.setMargins(20, 10, 10, 10);
    EXPECT_EQ(composer.printableRect().left, 150);
    EXPECT_EQ(composer.printableRect().top, 50);
}

TEST(PageComposerMargins, BeginDocumentSetsTenMillimetresOnADeviceWithAResolution) {
    FixedMetricsDevice device;
    PageComposer composer;
    ASSERT_TRUE(composer.beginDocument(1, device));
    EXPECT_EQ(composer.printableRect(), (Rect{100, 100, 2000, 2870}));

    FixedMetricsDevice::Config config;
    config.pixelsPerInch = 0;
    FixedMetricsDevice unusable(config);
    EXPECT_FALSE(composer.beginDocument(1, unusable));
    EXPECT_FALSE(composer.isOpen());
}

// --- Pagination ----------------------------------------------------------------------

TEST_F(PageComposerTest, EmptyDocumentHasOnePageAndATrailingBreakAddsAnEmptyOne) {
    EXPECT_EQ(finish(), 1);
    EXPECT_TRUE(render(1).empty());

    ASSERT_TRUE(composer.beginDocument(1, device));
    composer.print("x\n");
    composer.pageBreak();
    EXPECT_EQ(finish(), 2);
    EXPECT_THAT(textsOn(1), ElementsAre("x"));
    EXPECT_TRUE(render(2).empty());

    ASSERT_TRUE(composer.beginDocument(1, device));
    composer.print("unfinished");  // a break ends the line it interrupts
    composer.pageBreak();
    EXPECT_EQ(finish(), 2);
    EXPECT_THAT(textsOn(1), ElementsAre("unfinished"));
}

TEST_F(PageComposerTest, BlankLinesThatOverflowBeforeABreakMakeNoPageOfTheirOwn) {
    writeLines(69);  // a full page
    composer.print("\n\n");
    composer.pageBreak();
    EXPECT_EQ(finish(), 2);  // the full page and the empty one after the break
    EXPECT_EQ(render(1).size(), 69u);

    ASSERT_TRUE(composer.beginDocument(1, device));
    writeLines(69);
    composer.print("\nL69\n");  // a blank line, then text: the text's page stays
    composer.pageBreak();
    EXPECT_EQ(finish(), 3);
    EXPECT_THAT(textsOn(2), ElementsAre("L69"));
}

TEST_F(PageComposerTest, LinesFillThePrintableHeight) {
    writeLines(70);
    EXPECT_EQ(finish(), 2);
    EXPECT_EQ(render(1).size(), 69u);
    EXPECT_THAT(textsOn(2), ElementsAre("L69"));
    EXPECT_EQ(render(2)[0].baselineY, kTop + kAscent);
}

TEST_F(PageComposerTest, PagesAreNumberedFromTheStartPage) {
    ASSERT_TRUE(composer.beginDocument(10, device));
    setColumns({0, 1000}, {CF_LEFT, CF_RIGHT | CF_PAGE_NUMBER});
    composer.beginFrame(FrameKind::Footer);
    composer.print("Seite:\t0\n");
    composer.endFrame();
    for (const char* text : {"one", "two", "three"}) {
        composer.print("%s\n", text);
        composer.pageBreak();
    }
    EXPECT_EQ(finish(), 4);
    EXPECT_EQ(composer.finalPageNumber(), 13);

    const auto texts = render(12);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "three");
    EXPECT_EQ(texts[2].text, "12");
    EXPECT_EQ(texts[2].x, kLeft + 1900 - 20);
    EXPECT_EQ(texts[2].baselineY, kBottom - kLine + kAscent);
    EXPECT_TRUE(render(9).empty());
    EXPECT_TRUE(render(14).empty());
}

TEST_F(PageComposerTest, PagesBeyond5000StayOnTheLastPage) {
    for (int i = 0; i < 5003; ++i) {
        composer.print("%d\n", i);
        composer.pageBreak();
    }
    EXPECT_EQ(finish(), 5000);
    EXPECT_THAT(textsOn(5000), ElementsAre("4999", "5000", "5001", "5002"));
}

// --- Keep-together blocks ------------------------------------------------------------

TEST_F(PageComposerTest, ABlockKeepsAtMost30LinesTogether) {
    writeLines(39);  // 1210 pixels left: room for 30 lines, not for 31
    writeBlock(31, "B");
    EXPECT_EQ(finish(), 2);
    EXPECT_EQ(render(1).size(), 69u);
    EXPECT_THAT(textsOn(2), ElementsAre("B30"));
}

TEST_F(PageComposerTest, ABlockThatDoesNotFitMovesWholeToTheNextPage) {
    writeLines(60);
    composer.beginBlock();
    composer.beginBlock();  // no effect: one is open
    writeLines(10, "B");
    composer.endBlock();
    writeLines(1, "after");
    EXPECT_EQ(finish(), 2);
    EXPECT_EQ(render(1).size(), 60u);
    const auto second = textsOn(2);
    ASSERT_EQ(second.size(), 11u);
    EXPECT_EQ(second.front(), "B0");
    EXPECT_EQ(second.back(), "after0");
}

TEST_F(PageComposerTest, ABlockWithTheNewPageFlagBeginsAPage) {
    writeBlock(1, "first", true);  // already at the top of a page
    writeLines(1);
    writeBlock(1, "B", true);
    EXPECT_EQ(finish(), 2);
    EXPECT_THAT(textsOn(1), ElementsAre("first0", "L0"));
    EXPECT_THAT(textsOn(2), ElementsAre("B0"));
}

TEST_F(PageComposerTest, ABlockTallerThanAPageRunsOverItsBottom) {
    composer.selectFont(composer.addFont(fontOfSize(-30)));  // lines of 117 pixels
    writeLines(1);
    writeBlock(30, "B");
    writeLines(1, "after");
    EXPECT_EQ(finish(), 3);
    EXPECT_EQ(render(2).size(), 30u);
    EXPECT_THAT(textsOn(3), ElementsAre("after0"));
}

TEST_F(PageComposerTest, TheLineThatEndsAfterEndBlockIsNoLongerInTheBlock) {
    writeLines(68);
    composer.beginBlock();
    composer.print("in block\n");
    composer.print("sum");
    composer.endBlock();
    composer.print("\n");
    EXPECT_EQ(finish(), 2);
    EXPECT_EQ(textsOn(1).back(), "in block");
    EXPECT_THAT(textsOn(2), ElementsAre("sum"));
}

TEST_F(PageComposerTest, FinishingClosesAnOpenBlockWhereItBegan) {
    composer.beginBlock();
    writeLines(2, "B");
    composer.pageBreak();
    EXPECT_EQ(finish(), 2);
    EXPECT_THAT(textsOn(1), ElementsAre("B0", "B1"));
}

// --- Page frames ---------------------------------------------------------------------

TEST_F(PageComposerTest, HeaderAndFooterTakeTheirHeightFromEveryPage) {
    composer.beginFrame(FrameKind::Footer);
    writeLines(1, "F");
    composer.beginFrame(FrameKind::Header);  // closes the footer
    writeLines(2, "H");
    composer.endFrame();
    writeLines(100);
    EXPECT_EQ(finish(), 2);

    const auto first = render(1);
    ASSERT_EQ(first.size(), 2u + 66u + 1u);
    EXPECT_EQ(first[0].text, "H0");
    EXPECT_EQ(first[2].text, "L0");
    EXPECT_EQ(first[2].baselineY, kTop + 2 * kLine + kAscent);
    EXPECT_EQ(first.back().text, "F0");
    EXPECT_EQ(first.back().baselineY, kBottom - kLine + kAscent);

    const auto second = textsOn(2);
    EXPECT_EQ(second.size(), 2u + 34u + 1u);
    EXPECT_EQ(second[2], "L66");
}

TEST_F(PageComposerTest, AFrameKeepsAtMost15Lines) {
    writeFrame(FrameKind::Header, 20, "H");
    writeLines(1);
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 16u);
    EXPECT_EQ(texts[14].text, "H14");
    EXPECT_EQ(texts[15].baselineY, kTop + 15 * kLine + kAscent);
}

TEST_F(PageComposerTest, AHeaderWrittenBelowTheBodyAppliesFromTheNextPage) {
    writeLines(1);
    writeFrame(FrameKind::Header, 1, "H");
    composer.pageBreak();
    writeLines(1, "P");
    EXPECT_EQ(finish(), 2);
    EXPECT_THAT(textsOn(1), ElementsAre("L0"));
    EXPECT_THAT(textsOn(2), ElementsAre("H0", "P0"));
}

TEST_F(PageComposerTest, ANewFooterJoinsAPageWithBodyOnlyIfItStillFits) {
    writeLines(68);  // 50 pixels left
    writeFrame(FrameKind::Footer, 2, "tall");
    writeFrame(FrameKind::Footer, 1, "short");
    composer.pageBreak();
    writeFrame(FrameKind::Footer, 2, "next");
    writeLines(1, "P");
    EXPECT_EQ(finish(), 2);
    EXPECT_EQ(textsOn(1).back(), "short0");
    EXPECT_THAT(textsOn(2), ElementsAre("P0", "next0", "next1"));
}

TEST_F(PageComposerTest, RunningHeadStandsInTheBodyThenAboveEveryFurtherPage) {
    writeFrame(FrameKind::RunningHead, 1, "R");
    writeLines(100);
    EXPECT_EQ(finish(), 2);

    const auto first = textsOn(1);
    ASSERT_EQ(first.size(), 69u);
    EXPECT_EQ(first[0], "R0");
    const auto second = render(2);
    ASSERT_EQ(second.size(), 1u + 32u);
    EXPECT_EQ(second[0].text, "R0");
    EXPECT_EQ(second[0].baselineY, kTop + kAscent);
    EXPECT_EQ(second[1].text, "L68");
}

TEST_F(PageComposerTest, ARunningHeadThatDoesNotFitWithItsLineBeginsTheNextPage) {
    writeLines(68);
    writeFrame(FrameKind::RunningHead, 1, "R");
    writeLines(1, "after");
    EXPECT_EQ(finish(), 2);
    EXPECT_EQ(render(1).size(), 68u);
    EXPECT_THAT(textsOn(2), ElementsAre("R0", "after0"));
}

TEST_F(PageComposerTest, RunningHeadsReplacedOrEmptiedBeforeAnyLineNeverShow) {
    for (const char* prefix : {"old", "new"}) {
        writeFrame(FrameKind::RunningHead, 1, prefix);
    }
    writeLines(1);
    composer.beginFrame(FrameKind::RunningHead);  // empty: no running head from here on
    composer.endFrame();
    composer.pageBreak();
    writeLines(1, "P");
    EXPECT_EQ(finish(), 2);
    EXPECT_THAT(textsOn(1), ElementsAre("new0", "L0"));
    EXPECT_THAT(textsOn(2), ElementsAre("P0"));
}

// --- The continuous document for the screen ------------------------------------------

TEST_F(PageComposerTest, DocumentLinesAreTheBodyInOrderWithTheirPositions) {
    writeFrame(FrameKind::Header, 1, "H");
    writeLines(1);
    writeBlock(2, "B");
    composer.pageBreak();
    writeLines(1, "P");
    finish();

    ASSERT_EQ(composer.documentLineCount(), 4u);
    EXPECT_EQ(composer.documentLine(1).text, "B0");
    EXPECT_EQ(composer.documentLine(3).y, 3 * kLine);

    FixedMetricsDevice screen;
    composer.renderDocumentLine(3, screen, 5, 100);
    ASSERT_EQ(screen.texts().size(), 1u);
    EXPECT_EQ(screen.texts()[0].x, -5);
    EXPECT_EQ(screen.texts()[0].baselineY, 3 * kLine - 100 + kAscent);
}

// --- Text rendering ------------------------------------------------------------------

TEST(TextDevice, DrawsAPageAsText) {
    TextDevice device;
    PageComposer composer;
    ASSERT_TRUE(composer.beginDocument(3, device));
    const int width = composer.setMargins(20, 10, 10, 10).width;
    ASSERT_EQ(width, 72);

    composer.beginFrame(FrameKind::Header);
    composer.setColumns(std::vector<int>{0, 0, width, width},
                        std::vector<CellFlags>{CF_LEFT, CF_CENTER, CF_RIGHT, CF_LEFT});
    composer.printLiteral("Links\tMitte\tRechts\n");
    composer.rule(CF_RULE_MIDDLE);
    composer.endFrame();

    composer.setColumns(std::vector<int>{0, 40, 56}, std::vector<CellFlags>{CF_LEFT, CF_RIGHT, CF_RIGHT});
    composer.print("%s\t%s\t%s\n", "D\xe4mmung", "0.20", "1.5");
    composer.setColumns(std::vector<int>{0, 40, 56}, std::vector<CellFlags>{CF_LINE_RIGHT, CF_BOX_FRAME, CF_RULE_DOUBLE | CF_RULE_MIDDLE});
    composer.print("x\t\t\n");

    composer.beginFrame(FrameKind::Footer);
    composer.setColumns(std::vector<int>{0, width - 4}, std::vector<CellFlags>{CF_LEFT, CF_RIGHT | CF_PAGE_NUMBER});
    composer.print("Bauwaage\t0\n");
    composer.endFrame();
    composer.pageBreak();
    composer.finishDocument();
    ASSERT_EQ(composer.paginate(), 2);

    // Margins of 20/10/10/10 mm leave 7 columns and 2 rows in front of the printable
    // area of 72 columns and 66 rows.
    const std::string header =
        "\n"
        "\n"
        "       Links                             Mitte                           Rechts\n"
        "       ------------------------------------------------------------------------\n";
    const auto footer = [](char page) { return "       Bauwaage" + std::string(63, ' ') + page + "\n"; };

    composer.renderPage(3, device);
    EXPECT_EQ(device.pageText(),
              header +
                  "       D\xc3\xa4mmung                                             0.20             1.5\n"
                  "       x                                       +--------------+================\n" +
                  std::string(61, '\n') + footer('3'));

    device.clearPage();
    composer.renderPage(4, device);
    EXPECT_EQ(device.pageText(), header + std::string(63, '\n') + footer('4'));
}

}  // namespace
}  // namespace tavo
