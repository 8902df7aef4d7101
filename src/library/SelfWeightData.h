#pragma once

#include <span>
#include <string_view>

#include "model/PermanentLoadTables.h"

namespace tavo {

// The content of the built-in self-weight library as compiled-in constants. The texts
// are UTF-8; PermanentLoadTables::fillBuiltIn converts them to Windows-1252.
struct SelfWeightEntry {
    std::string_view category;  // only on the first entry of a run of related entries
    std::string_view description;
    std::string_view value;  // value text, see valueForm
    // Where the value comes from, as the program shows it: "EN 1991-1-1, Tabelle A.1",
    // "Herstellerangabe", "Schätzwert – bitte prüfen", ...
    std::string_view basis;
};

struct SelfWeightTable {
    std::string_view name;
    std::span<const SelfWeightEntry> entries;
};

struct SelfWeightGroup {
    std::string_view name;
    std::span<const SelfWeightTable> tables;
};

// The eight groups in library order (SelfWeightData.cpp, generated).
std::span<const SelfWeightGroup> selfWeightLibrary();

// The basis of a built-in value (UTF-8); empty outside the library.
std::string_view selfWeightBasisOf(int group, int table, int entry);

// The generated data must fit the fixed arrays that the fill writes into.
constexpr bool fitsLibraryShape(std::span<const SelfWeightGroup> groups) {
    if (groups.size() != PermanentLoadTables::kGroups) return false;
    for (const SelfWeightGroup& group : groups) {
        if (group.tables.size() > PermanentLoadTables::kTables) return false;
        for (const SelfWeightTable& table : group.tables) {
            if (table.entries.size() > PermanentLoadTables::kEntries) return false;
        }
    }
    return true;
}

}  // namespace tavo
