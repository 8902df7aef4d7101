#pragma once

#include "ui/widgets/XEditGridClass.h"

#include <cstdint>
#include <string>

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

// An own load table: description and value, both editable, each edit handed to
// the rules of OwnLoadTables. The two kinds differ only in where their entries
// live and in the value's unit.
class OwnLoadGrid : public XEditGridClass {
    Q_OBJECT

public:
    // Widths for the chosen table: the value column as wide as the longest of its headers.
    void FitTableColumns();

protected:
    // The entries of the chosen table; none when no table is chosen.
    struct Entries {
        std::string* descriptions = nullptr;
        std::string* values = nullptr;
        std::uint16_t* count = nullptr;
    };

    OwnLoadGrid(Document& document, int rows, QWidget* parent);
    virtual Entries chosenEntries() const = 0;
    virtual std::string valueHeader() const = 0;
    virtual std::string longestValueHeader() const = 0;

    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int column, int row, const std::string& text) override;

    Document& document_;
};

// The chosen own permanent-load table.
class GridLasten_eigST : public OwnLoadGrid {
    Q_OBJECT

public:
    explicit GridLasten_eigST(Document& document, QWidget* parent = nullptr);

protected:
    Entries chosenEntries() const override;
    std::string valueHeader() const override;
    std::string longestValueHeader() const override;
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
class GridLasten_eigNU : public OwnLoadGrid {
    Q_OBJECT

public:
    explicit GridLasten_eigNU(Document& document, QWidget* parent = nullptr);

protected:
    Entries chosenEntries() const override;
    std::string valueHeader() const override;
    std::string longestValueHeader() const override;
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
