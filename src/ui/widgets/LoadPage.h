#pragma once

#include <QString>

#include <string>
#include <vector>

#include "ui/OwnLoadTables.h"
#include "ui/widgets/LoadEntryDialogs.h"
#include "ui/widgets/MessageSink.h"
#include "ui/widgets/TabbedDialog.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tavo {

class Document;
class GridBT_Bez;
class TakeOverButtons;
class XGridWnd;

// What both load pages share: the choice between the built-in and the own
// tables, the chooser rows (radio buttons for built-in groups and tables; a
// marker, a name field and for tables a unit box for own ones), the table grids
// with an "Übernehmen" button beside each row, and the line of the active
// element with the names of its rows. The pages decide what the rows are and
// what a choice does; the take-over itself is the core's.
class CLoadPage : public CTabbedDialog {
    Q_OBJECT

public:
    // The "Übernehmen" of the current grid row from the keyboard.
    static constexpr const char* kTakeOverShortcutText = "Strg+Eingabe";

    bool LoadPage(int) override;
    // How the page runs the entry dialogs (the program's dialog runner).
    void setDialogRun(ModalEntryDialogs::Run run) { run_ = std::move(run); }

    QRadioButton* builtInSourceButton() const { return builtInSource_; }
    QRadioButton* ownSourceButton() const { return ownSource_; }
    // The row's take-over button, 1-based.
    QPushButton* takeOverButton(int row) const;
    GridBT_Bez* rowNames() const { return rowNames_; }
    // The grid shown, or none.
    XGridWnd* shownGrid() const { return shownGrid_; }
    // The chooser row's marker or radio button is clicked, as the user would.
    void chooseRow(int row) { rowClicked(row, true); }

protected:
    struct ChooserRow {
        enum class Kind { BuiltIn, OwnGroup, OwnTable };
        Kind kind = Kind::BuiltIn;
        std::string text;  // the built-in name, or the own name (Windows-1252)
        bool checked = false;
        bool indented = false;
        int unit = 1;  // own tables: the unit code
    };

    CLoadPage(int templateId, const QString& caption, Document& document, GridBT_Bez* rowNames,
              const QString& builtInLabel, const QString& ownLabel, const QStringList& unitTexts);

    Document& document() const { return document_; }
    UserPrompts& prompts() { return prompts_; }

    // The project's source of the page's tables.
    virtual int source() const = 0;
    virtual void setSource(int source) = 0;
    // The page has been shown before since the last New or Open.
    virtual bool filled() const = 0;
    virtual void setFilled() = 0;
    // Lists the chooser rows for the source shown.
    virtual void listRows() = 0;
    virtual void rowClicked(int row, bool checked) = 0;
    virtual void nameLeft(int row, const std::string& typed) = 0;
    virtual void unitChosen(int row, int unit) = 0;
    // Takes entry (0-based) of the table shown over into the active element.
    virtual bool takeOverEntry(int entry, EntryDialogs& dialogs) = 0;
    // The source was switched by the user.
    virtual void sourceChosen(int source) = 0;

    void showRows(const std::vector<ChooserRow>& rows);
    QLineEdit* nameField(int row) const;
    // The grid with count rows and their buttons, or none; the note under it.
    void showGrid(XGridWnd* grid, int count);
    void hideGrids() { showGrid(nullptr, 0); }
    void showNote(const QString& note);
    // After an own name was left: a refused one shows the stored name again,
    // selected; a stored one marks the document and lists the rows anew.
    void showNameCommit(int row, NameCommit commit, const std::string& stored);
    // After an own table's unit was chosen: the rows list the stored unit, and
    // a changed one is marked and shown in the grid's header.
    void showUnitChange(bool changed, XGridWnd* ownGrid);
    // Buttons under the chooser rows ("Neue Tabelle einfügen").
    QPushButton* addChooserButton(const QString& text);
    void addGrid(XGridWnd* grid);

private:
    struct Slot;

    void buildSlot(int row);
    void showSource(int source);
    void takeOver(int row);
    void showActiveElement();

    Document& document_;
    MessageSinkPrompts prompts_;
    ModalEntryDialogs::Run run_;
    QGroupBox* frame_;
    QRadioButton* builtInSource_;
    QRadioButton* ownSource_;
    QStringList unitTexts_;
    std::vector<Slot*> slots_;
    QWidget* chooser_;
    QWidget* chooserButtons_;
    QWidget* gridPlace_;
    XGridWnd* shownGrid_ = nullptr;
    TakeOverButtons* buttons_;
    QLabel* note_;
    QLabel* elementLabel_;
    QLineEdit* elementName_;
    QLineEdit* rowCount_;
    GridBT_Bez* rowNames_;
};

}  // namespace tavo
