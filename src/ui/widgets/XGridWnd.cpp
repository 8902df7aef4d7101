#include "ui/widgets/XGridWnd.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>

#include "model/Numbers.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

QString toQString(const std::string& text) { return QString::fromStdString(windows1252ToUtf8(text)); }

bool isEnterOrEscape(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape; }

}  // namespace

// The model of a grid: it keeps nothing and passes every question to the grid.
class XGridModel : public QAbstractTableModel {
public:
    explicit XGridModel(XGridWnd& grid) : QAbstractTableModel(&grid), grid_(grid) {}

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : grid_.GetRowCount(); }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : grid_.GetColCount(); }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        if (role == Qt::DisplayRole || role == Qt::EditRole || role == Qt::AccessibleTextRole) {
            std::string text;
            grid_.GetCellText(index.row() + 1, index.column() + 1, text);
            return toQString(text);
        }
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(grid_.ColumnAlignment(index.column() + 1) | Qt::AlignVCenter);
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
        std::string text;
        if (orientation == Qt::Horizontal) {
            grid_.GetColumnTitle(section + 1, text);
            // Two blanks in a title mark where a two-line header breaks.
            QString title = toQString(text);
            if (role == Qt::DisplayRole) title.replace(QStringLiteral("  "), QStringLiteral("\n"));
            else title.replace(QStringLiteral("  "), QStringLiteral(" "));
            return title;
        }
        if (numberedRows) return QString::number(section + 1);
        grid_.GetRowTitle(section + 1, text);
        return toQString(text);
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (grid_.IsEditCell(index.row() + 1, index.column() + 1)) flags |= Qt::ItemIsEditable;
        return flags;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid() || role != Qt::EditRole) return false;
        grid_.StoreCellText(index.row() + 1, index.column() + 1, utf16ToWindows1252(value.toString().toStdU16String()));
        // A committed cell can change the cells derived from it.
        Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), grid_.GetColCount() - 1));
        return true;
    }

    void shapeChanged() {
        beginResetModel();
        endResetModel();
    }

    void everythingChanged() {
        if (grid_.GetRowCount() > 0 && grid_.GetColCount() > 0)
            Q_EMIT dataChanged(index(0, 0), index(grid_.GetRowCount() - 1, grid_.GetColCount() - 1));
        if (grid_.GetColCount() > 0) Q_EMIT headerDataChanged(Qt::Horizontal, 0, grid_.GetColCount() - 1);
        if (grid_.GetRowCount() > 0) Q_EMIT headerDataChanged(Qt::Vertical, 0, grid_.GetRowCount() - 1);
    }

    bool numberedRows = true;

private:
    XGridWnd& grid_;
};

// The cell editor's keys: Enter and Escape commit and move on, Tab and
// Shift+Tab commit and leave the grid. Leaving the cell otherwise (a click
// elsewhere) commits as well, by the delegate's own rule.
class XGridDelegate : public QStyledItemDelegate {
public:
    explicit XGridDelegate(XGridWnd& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor != nullptr && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (isEnterOrEscape(key) || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                Q_EMIT commitData(editor);
                Q_EMIT closeEditor(editor, QAbstractItemDelegate::NoHint);
                grid_.editorClosedByKey(key);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    XGridWnd& grid_;
};

XGridWnd::XGridWnd(QWidget* parent) : QTableView(parent), model_(new XGridModel(*this)) {
    setModel(model_);
    setItemDelegate(new XGridDelegate(*this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(false);
    setDragEnabled(false);
    setCornerButtonEnabled(false);
    setWordWrap(false);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionsMovable(false);
        header->setSectionsClickable(false);
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
}

XGridWnd::~XGridWnd() = default;

void XGridWnd::Initialize(int rows, int columns) {
    SetRowCount(rows);
    SetColCount(columns);
    initialized_ = true;
    SetupRowHeaders(0, true);
    Reload();
    FitColumns();
}

void XGridWnd::SetupRowHeaders(int mode, bool numbered) {
    model_->numberedRows = numbered;
    QHeaderView* header = verticalHeader();
    if (mode != 1) {
        header->setVisible(false);
        return;
    }
    int digits = 1;
    for (int n = rowCount_; n >= 10 && digits < 8; n /= 10) ++digits;
    header->setVisible(true);
    header->setFixedWidth(GetRowHeight(1) / 2 * (digits + 1));
}

void XGridWnd::Reload() {
    fitMode_ = -1;
    SetupRowHeaders(1, true);
    model_->everythingChanged();
    int row = 0, column = 0;
    GetCurrentCell(row, column);
    if (row == 0 && rowCount_ > 0 && colCount_ > 0) SetCurrentCell(1, 1);
}

void XGridWnd::FitColumns() {
    if (colCount_ == 0 || fitMode_ != -1) return;
    const int width = (viewport()->width() - 1) / colCount_;
    for (int c = 1; c <= colCount_; ++c) {
        horizontalHeader()->setSectionResizeMode(c - 1, QHeaderView::Fixed);
        setColumnWidth(c - 1, width);
    }
    fitMode_ = 0;
}

void XGridWnd::GetColumnTitle(int column, std::string& text) {
    const QStringList parts = windowTitle().split(QLatin1Char('|'));
    text = column >= 1 && column <= parts.size() ? utf16ToWindows1252(parts[column - 1].toStdU16String()) : std::string();
}

void XGridWnd::GetCellText(int row, int column, std::string& text) { text = formatString("Zeile %d, Spalte %d", row, column); }

void XGridWnd::GetRowTitle(int row, std::string& text) { text = formatString("%d", row); }

bool XGridWnd::StoreCellText(int, int, const std::string&) { return true; }

int XGridWnd::GetCurrentRowIndex() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void XGridWnd::GetCurrentCell(int& row, int& column) const {
    const QModelIndex current = currentIndex();
    row = current.isValid() ? current.row() + 1 : 0;
    column = current.isValid() ? current.column() + 1 : 0;
}

void XGridWnd::SetCurrentCell(int row, int column) {
    if (row < 1 || column < 1 || row > rowCount_ || column > colCount_) {
        setCurrentIndex(QModelIndex());
        return;
    }
    const QModelIndex cell = model_->index(row - 1, column - 1);
    setCurrentIndex(cell);
    scrollTo(cell);
}

void XGridWnd::SetRowCount(int rows) {
    rowCount_ = std::max(rows, 0);
    model_->shapeChanged();
}

void XGridWnd::SetColCount(int columns) {
    colCount_ = std::max(columns, 0);
    styles_.resize(colCount_);
    model_->shapeChanged();
}

void XGridWnd::SetColumnStyle(int column, CellKind kind, Qt::Alignment alignment) {
    if (column < 1 || column > colCount_) return;
    styles_[column - 1] = {kind, alignment};
    RedrawRowCol(1, column, rowCount_, column);
}

bool XGridWnd::IsEditCell(int row, int column) const {
    return row >= 1 && row <= rowCount_ && column >= 1 && column <= colCount_ &&
           styles_[column - 1].kind == CellKind::Edit;
}

Qt::Alignment XGridWnd::ColumnAlignment(int column) const {
    return column >= 1 && column <= colCount_ ? styles_[column - 1].alignment : Qt::AlignLeft;
}

int XGridWnd::GetColWidth(int column) const {
    if (column == 0) return !verticalHeader()->isHidden() ? verticalHeader()->width() : 0;
    return columnWidth(column - 1);
}

void XGridWnd::SetColWidth(int column, int width) {
    fitMode_ = 0;
    if (column == 0) {
        verticalHeader()->setFixedWidth(width);
        return;
    }
    horizontalHeader()->setSectionResizeMode(column - 1, QHeaderView::Fixed);
    setColumnWidth(column - 1, width);
}

void XGridWnd::SetStretchColumn(int column) {
    fitMode_ = 0;
    if (column >= 1 && column <= colCount_) horizontalHeader()->setSectionResizeMode(column - 1, QHeaderView::Stretch);
}

int XGridWnd::GetRowHeight(int row) const {
    if (row == 0) return !horizontalHeader()->isHidden() ? horizontalHeader()->sizeHint().height() : 0;
    return row <= rowCount_ ? rowHeight(row - 1) : verticalHeader()->defaultSectionSize();
}

void XGridWnd::FitHeightToRows(int toRow) {
    int height = 2 * frameWidth() + GetRowHeight(0);
    for (int r = 1; r <= toRow; ++r) height += GetRowHeight(r);
    if (horizontalScrollBar()->isVisible()) height += horizontalScrollBar()->sizeHint().height();
    setFixedHeight(height);
}

void XGridWnd::RedrawRowCol(int row, int column, int toRow, int toColumn) {
    row = std::max(row, 1);
    column = std::max(column, 1);
    toRow = std::min(toRow, rowCount_);
    toColumn = std::min(toColumn, colCount_);
    if (row > toRow || column > toColumn) return;
    Q_EMIT model_->dataChanged(model_->index(row - 1, column - 1), model_->index(toRow - 1, toColumn - 1));
}

void XGridWnd::Redraw() { model_->everythingChanged(); }

bool XGridWnd::MoveToNextEditCell() {
    int row = 0, column = 0;
    GetCurrentCell(row, column);
    if (row == 0) return false;
    for (int c = column + 1; c <= colCount_; ++c) {
        if (IsEditCell(row, c)) {
            SetCurrentCell(row, c);
            return true;
        }
    }
    if (row == rowCount_) return false;
    // The next row starts at its first edit cell; without one the column stays.
    int next = column;
    for (int c = 1; c <= colCount_; ++c) {
        if (IsEditCell(row + 1, c)) {
            next = c;
            break;
        }
    }
    SetCurrentCell(row + 1, next);
    return true;
}

void XGridWnd::keyPressEvent(QKeyEvent* event) {
    // Enter moves on as it does after an entry; Escape is kept from the page.
    if (isEnterOrEscape(event->key()) && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (event->key() != Qt::Key_Escape) MoveToNextEditCell();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void XGridWnd::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    if (initialized_) FitColumns();
}

void XGridWnd::editorClosedByKey(int key) {
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) leaveGrid(key == Qt::Key_Tab);
    else MoveToNextEditCell();
}

void XGridWnd::leaveGrid(bool forward) {
    // The page, not the grid, decides where Tab goes; the grid only hands it on.
    setFocus(Qt::OtherFocusReason);
    focusNextPrevChild(forward);
}

}  // namespace tavo
