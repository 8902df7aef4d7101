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
using ::testing::IsEmpty;

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
PermanentRow lineRow(std::string name, std::string line) {
    return {std::move(name), "", "", "", "", std::move(line), "", PermanentUnit::LineLoad};
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

std::vector<int> positionsOf(const ComposedLine& line) {
    std::vector<int> positions;
    for (const ComposedCell& cell : line.cells) positions.push_back(cell.x);
    return positions;
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

    std::vector<std::vector<std::string>> pages() {
        std::vector<std::vector<std::string>> result;
        const int count = composer.paginate();
        for (int page = 1; page <= count; ++page) {
            FixedMetricsDevice out;
            composer.renderPage(page, out);
            std::vector<std::string> lines;
            for (const auto& text : out.texts()) lines.push_back(text.text);
            result.push_back(lines);
        }
        return result;
    }

    std::unique_ptr<ProjectData> owner = std::make_unique<ProjectData>();
    ProjectData& project = *owner;
    FixedMetricsDevice device;
    PageComposer composer;
    OutputFonts fonts;
};

// --- Columns and their headings ------------------------------------------------------------

TEST_F(LoadListingTest, SixNumberColumnsEndAtThePrintableWidthAndSumsLeaveLayerAndWidthCellsEmpty) {
    setPermanent({layer("Beton", "25.00", "20", "5.00", "2.5", "12.50"), areaRow("Estrich", "1.20"),
                  lineRow("Wand", "7.50"), pointRow("St\xFCtze", "30.00")});
    ASSERT_TRUE(write().listed);

    const int name = kWidth - 6 * kColumn;
    const std::vector<int> columns{0, name, name + kColumn, name + 2 * kColumn, name + 3 * kColumn,
                                   name + 4 * kColumn, name + 5 * kColumn};
    const ComposedLine& heading = lineStarting("Bauteilschichten");
    EXPECT_THAT(textsOf(heading), ElementsAre("Bauteilschichten", "Wichte", "Schicht- ", "Fl\xE4"
                                                                                        "chen-  ",
                                              "Einfluss-", "Linien-  ", "Einzel-  "));
    EXPECT_EQ(positionsOf(heading), columns);
    EXPECT_EQ(heading.cells[0].flags, CF_LEFT);
    for (std::size_t i = 1; i < heading.cells.size(); ++i) {
        EXPECT_EQ(heading.cells[i].flags, CF_RIGHT);
        EXPECT_EQ(heading.cells[i].width, kColumn);
    }
    const ComposedLine& units = lineStarting("[kN/m\xB3]");
    EXPECT_THAT(textsOf(units), ElementsAre("[kN/m\xB3]", "dicke[cm]", "last[kN/m\xB2]", "breite[m]", "last[kN/m]",
                                            "last[kN]"));
    EXPECT_EQ(units.cells[0].x, columns[1]);

    EXPECT_EQ(positionsOf(lineStarting("Beton")), std::vector<int>(columns.begin(), columns.end() - 1));
    EXPECT_THAT(texts("Wand"), ElementsAre("Wand", "7.50"));
    EXPECT_EQ(lineStarting("Wand").cells[1].x, columns[5]);
    EXPECT_EQ(lineStarting("St\xFCtze").cells[1].x, columns[6]);

    const ComposedLine& sums = sumsOf("Bauteilschichten");
    EXPECT_THAT(textsOf(sums), ElementsAre("6.20", "20.00", "30.00"));
    EXPECT_THAT(positionsOf(sums), ElementsAre(columns[3], columns[5], columns[6]));
    EXPECT_FALSE(composer.overflowPercent());
}

TEST_F(LoadListingTest, OnlyPresentColumnsAppearInTheirFixedOrder) {
    setPermanent({pointRow("Einzellast", "5.00"), pointRow("Noch eine", "2.50")});
    setImposed({imposedLine("Gel\xE4nder", "0.50"), imposedPoint("Last", "2.00")});
    ASSERT_TRUE(write().listed);

    // Points only: one number column at the right margin.
    EXPECT_THAT(texts("Bauteilschichten"), ElementsAre("Bauteilschichten", "Einzel-  "));
    EXPECT_THAT(positionsOf(lineStarting("Einzellast")), ElementsAre(0, kWidth - kColumn));
    const ComposedLine& pointSums = sumsOf("Bauteilschichten");
    EXPECT_THAT(textsOf(pointSums), ElementsAre("7.50"));
    EXPECT_THAT(positionsOf(pointSums), ElementsAre(kWidth - kColumn));

    // Line and point loads: two columns, the line load first.
    EXPECT_THAT(texts("Nutzlasten"), ElementsAre("Nutzlasten", "Linien-  ", "Einzel-  "));
    EXPECT_THAT(positionsOf(lineStarting("Gel\xE4nder")), ElementsAre(0, kWidth - 2 * kColumn));
    EXPECT_THAT(positionsOf(lineStarting("Last")), ElementsAre(0, kWidth - kColumn));
    EXPECT_THAT(textsOf(sumsOf("Nutzlasten")), ElementsAre("0.50", "2.00"));
}

TEST_F(LoadListingTest, WidthBringsTheLineLoadColumnAndAnyLineTextBringsItToImposedTables) {
    // A permanent area row with a width but no line text still has a line column,
    // whose sum is zero with two decimals.
    setPermanent({areaRow("Estrich", "1.2", "3")});
    setImposed({imposedArea("Wohnen", "2"), imposedPoint("Ohne Linie", "1.5")});
    ASSERT_TRUE(write().listed);

    EXPECT_THAT(texts("Bauteilschichten"), ElementsAre("Bauteilschichten", "Fl\xE4"
                                                                           "chen-  ",
                                                       "Einfluss-", "Linien-  "));
    EXPECT_THAT(textsOf(sumsOf("Bauteilschichten")), ElementsAre("1.20", "0.00"));
    EXPECT_THAT(texts("Nutzlasten"), ElementsAre("Nutzlasten", "Fl\xE4"
                                                               "chen-  ",
                                                 "Einzel-  "));
    EXPECT_THAT(textsOf(sumsOf("Nutzlasten")), ElementsAre("2.00", "1.50"));
}

TEST_F(LoadListingTest, RowsOfUnknownUnitsCountAsPointLoads) {
    // A file may hold any unit code; the load of such a row must not drop out of the listing.
    PermanentRow odd = pointRow("Alte Einzellast", "4.00");
    odd.rowUnit = 7;
    ImposedRow oddImposed = imposedPoint("Alte Nutzlast", "1.25");
    oddImposed.rowUnit = 0;
    setPermanent({odd});
    setImposed({oddImposed});
    ASSERT_TRUE(write().listed);

    EXPECT_THAT(texts("Bauteilschichten"), ElementsAre("Bauteilschichten", "Einzel-  "));
    EXPECT_THAT(textsOf(sumsOf("Bauteilschichten")), ElementsAre("4.00"));
    EXPECT_THAT(textsOf(sumsOf("Nutzlasten")), ElementsAre("1.25"));
}

TEST_F(LoadListingTest, ImposedTableWithoutColumnsGetsOneBeyondThePrintableWidth) {
    setImposed({imposedLine("Ohne Wert", "")});
    ASSERT_TRUE(write().listed);

    EXPECT_THAT(texts("Nutzlasten"), ElementsAre("Nutzlasten"));
    const ComposedLine& row = lineStarting("Ohne Wert");
    EXPECT_EQ(row.cells[0].width, kWidth);
    ASSERT_TRUE(composer.overflowPercent());
    EXPECT_DOUBLE_EQ(*composer.overflowPercent(), 100.0 * (kWidth + kColumn) / kWidth - 100.0);
}

// --- Values -------------------------------------------------------------------------------

TEST_F(LoadListingTest, ThicknessesGetTheLargestDecimalCountOfTheirTable) {
    setPermanent({layer("A", "25", "20", "5"), layer("B", "25", "2.5", "0.63"), layer("C", "25", "1,3", "0.33"),
                  layer("D", "25", "dick", "0")});
    addElement("Ohne Punkt");
    PermanentRow stray = areaRow("G", "1.00");
    stray.thickness = "1.25";  // only layers count
    setPermanent({layer("E", "25", "20", "5"), layer("F", "25", "12", "3"), stray}, 1);
    ASSERT_TRUE(write().listed);

    EXPECT_EQ(texts("A")[2], "20.0");
    EXPECT_EQ(texts("B")[2], "2.5");
    EXPECT_EQ(texts("C")[2], "1.3");   // read with its comma
    EXPECT_EQ(texts("D")[2], "dick");  // not a number: as stored
    EXPECT_EQ(texts("E")[2], "20");
    EXPECT_EQ(texts("F")[2], "12");
    EXPECT_THAT(texts("G"), ElementsAre("G", "1.25", "1.00"));
}

TEST_F(LoadListingTest, WidthsGetTheLargestDecimalCountInEachTable) {
    setPermanent({areaRow("A", "1.00", "3.5", "3.50"), areaRow("B", "1.00", "1.25", "1.25"), areaRow("C", "1.00")});
    setImposed({imposedArea("D", "2.00", "2", "4.00"), imposedArea("E", "2.00", "0.125", "0.25")});
    ASSERT_TRUE(write().listed);

    EXPECT_EQ(texts("A")[2], "3.50");
    EXPECT_EQ(texts("B")[2], "1.25");
    EXPECT_THAT(texts("C"), ElementsAre("C", "1.00"));
    EXPECT_EQ(texts("D")[2], "2.000");
    EXPECT_EQ(texts("E")[2], "0.125");
}

TEST_F(LoadListingTest, SumsReadTextsLenientlyAndAlwaysShowTwoDecimals) {
    setPermanent({areaRow("A", "1.5"), areaRow("B", "2"), areaRow("C", "12abc"), areaRow("D", "x"), areaRow("E", ""),
                  areaRow("F", "0,25")});
    ASSERT_TRUE(write().listed);

    EXPECT_THAT(texts("C"), ElementsAre("C", "12abc"));
    EXPECT_THAT(texts("D"), ElementsAre("D", "x"));
    EXPECT_THAT(textsOf(sumsOf("Bauteilschichten")), ElementsAre("15.75"));
}

// --- Names --------------------------------------------------------------------------------

TEST_F(LoadListingTest, NamesAreSplitOnceAtTheLastBlankBeforeTheCutOrAtTheCut) {
    // Points only on the text device: the name column is 109 characters.
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

TEST_F(LoadListingTest, NamesOfRowsWithoutLayerMayRunOverTheEmptyLayerCells) {
    // Layer and area load: three number columns, a name column of 85 characters,
    // 109 for the rows that leave the unit weight and thickness cells empty.
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
    // The layer row is split, the area row runs over.
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_THAT(rows[0], ElementsAre(firstPart, "25", "20", "5"));
    EXPECT_THAT(rows[1], ElementsAre(name, "1.2"));
    // Imposed area, width and line columns leave a name column of 85 characters as
    // well; only rows that are not area loads may run over the area and width cells.
    EXPECT_THAT(rows[2], ElementsAre(name, "3"));
    EXPECT_THAT(rows[3], ElementsAre(firstPart, "1"));
}

// --- Structure ----------------------------------------------------------------------------

TEST_F(LoadListingTest, ComponentAndElementHeadingsInBoldRowsInTextSumsInBold) {
    setPermanent({areaRow("Estrich", "1.20")});
    setImposed({imposedArea("Wohnen", "2.00")});
    ASSERT_TRUE(write().listed);

    ASSERT_GE(composer.documentLineCount(), 4u);
    EXPECT_THAT(composer.documentLine(0).cells, IsEmpty());
    const ComposedLine& component = composer.documentLine(1);
    EXPECT_THAT(textsOf(component), ElementsAre("Decke"));
    EXPECT_EQ(component.cells[0].flags, CF_CENTER);
    EXPECT_EQ(component.cells[0].width, kWidth);
    EXPECT_EQ(component.cells[0].fontSlot, fonts.fontBold);
    EXPECT_THAT(composer.documentLine(2).cells, IsEmpty());
    const ComposedLine& element = composer.documentLine(3);
    EXPECT_THAT(textsOf(element), ElementsAre("Feld :"));
    EXPECT_EQ(element.cells[0].width, kWidth / 5);
    EXPECT_EQ(element.cells[0].fontSlot, fonts.fontBold);

    EXPECT_EQ(lineStarting("Bauteilschichten").cells[0].fontSlot, fonts.fontText);
    EXPECT_EQ(lineStarting("Estrich").cells[1].fontSlot, fonts.fontText);
    EXPECT_EQ(sumsOf("Bauteilschichten").cells[0].fontSlot, fonts.fontBold);
    EXPECT_EQ(sumsOf("Nutzlasten").cells[0].fontSlot, fonts.fontBold);
}

// Pages of a given number of lines (50 pixels each) without header or footer.
FixedMetricsDevice pageOfLines(int lines) {
    FixedMetricsDevice::Config config;
    config.paperHeightMm = 20 + lines * 5;
    return FixedMetricsDevice(config);
}

TEST_F(LoadListingTest, ComponentHeadingFirstElementAndItsTableStayTogether) {
    // The block of the heading, the first element and its table up to the rule is
    // ten lines; the sums line after it is outside the block and flows on.
    setPermanent({areaRow("A", "1"), areaRow("B", "2"), areaRow("C", "3")});
    FixedMetricsDevice page = pageOfLines(10);
    ASSERT_TRUE(write(page).listed);

    const auto result = pages();
    ASSERT_EQ(result.size(), 2u);
    EXPECT_THAT(result[0], ElementsAre("Decke", "Feld :", "Bauteilschichten", "Fl\xE4"
                                                                              "chen-  ",
                                       "last[kN/m\xB2]", "A", "1", "B", "2", "C", "3"));
    EXPECT_THAT(result[1], ElementsAre("6.00"));
}

TEST_F(LoadListingTest, LaterElementsAndImposedTablesMoveWholeToTheNextPage) {
    setPermanent({areaRow("A", "1"), areaRow("B", "2")});
    addElement("Zweites");
    setPermanent({areaRow("C", "3"), areaRow("D", "4")}, 1);
    setImposed({imposedArea("E", "2"), imposedArea("F", "3")}, 1);
    // Lines: 9 for the first block, sums and blank line; 6 for the second
    // element's block, sums and blank; 5 for the imposed block, sums and blank.
    FixedMetricsDevice page = pageOfLines(16);
    ASSERT_TRUE(write(page).listed);

    const auto result = pages();
    ASSERT_EQ(result.size(), 2u);
    EXPECT_EQ(result[0].back(), "3.00");
    EXPECT_EQ(result[1].front(), "Zweites :");
    EXPECT_EQ(result[1].back(), "5.00");

    FixedMetricsDevice shorter = pageOfLines(12);
    ASSERT_TRUE(write(shorter).listed);
    const auto three = pages();
    ASSERT_EQ(three.size(), 3u);
    EXPECT_EQ(three[1].front(), "Zweites :");
    EXPECT_EQ(three[2].front(), "Nutzlasten");
}

// --- Nothing to list ----------------------------------------------------------------------

TEST_F(LoadListingTest, MissingThicknessNamesTheFirstSuchElementAndWritesNothing) {
    addElement("Zweites \xC4lteres");
    project.componentCount = 2;
    project.componentNames[1] = "Dach";
    project.elementCount[1] = 1;
    project.elementNames[1][0] = "Drittes";
    setPermanent({areaRow("Estrich", "1.20")});
    setPermanent({layer("Beton", "25", "20", "5"), layer("Ohne", "25", "", "")}, 1);
    project.permRowCount[1][0] = 1;
    project.permanentRow(1, 0, 0) = layer("Auch ohne", "25", "", "");

    const LoadListingResult result = write();
    EXPECT_FALSE(result.listed);
    EXPECT_EQ(result.warning,
              "Bitte noch fehlende Schichtdicke(n) bei Element Zweites \xC3\x84lteres erg\xC3\xA4nzen!");
    EXPECT_EQ(composer.documentLineCount(), 0u);
}

TEST_F(LoadListingTest, AProjectWithoutRowsWritesNothing) {
    addElement("Zweites");
    const LoadListingResult result = write();
    EXPECT_TRUE(result.listed);
    EXPECT_TRUE(result.warning.empty());
    EXPECT_EQ(composer.documentLineCount(), 0u);
}

}  // namespace
}  // namespace tavo
