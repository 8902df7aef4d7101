#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/ProjectData.h"
#include "model/UserPrompts.h"
#include "ui/ComponentList.h"  // kEmptyNameMessage, shared with the component names

namespace tavo {

// The edits of the load pages to their tables: typed-over built-in values, the
// user's own entries, group and table names and table units. Each returns
// whether it stored something, so that the page marks the document modified
// exactly then. Texts typed are Windows-1252.

// A built-in value typed over: a number of at least 0.005 that differs from the
// value text is kept with two decimals; anything else keeps nothing.
bool typeOverBuiltInValue(PermanentLoadTables& tables, int group, int table, int entry, std::string_view typed);

// A cell of an own entry: column 1 the description, column 2 the value (empty, or
// a number above 0; anything else is ignored). The table's entry count follows
// the entries that hold a description or a value.
bool editOwnEntry(std::string& description, std::string& value, std::uint16_t& entryCount, int column,
                  std::string_view typed);

enum class NameCommit {
    Unchanged,
    Stored,
    FirstName,  // the slot was empty: a new group or table now counts
    Refused,    // the user has been told; the stored name stands
};

// An own name left by the user, trimmed. An empty name is refused ("Eingabe darf
// nicht leer sein!"), except for a table slot that never had one.
NameCommit commitOwnGroupName(PermanentLoadTables& tables, int group, std::string_view typed, UserPrompts& prompts);
NameCommit commitOwnTableName(PermanentLoadTables& tables, int group, int table, std::string_view typed,
                              UserPrompts& prompts);
NameCommit commitOwnImposedTableName(ImposedLoadTables& tables, int table, std::string_view typed, UserPrompts& prompts);

// Whether the unit of an own table changes to the one chosen: a table that holds
// entries changes it only when the user confirms "Einheit nachträglich ändern?".
bool mayChangeOwnTableUnit(std::int32_t stored, std::int32_t chosen, int entryCount, UserPrompts& prompts);

// Whether another own group or table may be added.
bool canAddOwnGroup(const PermanentLoadTables& tables);
bool canAddOwnTable(const PermanentLoadTables& tables, int group);
bool canAddOwnImposedTable(const ImposedLoadTables& tables);

inline constexpr const char* kChangeUnitQuestion = "Einheit nachträglich ändern?";

}  // namespace tavo
