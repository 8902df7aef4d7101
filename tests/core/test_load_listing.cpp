#include "output/FixedMetricsDevice.h"
#include "output/ListingText.h"
#include "output/LoadListing.h"
#include "output/OutputFonts.h"
#include "output/PageComposer.h"
#include "output/PrintSettings.h"
#include "output/TextDevice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tavo {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// The fixed device (10 pixels a millimetre, characters 10 wide) at 20 mm and 10 mm
// side margins. The widest heading word, "last[kN/m²]", is 110 wide, so every number
// column is 121.
constexpr int kWidth = 1800;
constexpr int kColumn = 121;

// On the text device at 17 characters an inch the same margins leave 121
// characters, and the number columns are 12 wide.
constexpr int kTextWidth = 121;
constexpr int kTextColumn = 12;

PermanentRow layer(std::string name, std::string unitWeight, std::string thickness, std::string area,
                   std::string width = "", std::string line = "") {
    return {std::move(name), std::move(unitWeight), std::move(thickness), std::move(area), std::move(width),
            std::move(line), "", PermanentUnit::Layer};
}
PermanentRow areaRow(std::string name, std::string area, std::string width = "", std::string line = "") {
    return {std::move(name), "", "", std::move(area), std::move(width), std::move(line), "", PermanentUnit::AreaLoad};
}
PermanentRow pointRow(std::string name, std::string point) {
    return {std::move(name), "", "", "", "", "", std::move(point), PermanentUnit::PointLoad};
}
ImposedRow imposedArea(std::string name, std::string area, std::string width = "", std::string line = "") {
    return {std::move(name), std::move(area), std::move(width), std::move(line), "", ImposedUnit::AreaLoad};
}
ImposedRow imposedLine(std::string name, std::string line) {
    return {std::move(name), "", "", std::move(line), "", ImposedUnit::LineLoad};
}
ImposedRow imposedPoint(std::string name, std::string point) {
    return {std::move(name), "", "", "", std::move(point), ImposedUnit::PointLoad};
}

std::vector<std::string> textsOf(const ComposedLine& line) {
    std::vector<std::string> texts;
    for (const ComposedCell& cell : line.cells) texts.emplace_back(line.cellText(cell));
    return texts;
}

// One component "Decke" whose elements are filled by the tests.
class LoadListingTest : public ::testing::Test {
protected:
    LoadListingTest() {
        project.componentCount = 1;
        project.componentNames[0] = "Decke";
        project.elementCount[0] = 1;
        project.elementNames[0][0] = "Feld";
    }

    void setPermanent(const std::vector<PermanentRow>& rows, int element = 0) {
        project.permRowCount[0][element] = static_cast<std::uint16_t>(rows.size());
        for (std::size_t r = 0; r < rows.size(); ++r) project.permanentRow(0, element, static_cast<int>(r)) = rows[r];
    }

    void setImposed(const std::vector<ImposedRow>& rows, int element = 0) {
        project.imposedRowCount[0][element] = static_cast<std::uint16_t>(rows.size());
        for (std::size_t r = 0; r < rows.size(); ++r) project.imposedRow(0, element, static_cast<int>(r)) = rows[r];
    }

    void addElement(const std::string& name) {
        project.elementNames[0][project.elementCount[0]++] = name;
    }

    LoadListingResult write(OutputDevice& on) {
        EXPECT_TRUE(composer.beginDocument(1, on));
        composer.setMargins(20, 10, 10, 10);
        const PrintSettings settings;
        fonts = createOutputFonts(composer, settings.font1, settings.font2);
        const LoadListingResult result = writeLoadListing(composer, project, fonts);
        composer.finishDocument();
        return result;
    }
    LoadListingResult write() { return write(device); }

    // The first body line whose first cell holds `text`.
    const ComposedLine& lineStarting(const std::string& text) const {
        for (std::size_t i = 0; i < composer.documentLineCount(); ++i) {
            const ComposedLine& line = composer.documentLine(i);
            if (!line.cells.empty() && line.cellText(line.cells[0]) == text) return line;
        }
        ADD_FAILURE() << "no line starts with " << text;
        static const ComposedLine none;
        return none;
    }

    // The line after the rule that closes the table whose heading starts with `title`.
    const ComposedLine& sumsOf(const std::string& title) const {
        bool inTable = false;
        for (std::size_t i = 0; i + 1 < composer.documentLineCount(); ++i) {
            const ComposedLine& line = composer.documentLine(i);
            if (!line.cells.empty() && line.cellText(line.cells[0]) == title) inTable = true;
            if (inTable && line.cells.size() == 1 && (line.cells[0].flags & CF_RULE_MIDDLE)) {
                return composer.documentLine(i + 1);
            }
        }
        ADD_FAILURE() << "no sums after " << title;
        static const ComposedLine none;
        return none;
    }

    std::vector<std::string> texts(const std::string& first) const { return textsOf(lineStarting(first)); }

    std::vector<std::vector<std::string>> pagesOf(int lines);

    std::unique_ptr<ProjectData> owner = std::make_unique<ProjectData>();
    ProjectData& project = *owner;
    FixedMetricsDevice device;
    PageComposer composer;
    OutputFonts fonts;
};

// Whole tables with every column are pinned by the golden listings; these are the
// tables with fewer columns.
TEST_F(LoadListingTest, PresentColumnsKeepTheirOrderAndEndAtThePrintableWidth) {
    const std::string area = "Fl\xE4"
                             "chen-  ";
    PermanentRow oldPoint = pointRow("Alte Einzellast", "4.00");
    oldPoint.rowUnit = 7;  // a file may hold any unit code: its load must not drop out
    ImposedRow oldImposed = imposedPoint("Alte Nutzlast", "1.25");
    oldImposed.rowUnit = 0;
    struct Case {
        std::vector<PermanentRow> permanent;
        std::vector<ImposedRow> imposed;
        std::vector<std::string> headings;  // after the table's title
        std::vector<std::string> sums;
    };
    const std::vector<Case> cases{
        {{layer("Beton", "25", "20", "5")}, {}, {"Wichte", "Schicht- ", area}, {"5.00"}},
        // A width brings a line-load column even without line texts.
        {{areaRow("Estrich", "1.2", "3")}, {}, {area, "Einfluss-", "Linien-  "}, {"1.20", "0.00"}},
        {{{"Wand", "", "", "", "", "7.50", "", PermanentUnit::LineLoad}}, {}, {"Linien-  "}, {"7.50"}},
        {{pointRow("Einzellast", "5.00"), oldPoint}, {}, {"Einzel-  "}, {"9.00"}},
        // A total that is a half rounds up, as by hand (printf alone gives 1.12).
        {{pointRow("Halbe", "1.125")}, {}, {"Einzel-  "}, {"1.13"}},
        {{},
         {imposedLine("Gel\xE4nder", "0.50"), imposedPoint("Last", "2.00")},
         {"Linien-  ", "Einzel-  "},
         {"0.50", "2.00"}},
        {{},
         {imposedArea("Wohnen", "2"), imposedPoint("Ohne Linie", "1.5"), oldImposed},
         {area, "Einzel-  "},
         {"2.00", "2.75"}},
    };
    for (std::size_t c = 0; c < cases.size(); ++c) {
        SCOPED_TRACE("case " + std::to_string(c));
        setPermanent(cases[c].permanent);
        setImposed(cases[c].imposed);
        ASSERT_TRUE(write().listed);
        const std::string title = cases[c].permanent.empty() ? "Nutzlasten" : "Bauteilschichten";

        const ComposedLine& heading = lineStarting(title);
        const std::vector<std::string> words = textsOf(heading);
        EXPECT_THAT(std::vector<std::string>(words.begin() + 1, words.end()), ElementsAreArray(cases[c].headings));
        // The number columns end at the printable width.
        EXPECT_EQ(heading.cells.back().x, kWidth - kColumn);
        EXPECT_THAT(textsOf(sumsOf(title)), ElementsAreArray(cases[c].sums));
    }
}

// --- Values -------------------------------------------------------------------------------

TEST_F(LoadListingTest, ThicknessesAndWidthsGetTheLargestDecimalCountOfTheirTable) {
    setPermanent({layer("A", "25", "20", "5", "3.5"), layer("B", "25", "2.5", "0.63", "1.25"),
                  layer("C", "25", "1,3", "0.33"), layer("D", "25", "dick", "0")});
    addElement("Ohne Punkt");
    PermanentRow stray = areaRow("F", "1.00");
    stray.thickness = "1.25";  // only layers count
    setPermanent({layer("E", "25", "20", "5"), stray}, 1);
    setImposed({imposedArea("G", "2.00", "2"), imposedArea("H", "2.00", "0.125")}, 1);
    ASSERT_TRUE(write().listed);

    EXPECT_THAT(texts("A"), ElementsAre("A", "25", "20.0", "5", "3.50"));
    EXPECT_THAT(texts("B"), ElementsAre("B", "25", "2.5", "0.63", "1.25"));
    EXPECT_EQ(texts("C")[2], "1.3");   // read with its comma
    EXPECT_EQ(texts("D")[2], "dick");  // not a number: as stored
    EXPECT_EQ(texts("E")[2], "20");
    EXPECT_THAT(texts("F"), ElementsAre("F", "1.25", "1.00"));
    EXPECT_EQ(texts("G")[2], "2.000");
    EXPECT_EQ(texts("H")[2], "0.125");
}

// --- Names --------------------------------------------------------------------------------

// On the text device, where a character is one pixel.
TEST_F(LoadListingTest, NamesAreSplitOnceAtTheLastBlankBeforeTheCutOrAtTheCut) {
    // Points only: the name column is 109 characters.
    const int limit = kTextWidth - kTextColumn;
    const std::string fits(static_cast<std::size_t>(limit), 'a');
    const std::string words = std::string(60, 'b') + " " + std::string(30, 'c') + " " + std::string(30, 'd');
    const std::string solid = std::string(static_cast<std::size_t>(limit), 'e') + "XYZ";
    const std::string leadingBlank = " " + std::string(120, 'f');
    setPermanent({pointRow(fits, "1"), pointRow(words, "2"), pointRow(solid, "3"), pointRow(leadingBlank, "4")});
    TextDevice text(kTextCharsPerInch, kTextLinesPerInch);
    ASSERT_TRUE(write(text).listed);

    EXPECT_THAT(texts(fits), ElementsAre(fits, "1"));
    // 122 characters for 109: the cut falls at 109, the last blank before it at 91.
    EXPECT_THAT(texts(std::string(60, 'b') + " " + std::string(30, 'c')), ElementsAre(testing::_, "2"));
    EXPECT_THAT(texts(std::string(30, 'd')), ElementsAre(std::string(30, 'd')));
    // No blank: cut at 112 × 109 / 112 = 109, the rest on a line of its own.
    EXPECT_THAT(texts(std::string(static_cast<std::size_t>(limit), 'e')), ElementsAre(testing::_, "3"));
    EXPECT_THAT(texts("XYZ"), ElementsAre("XYZ"));
    // A blank at the very start is no place to split.
    EXPECT_THAT(texts(leadingBlank.substr(0, 109)), ElementsAre(testing::_, "4"));
    EXPECT_THAT(texts(std::string(12, 'f')), ElementsAre(std::string(12, 'f')));
}

TEST_F(LoadListingTest, NamesOfRowsWithEmptyCellsBesideThemMayRunOverThem) {
    // Layer and area load: three number columns, a name column of 85 characters,
    // 109 for the rows that leave the unit weight and thickness cells empty.
    // Imposed area, width and line columns leave 85 characters as well; rows that are
    // not area loads may run over the area and width cells.
    const std::string name = std::string(50, 'g') + " " + std::string(49, 'h');  // 100 characters
    setPermanent({layer(name, "25", "20", "5"), areaRow(name, "1.2")});
    setImposed({imposedArea("Wohnen", "2", "1", "2"), imposedLine(name, "3"), imposedArea(name, "1")});
    TextDevice text(kTextCharsPerInch, kTextLinesPerInch);
    ASSERT_TRUE(write(text).listed);

    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < composer.documentLineCount(); ++i) {
        const std::vector<std::string> cells = textsOf(composer.documentLine(i));
        if (!cells.empty() && cells[0].starts_with("g")) rows.push_back(cells);
    }
    const std::string firstPart(50, 'g');
    EXPECT_THAT(rows, ElementsAre(ElementsAre(firstPart, "25", "20", "5"), ElementsAre(name, "1.2"),
                                  ElementsAre(name, "3"), ElementsAre(firstPart, "1")));
}

// The texts of each page, on pages of `lines` lines (50 pixels each) without frames.
std::vector<std::vector<std::string>> LoadListingTest::pagesOf(int lines) {
    FixedMetricsDevice::Config config;
    config.paperHeightMm = 20 + lines * 5;
    FixedMetricsDevice page(config);
    EXPECT_TRUE(write(page).listed);
    std::vector<std::vector<std::string>> pages(static_cast<std::size_t>(composer.paginate()));
    for (std::size_t p = 0; p < pages.size(); ++p) {
        FixedMetricsDevice out;
        composer.renderPage(static_cast<int>(p) + 1, out);
        for (const auto& text : out.texts()) pages[p].push_back(text.text);
    }
    return pages;
}

TEST_F(LoadListingTest, TablesAreKeptTogetherWithTheirSumsAndGoOnUnderTheirHeadings) {
    setPermanent({areaRow("A", "1"), areaRow("B", "2")});
    addElement("Zweites");
    setPermanent({areaRow("C", "3"), areaRow("D", "4")}, 1);
    setImposed({imposedArea("E", "2"), imposedArea("F", "3")}, 1);

    // The first block runs from the component heading to the sums line: ten lines.
    const auto ten = pagesOf(10);
    ASSERT_GE(ten.size(), 2u);
    EXPECT_EQ(ten[0].back(), "3.00");

    // On a page of nine the last row goes on with the rule and the sums line, under
    // the element's name and the table's headings: a sum never begins a page alone.
    const auto nine = pagesOf(9);
    ASSERT_GE(nine.size(), 2u);
    EXPECT_EQ(nine[0].back(), "1");
    EXPECT_THAT(std::vector(nine[1].begin(), nine[1].begin() + 7),
                ElementsAre("Feld (Fortsetzung) :", "Bauteilschichten", "Fl\xE4" "chen-  ", "last[kN/m\xB2]", "B",
                            "2", "3.00"));

    // With a blank line 11 lines go to the first page; the second element's block
    // (7 lines) and the imposed block (6 lines) each move on whole.
    const auto twelve = pagesOf(12);
    ASSERT_EQ(twelve.size(), 3u);
    EXPECT_EQ(twelve[0].back(), "3.00");
    EXPECT_EQ(twelve[1].front(), "Zweites :");
    EXPECT_EQ(twelve[1].back(), "7.00");
    EXPECT_EQ(twelve[2].front(), "Nutzlasten");
}

// 25 rows and the four lines above them are more than a block holds: the last row
// begins a second block with the sums, which the next page shows under the headings.
TEST_F(LoadListingTest, ATableLongerThanABlockRepeatsItsHeadingsWhereItGoesOn) {
    std::vector<PermanentRow> rows;
    for (int r = 0; r < 25; ++r) rows.push_back(areaRow("R" + std::to_string(r), "1.00"));
    setPermanent(rows);
    const auto pages = pagesOf(31);
    ASSERT_GE(pages.size(), 2u);
    EXPECT_EQ(pages[0].back(), "1.00");  // of R23
    EXPECT_THAT(std::vector(pages[1].begin(), pages[1].begin() + 7),
                ElementsAre("Feld (Fortsetzung) :", "Bauteilschichten", "Fl\xE4" "chen-  ", "last[kN/m\xB2]", "R24",
                            "1.00", "25.00"));
    // Where the table does not break, the continuation head shows nowhere.
    const auto one = pagesOf(40);
    for (const auto& page : one) EXPECT_THAT(page, ::testing::Not(::testing::Contains("Feld (Fortsetzung) :")));
}

TEST_F(LoadListingTest, AProjectWithoutRowsWritesNothing) {
    addElement("Zweites");
    const LoadListingResult result = write();
    EXPECT_TRUE(result.listed && result.warning.empty());
    EXPECT_EQ(composer.documentLineCount(), 0u);
}

}  // namespace
}  // namespace tavo
