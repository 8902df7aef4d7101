#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// The self-weight library and the user's own permanent-load tables in one shape:
// 8 groups of at most 7 tables of at most 25 entries, for two sources.
// A section of the project, so its shape lives with the model; the built-in
// contents and the value-text rules are the library's (library/PermanentLoadTables.cpp).
struct PermanentLoadTables {
    static constexpr int kSources = 2;
    static constexpr int kGroups = 8;
    static constexpr int kTables = 7;
    static constexpr int kEntries = 25;
    static constexpr int kParams = 7;
    static constexpr std::uint32_t kBuiltIn = 0;
    static constexpr std::uint32_t kOwn = 1;

    std::uint32_t source = kBuiltIn;
    std::uint32_t currentGroup = 0;
    std::uint32_t currentTable = 0;
    std::uint8_t groupsListed = 0;
    std::uint8_t groupChosen = 0;
    std::uint8_t tableChosen = 0;
    std::uint32_t ownGroupCount = 0;
    std::string params[kParams];
    std::uint16_t perUnitKind = 0;
    std::string ownGroupNames[kGroups];
    std::uint16_t tableCount[kSources][kGroups] = {};
    std::uint16_t entryCount[kSources][kGroups][kTables] = {};
    std::string tableNames[kSources][kGroups][kTables];
    std::uint32_t ownTableUnit[kGroups][kTables] = {};
    std::string category[kGroups][kTables][kEntries];
    std::string description[kSources][kGroups][kTables][kEntries];
    std::string value[kSources][kGroups][kTables][kEntries];
    std::string changedValue[kGroups][kTables][kEntries];
    // The number handed from the page and the entry dialogs to the row insertion.
    double transferValue = 0.0;

    static constexpr int tableIndex(int source, int group, int table) { return (source * kGroups + group) * kTables + table; }
    static constexpr int entryIndex(int source, int group, int table, int entry) {
        return tableIndex(source, group, table) * kEntries + entry;
    }

    // Fills the built-in half (names, counts, categories, descriptions, value texts),
    // sets every own table unit to 1 and every other text empty. Once per document.
    void fillBuiltIn();

    // The own half and the page state back to a new project; the built-in half,
    // params and perUnitKind stay as they are.
    void reset();

    // Writes the k-th ';'-separated field of the value text into params[k].
    void splitParams(std::string_view valueText);

    // True, and transferValue = x, when params[i] <= x <= params[j].
    bool paramRangeHolds(int i, int j, double x);

    // params for taking over a built-in value text, by valueKindOf: a dry-density
    // record or a range split into its fields; a lower bound as "26", "60", "26";
    // a single value as params[0] empty (the mark of a fixed value), params[1] the text.
    void loadParamsForTakeOver(std::string_view valueText);
};

// Names of the eight built-in groups, in library order (Windows-1252).
const std::string& builtInGroupName(int group);

// Count of ';' in a value text: 0 or 1 single value, 2 range, 3 or more dry density.
std::uint16_t valueForm(std::string_view valueText);

enum class ValueKind { Single, LowerBound, Range, DryDensity };
// The form of a value text, in the order take-over decides it: 3 or more ';' a dry-density
// record; else a '>' a lower bound; else 2 ';' a range; else a single value.
ValueKind valueKindOf(std::string_view valueText);

// 2 (area load kN/m²) for built-in groups 1 to 5, else 1 (unit weight kN/m³).
std::int32_t rowUnitOfGroup(int group);

// Entries of the built-in library whose value is per unit of thickness or per layer.
bool isPerUnitEntry(int group, int table, int entry);

enum PerUnitKind : std::uint16_t { Ordinary = 0, PerCentimetre = 1, PerMillimetreExtra = 2, PerLayer = 3 };
// 3 for "je Bahn", else 2 for "mm Mehrdicke", else 1 (per cm).
PerUnitKind perUnitKindOf(std::string_view description);

// The text some row of the element must contain before a dependent surcharge can be taken.
std::optional<std::string> parentTextOf(int group, int table, int entry);

}  // namespace tavo
