#pragma once

#include <QDialog>

#include <array>
#include <functional>

#include "ui/ComponentList.h"
#include "ui/widgets/TabbedDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavo {

class GridBT_Gew;
class GridBT_NU;
class XGridWnd;

// The components page: the heading of the listing (two title lines and the
// number of its first page), the components with their elements in an
// expanding list, and the rows of the chosen element in two grids, where
// thicknesses and influence widths are typed. What the list shows and what each
// action does to the project is the ComponentList's; the page shows it.
class DlgAllgemein : public CTabbedDialog {
    Q_OBJECT

public:
    // Runs a modal dialog of the page; true when the user accepted it.
    using DialogRunner = std::function<bool(QDialog&)>;

    explicit DlgAllgemein(Document& document, QWidget* parent = nullptr);

    bool LoadPage(int) override;

    // Tests answer the page's dialogs through their own runner.
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    const ComponentList& componentList() const { return list_; }
    GridBT_Gew* permanentGrid() const { return permanentGrid_; }
    GridBT_NU* imposedGrid() const { return imposedGrid_; }

protected:
    void DoDataExchange(DataExchange& dx) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QCheckBox* marker;
        QLineEdit* name;
    };
    // The list, the buttons and the grids as the list says.
    void showState();
    // Both grids anew for the element chosen.
    void showElement();
    void applyFocus(ComponentList::Focus focus);
    // Every name typed, when the page is stored.
    void exchangeNames();
    // A name edit was left; false when its entry was refused.
    bool settleName(QLineEdit* edit, ComponentList::NameOutcome outcome, const std::string& stored);
    void nameLeft(QLineEdit* edit, ComponentList::NameOutcome outcome, const std::string& stored);
    void componentMarkerClicked(int row, bool checked);
    void elementMarkerClicked(int slot, bool checked);
    void copyElement();
    void deleteRow(RowKind kind);
    void correctRow(RowKind kind);
    XGridWnd* grid(RowKind kind) const;

    Document& document_;
    ComponentList list_;
    DialogRunner runDialog_;
    QLineEdit* titleLine1_;
    QLineEdit* titleLine2_;
    QLineEdit* startPage_;
    std::array<Line, ComponentList::kRows> components_;
    std::array<Line, ComponentList::kRows> elements_;
    QPushButton* newComponent_;
    QPushButton* newElement_;
    QPushButton* copyElement_;
    QLabel* permanentTitle_;
    GridBT_Gew* permanentGrid_;
    QPushButton* deletePermanent_;
    QPushButton* correctPermanent_;
    QLabel* imposedTitle_;
    GridBT_NU* imposedGrid_;
    QPushButton* deleteImposed_;
    QPushButton* correctImposed_;
};

}  // namespace tavo
