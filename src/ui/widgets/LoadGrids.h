#pragma once

#include "ui/widgets/XEditGridClass.h"

namespace tavo {

class Document;

// The grids of the two load pages. They show the chosen table of the project's
// load tables and hand edits to the rules of OwnLoadTables; the pages choose
// the table and call Reload().

// The chosen built-in self-weight table; the value column can be typed over.
// The value cell's tool tip tells where the value comes from.
class GridLasten_ST : public XEditGridClass {
    Q_OBJECT

public:
    explicit GridLasten_ST(Document& document, QWidget* parent = nullptr);
    // Widths for the chosen table; the value header is shortened when the long one does not fit.
    void FitTableColumns();

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int column, int row, const std::string& text) override;
    bool viewportEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Document& document_;
    bool shortValueHeader_ = false;
};

// The chosen own permanent-load table: description and value, both editable.
class GridLasten_eigST : public XEditGridClass {
    Q_OBJECT

public:
    explicit GridLasten_eigST(Document& document, QWidget* parent = nullptr);
    void FitTableColumns();

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int column, int row, const std::string& text) override;

private:
    Document& document_;
};

// The chosen built-in imposed-load table, read-only.
class GridLasten_NU : public XEditGridClass {
    Q_OBJECT

public:
    explicit GridLasten_NU(Document& document, QWidget* parent = nullptr);
    void FitTableColumns();

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int, int, const std::string&) override {}
    void resizeEvent(QResizeEvent* event) override;

private:
    Document& document_;
    bool wrapValueHeader_ = false;
};

// The chosen own imposed-load table.
class GridLasten_eigNU : public XEditGridClass {
    Q_OBJECT

public:
    explicit GridLasten_eigNU(Document& document, QWidget* parent = nullptr);
    void FitTableColumns();

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int column, int row, const std::string& text) override;

private:
    Document& document_;
};

// The names of the active element's permanent or imposed rows, read-only.
class GridBT_Bez : public XEditGridClass {
    Q_OBJECT

public:
    enum class Rows { Permanent, Imposed };
    GridBT_Bez(Document& document, Rows rows, QWidget* parent = nullptr);
    // The row count of the active element, and the grid redrawn.
    void ShowActiveElement();

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int, int, const std::string&) override {}

private:
    Document& document_;
    Rows rows_;
};

}  // namespace tavo
