#include "ui/ComponentList.h"

#include <algorithm>

namespace tavo {
namespace {

bool isBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

bool isCorrectionSwitch(const std::string& typed) {
    return typed.size() == 1 && (typed[0] == ComponentList::kCorrectionSwitch ||
                                 typed[0] == ComponentList::kCorrectionSwitch - 'A' + 'a');
}

// Row k (1-based) leaves the table; the rows after it move up and the last
// used row becomes an empty row of the first unit.
template <typename Row>
bool removeRow(Row* rows, std::uint16_t& count, int k) {
    if (k < 1 || k > count) return false;
    std::move(rows + k, rows + count, rows + k - 1);
    rows[count - 1] = Row{};
    --count;
    return true;
}

}  // namespace

int ComponentList::slotCount() const {
    const int a = openComponent();
    return std::max(project_.elementCount[a] + (newElementPending_ ? 1 : 0), 1);
}

int ComponentList::componentAt(int row) const {
    const int a = openComponent();
    int c = row;
    if (a >= 0 && row > a) {
        c = row - slotCount();
        if (c <= a) return -1;  // a row beside the open component's elements
    }
    const bool pendingRow = newComponentPending_ && c == project_.componentCount;
    return c >= 0 && (c < project_.componentCount || pendingRow) ? c : -1;
}

ComponentList::Line ComponentList::listRow(int row) const {
    Line line;
    line.index = componentAt(row);
    if (line.index < 0) return line;
    line.shown = true;
    line.checked = line.index == openComponent();
    line.name = project_.componentNames[line.index];
    return line;
}

ComponentList::Line ComponentList::elementSlot(int slot) const {
    Line line;
    const int a = openComponent();
    if (a < 0 || slot < a || slot >= a + slotCount()) return line;
    line.index = slot - a;
    line.shown = true;
    line.checked = project_.elementChosen != 0 && static_cast<int>(project_.activeElement) == line.index;
    line.name = project_.elementNames[a][line.index];
    return line;
}

bool ComponentList::showsNewComponent() const { return project_.componentCount < kMaxComponents && !newComponentPending_; }

bool ComponentList::showsNewElement() const {
    const int a = openComponent();
    return a >= 0 && !newElementPending_ && project_.elementCount[a] >= 1 && project_.elementCount[a] < kMaxElements;
}

bool ComponentList::showsCopy() const {
    const int a = openComponent();
    if (!showsGrids() || a < 0 || project_.elementCount[a] < 1 || project_.elementCount[a] >= kMaxElements) return false;
    const int e = static_cast<int>(project_.activeElement);
    return project_.permRowCount[a][e] > 0 || project_.imposedRowCount[a][e] > 0;
}

bool ComponentList::showsDelete(RowKind kind) const { return showsGrids() && rowCount(kind) > 0; }

void ComponentList::hideGrids() {
    project_.elementChosen = 0;
    correction_ = false;
}

void ComponentList::closeList() {
    hideGrids();
    project_.activeComponent = 0;
    project_.activeElement = 0;
    project_.componentChosen = 0;
    newComponentPending_ = false;
    newElementPending_ = false;
}

void ComponentList::setUp() {
    closeList();
    if (componentMarkerClicked(0, true).kind == Focus::Kind::None) elementMarkerClicked(0, true);
}

ComponentList::Focus ComponentList::componentMarkerClicked(int row, bool checked) {
    if (!checked) {
        closeList();
        return {};
    }
    const int c = componentAt(row);
    if (c < 0) return {};
    if (project_.componentNames[c].empty()) return {Focus::Kind::ComponentName, row};
    if (c == openComponent()) return {};
    closeList();
    project_.componentChosen = 1;
    project_.activeComponent = static_cast<std::uint32_t>(c);
    return {};
}

ComponentList::Focus ComponentList::elementMarkerClicked(int slot, bool checked) {
    const int a = openComponent();
    if (a < 0) return {};
    if (!checked) {
        hideGrids();
        return {};
    }
    const Line line = elementSlot(slot);
    if (!line.shown) return {};
    if (line.name.empty()) return {Focus::Kind::ElementName, slot};
    project_.activeElement = static_cast<std::uint32_t>(line.index);
    project_.elementChosen = 1;
    return {};
}

ComponentList::Focus ComponentList::newComponent() {
    if (!showsNewComponent()) return {};
    closeList();
    newComponentPending_ = true;
    return {Focus::Kind::ComponentName, project_.componentCount};
}

ComponentList::Focus ComponentList::newElement() {
    if (!showsNewElement()) return {};
    const int a = openComponent();
    hideGrids();
    newElementPending_ = true;
    return {Focus::Kind::ElementName, a + project_.elementCount[a]};
}

ComponentList::NameOutcome ComponentList::componentNameLeft(int row, const std::string& typed) {
    if (row == 0 && showsGrids() && isCorrectionSwitch(typed)) {
        correction_ = true;
        return NameOutcome::CorrectionRevealed;
    }
    const int c = componentAt(row);
    if (c < 0) return NameOutcome::Unchanged;
    if (isBlank(typed)) return NameOutcome::Refused;
    std::string& name = project_.componentNames[c];
    if (name.empty()) {
        ++project_.componentCount;
        newComponentPending_ = false;
    }
    if (name == typed) return NameOutcome::Unchanged;
    name = typed;
    return NameOutcome::Stored;
}

ComponentList::NameOutcome ComponentList::elementNameLeft(int slot, const std::string& typed) {
    const Line line = elementSlot(slot);
    if (!line.shown) return NameOutcome::Unchanged;
    const int a = openComponent();
    std::string& name = project_.elementNames[a][line.index];
    if (isBlank(typed)) return name.empty() ? NameOutcome::Unchanged : NameOutcome::Refused;
    if (name.empty()) {
        ++project_.elementCount[a];
        newElementPending_ = false;
    }
    if (name == typed) return NameOutcome::Unchanged;
    name = typed;
    return NameOutcome::Stored;
}

bool ComponentList::copyActiveElement() {
    if (!showsCopy()) return false;
    const int a = openComponent();
    const int s = static_cast<int>(project_.activeElement);
    const int t = project_.elementCount[a];
    project_.elementNames[a][t] = project_.elementNames[a][s];
    project_.permRowCount[a][t] = project_.permRowCount[a][s];
    project_.imposedRowCount[a][t] = project_.imposedRowCount[a][s];
    for (int r = 0; r < project_.permRowCount[a][s]; ++r) project_.permanentRow(a, t, r) = project_.permanentRow(a, s, r);
    for (int r = 0; r < project_.imposedRowCount[a][s]; ++r) project_.imposedRow(a, t, r) = project_.imposedRow(a, s, r);
    ++project_.elementCount[a];
    newElementPending_ = false;
    return true;
}

bool ComponentList::deleteRow(RowKind kind, int k) {
    if (!showsGrids()) return false;
    const int a = static_cast<int>(project_.activeComponent);
    const int e = static_cast<int>(project_.activeElement);
    if (kind == RowKind::Permanent) return removeRow(&project_.permanentRow(a, e, 0), project_.permRowCount[a][e], k);
    return removeRow(&project_.imposedRow(a, e, 0), project_.imposedRowCount[a][e], k);
}

int ComponentList::rowCount(RowKind kind) const {
    const auto a = project_.activeComponent, e = project_.activeElement;
    return kind == RowKind::Permanent ? project_.permRowCount[a][e] : project_.imposedRowCount[a][e];
}

std::string ComponentList::rowDescription(RowKind kind, int k) const {
    if (kind == RowKind::Permanent) return permanentRow(k) != nullptr ? permanentRow(k)->description : std::string();
    return imposedRow(k) != nullptr ? imposedRow(k)->description : std::string();
}

PermanentRow* ComponentList::permanentRow(int k) const {
    if (k < 1 || k > rowCount(RowKind::Permanent)) return nullptr;
    return &project_.permanentRow(project_.activeComponent, project_.activeElement, k - 1);
}

ImposedRow* ComponentList::imposedRow(int k) const {
    if (k < 1 || k > rowCount(RowKind::Imposed)) return nullptr;
    return &project_.imposedRow(project_.activeComponent, project_.activeElement, k - 1);
}

}  // namespace tavo
