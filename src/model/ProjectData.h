#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/ImposedLoadTables.h"
#include "model/PermanentLoadTables.h"

namespace tavo {

inline constexpr int kMaxComponents = 7;
inline constexpr int kMaxElements = 7;
inline constexpr int kMaxPermanentRows = 25;
inline constexpr int kMaxImposedRows = 15;
inline constexpr int kMaxOwnGroups = PermanentLoadTables::kGroups;
inline constexpr int kMaxOwnTablesPerGroup = PermanentLoadTables::kTables;
inline constexpr int kMaxOwnPermanentEntries = PermanentLoadTables::kEntries;
inline constexpr int kMaxOwnImposedTables = ImposedLoadTables::kTables;
inline constexpr int kMaxOwnImposedEntries = ImposedLoadTables::kEntries;
inline constexpr int kMaxStoredTextBytes = 511;
inline constexpr int kMaxTitleLineChars = 80;
inline constexpr int kMinStartPage = 1;
inline constexpr int kMaxStartPage = 999;

// Unit codes of permanent rows and of the own permanent-load tables.
namespace PermanentUnit {
inline constexpr std::int32_t Layer = 1;      // unit weight kN/m³ × thickness
inline constexpr std::int32_t AreaLoad = 2;   // kN/m²
inline constexpr std::int32_t LineLoad = 3;   // kN/m
inline constexpr std::int32_t PointLoad = 4;  // kN; also any other code
}  // namespace PermanentUnit

// Unit codes of imposed rows and of the own imposed-load tables.
namespace ImposedUnit {
inline constexpr std::int32_t AreaLoad = 1;
inline constexpr std::int32_t LineLoad = 2;
inline constexpr std::int32_t PointLoad = 3;  // also any other code
}  // namespace ImposedUnit

// One row of permanent loads. Every value is text as stored; empty means no value.
struct PermanentRow {
    std::string description;
    std::string unitWeight;
    std::string thickness;
    std::string areaLoad;
    std::string influenceWidth;
    std::string lineLoad;
    std::string pointLoad;
    std::int32_t rowUnit = PermanentUnit::Layer;
};

// One row of imposed loads.
struct ImposedRow {
    std::string description;
    std::string areaLoad;
    std::string influenceWidth;
    std::string lineLoad;
    std::string pointLoad;
    std::int32_t rowUnit = ImposedUnit::AreaLoad;
};

// Every code other than those of the other kinds stands for a point load.
constexpr bool isPointLoadRow(const PermanentRow& row) {
    return row.rowUnit != PermanentUnit::Layer && row.rowUnit != PermanentUnit::AreaLoad &&
           row.rowUnit != PermanentUnit::LineLoad;
}
constexpr bool isPointLoadRow(const ImposedRow& row) {
    return row.rowUnit != ImposedUnit::AreaLoad && row.rowUnit != ImposedUnit::LineLoad;
}

constexpr int permanentRowIndex(int component, int element, int row) {
    return (component * kMaxElements + element) * kMaxPermanentRows + row;
}
constexpr int imposedRowIndex(int component, int element, int row) {
    return (component * kMaxElements + element) * kMaxImposedRows + row;
}

// The whole project in one fixed-size structure. Texts are Windows-1252.
struct ProjectData {
    ProjectData();  // fills the built-in library halves, then reset()

    // Everything a project consists of back to the state of a new project.
    void reset();

    PermanentRow& permanentRow(int c, int e, int r) { return permanentRows[permanentRowIndex(c, e, r)]; }
    const PermanentRow& permanentRow(int c, int e, int r) const { return permanentRows[permanentRowIndex(c, e, r)]; }
    ImposedRow& imposedRow(int c, int e, int r) { return imposedRows[imposedRowIndex(c, e, r)]; }
    const ImposedRow& imposedRow(int c, int e, int r) const { return imposedRows[imposedRowIndex(c, e, r)]; }

    // Component section.
    std::uint32_t activeComponent = 0;
    std::uint32_t activeElement = 0;
    std::uint8_t componentChosen = 0;
    std::uint8_t elementChosen = 0;
    std::int32_t componentCount = 0;
    std::array<std::string, kMaxComponents> componentNames;
    std::array<std::uint16_t, kMaxComponents> elementCount{};
    std::array<std::array<std::string, kMaxElements>, kMaxComponents> elementNames;
    std::array<std::array<std::uint16_t, kMaxElements>, kMaxComponents> permRowCount{};
    std::array<PermanentRow, kMaxComponents * kMaxElements * kMaxPermanentRows> permanentRows;
    std::array<std::array<std::uint16_t, kMaxElements>, kMaxComponents> imposedRowCount{};
    std::array<ImposedRow, kMaxComponents * kMaxElements * kMaxImposedRows> imposedRows;

    PermanentLoadTables permanentTables;
    ImposedLoadTables imposedTables;

    // Listing heading.
    std::array<std::string, 2> titleLines;
    std::int32_t startPage = 1;
    std::int32_t skipDemoQuestion = 0;
};

}  // namespace tavo
