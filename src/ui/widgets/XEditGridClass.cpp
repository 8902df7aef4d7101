#include "ui/widgets/XEditGridClass.h"

namespace tavo {
namespace {

// The widest grid has five columns that can ever take an entry.
constexpr int kLastCommittedColumn = 5;

}  // namespace

XEditGridClass::XEditGridClass(int columns, int rows, QWidget* parent)
    : XGridWnd(parent), columns_(columns), rows_(rows) {}

void XEditGridClass::CreateInPlace(const QString& title, bool withScrollBars) {
    setAccessibleName(title);
    const Qt::ScrollBarPolicy policy = withScrollBars ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(withScrollBars ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    Initialize(rows_, columns_);
}

void XEditGridClass::Reload() {
    SetupColumns();
    XGridWnd::Reload();
}

void XEditGridClass::GetColumnTitle(int column, std::string& text) {
    text.clear();
    ColumnTitle(column, text);
}

void XEditGridClass::GetCellText(int row, int column, std::string& text) {
    text.clear();
    CellText(column, row, text);
}

bool XEditGridClass::StoreCellText(int row, int column, const std::string& text) {
    if (column >= 1 && column <= kLastCommittedColumn) CommitCellText(column, row, text);
    return true;
}

}  // namespace tavo
