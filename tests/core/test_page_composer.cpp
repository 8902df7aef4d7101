#include "output/FixedMetricsDevice.h"
#include "output/PageComposer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using DrawnText = FixedMetricsDevice::DrawnText;
using DrawnLine = FixedMetricsDevice::DrawnLine;

// The fixed device: A4 at 10 pixels a millimetre; the default margins of 10 mm leave a
// printable rectangle of 1900 × 2770 pixels from (100, 100). Default font: line height
// 40, descent 8, so 69 lines fill a page and a baseline lies 32 below a line's top.
constexpr int kLeft = 100;
constexpr int kTop = 100;
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

    void writeBlock(int lines, const char* prefix) {
        composer.beginBlock();
        writeLines(lines, prefix);
        composer.endBlock();
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

    // The texts of a page with their x relative to the printable area.
    std::vector<std::pair<std::string, int>> placedOn(int page) const {
        std::vector<std::pair<std::string, int>> placed;
        for (const DrawnText& text : render(page)) placed.emplace_back(text.text, text.x - kLeft);
        return placed;
    }

    std::vector<std::string> textsOn(int page) const {
        std::vector<std::string> texts;
        for (const DrawnText& text : render(page)) texts.push_back(text.text);
        return texts;
    }

    FixedMetricsDevice device;
    PageComposer composer;
};

// --- Writing text into cells ---------------------------------------------------------

TEST_F(PageComposerTest, TextStandsInItsColumnAsTheColumnAlignsIt) {
    setColumns({0, 500, 1000}, {CF_RIGHT, CF_CENTER, CF_LEFT});
    // A tab from an argument is text; tabs beyond the last column go on after the text.
    composer.print("%s\t%s\tx\ty\n", "a\tb", "de");
    finish();
    EXPECT_THAT(placedOn(1), ElementsAre(Pair("a\tb", 470), Pair("de", 740), Pair("x", 1000), Pair("y", 1010)));
}

TEST_F(PageComposerTest, AFontChangeGoesOnWithoutGapOrRefontsTheEmptyCell) {
    const int big = composer.addFont(fontOfSize(-11));  // 39 px cell height: line 50, descent 10
    setColumns({0, 500}, {CF_RIGHT, CF_LEFT});
    composer.print("ab");
    EXPECT_EQ(composer.selectFont(big), 0);
    composer.print("cd\n\t");
    composer.selectFont(0);  // before any text: the cell stays in its column
    composer.print("xy\n");
    composer.selectFont(big);
    composer.print("\t\t\n");  // cells without text are dropped: an empty line
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].x, kLeft + 480);  // ends at the next column
    EXPECT_EQ(texts[1].x, kLeft + 500);  // where "ab" ended
    EXPECT_EQ(texts[1].font.pixelHeight, 39);
    // Both parts stand on the common baseline: the largest ascent (40) below the top.
    EXPECT_EQ(texts[0].baselineY + texts[1].baselineY, 2 * (kTop + 40));
    EXPECT_EQ(texts[2].x, kLeft + 500);
    EXPECT_EQ(texts[2].baselineY, kTop + 50 + kAscent);
    EXPECT_FALSE(texts[2].font.record);
    // An empty line is as high as the current font's lines.
    ASSERT_EQ(composer.documentLineCount(), 3u);
    EXPECT_EQ(composer.documentLine(2).height, 50);
}

// A text running past the paper's edge (at 2100) is drawn only so far: from 100, the
// 2000 pixels of 200 characters and a few more.
TEST_F(PageComposerTest, TextIsDrawnOnlyAsFarAsThePaperReaches) {
    const std::string text(400, 'x');
    composer.print("%s\n", text.c_str());
    finish();
    EXPECT_THAT(textsOn(1), ElementsAre(text.substr(0, 208)));
}

TEST_F(PageComposerTest, CellsBeyond100AndLineTextBeyond2048BytesAndPrintsBeyondTheBufferAreDropped) {
    std::vector<int> positions;
    for (int i = 0; i < 120; ++i) positions.push_back(i * 10);
    setColumns(positions, std::vector<CellFlags>(120, CF_LEFT));
    for (int i = 0; i < 120; ++i) composer.print("%c\t", 'a' + i % 26);
    composer.print("\n%s\n", std::string(2100, 'x').c_str());
    // 2001 bytes and the next line's first 462 fill the buffer of 2464 with its end;
    // the second newline is cut off, so that line is still open.
    composer.print("%s\n%s\n", std::string(2000, 'y').c_str(), std::string(1000, 'z').c_str());
    composer.print("!\n");
    finish();

    ASSERT_EQ(composer.documentLineCount(), 4u);
    const ComposedLine& cells = composer.documentLine(0);
    ASSERT_EQ(cells.cells.size(), 100u);
    EXPECT_EQ(cells.cellText(cells.cells[99]), "v");
    EXPECT_EQ(composer.documentLine(1).text.size(), 2048u);
    EXPECT_EQ(composer.documentLine(2).text, std::string(2000, 'y'));
    EXPECT_EQ(composer.documentLine(3).text, std::string(462, 'z') + "!");
}

TEST_F(PageComposerTest, NothingIsWrittenWhileClosed) {
    composer.print("x\n");
    finish();
    composer.endDocument();
    composer.print("text\n");
    composer.rule(CF_RULE_MIDDLE);
    composer.pageBreak();
    EXPECT_EQ(composer.addFont(FontRecord{}), 0);
    EXPECT_EQ(finish(), 1);
    EXPECT_EQ(composer.documentLineCount(), 0u);
    EXPECT_TRUE(render(1).empty());
}

// --- Rules ----------------------------------------------------------------------------

TEST_F(PageComposerTest, ARuleCrossesTheWholeWidthAndEndsTheLine) {
    setColumns({0, 500}, {CF_LEFT, CF_LEFT});
    composer.print("a\tdropped");
    composer.rule(CF_RULE_MIDDLE);  // the open cell's text goes
    composer.print("b\n");
    finish();

    FixedMetricsDevice out;
    composer.renderPage(1, out);
    EXPECT_THAT(textsOn(1), ElementsAre("a", "b"));
    EXPECT_THAT(out.lines(), ElementsAre(DrawnLine{kLeft, kTop + 20, kLeft + 1899, kTop + 20}));
}

// --- Column overflow -----------------------------------------------------------------

TEST_F(PageComposerTest, ColumnsBeyondThePrintableWidthAreReportedByTheirLargestOverflow) {
    composer.applyColumns(std::vector<int>{0, 1900}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    EXPECT_FALSE(composer.overflowPercent());

    composer.applyColumns(std::vector<int>{0, 2090}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    composer.applyColumns(std::vector<int>{0, 1995}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    EXPECT_NEAR(composer.overflowPercent().value_or(0), 10.0, 1e-9);
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

TEST_F(PageComposerTest, FontsArePointsAtTheDevicesResolution) {
    FontRecord wide = fontOfSize(11);
    wide.width = 20;  // the width field, when set, is the size
    EXPECT_EQ(composer.addFont(fontOfSize(-11, "Missing")), 0);
    for (const FontRecord& font : {fontOfSize(-11), fontOfSize(11), wide}) {
        composer.selectFont(composer.addFont(font));
        composer.print("x\n");
    }
    // An invalid or empty slot means the default font.
    EXPECT_EQ(composer.selectFont(-1), 3);
    EXPECT_EQ(composer.selectFont(0), 0);
    EXPECT_EQ(composer.textWidth(42, "abc"), 30);
    finish();

    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].font.pixelHeight, 39);  // 11 × 254 / 72 = 38.8
    EXPECT_EQ(texts[1].font.pixelHeight, -39);
    EXPECT_EQ(texts[2].font.pixelHeight, -71);

    ASSERT_TRUE(composer.beginDocument(1, device));  // a new document frees the slots
    EXPECT_EQ(composer.addFont(fontOfSize(-11)), 1);
}

// --- Margins -------------------------------------------------------------------------

TEST(PageComposerMargins, AreMeasuredFromThePapersEdgeBeyondTheUnprintableBorder) {
    FixedMetricsDevice::Config bordered;
    bordered.borderMm = Rect{4, 4, 4, 4};  // printable area 2020 × 2890 from (40, 40)
    FixedMetricsDevice device(bordered);
    PageComposer composer;
    ASSERT_TRUE(composer.beginDocument(1, device));
    // 10 mm by default, from the paper's right edge as well: 40 + 1960 = 2100 − 100.
    EXPECT_EQ(composer.printableRect(), (Rect{60, 60, 1960, 2830}));
    EXPECT_EQ(composer.setMargins(20, 10, 10, 10), (PrintableSize{1800, 2770}));
    EXPECT_EQ(composer.printableRect().left, 160);

    composer.setMargins(2, 3, 1, 0);  // within the border: the border stands
    EXPECT_EQ(composer.printableRect(), (Rect{0, 0, 2020, 2890}));
}

// --- Pagination ----------------------------------------------------------------------

TEST_F(PageComposerTest, PagesTakeLinesBlocksAndFramesByTheirHeight) {
    struct Case {
        const char* what;
        std::function<void()> write;
        // Per page its texts as "first..last (count)", a single text alone, "" for none.
        std::vector<std::string> pages;
    };
    const std::vector<Case> cases{
        {"an empty document", [] {}, {""}},
        {"a trailing break ends the line it interrupts and adds an empty page",
         [&] { composer.print("unfinished"); composer.pageBreak(); }, {"unfinished", ""}},
        {"69 lines fill a page", [&] { writeLines(70); }, {"L0..L68 (69)", "L69"}},
        {"blank lines that overflow before a break make no page of their own",
         [&] { writeLines(69); composer.print("\n\n"); composer.pageBreak(); }, {"L0..L68 (69)", ""}},
        {"a blank line that overflows with text after it keeps its page",
         [&] { writeLines(69); composer.print("\nL69\n"); composer.pageBreak(); }, {"L0..L68 (69)", "L69", ""}},
        {"a block keeps at most 30 lines together; 1210 pixels are left for it",
         [&] { writeLines(39); writeBlock(31, "B"); }, {"L0..B29 (69)", "B30"}},
        {"a block that does not fit moves whole; beginning one inside a block does nothing",
         [&] {
             writeLines(60);
             composer.beginBlock();
             writeLines(5, "B");
             writeBlock(5, "C");
             writeLines(1, "after");
         },
         {"L0..L59 (60)", "B0..after0 (11)"}},
        {"a block grows no taller than a page; the line beyond flows on",
         [&] {
             composer.selectFont(composer.addFont(fontOfSize(-30)));  // lines of 117 pixels, 23 a page
             writeLines(1); writeBlock(30, "B"); writeLines(1, "after");
         },
         {"L0", "B0..B22 (23)", "B23..after0 (8)"}},
        {"keepTogether begins a new block when the open one cannot take the lines",
         [&] {
             writeLines(39);
             composer.beginBlock();
             writeLines(28, "B");
             composer.keepTogether(3);
             writeLines(3, "S");
             composer.endBlock();
         },
         {"L0..B27 (67)", "S0..S2 (3)"}},
        {"under a continuation head a full block goes on in the next, and a page it begins shows the head",
         [&] {
             writeLines(30);
             composer.beginBlock();
             writeLines(2, "T");
             composer.beginContinuationHead();
             writeLines(2, "K");
             composer.endContinuationHead();
             writeLines(38, "R");  // 28 fill the block, 10 go on
             composer.endBlock();
             composer.endContinuation();
             writeLines(70, "after");  // the head ended: the next page has none
         },
         {"L0..R27 (60)", "K0..after56 (69)", "after57..after69 (13)"}},
        {"the line that ends after endBlock is no longer in the block",
         [&] {
             writeLines(68); composer.beginBlock(); composer.print("in block\nsum");
             composer.endBlock(); composer.print("\n");
         },
         {"L0..in block (69)", "sum"}},
        {"header and footer take their height from every page",
         [&] {
             composer.beginFrame(FrameKind::Footer);
             writeLines(1, "F");
             composer.beginFrame(FrameKind::Header);  // closes the footer
             writeLines(2, "H");
             composer.endFrame();
             writeLines(100);
         },
         {"H0..F0 (69)", "H0..F0 (37)"}},
        {"a frame keeps 15 lines; a header below the body applies from the next page",
         [&] { writeLines(1); writeFrame(FrameKind::Header, 20, "H"); composer.pageBreak(); writeLines(1, "P"); },
         {"L0", "H0..P0 (16)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(composer.beginDocument(1, device));
        c.write();
        std::vector<std::string> pages;
        for (int page = 1, count = finish(); page <= count; ++page) {
            const std::vector<std::string> texts = textsOn(page);
            pages.push_back(texts.size() < 2 ? (texts.empty() ? "" : texts[0])
                                             : texts.front() + ".." + texts.back() + " (" +
                                                   std::to_string(texts.size()) + ")");
        }
        EXPECT_EQ(pages, c.pages);
    }
}

TEST_F(PageComposerTest, PagesBeyond5000StayOnTheLastPage) {
    for (int i = 0; i < 5003; ++i) {
        composer.print("%d\n", i);
        composer.pageBreak();
    }
    EXPECT_EQ(finish(), 5000);
    EXPECT_THAT(textsOn(5000), ElementsAre("4999", "5000", "5001", "5002"));
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

}  // namespace
}  // namespace tavo
