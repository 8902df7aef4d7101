#pragma once

#include <QTableView>

#include <string>
#include <vector>

namespace tavo {

class XGridModel;

// A grid that owns no cell data: a QTableView whose model asks the grid's
// virtual functions for every header and cell text when it draws, and hands
// an edited text back. The cell then shows whatever the owner now answers, so
// an entry the owner refuses silently gives way to the stored text again.
//
// Numbering: rows 1..GetRowCount() are data rows, row 0 is the column-header
// row; columns 1..GetColCount() are data columns, column 0 the row header.
// Every text passed through this interface is Windows-1252, like project texts.
// A column title may hold two blanks in a row: the header breaks the line there.
//
// Keys: Enter commits an edited cell and moves on to the next edit cell of the
// row, at the end of a row to the first edit cell of the next one (in the last
// row it stays); Escape in a cell editor commits like Enter; Tab and Shift+Tab
// leave the grid for the next or previous control of the page. Typing starts
// editing an edit cell, F2 and a double click too. The user can neither undo,
// move, resize nor select more than the current cell.
//
// Pages mostly derive from XEditGridClass (XEditGridClass.h) rather than from
// this class.
class XGridWnd : public QTableView {
    Q_OBJECT

public:
    enum class CellKind { Static, Edit };

    explicit XGridWnd(QWidget* parent = nullptr);
    ~XGridWnd() override;

    // Sets the grid up with its size; calls Reload() and FitColumns().
    void Initialize(int rows, int columns);

    // Mode 1 shows the row-header column (numbered rows), any other hides it.
    virtual void SetupRowHeaders(int mode, bool numbered);
    // Call after the data shown changed: redraws every cell, lets the next
    // FitColumns() share out the width again and makes sure a cell is current.
    virtual void Reload();
    // While the fit mode is -1, every data column gets the same share of the
    // width; then the widths stay until the next Reload().
    virtual void FitColumns();

    // The texts of headers and cells. The defaults: the column-th part of the
    // window title split at "|", "Zeile r, Spalte c" and the row number.
    virtual void GetColumnTitle(int column, std::string& text);
    virtual void GetCellText(int row, int column, std::string& text);
    virtual void GetRowTitle(int row, std::string& text);
    // An edited cell; the default stores nothing.
    virtual bool StoreCellText(int row, int column, const std::string& text);

    // The current cell's data row counted from 0, or -1 when no cell is current.
    int GetCurrentRowIndex() const;
    // 1-based; (0, 0) when no cell is current.
    void GetCurrentCell(int& row, int& column) const;
    // (0, 0) clears the current cell.
    void SetCurrentCell(int row, int column);

    int GetRowCount() const { return rowCount_; }
    int GetColCount() const { return colCount_; }
    void SetRowCount(int rows);
    void SetColCount(int columns);

    // The kind and horizontal alignment of a whole data column; a column
    // without a style is display-only and left-aligned.
    void SetColumnStyle(int column, CellKind kind, Qt::Alignment alignment);
    bool IsEditCell(int row, int column) const;
    Qt::Alignment ColumnAlignment(int column) const;

    // Widths in pixels; column 0 is the row header. Setting a width ends the
    // fit of FitColumns() until the next Reload().
    int GetColWidth(int column) const;
    void SetColWidth(int column, int width);
    // The column that takes what the others leave of the width.
    void SetStretchColumn(int column);
    int GetRowHeight(int row) const;
    // Sizes the grid so that it shows exactly rows 0 to toRow.
    void FitHeightToRows(int toRow);

    // Redraws the given cells, or all of them and the headers.
    void RedrawRowCol(int row, int column, int toRow, int toColumn);
    void Redraw();

    // The move that Enter makes; true when the current cell changed.
    bool MoveToNextEditCell();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class XGridDelegate;

    struct ColumnStyle {
        CellKind kind = CellKind::Static;
        Qt::Alignment alignment = Qt::AlignLeft;
    };

    // A key that ends the editing of a cell, after the cell was committed.
    void editorClosedByKey(int key);
    void leaveGrid(bool forward);

    XGridModel* model_;
    int rowCount_ = 0;
    int colCount_ = 0;
    int fitMode_ = -1;
    bool initialized_ = false;
    std::vector<ColumnStyle> styles_;
};

}  // namespace tavo
