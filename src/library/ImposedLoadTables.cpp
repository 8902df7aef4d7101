#include "model/ImposedLoadTables.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>

#include "model/ProjectData.h"
#include "model/Windows1252.h"

namespace tavo {

namespace {

// Texts in UTF-8; the fill converts them to Windows-1252.
struct ImposedEntry {
    std::string_view category;  // empty for the surcharges
    std::string_view description;
    std::string_view value;
};

struct ImposedTable {
    std::string_view name;
    std::int32_t rowUnit;
    std::span<const ImposedEntry> entries;
};

// Categories A to D carry area loads in table 0 and point loads in table 3.
constexpr std::string_view kA1 =
    "Wohnflächen, Räume in Wohngebäuden und -häusern; Zimmer in Hotels; Küchen, Toiletten in bestehenden Gebäuden etc.";
constexpr std::string_view kA2 = "Wohnflächen, Flächen von nicht ausbaubaren, begehbaren Dachböden";
constexpr std::string_view kB1 = "Büroflächen in bestehenden Gebäuden";
constexpr std::string_view kB2 = "Büroflächen in Bürogebäuden";
constexpr std::string_view kC1 =
    "Versammlungsflächen, Flächen mit Tischen z.B. in Cafés, Restaurants, Speisesälen; Unterrichtsräume in Schulen etc.";
constexpr std::string_view kC2 =
    "Versammlungsflächen, Flächen mit fester Bestuhlung z.B. in Kirchen, Theatern, Kinos, Vorlesungssälen, "
    "Wartezimmern etc.";
constexpr std::string_view kC31 =
    "Versammlungsflächen, Flächen mit mäßiger Personenfrequenz ohne Hindernisse für die Beweglichkeit von Personen, "
    "z.B. in Museen, Ausstellungen";
constexpr std::string_view kC32 =
    "Versammlungsflächen, Flächen mit hoher Personenfrequenz ohne Hindernisse für die Beweglichkeit von Personen, "
    "z.B. Zugangsflächen in Schulen";
constexpr std::string_view kC4 =
    "Versammlungsflächen, Flächen mit möglichen körperlichen Aktivitäten, z. B. Tanzsäle, Turnsäle, Bühnen";
constexpr std::string_view kC5 =
    "Versammlungsflächen, Flächen mit möglichem Menschengedränge, z.B. in Gebäuden mit öffentl. Veranstaltungen, "
    "wie Konzertsälen, Sporthallen";
constexpr std::string_view kD1 = "Verkaufsflächen, Flächen in Einzelhandelsgeschäften";

// Categories E to H carry area loads in table 1 and point loads in table 4.
constexpr std::string_view kPoultry = "Stallungen für Geflügel";
constexpr std::string_view kSmallAnimals = "Stallungen für sonstige Kleintiere";
constexpr std::string_view kLargeAnimals = "Stallungen für Großtiere";
constexpr std::string_view kIndustry = "Industriegebäude und -hallen";
constexpr std::string_view kStorage = "Lagerräume und -hallen";
constexpr std::string_view kArchives = "Büchersammlungen und Archive";
constexpr std::string_view kParkingLight = "Parkhäuser mit Fahrzeugen bis 30 kN Gesamtgewicht";
constexpr std::string_view kParkingHeavy = "Parkhäuser mit Fahrzeugen von 30 bis 160 kN Gesamtgewicht";
constexpr std::string_view kRoofs = "Dachkonstruktionen";

constexpr std::string_view kHorizontal = "Horizontale Lasten auf Zwischenwände und Personenabsturzsicherungen";

constexpr ImposedEntry kAreaLoadsAToD[] = {
    {"A1", kA1, "2.0"},
    {"A2", kA2, "1.5"},
    {"B1", kB1, "2.0"},
    {"B2", kB2, "3.0"},
    {"C1", kC1, "3.0"},
    {"C2", kC2, "4.0"},
    {"C3.1", kC31, "4.0"},
    {"C3.2", kC32, "5.0"},
    {"C4", kC4, "5.0"},
    {"C5", kC5, "5.0"},
    {"D1", kD1, "4.0"},
    {"D2", "Verkaufsflächen,  Flächen in Kaufhäusern", "5.0"},  // two blanks, unlike table 3
    {"", "Zuschlag für Balkone", "2.0"},
    {"", "Zuschlag für Loggien", "1.0"},
    {"", "Zuschlag für Treppen und Gänge als Fluchtwege", "1.0"},
};

constexpr ImposedEntry kAreaLoadsEToH[] = {
    {"E1.1", kPoultry, "1.0"},
    {"E1.1", kSmallAnimals, "2.0"},
    {"E1.1", kLargeAnimals, "5.0"},
    {"E1.2", kIndustry, ">= 4.0"},
    {"E1.3", kStorage, ">= 5.0"},
    {"E1.4", kArchives, ">= 5.0"},
    {"F", kParkingLight, "2.5"},
    {"G", kParkingHeavy, "5.0"},
    {"H", kRoofs, "1.0"},
};

constexpr ImposedEntry kHorizontalLoads[] = {
    {"A1, A2 und B1", kHorizontal, "0.5"},
    {"B2, C1 bis C4, D1, D2, E, F und G", kHorizontal, "1.0"},
    {"C5", kHorizontal, "3.0"},
};

constexpr ImposedEntry kPointLoadsAToD[] = {
    {"A1", kA1, "2.0"},
    {"A2", kA2, "2.0"},
    {"B1", kB1, "2.0"},
    {"B2", kB2, "3.0"},
    {"C1", kC1, "3.0"},
    {"C2", kC2, "4.0"},
    {"C3.1", kC31, "4.0"},
    {"C3.2", kC32, "5.0"},
    {"C4", kC4, "4.0"},
    {"C5", kC5, "4.0"},
    {"D1", kD1, "4.0"},
    {"D2", "Verkaufsflächen, Flächen in Kaufhäusern", "5.0"},
};

constexpr ImposedEntry kPointLoadsEToH[] = {
    {"E1.1", kPoultry, "1.5"},
    {"E1.1", kSmallAnimals, "2.0"},
    {"E1.1", kLargeAnimals, "5.0"},
    {"E1.2", kIndustry, ">= 4.0"},
    {"E1.3", kStorage, ">= 5.0"},
    {"E1.4", kArchives, ">= 5.0"},
    {"F", kParkingLight, "20.0"},
    {"G", kParkingHeavy, "90.0"},
    {"H", kRoofs, "1.5"},
};

constexpr ImposedTable kBuiltInTables[] = {
    {"Flächenlasten auf Decken, Balkone u. Treppen", ImposedUnit::AreaLoad, kAreaLoadsAToD},
    {"Sonstige Flächenlasten", ImposedUnit::AreaLoad, kAreaLoadsEToH},
    {"Horizontallasten", ImposedUnit::LineLoad, kHorizontalLoads},
    {"Einzellasten auf Decken, Balkone u. Treppen", ImposedUnit::PointLoad, kPointLoadsAToD},
    {"Sonstige Einzellasten", ImposedUnit::PointLoad, kPointLoadsEToH},
};
static_assert(std::size(kBuiltInTables) == ImposedLoadTables::kTables);
static_assert(std::ranges::all_of(kBuiltInTables, [](const ImposedTable& table) {
    return table.entries.size() <= ImposedLoadTables::kEntries;
}));

// The upper end of the range offered for a lower-bound value, whatever the bound.
constexpr const char* kLowerBoundMaximum = "10";

}  // namespace

void ImposedLoadTables::fillBuiltIn() {
    for (int t = 0; t < kTables; ++t) {
        const std::span<const ImposedEntry> entries = kBuiltInTables[t].entries;
        entryCount[kBuiltIn][t] = static_cast<std::uint16_t>(entries.size());
        for (std::size_t e = 0; e < entries.size(); ++e) {
            category[t][e] = utf8ToWindows1252(entries[e].category);
            description[kBuiltIn][t][e] = utf8ToWindows1252(entries[e].description);
            value[kBuiltIn][t][e] = utf8ToWindows1252(entries[e].value);
        }
        ownTableUnit[t] = ImposedUnit::AreaLoad;
    }
}

void ImposedLoadTables::reset() {
    source = kBuiltIn;
    currentTable = 0;
    tablesListed = 0;
    tableChosen = 0;
    for (int t = 0; t < kTables; ++t) {
        ownTableNames[t].clear();
        entryCount[kOwn][t] = 0;
        ownTableUnit[t] = ImposedUnit::AreaLoad;
        for (int e = 0; e < kEntries; ++e) {
            description[kOwn][t][e].clear();
            value[kOwn][t][e].clear();
        }
    }
    ownTableCount = 1;
    ownTableNames[0] = "Text Tabelle 1";
}

std::string ImposedLoadTables::rowNameOf(int table, int entry) const {
    const std::string& code = category[table][entry];
    const std::string& name = description[kBuiltIn][table][entry];
    return code.empty() ? name : "Kat. " + code + ", " + name;
}

void ImposedLoadTables::loadParamsForLowerBound(std::string_view valueText) {
    params[0] = lowerBoundOf(valueText);
    params[1] = kLowerBoundMaximum;
    params[2] = params[0];
}

const std::string& builtInImposedTableName(int table) {
    static const std::array<std::string, ImposedLoadTables::kTables> names = [] {
        std::array<std::string, ImposedLoadTables::kTables> converted;
        for (std::size_t t = 0; t < converted.size(); ++t) converted[t] = utf8ToWindows1252(kBuiltInTables[t].name);
        return converted;
    }();
    return names[static_cast<std::size_t>(table)];
}

std::int32_t rowUnitOfTable(int table) { return kBuiltInTables[table].rowUnit; }

std::string lowerBoundOf(std::string_view valueText) {
    std::string bound;
    std::ranges::copy_if(valueText, std::back_inserter(bound), [](char c) { return (c >= '0' && c <= '9') || c == '.'; });
    return bound;
}

}  // namespace tavo
