#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// The imposed-load categories of the standard and the user's own imposed-load
// tables: 5 tables of at most 15 entries, for two sources.
// A section of the project, so its shape lives with the model; the built-in
// contents and the rules are the library's (library/ImposedLoadTables.cpp).
struct ImposedLoadTables {
    static constexpr int kSources = 2;
    static constexpr int kTables = 5;
    static constexpr int kEntries = 15;
    static constexpr int kParams = 3;
    static constexpr std::uint32_t kBuiltIn = 0;
    static constexpr std::uint32_t kOwn = 1;

    std::uint32_t source = kBuiltIn;
    std::uint32_t currentTable = 0;
    std::uint8_t tablesListed = 0;
    std::uint8_t tableChosen = 0;
    std::int32_t ownTableCount = 0;
    std::string params[kParams];
    std::string ownTableNames[kTables];
    std::uint16_t entryCount[kSources][kTables] = {};
    std::int32_t ownTableUnit[kTables] = {};
    std::string category[kTables][kEntries];
    std::string description[kSources][kTables][kEntries];
    std::string value[kSources][kTables][kEntries];
    double imposedTransferValue = 0.0;

    static constexpr int entryIndex(int source, int table, int entry) { return (source * kTables + table) * kEntries + entry; }

    // Fills the five built-in tables, sets every own table unit to 1, other texts empty.
    void fillBuiltIn();

    // The own tables and the page state back to a new project.
    void reset();

    // "Kat. " + category + ", " + description for a built-in entry with a category,
    // else the description alone: the name an imposed row gets on take-over.
    std::string rowNameOf(int table, int entry) const;

    // params for taking over a lower-bound value text: the bound as minimum and
    // default, "10" as maximum.
    void loadParamsForLowerBound(std::string_view valueText);
};

// Names of the five built-in tables, in library order (Windows-1252).
const std::string& builtInImposedTableName(int table);

// 1, 1, 2, 3, 3 for tables 0 to 4: the imposed row unit of a built-in table.
std::int32_t rowUnitOfTable(int table);

// The digits and points of a lower-bound text, joined: "4.0" from ">= 4.0".
std::string lowerBoundOf(std::string_view valueText);

}  // namespace tavo
