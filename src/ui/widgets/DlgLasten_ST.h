#pragma once

#include "ui/Accordion.h"
#include "ui/widgets/LoadPage.h"

namespace tavo {

class GridLasten_ST;
class GridLasten_eigST;

// The page "Ständige Lasten": the self-weight library by groups and tables, or
// the user's own groups and tables, from which entries are taken over into the
// permanent rows of the active element.
class DlgLasten_ST : public CLoadPage {
    Q_OBJECT

public:
    explicit DlgLasten_ST(Document& document);

    GridLasten_ST* builtInGrid() const { return builtInGrid_; }
    GridLasten_eigST* ownGrid() const { return ownGrid_; }
    QPushButton* newGroupButton() const { return newGroup_; }
    QPushButton* newTableButton() const { return newTable_; }
    const Accordion& accordion() const { return accordion_; }

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
    PermanentLoadTables& tables() const;
    void chooseBuiltInGroup(int group);
    void chooseBuiltInTable(int table);
    void chooseOwnGroup(int group);
    void chooseOwnTable(int table);
    void addPendingRow(bool group);

    GridLasten_ST* builtInGrid_;
    GridLasten_eigST* ownGrid_;
    QPushButton* newGroup_;
    QPushButton* newTable_;
    Accordion accordion_;
    bool pendingGroup_ = false;
    bool pendingTable_ = false;
};

}  // namespace tavo
