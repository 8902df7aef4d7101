#pragma once

#include <functional>
#include <utility>

#include "ui/widgets/XEditGridClass.h"

namespace tavo {

class ComponentList;

// The two grids of the components page: the rows of the chosen element, with
// the thickness and influence widths typed in. A committed entry goes through
// the row edits and marks the project modified when it changed a row.
class GridBT : public XEditGridClass {
    Q_OBJECT

public:
    GridBT(int columns, int rows, const ComponentList& list, std::function<void()> markModified, QWidget* parent)
        : XEditGridClass(columns, rows, parent), list_(list), markModified_(std::move(markModified)) {}

protected:
    const ComponentList& list_;
    std::function<void()> markModified_;
};

// The permanent loads, with thickness and width to type.
class GridBT_Gew : public GridBT {
    Q_OBJECT

public:
    GridBT_Gew(const ComponentList& list, std::function<void()> markModified, QWidget* parent = nullptr);

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int column, int row, const std::string& text) override;
};

// The imposed loads, with the width to type.
class GridBT_NU : public GridBT {
    Q_OBJECT

public:
    GridBT_NU(const ComponentList& list, std::function<void()> markModified, QWidget* parent = nullptr);

protected:
    void SetupColumns() override;
    void CellText(int column, int row, std::string& text) override;
    void ColumnTitle(int column, std::string& text) override;
    void CommitCellText(int column, int row, const std::string& text) override;
};

// Columns 2 and on get the widths of their titles, column 1 what is left; the
// grid shows its header row and `rows` rows.
void layOutRowGrid(XGridWnd& grid, int rows);

}  // namespace tavo
