#pragma once

#include <QString>

#include <string>

#include "ui/widgets/XGridWnd.h"

namespace tavo {

// An editable grid of a page. A concrete grid plugs in four things:
//
//   SetupColumns()                  calls SetColumnStyle(column, kind, alignment)
//                                   for each column (edit or display-only);
//   CellText(column, row, text)     the text of data cell (column, row), from the
//                                   project; rows without data give the empty text;
//   ColumnTitle(column, text)       the header text; two blanks in a row break
//                                   it into two lines ("Schicht-  dicke[cm]");
//   CommitCellText(column, row, t)  parses and stores an edited cell, or ignores
//                                   it; the grid then redraws the whole row from
//                                   CellText, so derived cells follow at once.
//
// Columns and rows count from 1; note the order (column, row). Texts are
// Windows-1252. A page constructs the grid with its size, calls
// CreateInPlace(title, ...) once, puts it into its layout, and calls Reload()
// whenever the data shown changed (another element, rows added or deleted).
// The title becomes the grid's accessible name; give the label above the grid
// the grid as its buddy. Only columns 1 to 5 are ever committed.
//
//     class GridExample : public XEditGridClass {
//     public:
//         GridExample() : XEditGridClass(2, 15) {}
//     protected:
//         void SetupColumns() override {
//             SetColumnStyle(1, CellKind::Static, Qt::AlignLeft);
//             SetColumnStyle(2, CellKind::Edit, Qt::AlignRight);
//         }
//         void CellText(int column, int row, std::string& text) override { ... }
//         void ColumnTitle(int column, std::string& text) override { ... }
//         void CommitCellText(int column, int row, const std::string& text) override { ... }
//     };
class XEditGridClass : public XGridWnd {
    Q_OBJECT

public:
    XEditGridClass(int columns, int rows, QWidget* parent = nullptr);

    // Sets the grid up with the constructor's size; title names it for
    // assistive technology. Without scroll bars the grid shows no bars at all.
    void CreateInPlace(const QString& title, bool withScrollBars);

    void Reload() override;
    void GetColumnTitle(int column, std::string& text) override;
    void GetCellText(int row, int column, std::string& text) override;
    bool StoreCellText(int row, int column, const std::string& text) override;

protected:
    virtual void SetupColumns() = 0;
    virtual void CellText(int column, int row, std::string& text) = 0;
    virtual void ColumnTitle(int column, std::string& text) = 0;
    virtual void CommitCellText(int column, int row, const std::string& text) = 0;

private:
    int columns_;
    int rows_;
};

}  // namespace tavo
