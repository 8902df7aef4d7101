#include "ui/LoadTakeOver.h"

#include <string_view>

#include "model/Numbers.h"
#include "model/RowEdits.h"
#include "model/Windows1252.h"

namespace tavo {
namespace {

bool elementIsActive(const ProjectData& project) { return project.componentChosen != 0 && project.elementChosen != 0; }

// Inserts rows into the active element of a project and knows what stands there.
class ActiveElement {
public:
    explicit ActiveElement(ProjectData& project)
        : project_(project), component_(project.activeComponent), element_(project.activeElement) {}

    int permanentCount() const { return project_.permRowCount[component_][element_]; }
    PermanentRow& nextPermanentRow() { return project_.permanentRow(component_, element_, permanentCount()); }

    // Whether a row of the element, searched from the last, names the parent load.
    bool holdsPermanentRowNaming(const std::string& text) const {
        for (int r = permanentCount() - 1; r >= 0; --r) {
            if (project_.permanentRow(component_, element_, r).description.find(text) != std::string::npos) return true;
        }
        return false;
    }

    // A row whose unit and values a per-cm dialog has already written keeps them.
    void insertPermanent(const std::string& description, std::int32_t rowUnit, bool valuesWritten) {
        PermanentRow& row = nextPermanentRow();
        row.description = description;
        row.influenceWidth.clear();
        row.lineLoad.clear();
        row.pointLoad.clear();
        if (!valuesWritten) {
            row.rowUnit = rowUnit;
            row.unitWeight.clear();
            row.thickness.clear();
            row.areaLoad.clear();
            writeTakenOverValue(row, project_.permanentTables.transferValue);
        }
        ++project_.permRowCount[component_][element_];
    }

    bool insertImposed(const std::string& description, std::int32_t rowUnit) {
        auto& count = project_.imposedRowCount[component_][element_];
        if (count >= kMaxImposedRows) return false;
        ImposedRow& row = project_.imposedRow(component_, element_, count);
        row.description = description;
        row.rowUnit = rowUnit;
        row.areaLoad.clear();
        row.influenceWidth.clear();
        row.lineLoad.clear();
        row.pointLoad.clear();
        writeTakenOverValue(row, project_.imposedTables.imposedTransferValue);
        ++count;
        return true;
    }

    bool isNamedAsWall() const {
        const auto wall = [](const std::string& name) {
            for (const std::string_view word : {"Wand", "Wände", "wand", "wände"}) {
                if (name.find(utf8ToWindows1252(word)) != std::string::npos) return true;
            }
            return false;
        };
        return wall(project_.componentNames[component_]) || wall(project_.elementNames[component_][element_]);
    }

private:
    ProjectData& project_;
    std::uint32_t component_;
    std::uint32_t element_;
};

// The steps for one built-in self-weight entry; each returns whether the row is to be inserted.
class BuiltInPermanentTakeOver {
public:
    BuiltInPermanentTakeOver(ProjectData& project, ActiveElement& element, int entry, UserPrompts& prompts,
                             EntryDialogs& dialogs)
        : tables_(project.permanentTables), element_(element), prompts_(prompts), dialogs_(dialogs) {
        const int g = static_cast<int>(tables_.currentGroup);
        const int t = static_cast<int>(tables_.currentTable);
        description_ = tables_.description[PermanentLoadTables::kBuiltIn][g][t][entry];
        value_ = tables_.value[PermanentLoadTables::kBuiltIn][g][t][entry];
        parentText_ = parentTextOf(g, t, entry);
        changedText_ = tables_.changedValue[g][t][entry];
        if (isPerUnitEntry(g, t, entry)) tables_.perUnitKind = perUnitKindOf(description_);
        rowUnit_ = rowUnitOfGroup(g);
    }

    const std::string& description() const { return description_; }
    std::int32_t rowUnit() const { return rowUnit_; }

    bool run() {
        if (element_.permanentCount() >= kMaxPermanentRows) return refuse(kNoFreeRowMessage);
        if (parentText_ && !element_.holdsPermanentRowNaming(*parentText_)) return refuse(kNoParentLoadMessage);
        tables_.params[0].clear();
        switch (valueKindOf(value_)) {
        case ValueKind::DryDensity: return dryDensity();
        case ValueKind::LowerBound: return range(/*split=*/false);
        case ValueKind::Range: return range(/*split=*/true);
        case ValueKind::Single: return singleValue();
        }
        return false;
    }

private:
    bool refuse(const char* message) {
        prompts_.warning(message);
        return false;
    }

    bool hasChosen() const { return !changedText_.empty(); }
    double chosen() const { return numberOr0(changedText_); }
    bool perUnit() const { return tables_.perUnitKind != Ordinary; }

    bool dryDensity() {
        tables_.splitParams(value_);
        if (hasChosen() && tables_.paramRangeHolds(4, 5, chosen())) return true;
        const std::optional<double> unitWeight = dialogs_.enterDryDensity(DryDensityEntry::fromParams(tables_));
        if (!unitWeight) return false;
        tables_.transferValue = *unitWeight;
        return true;
    }

    // A lower bound stands for the range 26 to 60 whatever it names.
    bool range(bool split) {
        if (split) {
            tables_.splitParams(value_);
        } else {
            tables_.loadParamsForTakeOver(value_);
        }
        if (hasChosen() && tables_.paramRangeHolds(0, 1, chosen())) {
            if (!split || !perUnit()) return true;
            tables_.params[2] = changedText_;
        }
        return countAndValue();
    }

    bool singleValue() {
        const double standard = numberOr0(value_);
        tables_.params[1] = value_;
        const bool differs = hasChosen() && !valuesEqual(chosen(), standard);
        if (!perUnit()) {
            tables_.transferValue = standard;
            if (!differs) return true;
            const Answer answer = ask("übernehmen", standard);
            if (answer == Answer::Cancel) return false;
            if (answer == Answer::Yes) tables_.transferValue = chosen();
            return true;
        }
        if (differs) {
            const Answer answer = ask("verwenden", standard);
            if (answer == Answer::Cancel) return false;
            if (answer == Answer::Yes) tables_.params[1] = changedText_;
        }
        return countAndValue();
    }

    Answer ask(const char* verb, double standard) {
        return prompts_.askYesNoCancel(
            formatString("Geänderten Wert %.2lf statt\nStandardwert %.2lf %s ?", chosen(), standard, verb), Answer::Yes);
    }

    // On "Okay" the count times the value is handed over; a value per cm becomes a layer row.
    bool countAndValue() {
        const std::optional<CountAndValue> entered = dialogs_.enterCountAndValue(CountValueEntry::fromParams(tables_));
        if (!entered) return false;
        tables_.transferValue = entered->count * entered->value;
        if (tables_.perUnitKind == PerCentimetre) {
            writePerCentimetreLayer(element_.nextPermanentRow(), entered->count, entered->value);
        }
        return true;
    }

    PermanentLoadTables& tables_;
    ActiveElement& element_;
    UserPrompts& prompts_;
    EntryDialogs& dialogs_;
    std::string description_;
    std::string value_;
    std::optional<std::string> parentText_;
    std::string changedText_;
    std::int32_t rowUnit_ = PermanentUnit::Layer;
};

}  // namespace

bool takeOverPermanentEntry(ProjectData& project, int entry, UserPrompts& prompts, EntryDialogs& dialogs) {
    PermanentLoadTables& tables = project.permanentTables;
    tables.perUnitKind = Ordinary;
    if (!elementIsActive(project)) {
        prompts.warning(kNoActiveElementMessage);
        return false;
    }
    ActiveElement element(project);
    if (tables.source == PermanentLoadTables::kOwn) {
        const int g = static_cast<int>(tables.currentGroup);
        const int t = static_cast<int>(tables.currentTable);
        const std::string& description = tables.description[PermanentLoadTables::kOwn][g][t][entry];
        const std::string& value = tables.value[PermanentLoadTables::kOwn][g][t][entry];
        if (description.empty() || value.empty()) {
            prompts.warning(kIncompleteEntryMessage);
            return false;
        }
        if (element.permanentCount() >= kMaxPermanentRows) {
            prompts.warning(kNoFreeRowMessage);
            return false;
        }
        tables.transferValue = numberOr0(value);
        element.insertPermanent(description, static_cast<std::int32_t>(tables.ownTableUnit[g][t]), false);
        return true;
    }
    BuiltInPermanentTakeOver takeOver(project, element, entry, prompts, dialogs);
    if (!takeOver.run()) return false;
    element.insertPermanent(takeOver.description(), takeOver.rowUnit(), tables.perUnitKind == PerCentimetre);
    return true;
}

bool takeOverImposedEntry(ProjectData& project, int entry, UserPrompts& prompts, EntryDialogs& dialogs) {
    if (!elementIsActive(project)) {
        prompts.warning(kNoActiveElementMessage);
        return false;
    }
    ActiveElement element(project);
    if (element.isNamedAsWall() && !prompts.askYesNo(kImposedOnWallQuestion, false)) return false;

    ImposedLoadTables& tables = project.imposedTables;
    const int t = static_cast<int>(tables.currentTable);
    std::string name;
    std::int32_t rowUnit = ImposedUnit::AreaLoad;
    if (tables.source == ImposedLoadTables::kOwn) {
        name = tables.description[ImposedLoadTables::kOwn][t][entry];
        const std::string& value = tables.value[ImposedLoadTables::kOwn][t][entry];
        if (name.empty() || value.empty()) {
            prompts.warning(kIncompleteEntryMessage);
            return false;
        }
        tables.imposedTransferValue = numberOr0(value);
        rowUnit = tables.ownTableUnit[t];
    } else {
        name = tables.rowNameOf(t, entry);
        rowUnit = rowUnitOfTable(t);
        const std::string& value = tables.value[ImposedLoadTables::kBuiltIn][t][entry];
        if (value.find('>') == std::string::npos) {
            tables.imposedTransferValue = numberOr0(value);
        } else {
            tables.loadParamsForLowerBound(value);
            const std::optional<double> load = dialogs.enterImposedLoad(ImposedLoadEntry::fromParams(tables));
            if (!load) return false;
            tables.imposedTransferValue = *load;
        }
    }
    // A full element is found only now, after the dialog: the load entered is then lost.
    if (!element.insertImposed(name, rowUnit)) {
        prompts.warning(kNoFreeRowMessage);
        return false;
    }
    return true;
}

}  // namespace tavo
