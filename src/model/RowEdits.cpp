#include "model/RowEdits.h"

#include "model/Numbers.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

// Width edit shared by permanent and imposed rows: the line load is derived from
// the stored area load text, not from unit weight and thickness.
bool editWidth(const std::string& areaLoad, std::string& influenceWidth, std::string& lineLoad, std::string_view typed) {
    double width = 0.0;
    if (!parseNumber(typed, width) || width < 0.0) return false;
    if (areaLoad.empty()) return false;
    const bool clears = valuesEqual(width, 0.0);
    const std::string_view entered = clears ? std::string_view{} : trimBlanks(typed);
    if (entered == influenceWidth) return false;
    if (clears) {
        influenceWidth.clear();
        lineLoad.clear();
    } else {
        influenceWidth = formatTrimmed(width, 3);
        lineLoad = formatLoad(numberOr0(areaLoad) * width);
    }
    return true;
}

// Replaces a text and tells whether it was different.
bool assign(std::string& text, std::string value) {
    if (text == value) return false;
    text = std::move(value);
    return true;
}

bool writeCorrectedWidth(std::string& influenceWidth, std::string& lineLoad, const CorrectedValues& values) {
    if (valuesEqual(values.influenceWidth, 0.0)) {
        const bool changed = !influenceWidth.empty() || !lineLoad.empty();
        influenceWidth.clear();
        lineLoad.clear();
        return changed;
    }
    const bool widthChanged = assign(influenceWidth, trimZeros(formatLoad(values.influenceWidth), 2));
    const bool lineChanged = assign(lineLoad, formatLoad(values.lineLoad));
    return widthChanged || lineChanged;
}

template <typename Row>
LoadSums sumRows(const Row* rows, int count) {
    LoadSums sums;
    for (int r = 0; r < count; ++r) {
        sums.area += numberOr0(rows[r].areaLoad);
        sums.line += numberOr0(rows[r].lineLoad);
        sums.point += numberOr0(rows[r].pointLoad);
    }
    return sums;
}

}  // namespace

bool editThickness(PermanentRow& row, std::string_view typed) {
    if (row.rowUnit != PermanentUnit::Layer) return false;
    double thickness = 0.0;
    if (!parseNumber(typed, thickness) || thickness <= 0.0) return false;
    if (row.unitWeight.empty()) return false;
    if (trimBlanks(typed) == row.thickness) return false;

    // The loads use the thickness as typed; only the stored text is rounded.
    row.thickness = formatTrimmed(thickness, 1);
    const double unitWeight = numberOr0(row.unitWeight);
    row.areaLoad = formatLoad(unitWeight * thickness / 100.0);
    if (!row.influenceWidth.empty()) {
        row.lineLoad = formatLoad(unitWeight * thickness * numberOr0(row.influenceWidth) / 100.0);
    }
    return true;
}

bool editInfluenceWidth(PermanentRow& row, std::string_view typed) {
    return editWidth(row.areaLoad, row.influenceWidth, row.lineLoad, typed);
}

bool editInfluenceWidth(ImposedRow& row, std::string_view typed) {
    if (row.rowUnit != ImposedUnit::AreaLoad) return false;
    return editWidth(row.areaLoad, row.influenceWidth, row.lineLoad, typed);
}

void writeTakenOverValue(PermanentRow& row, double value) {
    std::string* column = &row.pointLoad;
    switch (row.rowUnit) {
    case PermanentUnit::Layer: column = &row.unitWeight; break;
    case PermanentUnit::AreaLoad: column = &row.areaLoad; break;
    case PermanentUnit::LineLoad: column = &row.lineLoad; break;
    default: break;
    }
    *column = formatLoad(value);
}

void writeTakenOverValue(ImposedRow& row, double value) {
    std::string* column = &row.pointLoad;
    switch (row.rowUnit) {
    case ImposedUnit::AreaLoad: column = &row.areaLoad; break;
    case ImposedUnit::LineLoad: column = &row.lineLoad; break;
    default: break;
    }
    *column = formatLoad(value);
}

double writePerCentimetreLayer(PermanentRow& row, int centimetres, double perCentimetre) {
    const double load = centimetres * perCentimetre;
    row.rowUnit = PermanentUnit::Layer;
    row.unitWeight = formatLoad(perCentimetre * 100.0);
    row.thickness = formatString("%d", centimetres);
    row.areaLoad = formatLoad(load);
    return load;
}

bool applyManualCorrection(PermanentRow& row, const CorrectedValues& values) {
    bool changed = false;
    if (row.rowUnit == PermanentUnit::Layer) {
        changed |= assign(row.thickness, trimZeros(formatLoad(values.thickness), 2));
        changed |= assign(row.areaLoad, formatLoad(values.areaLoad));
    }
    changed |= writeCorrectedWidth(row.influenceWidth, row.lineLoad, values);
    return changed;
}

bool applyManualCorrection(ImposedRow& row, const CorrectedValues& values) {
    if (row.rowUnit != ImposedUnit::AreaLoad) return false;
    return writeCorrectedWidth(row.influenceWidth, row.lineLoad, values);
}

LoadSums permanentSums(const ProjectData& project, int component, int element) {
    return sumRows(&project.permanentRow(component, element, 0), project.permRowCount[component][element]);
}

LoadSums imposedSums(const ProjectData& project, int component, int element) {
    return sumRows(&project.imposedRow(component, element, 0), project.imposedRowCount[component][element]);
}

std::optional<ElementRef> firstElementMissingThickness(const ProjectData& project) {
    for (int c = 0; c < project.componentCount; ++c) {
        for (int e = 0; e < project.elementCount[c]; ++e) {
            for (int r = 0; r < project.permRowCount[c][e]; ++r) {
                const PermanentRow& row = project.permanentRow(c, e, r);
                if (row.rowUnit == PermanentUnit::Layer && row.thickness.empty()) return ElementRef{c, e};
            }
        }
    }
    return std::nullopt;
}

std::string missingThicknessMessage(const std::string& elementName) {
    return "Bitte noch fehlende Schichtdicke(n) bei Element " + windows1252ToUtf8(elementName) + " ergänzen!";
}

}  // namespace tavo
