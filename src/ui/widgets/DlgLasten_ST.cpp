#include "ui/widgets/DlgLasten_ST.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "model/Windows1252.h"
#include "ui/Document.h"
#include "ui/LoadTakeOver.h"
#include "ui/OwnLoadTables.h"
#include "ui/widgets/LoadGrids.h"
#include "ui/widgets/PembView.h"

namespace tavo {
namespace {

constexpr auto kBuiltIn = PermanentLoadTables::kBuiltIn;
constexpr auto kOwn = PermanentLoadTables::kOwn;

// The one built-in entry whose description does not fit its cell is written out under the grid.
constexpr int kLongEntryGroup = 2;
constexpr int kLongEntryTable = 0;
constexpr int kLongEntry = 8;

int asInt(std::uint32_t index) { return static_cast<int>(index); }

}  // namespace

DlgLasten_ST::DlgLasten_ST(Document& document)
    : CLoadPage(PageId::PermanentLoads, QStringLiteral("Ständige Lasten"), document,
                new GridBT_Bez(document, GridBT_Bez::Rows::Permanent), QStringLiteral("Eigengewichte"),
                QStringLiteral("Eigene stän-\ndige Lasten"),
                {QStringLiteral("kN/m³"), QStringLiteral("kN/m²"), QStringLiteral("kN/m"), QStringLiteral("kN")}),
      builtInGrid_(new GridLasten_ST(document)),
      ownGrid_(new GridLasten_eigST(document)),
      newGroup_(addChooserButton(QStringLiteral("Neue Gruppe einfügen"))),
      newTable_(addChooserButton(QStringLiteral("Neue Tabelle einfügen"))) {
    builtInGrid_->CreateInPlace(QStringLiteral("Tabelle der Eigengewichte"), true);
    ownGrid_->CreateInPlace(QStringLiteral("Eigene Tabelle"), true);
    addGrid(builtInGrid_);
    addGrid(ownGrid_);
    connect(newGroup_, &QPushButton::clicked, this, [this] { addPendingRow(true); });
    connect(newTable_, &QPushButton::clicked, this, [this] { addPendingRow(false); });
}

PermanentLoadTables& DlgLasten_ST::tables() const { return document().project().permanentTables; }

int DlgLasten_ST::source() const { return asInt(tables().source); }
void DlgLasten_ST::setSource(int source) { tables().source = static_cast<std::uint32_t>(source); }
bool DlgLasten_ST::filled() const { return document().pageFillStates().permanentLoads != 0; }
void DlgLasten_ST::setFilled() { document().pageFillStates().permanentLoads = 1; }

void DlgLasten_ST::sourceChosen(int source) {
    pendingGroup_ = pendingTable_ = false;
    PermanentLoadTables& t = tables();
    t.groupsListed = 1;
    t.groupChosen = 0;
    t.tableChosen = 0;
    hideGrids();
    if (source == asInt(kBuiltIn)) {
        chooseBuiltInGroup(0);
    } else if (!t.ownGroupNames[0].empty()) {
        chooseOwnGroup(0);
    }
}

void DlgLasten_ST::listRows() {
    const PermanentLoadTables& t = tables();
    const bool own = t.source == kOwn;
    const int g = t.groupChosen != 0 ? asInt(t.currentGroup) : Accordion::kNone;
    if (own) {
        const int tableRows = g == Accordion::kNone ? 0 : t.tableCount[kOwn][g] + (pendingTable_ ? 1 : 0);
        accordion_.layOut(asInt(t.ownGroupCount) + (pendingGroup_ ? 1 : 0), g, tableRows);
    } else {
        accordion_.layOut(PermanentLoadTables::kGroups, g, g == Accordion::kNone ? 0 : t.tableCount[kBuiltIn][g]);
    }
    std::vector<ChooserRow> rows;
    for (const Accordion::Row& r : accordion_.rows()) {
        ChooserRow row;
        row.indented = !r.isGroup();
        row.checked = r.isGroup() ? r.group == g : t.tableChosen != 0 && r.table == asInt(t.currentTable);
        if (!own) {
            row.text = r.isGroup() ? builtInGroupName(r.group) : t.tableNames[kBuiltIn][r.group][r.table];
        } else if (r.isGroup()) {
            row.kind = ChooserRow::Kind::OwnGroup;
            row.text = t.ownGroupNames[r.group];
        } else {
            row.kind = ChooserRow::Kind::OwnTable;
            row.text = t.tableNames[kOwn][r.group][r.table];
            row.unit = static_cast<int>(t.ownTableUnit[r.group][r.table]);
        }
        rows.push_back(row);
    }
    showRows(rows);
    newGroup_->setVisible(own && !pendingGroup_ && canAddOwnGroup(t));
    newTable_->setVisible(own && g != Accordion::kNone && !pendingTable_ && canAddOwnTable(t, g));
}

void DlgLasten_ST::rowClicked(int index, bool checked) {
    const Accordion::Row row = accordion_.rows().at(static_cast<std::size_t>(index));
    PermanentLoadTables& t = tables();
    if (t.source == kBuiltIn) {
        const bool shown = row.isGroup() ? t.groupChosen != 0 && row.group == asInt(t.currentGroup)
                                         : t.tableChosen != 0 && row.table == asInt(t.currentTable);
        if (shown) return listRows();  // choosing it again changes nothing
        return row.isGroup() ? chooseBuiltInGroup(row.group) : chooseBuiltInTable(row.table);
    }
    const std::string& name = row.isGroup() ? t.ownGroupNames[row.group] : t.tableNames[kOwn][row.group][row.table];
    if (checked && name.empty()) {
        listRows();
        nameField(index)->setFocus();
        return;
    }
    if (checked) return row.isGroup() ? chooseOwnGroup(row.group) : chooseOwnTable(row.table);
    if (row.isGroup()) {
        t.groupChosen = 0;
        pendingTable_ = false;
    }
    t.tableChosen = 0;
    hideGrids();
    listRows();
}

void DlgLasten_ST::chooseBuiltInGroup(int group) {
    PermanentLoadTables& t = tables();
    t.currentGroup = static_cast<std::uint32_t>(group);
    t.groupChosen = 1;
    t.tableChosen = 0;
    chooseBuiltInTable(0);
}

void DlgLasten_ST::chooseBuiltInTable(int table) {
    PermanentLoadTables& t = tables();
    t.currentTable = static_cast<std::uint32_t>(table);
    t.tableChosen = 1;
    const int g = asInt(t.currentGroup);
    showGrid(builtInGrid_, t.entryCount[kBuiltIn][g][table]);
    builtInGrid_->FitTableColumns();
    const bool longEntry = g == kLongEntryGroup && table == kLongEntryTable;
    showNote(longEntry ? QStringLiteral("Zeile %1 : ").arg(kLongEntry + 1) +
                             QString::fromStdString(windows1252ToUtf8(t.description[kBuiltIn][g][table][kLongEntry]))
                       : QString());
    listRows();
}

void DlgLasten_ST::chooseOwnGroup(int group) {
    PermanentLoadTables& t = tables();
    t.currentGroup = static_cast<std::uint32_t>(group);
    t.currentTable = 0;
    t.groupChosen = 1;
    t.tableChosen = 0;
    pendingTable_ = false;
    hideGrids();
    if (!t.tableNames[kOwn][group][0].empty()) return chooseOwnTable(0);
    listRows();
}

void DlgLasten_ST::chooseOwnTable(int table) {
    PermanentLoadTables& t = tables();
    t.currentTable = static_cast<std::uint32_t>(table);
    t.tableChosen = 1;
    showGrid(ownGrid_, PermanentLoadTables::kEntries);
    ownGrid_->FitTableColumns();
    listRows();
}

void DlgLasten_ST::addPendingRow(bool group) {
    (group ? pendingGroup_ : pendingTable_) = true;
    listRows();
    const PermanentLoadTables& t = tables();
    const int row = group ? accordion_.rowOfGroup(asInt(t.ownGroupCount))
                          : accordion_.rowOfTable(t.tableCount[kOwn][t.currentGroup]);
    if (row != Accordion::kNone) nameField(row)->setFocus();
}

void DlgLasten_ST::nameLeft(int index, const std::string& typed) {
    const Accordion::Row row = accordion_.rows().at(static_cast<std::size_t>(index));
    PermanentLoadTables& t = tables();
    const NameCommit commit = row.isGroup() ? commitOwnGroupName(t, row.group, typed, prompts())
                                            : commitOwnTableName(t, row.group, row.table, typed, prompts());
    if (commit == NameCommit::FirstName) (row.isGroup() ? pendingGroup_ : pendingTable_) = false;
    showNameCommit(index, commit, row.isGroup() ? t.ownGroupNames[row.group] : t.tableNames[kOwn][row.group][row.table]);
}

void DlgLasten_ST::unitChosen(int index, int unit) {
    const Accordion::Row row = accordion_.rows().at(static_cast<std::size_t>(index));
    PermanentLoadTables& t = tables();
    std::uint32_t& stored = t.ownTableUnit[row.group][row.table];
    const bool changed =
        mayChangeOwnTableUnit(static_cast<std::int32_t>(stored), unit, t.entryCount[kOwn][row.group][row.table], prompts());
    if (changed) stored = static_cast<std::uint32_t>(unit);
    showUnitChange(changed, ownGrid_);
}

bool DlgLasten_ST::takeOverEntry(int entry, EntryDialogs& dialogs) {
    return takeOverPermanentEntry(document().project(), entry, prompts(), dialogs);
}

}  // namespace tavo
