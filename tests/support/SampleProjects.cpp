#include "support/SampleProjects.h"

#include "model/Numbers.h"

namespace tavo::test {
namespace {

constexpr auto kOwn = PermanentLoadTables::kOwn;

// "ä", "ß", "€" and "³" as Windows-1252 bytes, the way a project holds them.
const std::string kSpecial = "\xE4\xDF\x80\xB3";

// A load text unique to seed: "12.34" for 1234.
std::string loadText(int seed) { return formatString("%d.%02d", seed / 100, seed % 100); }

void fillPermanentRow(PermanentRow& row, std::int32_t unit, int seed) {
    row = PermanentRow{};
    row.rowUnit = unit;
    row.description = "Schicht " + kSpecial + " " + std::to_string(seed);
    const int base = seed * 8;
    switch (unit) {
        case PermanentUnit::Layer:
            row.unitWeight = loadText(base + 1);
            row.thickness = loadText(base + 2);
            [[fallthrough]];
        case PermanentUnit::AreaLoad:
            row.areaLoad = loadText(base + 3);
            row.influenceWidth = loadText(base + 4);
            [[fallthrough]];
        case PermanentUnit::LineLoad:
            row.lineLoad = loadText(base + 5);
            break;
        default:
            row.pointLoad = loadText(base + 6);
    }
}

void fillImposedRow(ImposedRow& row, std::int32_t unit, int seed) {
    row = ImposedRow{};
    row.rowUnit = unit;
    row.description = "Kat. A1, Wohnr\xE4ume " + std::to_string(seed);
    const int base = seed * 8;
    switch (unit) {
        case ImposedUnit::AreaLoad:
            row.areaLoad = loadText(base + 1);
            row.influenceWidth = loadText(base + 2);
            [[fallthrough]];
        case ImposedUnit::LineLoad:
            row.lineLoad = loadText(base + 3);
            break;
        default:
            row.pointLoad = loadText(base + 4);
    }
}

void fillElement(ProjectData& project, int c, int e, int permanentRows, int imposedRows) {
    project.elementNames[c][e] = "Element " + std::to_string(c + 1) + "." + std::to_string(e + 1) + " Gescho\xDF";
    project.permRowCount[c][e] = static_cast<std::uint16_t>(permanentRows);
    project.imposedRowCount[c][e] = static_cast<std::uint16_t>(imposedRows);
    for (int r = 0; r < permanentRows; ++r) {
        fillPermanentRow(project.permanentRow(c, e, r), 1 + r % 4, permanentRowIndex(c, e, r));
    }
    for (int r = 0; r < imposedRows; ++r) fillImposedRow(project.imposedRow(c, e, r), 1 + r % 3, imposedRowIndex(c, e, r));
}

void fillOwnPermanentTable(PermanentLoadTables& tables, int g, int t, int entries) {
    tables.tableNames[kOwn][g][t] = "Tabelle " + std::to_string(g + 1) + "." + std::to_string(t + 1) + " " + kSpecial;
    tables.ownTableUnit[g][t] = static_cast<std::uint32_t>(1 + (g + t) % 4);
    tables.entryCount[kOwn][g][t] = static_cast<std::uint16_t>(entries);
    for (int i = 0; i < entries; ++i) {
        const int seed = PermanentLoadTables::entryIndex(kOwn, g, t, i);
        tables.description[kOwn][g][t][i] = "Eintrag " + kSpecial + " " + std::to_string(seed);
        tables.value[kOwn][g][t][i] = loadText(seed);
    }
}

void fillOwnImposedTable(ImposedLoadTables& tables, int t, int entries) {
    tables.ownTableNames[t] = "Nutzlasten " + std::to_string(t + 1) + " \xFC";
    tables.ownTableUnit[t] = 1 + t % 3;
    tables.entryCount[kOwn][t] = static_cast<std::uint16_t>(entries);
    for (int i = 0; i < entries; ++i) {
        const int seed = ImposedLoadTables::entryIndex(kOwn, t, i);
        tables.description[kOwn][t][i] = "Nutzlast " + kSpecial + " " + std::to_string(seed);
        tables.value[kOwn][t][i] = ">= " + loadText(seed);
    }
}

}  // namespace

ProjectData makeMaximalProject() {
    ProjectData project;
    project.titleLines = {"Bauwaage Wohnhaus M\xFCller", "Gescho\xDF 1, Decke \x80 " + kSpecial};
    project.startPage = kMaxStartPage;

    project.componentCount = kMaxComponents;
    for (int c = 0; c < kMaxComponents; ++c) {
        project.componentNames[c] = "Bauteil " + std::to_string(c + 1) + " " + kSpecial;
        project.elementCount[c] = kMaxElements;
        for (int e = 0; e < kMaxElements; ++e) fillElement(project, c, e, kMaxPermanentRows, kMaxImposedRows);
    }

    PermanentLoadTables& permanent = project.permanentTables;
    permanent.ownGroupCount = kMaxOwnGroups;
    for (int g = 0; g < kMaxOwnGroups; ++g) {
        permanent.ownGroupNames[g] = "Gruppe " + std::to_string(g + 1) + " " + kSpecial;
        permanent.tableCount[kOwn][g] = kMaxOwnTablesPerGroup;
        for (int t = 0; t < kMaxOwnTablesPerGroup; ++t) fillOwnPermanentTable(permanent, g, t, kMaxOwnPermanentEntries);
    }

    ImposedLoadTables& imposed = project.imposedTables;
    imposed.ownTableCount = kMaxOwnImposedTables;
    for (int t = 0; t < kMaxOwnImposedTables; ++t) fillOwnImposedTable(imposed, t, kMaxOwnImposedEntries);
    return project;
}

ProjectData makeSmallProject() {
    ProjectData project;
    project.titleLines = {"Bauwaage B\xFCrohaus", "Gro\xDFgasse 3"};
    project.startPage = 12;

    project.componentCount = 2;
    project.componentNames[0] = "Decke Erdgescho\xDF";
    project.elementCount[0] = 2;
    fillElement(project, 0, 0, 4, 3);
    fillElement(project, 0, 1, 0, 0);
    project.componentNames[1] = "Dach";

    PermanentLoadTables& permanent = project.permanentTables;
    permanent.ownGroupCount = 2;
    permanent.tableCount[kOwn][0] = 2;
    fillOwnPermanentTable(permanent, 0, 0, 3);
    fillOwnPermanentTable(permanent, 0, 1, 0);
    permanent.ownGroupNames[1] = "Gruppe ohne Tabellen";

    ImposedLoadTables& imposed = project.imposedTables;
    imposed.ownTableCount = 2;
    fillOwnImposedTable(imposed, 0, 0);
    fillOwnImposedTable(imposed, 1, 2);
    return project;
}

}  // namespace tavo::test
