#include "output/FixedMetricsDevice.h"
#include "output/PageComposer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tavo {
namespace {

using ::testing::ElementsAre;
using DrawnText = FixedMetricsDevice::DrawnText;

// The fixed device: A4 at 10 pixels a millimetre; the default margins of 10 mm leave a
// printable rectangle of 1900 × 2770 pixels. Default font: line height 40, so 69 lines
// fill a page.

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

    std::vector<std::string> textsOn(int page) const {
        std::vector<std::string> texts;
        for (const DrawnText& text : render(page)) texts.push_back(text.text);
        return texts;
    }

    FixedMetricsDevice device;
    PageComposer composer;
};

// --- Writing text into cells ---------------------------------------------------------

TEST_F(PageComposerTest, CellsBeyond100AndLineTextBeyond2048BytesAndPrintsBeyondTheBufferAreDropped) {
    std::vector<int> positions;
    for (int i = 0; i < 120; ++i) positions.push_back(i * 10);
    composer.setColumns(positions, std::vector<CellFlags>(120, CF_LEFT));
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

// --- Column overflow -----------------------------------------------------------------

TEST_F(PageComposerTest, ColumnsBeyondThePrintableWidthAreReportedByTheirLargestOverflow) {
    for (int right : {2090, 1995, 1900}) composer.applyColumns(std::vector<int>{0, right}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    EXPECT_NEAR(composer.overflowPercent().value_or(0), 10.0, 1e-9);

    ASSERT_TRUE(composer.beginDocument(1, device));
    EXPECT_FALSE(composer.overflowPercent());
    composer.setMargins(110, 10, 110, 10);  // no width left
    composer.applyColumns(std::vector<int>{0, 1}, std::vector<CellFlags>{CF_LEFT, CF_LEFT});
    EXPECT_EQ(composer.overflowPercent(), 100.0);
}

// --- Fonts ---------------------------------------------------------------------------

TEST_F(PageComposerTest, FontsArePointsAtTheDevicesResolutionAndABadSlotMeansTheDefault) {
    EXPECT_EQ(composer.addFont(fontOfSize(-11, "Missing")), 0);
    composer.selectFont(composer.addFont(fontOfSize(-11)));
    composer.print("x\n");
    EXPECT_EQ(composer.selectFont(-1), 1);
    composer.print("y\n");
    finish();
    const auto texts = render(1);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].font.pixelHeight, 39);  // 11 × 254 / 72 = 38.8
    EXPECT_FALSE(texts[1].font.record);
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
        {"69 lines fill a page", [&] { writeLines(70); }, {"L0..L68 (69)", "L69"}},
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
        {"the line that ends after endBlock is no longer in the block",
         [&] {
             writeLines(68); composer.beginBlock(); composer.print("in block\nsum");
             composer.endBlock(); composer.print("\n");
         },
         {"L0..in block (69)", "sum"}},
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

}  // namespace
}  // namespace tavo
