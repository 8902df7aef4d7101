#include "ui/widgets/LoadGrids.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QToolTip>

#include <algorithm>

#include "library/SelfWeightData.h"
#include "model/Windows1252.h"
#include "ui/Document.h"
#include "ui/OwnLoadTables.h"

namespace tavo {
namespace {

constexpr auto kBuiltIn = PermanentLoadTables::kBuiltIn;
constexpr auto kOwn = PermanentLoadTables::kOwn;

// The headers hold characters beyond ASCII; grid texts are Windows-1252.
std::string cp1252(std::string_view utf8) { return utf8ToWindows1252(utf8); }

int charWidth(const QWidget* grid) { return grid->fontMetrics().averageCharWidth(); }

// The width of a header text with some room around it.
int headerWidth(const QWidget* grid, const std::string& text) {
    return static_cast<int>(1.2 * charWidth(grid) * static_cast<int>(text.size()));
}

int rowHeaderWidth(const XGridWnd* grid) {
    return grid->verticalHeader()->isVisible() ? grid->verticalHeader()->width() : 0;
}

std::string ownPermanentValueHeader(std::uint32_t unit) {
    switch (unit) {
    case PermanentUnit::Layer: return cp1252("Wichte (kN/m³)");
    case PermanentUnit::AreaLoad: return cp1252("Last (kN/m²)");
    case PermanentUnit::LineLoad: return "Last [kN/m]";
    default: return "Last [kN]";
    }
}

std::string imposedValueHeader(std::int32_t unit) {
    switch (unit) {
    case ImposedUnit::AreaLoad: return cp1252("Flächenlast [kN/m²]");
    case ImposedUnit::LineLoad: return "Linienlast [kN/m]";
    default: return "Einzellast [kN]";
    }
}

}  // namespace

GridLasten_ST::GridLasten_ST(Document& document, QWidget* parent)
    : XEditGridClass(4, PermanentLoadTables::kEntries, parent), document_(document) {}

void GridLasten_ST::SetupColumns() {
    SetColumnStyle(1, CellKind::Static, Qt::AlignLeft);
    SetColumnStyle(2, CellKind::Static, Qt::AlignLeft);
    SetColumnStyle(3, CellKind::Static, Qt::AlignHCenter);
    SetColumnStyle(4, CellKind::Edit, Qt::AlignRight);
}

void GridLasten_ST::ColumnTitle(int column, std::string& text) {
    const bool unitWeights = rowUnitOfGroup(static_cast<int>(document_.project().permanentTables.currentGroup)) ==
                             PermanentUnit::Layer;
    switch (column) {
    case 1: text = "Kategorie"; break;
    case 2: text = "Bezeichnung"; break;
    case 3: text = "von - bis"; break;
    case 4:
        if (shortValueHeader_) text = unitWeights ? "Wichte" : " Last ";
        else text = cp1252(unitWeights ? "Wichte (kN/m³)" : "Last (kN/m²)");
        break;
    default: break;
    }
}

void GridLasten_ST::CellText(int column, int row, std::string& text) {
    const PermanentLoadTables& tables = document_.project().permanentTables;
    if (tables.tableChosen == 0 || row < 1 || row > GetRowCount()) return;
    const int g = static_cast<int>(tables.currentGroup);
    const int t = static_cast<int>(tables.currentTable);
    const int e = row - 1;
    const std::string& value = tables.value[kBuiltIn][g][t][e];
    const auto field = [&value](int index) {
        std::size_t start = 0;
        for (int i = 0; i < index; ++i) start = value.find(';', start) + 1;
        return value.substr(start, value.find(';', start) - start);
    };
    const ValueKind kind = valueKindOf(value);
    switch (column) {
    case 1: text = tables.category[g][t][e]; break;
    case 2: text = tables.description[kBuiltIn][g][t][e]; break;
    case 3:
        if (kind == ValueKind::Range) text = field(0) + " - " + field(1);
        if (kind == ValueKind::DryDensity) text = field(4) + " - " + field(5);
        break;
    case 4:
        if (!tables.changedValue[g][t][e].empty()) text = tables.changedValue[g][t][e];
        else if (kind == ValueKind::Range) text = field(2);
        else if (kind == ValueKind::DryDensity) text = field(6);
        else text = value;
        break;
    default: break;
    }
}

void GridLasten_ST::CommitCellText(int column, int row, const std::string& text) {
    PermanentLoadTables& tables = document_.project().permanentTables;
    if (column != 4 || tables.tableChosen == 0) return;
    if (typeOverBuiltInValue(tables, static_cast<int>(tables.currentGroup), static_cast<int>(tables.currentTable),
                             row - 1, text))
        document_.markModified();
}

void GridLasten_ST::FitTableColumns() {
    const PermanentLoadTables& tables = document_.project().permanentTables;
    const int g = static_cast<int>(tables.currentGroup);
    const int t = static_cast<int>(tables.currentTable);
    std::size_t category = 0, description = 0;
    std::string range;
    for (int e = 0; e < tables.entryCount[kBuiltIn][g][t]; ++e) {
        category = std::max(category, tables.category[g][t][e].size());
        description = std::max(description, tables.description[kBuiltIn][g][t][e].size());
        std::string cell;
        CellText(3, e + 1, cell);
        if (cell.size() > range.size()) range = cell;
    }
    const int c = charWidth(this);
    int categoryWidth = std::max(c * static_cast<int>(category), 1);
    // A range wider than its header, such as "5.6 - 15.0", is not cut.
    const int rangeWidth = range.empty() ? 1 : std::max(headerWidth(this, "von - bis"), headerWidth(this, range));
    shortValueHeader_ = false;
    std::string header;
    ColumnTitle(4, header);
    int valueWidth = headerWidth(this, header);
    const int available = viewport()->width() - 2;
    const int needed = rowHeaderWidth(this) + c * static_cast<int>(description) + rangeWidth;
    if (needed + valueWidth + categoryWidth > available) {
        shortValueHeader_ = true;
        ColumnTitle(4, header);
        valueWidth = headerWidth(this, header);
        if (needed + valueWidth + categoryWidth > available) categoryWidth = std::max(categoryWidth * 9 / 10, 1);
    }
    SetColWidth(1, categoryWidth);
    SetColWidth(3, rangeWidth);
    SetColWidth(4, valueWidth);
    SetStretchColumn(2);
    Redraw();
}

// The widths depend on the grid's width, which is known only once the page is laid out.
void GridLasten_ST::resizeEvent(QResizeEvent* event) {
    XEditGridClass::resizeEvent(event);
    FitTableColumns();
}

bool GridLasten_ST::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return XEditGridClass::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const PermanentLoadTables& tables = document_.project().permanentTables;
    const std::string_view basis =
        index.isValid() && index.column() == 3 && tables.tableChosen != 0
            ? selfWeightBasisOf(static_cast<int>(tables.currentGroup), static_cast<int>(tables.currentTable), index.row())
            : std::string_view{};
    if (basis.empty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), QString::fromUtf8(basis.data(), static_cast<qsizetype>(basis.size())), this,
                           visualRect(index));
    }
    return true;
}

OwnLoadGrid::OwnLoadGrid(Document& document, int rows, QWidget* parent)
    : XEditGridClass(2, rows, parent), document_(document) {}

void OwnLoadGrid::SetupColumns() {
    SetColumnStyle(1, CellKind::Edit, Qt::AlignLeft);
    SetColumnStyle(2, CellKind::Edit, Qt::AlignRight);
}

void OwnLoadGrid::ColumnTitle(int column, std::string& text) {
    if (column == 1) text = "Bezeichnung";
    if (column == 2) text = valueHeader();
}

void OwnLoadGrid::CellText(int column, int row, std::string& text) {
    const Entries entries = chosenEntries();
    if (entries.count == nullptr || row < 1 || row > GetRowCount()) return;
    text = (column == 1 ? entries.descriptions : entries.values)[row - 1];
}

void OwnLoadGrid::CommitCellText(int column, int row, const std::string& text) {
    const Entries entries = chosenEntries();
    if (entries.count == nullptr || column > 2) return;
    if (editOwnEntry(entries.descriptions[row - 1], entries.values[row - 1], *entries.count, column, text))
        document_.markModified();
}

void OwnLoadGrid::FitTableColumns() {
    SetColWidth(2, headerWidth(this, longestValueHeader()));
    SetStretchColumn(1);
}

GridLasten_eigST::GridLasten_eigST(Document& document, QWidget* parent)
    : OwnLoadGrid(document, PermanentLoadTables::kEntries, parent) {}

OwnLoadGrid::Entries GridLasten_eigST::chosenEntries() const {
    PermanentLoadTables& tables = document_.project().permanentTables;
    if (tables.tableChosen == 0) return {};
    const auto g = tables.currentGroup;
    const auto t = tables.currentTable;
    return {tables.description[kOwn][g][t], tables.value[kOwn][g][t], &tables.entryCount[kOwn][g][t]};
}

std::string GridLasten_eigST::valueHeader() const {
    const PermanentLoadTables& tables = document_.project().permanentTables;
    return ownPermanentValueHeader(tables.ownTableUnit[tables.currentGroup][tables.currentTable]);
}

std::string GridLasten_eigST::longestValueHeader() const { return ownPermanentValueHeader(PermanentUnit::Layer); }

GridLasten_NU::GridLasten_NU(Document& document, QWidget* parent)
    : XEditGridClass(3, ImposedLoadTables::kEntries, parent), document_(document) {}

void GridLasten_NU::SetupColumns() {
    SetColumnStyle(1, CellKind::Static, Qt::AlignLeft);
    SetColumnStyle(2, CellKind::Static, Qt::AlignLeft);
    SetColumnStyle(3, CellKind::Static, Qt::AlignRight);
}

void GridLasten_NU::ColumnTitle(int column, std::string& text) {
    if (column == 1) text = "Kategorie";
    if (column == 2) text = "Bezeichnung";
    if (column != 3) return;
    text = imposedValueHeader(rowUnitOfTable(static_cast<int>(document_.project().imposedTables.currentTable)));
    // In a narrow value column the unit goes onto a second header line.
    if (wrapValueHeader_) text.replace(text.find(' '), 1, "  ");
}

void GridLasten_NU::CellText(int column, int row, std::string& text) {
    const ImposedLoadTables& tables = document_.project().imposedTables;
    if (tables.tableChosen == 0 || row < 1 || row > GetRowCount()) return;
    const auto t = tables.currentTable;
    if (column == 1) text = tables.category[t][row - 1];
    if (column == 2) text = tables.description[ImposedLoadTables::kBuiltIn][t][row - 1];
    if (column == 3) text = tables.value[ImposedLoadTables::kBuiltIn][t][row - 1];
}

void GridLasten_NU::FitTableColumns() {
    const ImposedLoadTables& tables = document_.project().imposedTables;
    const auto t = tables.currentTable;
    std::size_t category = 0, description = 0;
    for (int e = 0; e < tables.entryCount[ImposedLoadTables::kBuiltIn][t]; ++e) {
        category = std::max(category, tables.category[t][e].size());
        description = std::max(description, tables.description[ImposedLoadTables::kBuiltIn][t][e].size());
    }
    const int c = charWidth(this);
    const int categoryWidth = category == 0 ? 1 : std::max(c * static_cast<int>(category), headerWidth(this, "Kategorie"));
    wrapValueHeader_ = false;
    std::string header;
    ColumnTitle(3, header);
    int valueWidth = headerWidth(this, header);
    if (rowHeaderWidth(this) + valueWidth + c * static_cast<int>(description) + categoryWidth > viewport()->width() - 2) {
        valueWidth = valueWidth * 6 / 10;
        wrapValueHeader_ = true;
    }
    SetColWidth(1, categoryWidth);
    SetColWidth(3, valueWidth);
    SetStretchColumn(2);
    Redraw();
}

void GridLasten_NU::resizeEvent(QResizeEvent* event) {
    XEditGridClass::resizeEvent(event);
    FitTableColumns();
}

GridLasten_eigNU::GridLasten_eigNU(Document& document, QWidget* parent)
    : OwnLoadGrid(document, ImposedLoadTables::kEntries, parent) {}

OwnLoadGrid::Entries GridLasten_eigNU::chosenEntries() const {
    ImposedLoadTables& tables = document_.project().imposedTables;
    if (tables.tableChosen == 0) return {};
    const auto t = tables.currentTable;
    return {tables.description[ImposedLoadTables::kOwn][t], tables.value[ImposedLoadTables::kOwn][t],
            &tables.entryCount[ImposedLoadTables::kOwn][t]};
}

std::string GridLasten_eigNU::valueHeader() const {
    const ImposedLoadTables& tables = document_.project().imposedTables;
    return imposedValueHeader(tables.ownTableUnit[tables.currentTable]);
}

std::string GridLasten_eigNU::longestValueHeader() const { return imposedValueHeader(ImposedUnit::AreaLoad); }

GridBT_Bez::GridBT_Bez(Document& document, Rows rows, QWidget* parent)
    : XEditGridClass(1, rows == Rows::Permanent ? kMaxPermanentRows : kMaxImposedRows, parent),
      document_(document),
      rows_(rows) {}

void GridBT_Bez::SetupColumns() { SetColumnStyle(1, CellKind::Static, Qt::AlignLeft); }

void GridBT_Bez::ColumnTitle(int column, std::string& text) {
    if (column == 1) text = "Bezeichnung";
}

void GridBT_Bez::CellText(int column, int row, std::string& text) {
    const ProjectData& project = document_.project();
    if (column != 1 || row < 1 || row > GetRowCount()) return;
    const auto c = project.activeComponent;
    const auto e = project.activeElement;
    text = rows_ == Rows::Permanent ? project.permanentRow(static_cast<int>(c), static_cast<int>(e), row - 1).description
                                    : project.imposedRow(static_cast<int>(c), static_cast<int>(e), row - 1).description;
}

void GridBT_Bez::ShowActiveElement() {
    const ProjectData& project = document_.project();
    const auto& counts = rows_ == Rows::Permanent ? project.permRowCount : project.imposedRowCount;
    SetRowCount(counts[project.activeComponent][project.activeElement]);
    SetStretchColumn(1);
    Redraw();
}

}  // namespace tavo
