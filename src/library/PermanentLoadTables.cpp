#include "model/PermanentLoadTables.h"

#include <algorithm>
#include <array>

#include "library/SelfWeightData.h"
#include "model/Numbers.h"
#include "model/ProjectData.h"
#include "model/Windows1252.h"

namespace tavo {

namespace {

struct EntryKey {
    int group;
    int table;
    int entry;
    friend bool operator==(const EntryKey&, const EntryKey&) = default;
};

// Entries whose value is per centimetre or millimetre of thickness or per layer.
constexpr std::array<EntryKey, 14> kPerUnitEntries = {{
    {1, 1, 2}, {1, 5, 0}, {1, 5, 1}, {1, 5, 2}, {2, 0, 2}, {3, 0, 4}, {4, 0, 5},
    {4, 0, 8}, {4, 0, 9}, {4, 0, 10}, {4, 0, 11}, {5, 0, 12}, {5, 0, 14}, {5, 0, 16},
}};

// Surcharges on a load that must already stand in the element, and the text by which
// that load is recognised in the element's row names (UTF-8 here).
struct DependentEntry {
    EntryKey key;
    std::string_view parentText;
};
constexpr std::array<DependentEntry, 5> kDependentEntries = {{
    {{1, 1, 2}, "sicherheitsglas"},
    {{2, 0, 2}, "Beschüttung aus Schlacke"},
    {{3, 0, 4}, "Gründach"},
    {{5, 1, 1}, "Mauerziegel g"},
    {{5, 1, 3}, "Mauerziegel ("},
}};

// The fixed range that a lower-bound text stands for, whatever bound it names.
constexpr const char* kLowerBoundMinimum = "26";
constexpr const char* kLowerBoundMaximum = "60";

std::uint16_t countOf(std::size_t n) { return static_cast<std::uint16_t>(n); }

}  // namespace

void PermanentLoadTables::fillBuiltIn() {
    const std::span<const SelfWeightGroup> groups = selfWeightLibrary();
    for (int g = 0; g < kGroups; ++g) {
        const std::span<const SelfWeightTable> tables = groups[g].tables;
        tableCount[kBuiltIn][g] = countOf(tables.size());
        for (std::size_t t = 0; t < tables.size(); ++t) {
            const std::span<const SelfWeightEntry> entries = tables[t].entries;
            tableNames[kBuiltIn][g][t] = utf8ToWindows1252(tables[t].name);
            entryCount[kBuiltIn][g][t] = countOf(entries.size());
            for (std::size_t e = 0; e < entries.size(); ++e) {
                category[g][t][e] = utf8ToWindows1252(entries[e].category);
                description[kBuiltIn][g][t][e] = utf8ToWindows1252(entries[e].description);
                value[kBuiltIn][g][t][e] = utf8ToWindows1252(entries[e].value);
            }
        }
        std::fill(std::begin(ownTableUnit[g]), std::end(ownTableUnit[g]), PermanentUnit::Layer);
    }
}

void PermanentLoadTables::reset() {
    source = kBuiltIn;
    currentGroup = 0;
    currentTable = 0;
    groupsListed = 0;
    groupChosen = 0;
    tableChosen = 0;
    for (int g = 0; g < kGroups; ++g) {
        ownGroupNames[g].clear();
        tableCount[kOwn][g] = 0;
        for (int t = 0; t < kTables; ++t) {
            entryCount[kOwn][g][t] = 0;
            tableNames[kOwn][g][t].clear();
            ownTableUnit[g][t] = PermanentUnit::Layer;
            for (int e = 0; e < kEntries; ++e) {
                changedValue[g][t][e].clear();
                description[kOwn][g][t][e].clear();
                value[kOwn][g][t][e].clear();
            }
        }
    }
    ownGroupCount = 1;
    ownGroupNames[0] = "Text Gruppe 1";
    tableCount[kOwn][0] = 1;
    tableNames[kOwn][0][0] = "Text Tabelle 1";
}

void PermanentLoadTables::splitParams(std::string_view valueText) {
    // Fields the text does not have become empty rather than survive from an earlier take-over.
    for (std::string& param : params) {
        const std::size_t end = valueText.find(';');
        param = valueText.substr(0, end);
        valueText = end == std::string_view::npos ? std::string_view{} : valueText.substr(end + 1);
    }
}

bool PermanentLoadTables::paramRangeHolds(int i, int j, double x) {
    if (numberOr0(params[i]) <= x && x <= numberOr0(params[j])) {
        transferValue = x;
        return true;
    }
    return false;
}

void PermanentLoadTables::loadParamsForTakeOver(std::string_view valueText) {
    params[0].clear();
    switch (valueKindOf(valueText)) {
        case ValueKind::DryDensity:
        case ValueKind::Range:
            splitParams(valueText);
            break;
        case ValueKind::LowerBound:
            params[0] = kLowerBoundMinimum;
            params[1] = kLowerBoundMaximum;
            params[2] = kLowerBoundMinimum;
            break;
        case ValueKind::Single:
            params[1] = valueText;
            break;
    }
}

std::string_view selfWeightBasisOf(int group, int table, int entry) {
    const std::span<const SelfWeightGroup> groups = selfWeightLibrary();
    if (group < 0 || static_cast<std::size_t>(group) >= groups.size()) return {};
    const std::span<const SelfWeightTable> tables = groups[static_cast<std::size_t>(group)].tables;
    if (table < 0 || static_cast<std::size_t>(table) >= tables.size()) return {};
    const std::span<const SelfWeightEntry> entries = tables[static_cast<std::size_t>(table)].entries;
    if (entry < 0 || static_cast<std::size_t>(entry) >= entries.size()) return {};
    return entries[static_cast<std::size_t>(entry)].basis;
}

const std::string& builtInGroupName(int group) {
    static const std::array<std::string, PermanentLoadTables::kGroups> names = [] {
        std::array<std::string, PermanentLoadTables::kGroups> converted;
        const std::span<const SelfWeightGroup> groups = selfWeightLibrary();
        for (std::size_t g = 0; g < converted.size(); ++g) converted[g] = utf8ToWindows1252(groups[g].name);
        return converted;
    }();
    return names[static_cast<std::size_t>(group)];
}

std::uint16_t valueForm(std::string_view valueText) {
    return countOf(static_cast<std::size_t>(std::count(valueText.begin(), valueText.end(), ';')));
}

ValueKind valueKindOf(std::string_view valueText) {
    const std::uint16_t form = valueForm(valueText);
    if (form >= 3) return ValueKind::DryDensity;
    if (valueText.find('>') != std::string_view::npos) return ValueKind::LowerBound;
    if (form == 2) return ValueKind::Range;
    return ValueKind::Single;
}

std::int32_t rowUnitOfGroup(int group) {
    return group >= 1 && group <= 5 ? PermanentUnit::AreaLoad : PermanentUnit::Layer;
}

bool isPerUnitEntry(int group, int table, int entry) {
    return std::ranges::find(kPerUnitEntries, EntryKey{group, table, entry}) != kPerUnitEntries.end();
}

PerUnitKind perUnitKindOf(std::string_view description) {
    if (description.find("je Bahn") != std::string_view::npos) return PerLayer;
    if (description.find("mm Mehrdicke") != std::string_view::npos) return PerMillimetreExtra;
    return PerCentimetre;
}

std::optional<std::string> parentTextOf(int group, int table, int entry) {
    const auto found = std::ranges::find(kDependentEntries, EntryKey{group, table, entry}, &DependentEntry::key);
    if (found == kDependentEntries.end()) return std::nullopt;
    return utf8ToWindows1252(found->parentText);
}

}  // namespace tavo
