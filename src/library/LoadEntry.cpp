#include "library/LoadEntry.h"

#include "model/Numbers.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

// "(" + minimum + " bis " + maximum + unit + ")", the limits as the value text writes them.
std::string rangeText(const std::string& minimum, const std::string& maximum, const char* unit) {
    return "(" + windows1252ToUtf8(minimum) + " bis " + windows1252ToUtf8(maximum) + unit + ")";
}

bool holdsAreaLoads(std::uint32_t group) { return group >= 1 && group <= 5; }

}  // namespace

DryDensityEntry DryDensityEntry::fromParams(const PermanentLoadTables& tables) {
    const auto& p = tables.params;
    DryDensityEntry entry;
    entry.densityMin = numberOr0(p[1]);
    entry.densityMax = numberOr0(p[2]);
    entry.density = numberOr0(p[3]);
    entry.unitWeightMin = numberOr0(p[4]);
    entry.unitWeightMax = numberOr0(p[5]);
    entry.unitWeight = numberOr0(p[6]);
    entry.densityRangeLabel = rangeText(p[1], p[2], " kg/m³");
    entry.unitWeightRangeLabel = rangeText(p[4], p[5], " kN/m³");
    return entry;
}

double DryDensityEntry::unitWeightFor(double densityValue) const {
    const double share = (densityValue - densityMin) / (densityMax - densityMin);
    return roundHalfAway(share * (unitWeightMax - unitWeightMin) + unitWeightMin, 2);
}

CountValueEntry CountValueEntry::fromParams(const PermanentLoadTables& tables) {
    const auto& p = tables.params;
    const bool areaLoads = holdsAreaLoads(tables.currentGroup);
    CountValueEntry entry;
    if (!p[0].empty()) {
        entry.valueMin = numberOr0(p[0]);
        entry.valueMax = numberOr0(p[1]);
        entry.value = numberOr0(p[2]);
        entry.rangeLabel = rangeText(p[0], p[1], areaLoads ? " kN/m²" : " kN/m³");
    } else {
        entry.value = entry.valueMin = entry.valueMax = numberOr0(p[1]);
        entry.valueFixed = true;
    }
    entry.valueLabel = areaLoads ? "Last :" : "Wichte :";
    switch (tables.perUnitKind) {
    case PerMillimetreExtra: entry.countLabel = "Dicke in mm :"; break;
    case PerLayer: entry.countLabel = "Anzahl Bahnen :"; break;
    default: entry.countLabel = "Dicke in cm :"; break;
    }
    entry.countFixed = tables.perUnitKind == Ordinary;
    return entry;
}

ImposedLoadEntry ImposedLoadEntry::fromParams(const ImposedLoadTables& tables) {
    const auto& p = tables.params;
    ImposedLoadEntry entry;
    entry.loadMin = numberOr0(p[0]);
    entry.loadMax = numberOr0(p[1]);
    entry.load = numberOr0(p[2]);
    entry.rangeLabel = rangeText(p[0], p[1], tables.currentTable <= 1 ? " kN/m²" : " kN");
    return entry;
}

}  // namespace tavo
