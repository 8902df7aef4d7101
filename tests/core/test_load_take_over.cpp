#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/ProjectData.h"
#include "model/Windows1252.h"
#include "support/ScriptedPrompts.h"
#include "ui/LoadTakeOver.h"

namespace tavo {
namespace {

using Texts = std::vector<std::string>;

// Records what each dialog was opened with and answers from a script; an empty
// answer is "Abbrechen".
class ScriptedDialogs : public EntryDialogs {
public:
    std::optional<double> enterDryDensity(const DryDensityEntry& entry) override {
        dryDensity.push_back(entry);
        return next(unitWeights);
    }
    std::optional<CountAndValue> enterCountAndValue(const CountValueEntry& entry) override {
        countValue.push_back(entry);
        return next(countsAndValues);
    }
    std::optional<double> enterImposedLoad(const ImposedLoadEntry& entry) override {
        imposedLoad.push_back(entry);
        return next(loads);
    }

    std::deque<std::optional<double>> unitWeights;
    std::deque<std::optional<CountAndValue>> countsAndValues;
    std::deque<std::optional<double>> loads;
    std::vector<DryDensityEntry> dryDensity;
    std::vector<CountValueEntry> countValue;
    std::vector<ImposedLoadEntry> imposedLoad;

private:
    template <typename T>
    std::optional<T> next(std::deque<std::optional<T>>& script) {
        if (script.empty()) {
            ADD_FAILURE() << "unexpected dialog";
            return std::nullopt;
        }
        std::optional<T> answer = script.front();
        script.pop_front();
        return answer;
    }
};

struct Entry {
    int group;
    int table;
    int entry;
};
constexpr Entry kNormalConcrete{0, 0, 17};
constexpr Entry kHeavyConcrete{0, 0, 18};
constexpr Entry kPolystyreneConcrete{0, 0, 8};
constexpr Entry kCorrugatedSheets{1, 0, 5};  // "0.10;0.15;0.15", kN/m²
constexpr Entry kSafetyGlass{1, 1, 0};
constexpr Entry kGlassSurcharge{1, 1, 2};  // per mm, needs the glass
constexpr Entry kRoofingSheet{1, 5, 0};    // per layer
constexpr Entry kGravel{1, 5, 1};          // per cm
constexpr Entry kBrickWall{5, 1, 0};
constexpr Entry kBrickSurcharge{5, 1, 1};  // per 13 cm more, needs the wall, no count

class TakeOver : public ::testing::Test {
protected:
    std::unique_ptr<ProjectData> owned_ = std::make_unique<ProjectData>();  // too large for the stack
    ProjectData& project = *owned_;
    ScriptedPrompts prompts;
    ScriptedDialogs dialogs;

    TakeOver() {
        project.componentCount = 1;
        project.componentNames[0] = "Decke";
        project.elementCount[0] = 1;
        project.elementNames[0][0] = "Geschossdecke";
        project.componentChosen = 1;
        project.elementChosen = 1;
    }

    bool takePermanent(Entry e) {
        project.permanentTables.currentGroup = static_cast<std::uint32_t>(e.group);
        project.permanentTables.currentTable = static_cast<std::uint32_t>(e.table);
        return takeOverPermanentEntry(project, e.entry, prompts, dialogs);
    }
    bool takeImposed(int table, int entry) {
        project.imposedTables.currentTable = static_cast<std::uint32_t>(table);
        return takeOverImposedEntry(project, entry, prompts, dialogs);
    }
    std::string& changedValue(Entry e) { return project.permanentTables.changedValue[e.group][e.table][e.entry]; }
    std::string builtInDescription(Entry e) const {
        return project.permanentTables.description[PermanentLoadTables::kBuiltIn][e.group][e.table][e.entry];
    }
    int permanentRows() const { return project.permRowCount[0][0]; }
    int imposedRows() const { return project.imposedRowCount[0][0]; }
    const PermanentRow& lastPermanent() const { return project.permanentRow(0, 0, permanentRows() - 1); }
    const ImposedRow& lastImposed() const { return project.imposedRow(0, 0, imposedRows() - 1); }
};

// The values of a row, unit by unit, joined for one comparison.
std::string loadsOf(const PermanentRow& row) {
    return row.unitWeight + "|" + row.thickness + "|" + row.areaLoad + "|" + row.influenceWidth + "|" + row.lineLoad;
}
std::string loadsOf(const ImposedRow& row) { return row.areaLoad + "|" + row.lineLoad + "|" + row.pointLoad; }

TEST_F(TakeOver, AFixedValueBecomesARowOfItsUnitWithoutAsking) {
    project.permanentRow(0, 0, 0).influenceWidth = "left over";  // a slot used before is cleared
    ASSERT_TRUE(takePermanent(kNormalConcrete));
    EXPECT_EQ(lastPermanent().description, builtInDescription(kNormalConcrete));
    EXPECT_EQ(lastPermanent().rowUnit, PermanentUnit::Layer);
    EXPECT_EQ(loadsOf(lastPermanent()), "24.00||||");
    changedValue(kCorrugatedSheets) = "0.12";  // a typed value within the range is taken as it is
    ASSERT_TRUE(takePermanent(kCorrugatedSheets));
    EXPECT_EQ(lastPermanent().rowUnit, PermanentUnit::AreaLoad);
    EXPECT_EQ(loadsOf(lastPermanent()), "||0.12||");

    // An imposed entry takes its table's unit and its name with the category.
    ASSERT_TRUE(takeImposed(2, 0));
    EXPECT_EQ(lastImposed().description, project.imposedTables.rowNameOf(2, 0));
    EXPECT_EQ(lastImposed().rowUnit, ImposedUnit::LineLoad);
    EXPECT_EQ(loadsOf(lastImposed()), "|0.50|");
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_TRUE(dialogs.countValue.empty() && dialogs.imposedLoad.empty());
}

TEST_F(TakeOver, TypedOverSingleValueIsOfferedWithYesNoCancel) {
    changedValue(kNormalConcrete) = "25.00";
    const std::string question = "Geänderten Wert 25.00 statt\nStandardwert 24.00 übernehmen ?";
    prompts.answers = {Answer::Yes, Answer::No, Answer::Cancel};
    ASSERT_TRUE(takePermanent(kNormalConcrete));
    EXPECT_EQ(lastPermanent().unitWeight, "25.00");
    ASSERT_TRUE(takePermanent(kNormalConcrete));
    EXPECT_EQ(lastPermanent().unitWeight, "24.00");
    EXPECT_FALSE(takePermanent(kNormalConcrete));
    EXPECT_EQ(permanentRows(), 2);
    EXPECT_EQ(prompts.shown, (Texts{question, question, question}));

    changedValue(kNormalConcrete) = "24.00";  // equal to the standard: no question
    EXPECT_TRUE(takePermanent(kNormalConcrete));
    EXPECT_EQ(prompts.shown.size(), 3u);
}

TEST_F(TakeOver, BoundsAndRangesAreAskedForUnlessATypedValueLiesInThem) {
    // A lower bound: the dialog opens at the bound, within the fixed range up to 60.
    dialogs.countsAndValues = {CountAndValue{1, 30.0}, std::nullopt};
    ASSERT_TRUE(takePermanent(kHeavyConcrete));
    ASSERT_EQ(dialogs.countValue.size(), 1u);
    EXPECT_EQ(dialogs.countValue[0].value, 26.0);
    EXPECT_EQ(dialogs.countValue[0].valueMin, 26.0);
    EXPECT_EQ(dialogs.countValue[0].valueMax, 60.0);
    EXPECT_TRUE(dialogs.countValue[0].countFixed);
    EXPECT_EQ(lastPermanent().unitWeight, "30.00");
    changedValue(kHeavyConcrete) = "40.00";
    ASSERT_TRUE(takePermanent(kHeavyConcrete));
    EXPECT_EQ(lastPermanent().unitWeight, "40.00");

    // A typed value outside its range: the dialog offers the standard value; "Abbrechen" takes nothing.
    changedValue(kCorrugatedSheets) = "0.20";
    EXPECT_FALSE(takePermanent(kCorrugatedSheets));
    ASSERT_EQ(dialogs.countValue.size(), 2u);
    EXPECT_EQ(dialogs.countValue[1].value, 0.15);
    EXPECT_EQ(permanentRows(), 2);

    // Imposed lower bounds have their own dialog, up to 10.
    dialogs.loads = {7.5, std::nullopt};
    ASSERT_TRUE(takeImposed(1, 4));  // "Lagerräume und -hallen", ">= 5.0"
    ASSERT_EQ(dialogs.imposedLoad.size(), 1u);
    EXPECT_EQ(dialogs.imposedLoad[0].load, 5.0);
    EXPECT_EQ(dialogs.imposedLoad[0].loadMin, 5.0);
    EXPECT_EQ(dialogs.imposedLoad[0].loadMax, 10.0);
    EXPECT_EQ(lastImposed().areaLoad, "7.50");
    EXPECT_FALSE(takeImposed(1, 4));  // cancelled
    EXPECT_EQ(imposedRows(), 1);
}

TEST_F(TakeOver, DryDensityIsInterpolatedOrATypedUnitWeightInItsRangeTaken) {
    dialogs.unitWeights = {7.25, std::nullopt};
    ASSERT_TRUE(takePermanent(kPolystyreneConcrete));
    ASSERT_EQ(dialogs.dryDensity.size(), 1u);
    const DryDensityEntry& shown = dialogs.dryDensity[0];
    EXPECT_EQ(shown.density, 850.0);
    EXPECT_EQ(shown.unitWeight, 9.5);
    EXPECT_DOUBLE_EQ(shown.unitWeightFor(650.0), 7.25);  // 450 to 850 kg/m³ give 5.0 to 9.5 kN/m³
    EXPECT_EQ(lastPermanent().unitWeight, "7.25");

    changedValue(kPolystyreneConcrete) = "6.00";
    ASSERT_TRUE(takePermanent(kPolystyreneConcrete));
    EXPECT_EQ(lastPermanent().unitWeight, "6.00");
    changedValue(kPolystyreneConcrete) = "12.00";  // outside 5.0 to 9.5
    EXPECT_FALSE(takePermanent(kPolystyreneConcrete));
    EXPECT_EQ(dialogs.dryDensity.size(), 2u);
    EXPECT_EQ(permanentRows(), 2);
}

TEST_F(TakeOver, PerUnitEntriesAskForTheCount) {
    // Per cm: the dialog turns the load per cm into a layer of that thickness.
    dialogs.countsAndValues = {CountAndValue{5, 0.20}, CountAndValue{3, 0.05}};
    ASSERT_TRUE(takePermanent(kGravel));
    EXPECT_TRUE(dialogs.countValue[0].valueFixed);
    EXPECT_FALSE(dialogs.countValue[0].countFixed);
    EXPECT_EQ(lastPermanent().rowUnit, PermanentUnit::Layer);
    EXPECT_EQ(loadsOf(lastPermanent()), "20.00|5|1.00||");

    // Per layer: count times value as an area load.
    ASSERT_TRUE(takePermanent(kRoofingSheet));
    EXPECT_EQ(lastPermanent().rowUnit, PermanentUnit::AreaLoad);
    EXPECT_EQ(loadsOf(lastPermanent()), "||0.15||");
    EXPECT_EQ(project.permanentTables.perUnitKind, PerLayer);

    // A typed-over value per unit is offered first and then counted.
    changedValue(kGravel) = "0.25";
    prompts.answers = {Answer::Yes};
    dialogs.countsAndValues = {CountAndValue{2, 0.25}};
    ASSERT_TRUE(takePermanent(kGravel));
    EXPECT_EQ(prompts.shown, Texts{"Geänderten Wert 0.25 statt\nStandardwert 0.20 verwenden ?"});
    EXPECT_EQ(dialogs.countValue[2].value, 0.25);
    EXPECT_EQ(lastPermanent().areaLoad, "0.50");
}

TEST_F(TakeOver, SurchargeIsRefusedUntilItsParentLoadStandsInTheElement) {
    EXPECT_FALSE(takePermanent(kGlassSurcharge));
    EXPECT_EQ(prompts.shown, Texts{kNoParentLoadMessage});
    EXPECT_EQ(permanentRows(), 0);

    ASSERT_TRUE(takePermanent(kSafetyGlass));
    dialogs.countsAndValues = {CountAndValue{4, 0.03}};
    ASSERT_TRUE(takePermanent(kGlassSurcharge));
    EXPECT_TRUE(dialogs.countValue[0].valueFixed);
    EXPECT_EQ(dialogs.countValue[0].value, 0.03);
    EXPECT_EQ(lastPermanent().areaLoad, "0.12");

    // A wall surcharge adds one increment, without asking for a count.
    EXPECT_FALSE(takePermanent(kBrickSurcharge));
    ASSERT_TRUE(takePermanent(kBrickWall));
    ASSERT_TRUE(takePermanent(kBrickSurcharge));
    EXPECT_EQ(lastPermanent().rowUnit, PermanentUnit::AreaLoad);
    EXPECT_FALSE(lastPermanent().areaLoad.empty());
    EXPECT_EQ(dialogs.countValue.size(), 1u);
}

TEST_F(TakeOver, NothingIsTakenWithoutAnActiveElementOrIntoAFullOne) {
    project.elementChosen = 0;
    EXPECT_FALSE(takePermanent(kNormalConcrete));
    EXPECT_FALSE(takeImposed(0, 0));
    EXPECT_EQ(prompts.shown, (Texts{kNoActiveElementMessage, kNoActiveElementMessage}));

    project.elementChosen = 1;
    prompts.shown.clear();
    for (int r = 0; r < kMaxPermanentRows; ++r) ASSERT_TRUE(takePermanent(kNormalConcrete));
    for (int r = 0; r < kMaxImposedRows; ++r) ASSERT_TRUE(takeImposed(0, 0));
    EXPECT_FALSE(takePermanent(kNormalConcrete));
    dialogs.loads = {6.0};  // the full element is found only after the dialog
    EXPECT_FALSE(takeImposed(1, 4));
    EXPECT_EQ(permanentRows(), kMaxPermanentRows);
    EXPECT_EQ(imposedRows(), kMaxImposedRows);
    EXPECT_EQ(prompts.shown, (Texts{kNoFreeRowMessage, kNoFreeRowMessage}));
}

TEST_F(TakeOver, OwnEntryNeedsDescriptionAndValueAndTakesItsTablesUnit) {
    PermanentLoadTables& own = project.permanentTables;
    own.source = PermanentLoadTables::kOwn;
    own.ownTableUnit[0][0] = PermanentUnit::LineLoad;
    own.description[PermanentLoadTables::kOwn][0][0][0] = "Brüstung";
    EXPECT_FALSE(takePermanent({0, 0, 0}));
    EXPECT_EQ(prompts.shown, Texts{kIncompleteEntryMessage});

    own.value[PermanentLoadTables::kOwn][0][0][0] = "1,5";
    ASSERT_TRUE(takePermanent({0, 0, 0}));
    EXPECT_EQ(lastPermanent().description, "Brüstung");
    EXPECT_EQ(lastPermanent().rowUnit, PermanentUnit::LineLoad);
    EXPECT_EQ(lastPermanent().lineLoad, "1.50");

    ImposedLoadTables& imposed = project.imposedTables;
    imposed.source = ImposedLoadTables::kOwn;
    imposed.ownTableUnit[0] = ImposedUnit::PointLoad;
    imposed.value[ImposedLoadTables::kOwn][0][0] = "3";
    EXPECT_FALSE(takeImposed(0, 0));
    imposed.description[ImposedLoadTables::kOwn][0][0] = "Maschine";
    ASSERT_TRUE(takeImposed(0, 0));
    EXPECT_EQ(lastImposed().description, "Maschine");
    EXPECT_EQ(lastImposed().pointLoad, "3.00");
    EXPECT_TRUE(dialogs.countValue.empty() && dialogs.imposedLoad.empty());
}

TEST_F(TakeOver, ImposedLoadOnAWallIsConfirmedFirst) {
    prompts.answers = {Answer::No, Answer::Yes, Answer::No};
    project.componentNames[0] = utf8ToWindows1252("Wände EG");
    EXPECT_FALSE(takeImposed(0, 0));
    EXPECT_TRUE(takeImposed(0, 0));
    project.componentNames[0] = "Decke";
    project.elementNames[0][0] = utf8ToWindows1252("Innenwände");  // the element's name counts as well
    EXPECT_FALSE(takeImposed(0, 0));
    EXPECT_EQ(prompts.shown, Texts(3, kImposedOnWallQuestion));
    EXPECT_EQ(imposedRows(), 1);
}

}  // namespace
}  // namespace tavo
