#include "ui/widgets/DlgLasten_NU.h"

#include <QLineEdit>
#include <QPushButton>

#include "ui/Document.h"
#include "ui/LoadTakeOver.h"
#include "ui/OwnLoadTables.h"
#include "ui/widgets/LoadGrids.h"
#include "ui/widgets/PembView.h"

namespace tavo {
namespace {

constexpr auto kBuiltIn = ImposedLoadTables::kBuiltIn;
constexpr auto kOwn = ImposedLoadTables::kOwn;

}  // namespace

DlgLasten_NU::DlgLasten_NU(Document& document)
    : CLoadPage(PageId::ImposedLoads, QStringLiteral("Nutzlasten"), document,
                new GridBT_Bez(document, GridBT_Bez::Rows::Imposed), QStringLiteral("Nutzlasten aus Norm"),
                QStringLiteral("Eigene Nutzlasten"), {QStringLiteral("kN/m²"), QStringLiteral("kN/m"), QStringLiteral("kN")}),
      builtInGrid_(new GridLasten_NU(document)),
      ownGrid_(new GridLasten_eigNU(document)),
      newTable_(addChooserButton(QStringLiteral("Neue Tabelle einfügen"))) {
    builtInGrid_->CreateInPlace(QStringLiteral("Tabelle der Nutzlasten"), true);
    ownGrid_->CreateInPlace(QStringLiteral("Eigene Tabelle"), true);
    addGrid(builtInGrid_);
    addGrid(ownGrid_);
    connect(newTable_, &QPushButton::clicked, this, [this] {
        pendingTable_ = true;
        listRows();
        nameField(tables().ownTableCount)->setFocus();
    });
}

ImposedLoadTables& DlgLasten_NU::tables() const { return document().project().imposedTables; }

int DlgLasten_NU::source() const { return static_cast<int>(tables().source); }
void DlgLasten_NU::setSource(int source) { tables().source = static_cast<std::uint32_t>(source); }
bool DlgLasten_NU::filled() const { return document().pageFillStates().imposedLoads != 0; }
void DlgLasten_NU::setFilled() { document().pageFillStates().imposedLoads = 1; }

void DlgLasten_NU::sourceChosen(int source) {
    pendingTable_ = false;
    ImposedLoadTables& t = tables();
    t.tablesListed = 1;
    t.tableChosen = 0;
    t.currentTable = 0;
    hideGrids();
    if (source == static_cast<int>(kBuiltIn)) {
        chooseBuiltInTable(0);
    } else if (!t.ownTableNames[0].empty()) {
        chooseOwnTable(0);
    }
}

void DlgLasten_NU::listRows() {
    const ImposedLoadTables& t = tables();
    const bool own = t.source == kOwn;
    const int count = own ? t.ownTableCount + (pendingTable_ ? 1 : 0) : ImposedLoadTables::kTables;
    std::vector<ChooserRow> rows;
    for (int r = 0; r < count; ++r) {
        ChooserRow row;
        row.checked = t.tableChosen != 0 && r == static_cast<int>(t.currentTable);
        if (own) {
            row.kind = ChooserRow::Kind::OwnTable;
            row.text = t.ownTableNames[r];
            row.unit = t.ownTableUnit[r];
        } else {
            row.text = builtInImposedTableName(r);
        }
        rows.push_back(row);
    }
    showRows(rows);
    newTable_->setVisible(own && !pendingTable_ && canAddOwnImposedTable(t));
}

void DlgLasten_NU::rowClicked(int row, bool checked) {
    ImposedLoadTables& t = tables();
    if (t.source == kBuiltIn) {
        if (t.tableChosen != 0 && row == static_cast<int>(t.currentTable)) return listRows();
        return chooseBuiltInTable(row);
    }
    if (checked && t.ownTableNames[row].empty()) {
        listRows();
        nameField(row)->setFocus();
        return;
    }
    if (checked) return chooseOwnTable(row);
    t.tableChosen = 0;
    hideGrids();
    listRows();
}

void DlgLasten_NU::chooseBuiltInTable(int table) {
    ImposedLoadTables& t = tables();
    t.currentTable = static_cast<std::uint32_t>(table);
    t.tableChosen = 1;
    showGrid(builtInGrid_, t.entryCount[kBuiltIn][table]);
    builtInGrid_->FitTableColumns();
    listRows();
}

void DlgLasten_NU::chooseOwnTable(int table) {
    ImposedLoadTables& t = tables();
    t.currentTable = static_cast<std::uint32_t>(table);
    t.tableChosen = 1;
    showGrid(ownGrid_, ImposedLoadTables::kEntries);
    ownGrid_->FitTableColumns();
    listRows();
}

void DlgLasten_NU::nameLeft(int row, const std::string& typed) {
    ImposedLoadTables& t = tables();
    const NameCommit commit = commitOwnImposedTableName(t, row, typed, prompts());
    if (commit == NameCommit::FirstName) pendingTable_ = false;
    showNameCommit(row, commit, t.ownTableNames[row]);
}

void DlgLasten_NU::unitChosen(int row, int unit) {
    ImposedLoadTables& t = tables();
    const bool changed = mayChangeOwnTableUnit(t.ownTableUnit[row], unit, t.entryCount[kOwn][row], prompts());
    if (changed) t.ownTableUnit[row] = unit;
    showUnitChange(changed, ownGrid_);
}

bool DlgLasten_NU::takeOverEntry(int entry, EntryDialogs& dialogs) {
    return takeOverImposedEntry(document().project(), entry, prompts(), dialogs);
}

}  // namespace tavo
