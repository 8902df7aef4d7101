#include "ui/OwnLoadTables.h"

#include "model/Numbers.h"

namespace tavo {
namespace {

NameCommit commitName(std::string& stored, std::string_view typed, bool emptyAllowedWhenUnset, UserPrompts& prompts) {
    const std::string_view name = trimBlanks(typed);
    if (name.empty()) {
        if (stored.empty() && emptyAllowedWhenUnset) return NameCommit::Unchanged;
        prompts.warning(kEmptyNameMessage);
        return NameCommit::Refused;
    }
    if (name == stored) return NameCommit::Unchanged;
    const bool first = stored.empty();
    stored = name;
    return first ? NameCommit::FirstName : NameCommit::Stored;
}

}  // namespace

bool typeOverBuiltInValue(PermanentLoadTables& tables, int group, int table, int entry, std::string_view typed) {
    double number = 0.0;
    const std::string_view text = trimBlanks(typed);
    if (text.empty() || !parseNumber(text, number) || number < 0.005) return false;
    if (text == tables.value[PermanentLoadTables::kBuiltIn][group][table][entry]) return false;
    std::string formatted = formatLoad(number);
    std::string& changed = tables.changedValue[group][table][entry];
    if (formatted == changed) return false;
    changed = std::move(formatted);
    return true;
}

bool editOwnEntry(std::string& description, std::string& value, std::uint16_t& entryCount, int column,
                  std::string_view typed) {
    const bool wasUsed = !description.empty() || !value.empty();
    std::string& cell = column == 1 ? description : value;
    if (typed == cell) return false;
    if (column != 1 && !typed.empty()) {
        double number = 0.0;
        if (!parseNumber(typed, number) || number <= 0.0) return false;
    }
    cell = typed;
    const bool used = !description.empty() || !value.empty();
    if (used && !wasUsed) ++entryCount;
    if (!used && wasUsed && entryCount > 0) --entryCount;
    return true;
}

NameCommit commitOwnGroupName(PermanentLoadTables& tables, int group, std::string_view typed, UserPrompts& prompts) {
    const NameCommit commit = commitName(tables.ownGroupNames[group], typed, false, prompts);
    if (commit == NameCommit::FirstName) ++tables.ownGroupCount;
    return commit;
}

NameCommit commitOwnTableName(PermanentLoadTables& tables, int group, int table, std::string_view typed,
                              UserPrompts& prompts) {
    const NameCommit commit = commitName(tables.tableNames[PermanentLoadTables::kOwn][group][table], typed, true, prompts);
    if (commit == NameCommit::FirstName) ++tables.tableCount[PermanentLoadTables::kOwn][group];
    return commit;
}

NameCommit commitOwnImposedTableName(ImposedLoadTables& tables, int table, std::string_view typed, UserPrompts& prompts) {
    const NameCommit commit = commitName(tables.ownTableNames[table], typed, false, prompts);
    if (commit == NameCommit::FirstName) ++tables.ownTableCount;
    return commit;
}

bool mayChangeOwnTableUnit(std::int32_t stored, std::int32_t chosen, int entryCount, UserPrompts& prompts) {
    if (chosen == stored) return false;
    return entryCount == 0 || prompts.askYesNo(kChangeUnitQuestion, false);
}

bool canAddOwnGroup(const PermanentLoadTables& tables) { return tables.ownGroupCount < PermanentLoadTables::kGroups; }

bool canAddOwnTable(const PermanentLoadTables& tables, int group) {
    const int count = tables.tableCount[PermanentLoadTables::kOwn][group];
    return count >= 1 && count < PermanentLoadTables::kTables;
}

bool canAddOwnImposedTable(const ImposedLoadTables& tables) { return tables.ownTableCount < ImposedLoadTables::kTables; }

}  // namespace tavo
