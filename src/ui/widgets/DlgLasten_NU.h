#pragma once

#include "ui/widgets/LoadPage.h"

namespace tavo {

class GridLasten_NU;
class GridLasten_eigNU;

// The page "Nutzlasten": the imposed-load tables of the standard or the user's
// own tables, from which entries are taken over into the imposed rows of the
// active element.
class DlgLasten_NU : public CLoadPage {
    Q_OBJECT

public:
    explicit DlgLasten_NU(Document& document);

    GridLasten_NU* builtInGrid() const { return builtInGrid_; }
    GridLasten_eigNU* ownGrid() const { return ownGrid_; }
    QPushButton* newTableButton() const { return newTable_; }

protected:
    int source() const override;
    void setSource(int source) override;
    bool filled() const override;
    void setFilled() override;
    void listRows() override;
    void rowClicked(int row, bool checked) override;
    void nameLeft(int row, const std::string& typed) override;
    void unitChosen(int row, int unit) override;
    bool takeOverEntry(int entry, EntryDialogs& dialogs) override;
    void sourceChosen(int source) override;

private:
    ImposedLoadTables& tables() const;
    void chooseBuiltInTable(int table);
    void chooseOwnTable(int table);

    GridLasten_NU* builtInGrid_;
    GridLasten_eigNU* ownGrid_;
    QPushButton* newTable_;
    bool pendingTable_ = false;
};

}  // namespace tavo
