#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/ProjectData.h"

namespace tavo {

// The edits a page makes to a load row. Each returns true when it changed the
// row, so that the caller marks the document modified exactly then.

// Thickness typed into a layer row: stores it with one decimal and derives the
// area load (and the line load when a width stands) from the thickness as typed.
bool editThickness(PermanentRow& row, std::string_view typed);

// Influence width typed into a permanent row that has an area load; 0 clears
// width and line load.
bool editInfluenceWidth(PermanentRow& row, std::string_view typed);

// The same for an imposed area-load row.
bool editInfluenceWidth(ImposedRow& row, std::string_view typed);

// A taken-over value written in the standard load format (formatLoad) into the
// column of the row's unit.
void writeTakenOverValue(PermanentRow& row, double value);
void writeTakenOverValue(ImposedRow& row, double value);

// A layer given per centimetre: c centimetres of a per-cm area load v become a
// unit-weight row. Returns the handed-over value c × v.
double writePerCentimetreLayer(PermanentRow& row, int centimetres, double perCentimetre);

// The numbers of the manual correction dialog after OK.
struct CorrectedValues {
    double unitWeight = 0.0;
    double thickness = 0.0;
    double areaLoad = 0.0;
    double influenceWidth = 0.0;
    double lineLoad = 0.0;
};

// Writes the corrected numbers into the row; true when a text changed.
bool applyManualCorrection(PermanentRow& row, const CorrectedValues& values);
bool applyManualCorrection(ImposedRow& row, const CorrectedValues& values);

// Sums over all rows of one element's table, each text read leniently.
struct LoadSums {
    double area = 0.0;
    double line = 0.0;
    double point = 0.0;
};
LoadSums permanentSums(const ProjectData& project, int component, int element);
LoadSums imposedSums(const ProjectData& project, int component, int element);

// The first element, in listing order, that has a layer row without thickness.
struct ElementRef {
    int component = 0;
    int element = 0;
};
std::optional<ElementRef> firstElementMissingThickness(const ProjectData& project);

// "Bitte noch fehlende Schichtdicke(n) bei Element %s ergänzen!" (UTF-8) for an
// element name as stored (Windows-1252).
std::string missingThicknessMessage(const std::string& elementName);

}  // namespace tavo
