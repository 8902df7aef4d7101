#pragma once

#include <string>

#include "model/ProjectData.h"

namespace tavo {

// The two tables of an element.
enum class RowKind { Permanent, Imposed };

// The expanding list of the components page: which list row shows which
// component, which element slot which element, which markers are checked and
// which buttons and grids are shown, and what each click and each name typed
// does to the project's counts and choices. It knows no window: the page shows
// what it says and forwards the user's actions.
//
// While component a is open, its elements stand in the element slots a to
// a + n - 1, beside the list rows below a, and the components after a move down
// by n rows; n counts one slot for a component without elements and one for an
// element name being typed.
class ComponentList {
public:
    static constexpr int kRows = 2 * kMaxElements;

    // The letter that, typed as the name of the first component while an
    // element is chosen, reveals the manual correction.
    static constexpr char kCorrectionSwitch = 'K';

    explicit ComponentList(ProjectData& project) : project_(project) {}

    struct Line {
        bool shown = false;
        bool checked = false;
        int index = -1;  // the component or element it stands for
        std::string name;
    };
    Line listRow(int row) const;
    Line elementSlot(int slot) const;

    bool showsNewComponent() const;
    bool showsNewElement() const;
    bool showsCopy() const;
    bool showsGrids() const { return project_.elementChosen != 0; }
    bool showsDelete(RowKind kind) const;
    bool showsCorrection() const { return correction_ && showsGrids(); }

    // The component of a list row: -1 for a row that shows none.
    int componentAt(int row) const;

    // What the page does with the focus after an action.
    struct Focus {
        enum class Kind { None, ComponentName, ElementName } kind = Kind::None;
        int line = 0;  // list row or element slot
    };

    // The first showing after New or Open: component 0 open with its element 0 chosen.
    void setUp();
    // A marker clicked; checked is its state after the click.
    Focus componentMarkerClicked(int row, bool checked);
    Focus elementMarkerClicked(int slot, bool checked);
    // "Neuen Bauteil einfügen", "Neues Element einfügen".
    Focus newComponent();
    Focus newElement();

    // The outcome of leaving a name edit. Refused: the name may not become
    // empty; the edit shows the stored name again and keeps the focus.
    enum class NameOutcome { Unchanged, Stored, Refused, CorrectionRevealed };
    NameOutcome componentNameLeft(int row, const std::string& typed);
    NameOutcome elementNameLeft(int slot, const std::string& typed);

    // "Aktives Element kopieren": false when the rule does not allow it now.
    bool copyActiveElement();
    // "Zeile löschen" of row k (1-based) of the chosen element; false for a row
    // that does not exist.
    bool deleteRow(RowKind kind, int k);
    // The chosen element's row count of a kind, the description of its row k
    // and its rows (1-based; null beyond its rows).
    int rowCount(RowKind kind) const;
    std::string rowDescription(RowKind kind, int k) const;
    PermanentRow* permanentRow(int k) const;
    ImposedRow* imposedRow(int k) const;

private:
    int openComponent() const { return project_.componentChosen != 0 ? static_cast<int>(project_.activeComponent) : -1; }
    int slotCount() const;
    void closeList();
    void hideGrids();

    ProjectData& project_;
    bool newComponentPending_ = false;
    bool newElementPending_ = false;
    bool correction_ = false;
};

// "Eingabe darf nicht leer sein!"
inline constexpr const char* kEmptyNameMessage = "Eingabe darf nicht leer sein!";

}  // namespace tavo
