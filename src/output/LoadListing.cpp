#include "output/LoadListing.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/Numbers.h"
#include "model/RowEdits.h"

namespace tavo {
namespace {

// The number columns of both tables, in the order they are printed.
enum Column { kUnitWeight, kThickness, kAreaLoad, kInfluenceWidth, kLineLoad, kPointLoad, kColumnCount };

struct Heading {
    const char* line1;
    const char* line2;
};

// Windows-1252. The trailing blanks shift the right-aligned first halves so that
// the hyphenated halves line up.
constexpr std::array<Heading, kColumnCount> kHeadings{{
    {"Wichte", "[kN/m\xB3]"},
    {"Schicht- ", "dicke[cm]"},
    {"Fl\xE4"
     "chen-  ",
     "last[kN/m\xB2]"},
    {"Einfluss-", "breite[m]"},
    {"Linien-  ", "last[kN/m]"},
    {"Einzel-  ", "last[kN]"},
}};

// Number columns are this much wider than their widest heading word.
constexpr double kColumnWidthFactor = 1.1;

// An element's name takes a fifth of the line before the tables begin.
constexpr int kElementNameShare = 5;

// The rule and the sums line under a table.
constexpr int kSumsLines = 2;

using Present = std::array<bool, kColumnCount>;
using Cells = std::array<std::string, kColumnCount>;

// One load row as the listing prints it.
struct ListedRow {
    const std::string& name;
    Cells cells;
    // The row leaves the two cells after its name empty, so the name may run over them.
    bool nameMayWiden = false;
};

int presentCount(const Present& present) {
    return static_cast<int>(std::count(present.begin(), present.end(), true));
}

int decimalsAfterPoint(std::string_view text) {
    const std::size_t point = text.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// All texts of a column get the largest number of decimals found in it. A text that
// is not a number is printed as stored.
std::string withDecimals(const std::string& text, int decimals) {
    double value = 0.0;
    if (text.empty() || decimals <= 0 || !parseNumber(text, value)) return text;
    return formatString("%.*lf", decimals, value);
}

struct NameParts {
    std::string first;
    std::string rest;
};

// Splits a name `width` wide so that the first part fits `limit` (0 <= limit <
// width): at the last blank at or before the proportional cut (the first character
// is never the blank cut at), else at the cut itself. No character but that blank
// is lost.
NameParts splitName(std::string_view name, int width, int limit) {
    // Multiplied first, so that a cut that falls on a whole character is exact.
    const auto cut = static_cast<std::size_t>(static_cast<double>(name.size()) * limit / width);
    for (std::size_t blank = cut; blank >= 1; --blank) {
        if (name[blank] == ' ') return {std::string(name.substr(0, blank)), std::string(name.substr(blank + 1))};
    }
    return {std::string(name.substr(0, cut)), std::string(name.substr(cut))};
}

// Which columns a table has and how many decimals its thicknesses and widths get.
struct TableShape {
    Present present{};
    int thicknessDecimals = 0;
    int widthDecimals = 0;
};

TableShape permanentShape(std::span<const PermanentRow> rows) {
    TableShape shape;
    Present& present = shape.present;
    for (const PermanentRow& row : rows) {
        const bool layer = row.rowUnit == PermanentUnit::Layer;
        const bool hasWidth = !row.influenceWidth.empty();
        present[kUnitWeight] = present[kUnitWeight] || layer;
        present[kAreaLoad] = present[kAreaLoad] || layer || row.rowUnit == PermanentUnit::AreaLoad;
        present[kInfluenceWidth] = present[kInfluenceWidth] || hasWidth;
        present[kLineLoad] = present[kLineLoad] || hasWidth || row.rowUnit == PermanentUnit::LineLoad;
        present[kPointLoad] = present[kPointLoad] || isPointLoadRow(row);
        if (layer) shape.thicknessDecimals = std::max(shape.thicknessDecimals, decimalsAfterPoint(row.thickness));
        shape.widthDecimals = std::max(shape.widthDecimals, decimalsAfterPoint(row.influenceWidth));
    }
    present[kThickness] = present[kUnitWeight];
    return shape;
}

TableShape imposedShape(std::span<const ImposedRow> rows) {
    TableShape shape;
    Present& present = shape.present;
    for (const ImposedRow& row : rows) {
        present[kAreaLoad] = present[kAreaLoad] || row.rowUnit == ImposedUnit::AreaLoad;
        present[kInfluenceWidth] = present[kInfluenceWidth] || !row.influenceWidth.empty();
        present[kLineLoad] = present[kLineLoad] || !row.lineLoad.empty();
        present[kPointLoad] = present[kPointLoad] || isPointLoadRow(row);
        shape.widthDecimals = std::max(shape.widthDecimals, decimalsAfterPoint(row.influenceWidth));
    }
    return shape;
}

class ListingWriter {
public:
    ListingWriter(PageComposer& composer, const OutputFonts& fonts)
        : composer_(composer), fonts_(fonts), columnWidth_(widestHeading()) {}

    void writeComponent(const ProjectData& project, int c) {
        composer_.beginBlock();
        composer_.selectFont(fonts_.fontBold);
        const std::array<int, 1> widths{composer_.printableWidth()};
        applyTable("cl", widths);
        composer_.print("\n%s\n\n", project.componentNames[c].c_str());
        for (int e = 0; e < project.elementCount[c]; ++e) {
            if (e > 0) composer_.beginBlock();
            writeElementName(project.elementNames[c][e]);
            if (project.permRowCount[c][e] > 0) writePermanentTable(project, c, e);
            if (project.imposedRowCount[c][e] > 0) writeImposedTable(project, c, e);
        }
    }

private:
    int widestHeading() const {
        int widest = 0;
        for (const Heading& heading : kHeadings) {
            widest = std::max({widest, composer_.textWidth(fonts_.fontText, heading.line1),
                               composer_.textWidth(fonts_.fontText, heading.line2)});
        }
        return static_cast<int>(widest * kColumnWidthFactor);
    }

    // Every column table is made the same way: the code letters zero the widths,
    // the given widths are set, the columns start one after the other from 0.
    // Returns the width column 0 got.
    int applyTable(std::string_view code, std::span<const int> setWidths) {
        std::vector<int> widths(code.size());
        std::vector<CellFlags> flags(code.size());
        PageComposer::parseColumnCode(code, widths, flags);
        for (std::size_t i = 0; i < setWidths.size(); ++i) {
            PageComposer::widenColumn(widths, static_cast<int>(i), setWidths[i]);
        }
        composer_.applyColumns(PageComposer::widthsToPositions(widths, 0), flags);
        return widths[0];
    }

    // The name column takes what the number columns leave of the printable width;
    // they end at its right edge, where one more column starts. A table of fewer
    // than `minimumColumns` gets that many number columns all the same.
    int applyNumberColumns(int count, int minimumColumns) {
        const std::string code = count >= 2 ? "l" + std::string(static_cast<std::size_t>(count), 'r') + "l" : "lrl";
        std::vector<int> widths(static_cast<std::size_t>(std::max(count, minimumColumns)) + 1, columnWidth_);
        widths[0] = composer_.printableWidth() - count * columnWidth_;
        return applyTable(code, widths);
    }

    void writeElementName(const std::string& name, const char* suffix = "") {
        composer_.selectFont(fonts_.fontBold);
        const std::array<int, 1> widths{composer_.printableWidth() / kElementNameShare};
        applyTable("ll", widths);
        composer_.print("%s%s%s\n", name.c_str(), suffix, " :");
        composer_.selectFont(fonts_.fontText);
    }

    // Where a table has to be split, the page it goes on on begins with the element's
    // name and the table's two heading lines again. Leaves the table's columns set.
    void writeContinuationHead(const std::string& elementName, const char* title, const Present& present,
                               int minimumColumns) {
        composer_.beginContinuationHead();
        writeElementName(elementName, " (Fortsetzung)");
        applyNumberColumns(presentCount(present), minimumColumns);
        writeHeading(title, present);
        composer_.endContinuationHead();
        applyNumberColumns(presentCount(present), minimumColumns);
    }

    void writeHeading(const char* title, const Present& present) {
        composer_.print("%s\t", title);
        for (int column = 0; column < kColumnCount; ++column) {
            if (present[column]) composer_.print("%s\t", kHeadings[column].line1);
        }
        composer_.print("\n\t");
        for (int column = 0; column < kColumnCount; ++column) {
            if (present[column]) composer_.print("%s\t", kHeadings[column].line2);
        }
        composer_.print("\n");
    }

    // The point load stands in the last column and is followed by no break.
    void writeCells(const Cells& cells, const Present& present) {
        for (int column = 0; column < kColumnCount; ++column) {
            if (!present[column]) continue;
            composer_.print(column == kPointLoad ? "%s" : "%s\t", cells[column].c_str());
        }
    }

    // A name too wide for its room is split once; the rest follows on a line of
    // its own, however long. The last row stays together with the rule and the sums
    // line after it, so that a sum never begins a page alone.
    void writeRow(const ListedRow& row, const Present& present, int nameWidth, bool last) {
        const int limit = nameWidth + (row.nameMayWiden ? 2 * columnWidth_ : 0);
        const int width = composer_.textWidth(fonts_.fontText, row.name);
        const bool split = width > limit;
        const NameParts parts = split ? splitName(row.name, width, limit) : NameParts{row.name, {}};
        if (last) composer_.keepTogether((split ? 2 : 1) + kSumsLines);
        composer_.print("%s\t", parts.first.c_str());
        writeCells(row.cells, present);
        composer_.print("\n");
        if (split) composer_.print("%s\n", parts.rest.c_str());
    }

    // The rule and the sums line close the table's block.
    void writeSums(const LoadSums& sums, const Present& present) {
        Cells cells;
        cells[kAreaLoad] = formatLoad(sums.area);
        cells[kLineLoad] = formatLoad(sums.line);
        cells[kPointLoad] = formatLoad(sums.point);
        composer_.selectFont(fonts_.fontBold);
        composer_.rule(CF_RULE_MIDDLE);
        composer_.print("\t");
        writeCells(cells, present);
        composer_.print("\n");
        composer_.endBlock();
        composer_.endContinuation();
    }

    void writePermanentTable(const ProjectData& project, int c, int e) {
        const std::span<const PermanentRow> rows(&project.permanentRow(c, e, 0), project.permRowCount[c][e]);
        const TableShape shape = permanentShape(rows);
        const Present& present = shape.present;
        const int nameWidth = applyNumberColumns(presentCount(present), 0);
        writeHeading("Bauteilschichten", present);
        writeContinuationHead(project.elementNames[c][e], "Bauteilschichten", present, 0);
        for (const PermanentRow& row : rows) {
            const Cells cells{row.unitWeight,
                              withDecimals(row.thickness, shape.thicknessDecimals),
                              row.areaLoad,
                              withDecimals(row.influenceWidth, shape.widthDecimals),
                              row.lineLoad,
                              row.pointLoad};
            const bool overLayerCells = present[kUnitWeight] && row.rowUnit != PermanentUnit::Layer;
            writeRow({row.description, cells, overLayerCells}, present, nameWidth, &row == &rows.back());
        }
        writeSums(permanentSums(project, c, e), present);
        composer_.selectFont(fonts_.fontText);
        composer_.print("\n");
    }

    void writeImposedTable(const ProjectData& project, int c, int e) {
        composer_.beginBlock();
        const std::span<const ImposedRow> rows(&project.imposedRow(c, e, 0), project.imposedRowCount[c][e]);
        const TableShape shape = imposedShape(rows);
        const Present& present = shape.present;
        // A table without any of these columns still gets one number column,
        // beyond the printable width.
        const int nameWidth = applyNumberColumns(presentCount(present), 1);
        writeHeading("Nutzlasten", present);
        writeContinuationHead(project.elementNames[c][e], "Nutzlasten", present, 1);
        const bool areaAndWidth = present[kAreaLoad] && present[kInfluenceWidth];
        for (const ImposedRow& row : rows) {
            const Cells cells{"", "", row.areaLoad, withDecimals(row.influenceWidth, shape.widthDecimals),
                              row.lineLoad, row.pointLoad};
            const bool overAreaCells = areaAndWidth && row.rowUnit != ImposedUnit::AreaLoad;
            writeRow({row.description, cells, overAreaCells}, present, nameWidth, &row == &rows.back());
        }
        writeSums(imposedSums(project, c, e), present);
        // Unlike after a permanent table, the blank line here has the bold font's height.
        composer_.print("\n");
        composer_.selectFont(fonts_.fontText);
    }

    PageComposer& composer_;
    const OutputFonts& fonts_;
    const int columnWidth_;  // of every number column
};

bool hasAnyRow(const ProjectData& project) {
    for (int c = 0; c < project.componentCount; ++c) {
        for (int e = 0; e < project.elementCount[c]; ++e) {
            if (project.permRowCount[c][e] > 0 || project.imposedRowCount[c][e] > 0) return true;
        }
    }
    return false;
}

}  // namespace

LoadListingResult writeLoadListing(PageComposer& composer, const ProjectData& project, const OutputFonts& fonts) {
    if (const std::optional<ElementRef> missing = firstElementMissingThickness(project)) {
        return {false, missingThicknessMessage(project.elementNames[missing->component][missing->element])};
    }
    if (!hasAnyRow(project)) return {};
    ListingWriter writer(composer, fonts);
    for (int c = 0; c < project.componentCount; ++c) writer.writeComponent(project, c);
    return {};
}

}  // namespace tavo
