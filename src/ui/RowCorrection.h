#pragma once

#include "model/ProjectData.h"
#include "model/RowEdits.h"

namespace tavo {

// The numbers of "Manuelle Korrektur" for one row and how they follow each
// other while the user types; applyManualCorrection (RowEdits.h) writes them.

// Unit weight and thickness only for a layer row, else 0.
CorrectedValues correctionValues(const PermanentRow& row);
CorrectedValues correctionValues(const ImposedRow& row);

// Only a layer row takes a thickness; only an area-load row of imposed loads
// takes a width.
inline bool takesThickness(const PermanentRow& row) { return row.rowUnit == PermanentUnit::Layer; }
inline bool takesCorrection(const ImposedRow& row) { return row.rowUnit == ImposedUnit::AreaLoad; }

// A new thickness gives a new area load, and a new line load where a width stands.
void followThickness(CorrectedValues& values);
// A new width gives a new line load.
void followWidth(CorrectedValues& values);

inline constexpr const char* kRowMissingMessage = "Zeile nicht vorhanden!";
inline constexpr const char* kRowNotCorrectableMessage = "Keine Eingabe für diese Zeile vorgesehen!";
inline constexpr const char* kThicknessZeroMessage = "Geben Sie bitte eine Zahl größer 0 ein.";

}  // namespace tavo
