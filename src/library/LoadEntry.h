#pragma once

#include <optional>
#include <string>

#include "model/ImposedLoadTables.h"
#include "model/PermanentLoadTables.h"

namespace tavo {

// What the three small entry dialogs ask for when a library entry carries no
// fixed value: their limits, defaults and labels (UTF-8) read from the params
// of the load tables, and the rules that turn the entries into a value. The
// dialogs only show these and exchange the fields.

// A dry-density record: the user gives a dry density in kg/m³, from which the
// unit weight is interpolated, or the unit weight directly.
struct DryDensityEntry {
    double densityMin = 0.0;
    double densityMax = 0.0;
    double density = 0.0;
    double unitWeightMin = 0.0;
    double unitWeightMax = 0.0;
    double unitWeight = 0.0;
    std::string densityRangeLabel;
    std::string unitWeightRangeLabel;

    // Limits and defaults from params 1 to 6 of a split dry-density record.
    static DryDensityEntry fromParams(const PermanentLoadTables& tables);
    // The unit weight for a density, linear between the two ranges, rounded to 2 decimals.
    double unitWeightFor(double densityValue) const;
};

// A thickness, extra thickness or count of layers, and the value per unit.
struct CountValueEntry {
    static constexpr int kCountMin = 1;
    static constexpr int kCountMax = 1000;

    int count = 1;
    double value = 0.0;
    double valueMin = 0.0;
    double valueMax = 0.0;
    // A fixed value: only the count can be changed.
    bool valueFixed = false;
    // An ordinary entry: only the value can be changed.
    bool countFixed = false;
    std::string countLabel;
    std::string valueLabel;
    std::string rangeLabel;

    // From params (a range, or params[0] empty and params[1] the fixed value),
    // the chosen group (1 to 5 hold area loads) and perUnitKind.
    static CountValueEntry fromParams(const PermanentLoadTables& tables);
};

// An imposed load above a lower bound.
struct ImposedLoadEntry {
    double load = 0.0;
    double loadMin = 0.0;
    double loadMax = 0.0;
    std::string rangeLabel;

    // From params 0 to 2; the unit by the chosen table (0 and 1 hold area loads).
    static ImposedLoadEntry fromParams(const ImposedLoadTables& tables);
};

struct CountAndValue {
    int count = 1;
    double value = 0.0;
};

// The three modal dialogs. Each returns the entries on "Okay", nothing on "Abbrechen".
class EntryDialogs {
public:
    virtual ~EntryDialogs() = default;
    // The unit weight.
    virtual std::optional<double> enterDryDensity(const DryDensityEntry& entry) = 0;
    virtual std::optional<CountAndValue> enterCountAndValue(const CountValueEntry& entry) = 0;
    // The imposed load.
    virtual std::optional<double> enterImposedLoad(const ImposedLoadEntry& entry) = 0;
};

}  // namespace tavo
