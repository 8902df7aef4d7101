#include "ui/RowCorrection.h"

#include "model/Numbers.h"

namespace tavo {

CorrectedValues correctionValues(const PermanentRow& row) {
    CorrectedValues values;
    if (takesThickness(row)) {
        values.unitWeight = numberOr0(row.unitWeight);
        values.thickness = numberOr0(row.thickness);
    }
    values.areaLoad = numberOr0(row.areaLoad);
    values.influenceWidth = numberOr0(row.influenceWidth);
    values.lineLoad = numberOr0(row.lineLoad);
    return values;
}

CorrectedValues correctionValues(const ImposedRow& row) {
    CorrectedValues values;
    values.areaLoad = numberOr0(row.areaLoad);
    values.influenceWidth = numberOr0(row.influenceWidth);
    values.lineLoad = numberOr0(row.lineLoad);
    return values;
}

void followThickness(CorrectedValues& values) {
    values.areaLoad = values.unitWeight * values.thickness / 100.0;
    if (!valuesEqual(values.influenceWidth, 0.0)) followWidth(values);
}

void followWidth(CorrectedValues& values) { values.lineLoad = values.influenceWidth * values.areaLoad; }

}  // namespace tavo
