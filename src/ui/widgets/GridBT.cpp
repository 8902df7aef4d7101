#include "ui/widgets/GridBT.h"

#include <QFontMetrics>
#include <QHeaderView>

#include <algorithm>
#include <array>

#include "ui/ComponentList.h"
#include "model/RowEdits.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

// Titles in UTF-8; two blanks break a title into two header lines.
constexpr std::array<const char*, 7> kPermanentTitles{"Bezeichnung",         "Wichte [kN/m³]",       "Schicht-  dicke[cm]",
                                                      "Last  [kN/m²]",       "Einfluss-  breite[m]", "Last  [kN/m]",
                                                      "Last [kN]"};
constexpr std::array<const char*, 5> kImposedTitles{"Bezeichnung", "Last  [kN/m²]", "Einfluss-  breite[m]", "Last  [kN/m]",
                                                    "Last [kN]"};

constexpr int kThicknessColumn = 3;
constexpr int kPermanentWidthColumn = 5;
constexpr int kImposedWidthColumn = 3;

// Column 1 holds the names; the others hold numbers, of which only the
// columns the user types into are edit cells.
void setUpColumns(XGridWnd& grid, std::initializer_list<int> editColumns) {
    grid.SetColumnStyle(1, XGridWnd::CellKind::Static, Qt::AlignLeft);
    for (int c = 2; c <= grid.GetColCount(); ++c) {
        const bool edit = std::find(editColumns.begin(), editColumns.end(), c) != editColumns.end();
        grid.SetColumnStyle(c, edit ? XGridWnd::CellKind::Edit : XGridWnd::CellKind::Static, Qt::AlignRight);
    }
}

std::string title(const char* utf8) { return utf8ToWindows1252(utf8); }

}  // namespace

GridBT_Gew::GridBT_Gew(const ComponentList& list, std::function<void()> markModified, QWidget* parent)
    : GridBT(7, kMaxPermanentRows, list, std::move(markModified), parent) {}

void GridBT_Gew::SetupColumns() { setUpColumns(*this, {kThicknessColumn, kPermanentWidthColumn}); }

void GridBT_Gew::CellText(int column, int row, std::string& text) {
    const PermanentRow* r = list_.permanentRow(row);
    if (r == nullptr) return;
    const std::array<const std::string*, 7> texts{&r->description, &r->unitWeight, &r->thickness, &r->areaLoad,
                                                  &r->influenceWidth, &r->lineLoad,   &r->pointLoad};
    if (column >= 1 && column <= 7) text = *texts[column - 1];
}

void GridBT_Gew::ColumnTitle(int column, std::string& text) {
    if (column >= 1 && column <= 7) text = title(kPermanentTitles[column - 1]);
}

void GridBT_Gew::CommitCellText(int column, int row, const std::string& text) {
    PermanentRow* r = list_.permanentRow(row);
    if (r == nullptr) return;
    const bool changed = column == kThicknessColumn        ? editThickness(*r, text)
                         : column == kPermanentWidthColumn ? editInfluenceWidth(*r, text)
                                                           : false;
    if (changed) markModified_();
}

GridBT_NU::GridBT_NU(const ComponentList& list, std::function<void()> markModified, QWidget* parent)
    : GridBT(5, kMaxImposedRows, list, std::move(markModified), parent) {}

void GridBT_NU::SetupColumns() { setUpColumns(*this, {kImposedWidthColumn}); }

void GridBT_NU::CellText(int column, int row, std::string& text) {
    const ImposedRow* r = list_.imposedRow(row);
    if (r == nullptr) return;
    const std::array<const std::string*, 5> texts{&r->description, &r->areaLoad, &r->influenceWidth, &r->lineLoad,
                                                  &r->pointLoad};
    if (column >= 1 && column <= 5) text = *texts[column - 1];
}

void GridBT_NU::ColumnTitle(int column, std::string& text) {
    if (column >= 1 && column <= 5) text = title(kImposedTitles[column - 1]);
}

void GridBT_NU::CommitCellText(int column, int row, const std::string& text) {
    ImposedRow* r = list_.imposedRow(row);
    if (r != nullptr && column == kImposedWidthColumn && editInfluenceWidth(*r, text)) markModified_();
}

void layOutRowGrid(XGridWnd& grid, int rows) {
    // A number column is as wide as the longer line of its title.
    const QFontMetrics metrics(grid.horizontalHeader()->font());
    const int margin = 2 * metrics.averageCharWidth();
    for (int c = 2; c <= grid.GetColCount(); ++c) {
        std::string text;
        grid.GetColumnTitle(c, text);
        int width = 0;
        for (const QString& line : QString::fromStdString(windows1252ToUtf8(text)).split(QStringLiteral("  ")))
            width = std::max(width, metrics.horizontalAdvance(line));
        grid.SetColWidth(c, width + margin);
    }
    grid.SetStretchColumn(1);
    grid.FitHeightToRows(rows);
}

}  // namespace tavo
