#include <gtest/gtest.h>

#include "model/ProjectData.h"
#include "model/RowEdits.h"

using namespace tavo;

namespace {
PermanentRow permanentRow(std::int32_t unit, std::string unitWeight, std::string areaLoad) {
    PermanentRow row;
    row.rowUnit = unit;
    row.unitWeight = std::move(unitWeight);
    row.areaLoad = std::move(areaLoad);
    return row;
}

ImposedRow imposedRow(std::int32_t unit, std::string areaLoad) {
    ImposedRow row;
    row.rowUnit = unit;
    row.areaLoad = std::move(areaLoad);
    return row;
}
}  // namespace

TEST(RowEdits, ThicknessDerivesTheLoadsFromTheNumberAsTyped) {
    PermanentRow row = permanentRow(PermanentUnit::Layer, "24.00", "");
    ASSERT_TRUE(editThickness(row, "20"));
    EXPECT_EQ(row.areaLoad, "4.80");
    EXPECT_EQ(row.lineLoad, "");
    ASSERT_TRUE(editInfluenceWidth(row, "3.5"));
    EXPECT_EQ(row.lineLoad, "16.80");

    // 12.34 is stored as 12.3 but the loads use 12.34: 24 * 12.34 / 100 = 2.9616.
    ASSERT_TRUE(editThickness(row, "12,34"));
    EXPECT_EQ(row.thickness, "12.3");
    EXPECT_EQ(row.areaLoad, "2.96");
    EXPECT_EQ(row.lineLoad, "10.37");  // 2.9616 * 3.5 = 10.3656, not 2.96 * 3.5 = 10.36

    // Nothing changes for the same text, a thickness that is no positive number, or a row without unit weight.
    for (const char* typed : {"12.3", " 12.3 ", "0", "-3", "abc"}) EXPECT_FALSE(editThickness(row, typed)) << typed;
    EXPECT_EQ(row.areaLoad, "2.96");
    EXPECT_TRUE(editThickness(row, "12.30"));  // the same value typed differently counts as a change
    PermanentRow noWeight = permanentRow(PermanentUnit::Layer, "", "");
    EXPECT_FALSE(editThickness(noWeight, "10"));
    PermanentRow area = permanentRow(PermanentUnit::AreaLoad, "24.00", "");
    EXPECT_FALSE(editThickness(area, "10"));
}

TEST(RowEdits, InfluenceWidthNeedsAnAreaLoadAndZeroClearsIt) {
    PermanentRow row = permanentRow(PermanentUnit::AreaLoad, "", "1.25");
    EXPECT_FALSE(editInfluenceWidth(row, "0"));  // nothing to clear
    EXPECT_FALSE(editInfluenceWidth(row, "-1"));
    ASSERT_TRUE(editInfluenceWidth(row, "2,1255"));
    EXPECT_EQ(row.influenceWidth, "2.126");
    EXPECT_EQ(row.lineLoad, "2.66");
    ASSERT_TRUE(editInfluenceWidth(row, "0"));
    EXPECT_EQ(row.influenceWidth + row.lineLoad, "");

    ImposedRow imposed = imposedRow(ImposedUnit::AreaLoad, "2.00");
    ASSERT_TRUE(editInfluenceWidth(imposed, "4.5"));
    EXPECT_EQ(imposed.lineLoad, "9.00");
    imposed.rowUnit = ImposedUnit::PointLoad;  // stray text must not make it an area row
    EXPECT_FALSE(editInfluenceWidth(imposed, "2"));
}

// Every writer of a computed load rounds a half up as by hand; "%.2lf" alone would
// give 0.72 for 14.50 x 5 / 100, whose binary value lies just below 0.725.
TEST(RowEdits, TakenOverValuesGoIntoTheColumnOfTheUnitRoundedAsByHand) {
    for (std::int32_t unit : {1, 2, 3, 9}) {
        PermanentRow row = permanentRow(unit, "", "");
        writeTakenOverValue(row, 14.50 * 5 / 100);
        EXPECT_EQ(row.unitWeight + "|" + row.areaLoad + "|" + row.lineLoad + "|" + row.pointLoad,
                  unit == 1 ? "0.73|||" : unit == 2 ? "|0.73||" : unit == 3 ? "||0.73|" : "|||0.73");
    }
    for (std::int32_t unit : {1, 2, 0}) {
        ImposedRow row = imposedRow(unit, "");
        writeTakenOverValue(row, 1.50 * 3 / 100);
        EXPECT_EQ(row.areaLoad + "|" + row.lineLoad + "|" + row.pointLoad, unit == 1 ? "0.05||" : unit == 2 ? "|0.05|" : "||0.05");
    }

    PermanentRow perCentimetre = permanentRow(PermanentUnit::AreaLoad, "", "");
    EXPECT_DOUBLE_EQ(writePerCentimetreLayer(perCentimetre, 5, 0.145), 0.725);
    EXPECT_EQ(perCentimetre.rowUnit, PermanentUnit::Layer);
    EXPECT_EQ(perCentimetre.unitWeight + "|" + perCentimetre.thickness + "|" + perCentimetre.areaLoad, "14.50|5|0.73");
}

TEST(RowEdits, ManualCorrectionWritesTrimmedTextsAndClearsAZeroWidth) {
    PermanentRow row = permanentRow(PermanentUnit::Layer, "14.50", "");
    CorrectedValues values{14.5, 5.0, 14.5 * 5 / 100, 0.5, 14.5 * 5 / 100 * 0.5};
    EXPECT_TRUE(applyManualCorrection(row, values));
    // The line load 0.3625 comes from the unrounded area load, not from 0.73.
    EXPECT_EQ(row.thickness + "|" + row.areaLoad + "|" + row.influenceWidth + "|" + row.lineLoad, "5|0.73|0.5|0.36");
    EXPECT_FALSE(applyManualCorrection(row, values));
    values.influenceWidth = 0.0;
    EXPECT_TRUE(applyManualCorrection(row, values));
    EXPECT_EQ(row.influenceWidth + row.lineLoad, "");

    PermanentRow area = permanentRow(PermanentUnit::AreaLoad, "", "1.00");
    EXPECT_TRUE(applyManualCorrection(area, CorrectedValues{0, 7, 9, 3, 3}));
    EXPECT_EQ(area.thickness + "|" + area.areaLoad + "|" + area.influenceWidth, "|1.00|3");  // only layers carry a thickness

    ImposedRow point = imposedRow(ImposedUnit::PointLoad, "");
    EXPECT_FALSE(applyManualCorrection(point, CorrectedValues{0, 0, 0, 3, 3}));
}

TEST(RowEdits, ElementTotalsAndTheMissingThicknessCheck) {
    ProjectData project;
    project.permRowCount[0][0] = 2;
    project.permanentRow(0, 0, 0).pointLoad = "5.00";
    project.permanentRow(0, 0, 0).areaLoad = "0.333";
    project.permanentRow(0, 0, 1).pointLoad = "2,50";
    project.permanentRow(0, 0, 1).areaLoad = "0.333";
    project.permanentRow(0, 0, 1).lineLoad = "abc";
    project.permanentRow(0, 0, 2).pointLoad = "100";  // beyond the count: not summed
    const LoadSums sums = permanentSums(project, 0, 0);
    EXPECT_DOUBLE_EQ(sums.point, 7.5);
    EXPECT_DOUBLE_EQ(sums.area, 0.666);  // without intermediate rounding
    EXPECT_DOUBLE_EQ(sums.line, 0.0);
    project.imposedRowCount[0][0] = 1;
    project.imposedRow(0, 0, 0).lineLoad = "1.25";
    EXPECT_DOUBLE_EQ(imposedSums(project, 0, 0).line, 1.25);

    // Only a layer needs a thickness; the first element in listing order that lacks one is named
    // (the message is checked where the listing gives it).
    project.componentCount = 2;
    project.elementCount[1] = 2;
    project.permRowCount[1][1] = 1;
    for (int r = 0; r < 2; ++r) project.permanentRow(0, 0, r).rowUnit = PermanentUnit::AreaLoad;
    const auto missing = firstElementMissingThickness(project);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->component * 10 + missing->element, 11);
}

// The edits round halves as by hand too.
TEST(RowEdits, EveryComputedLoadRoundsHalvesAsByHand) {
    PermanentRow layer = permanentRow(PermanentUnit::Layer, "14.50", "");
    ASSERT_TRUE(editThickness(layer, "5"));
    EXPECT_EQ(layer.areaLoad, "0.73");
    ASSERT_TRUE(editInfluenceWidth(layer, "0.5"));  // the stored 0.73 x 0.5 = 0.365
    EXPECT_EQ(layer.lineLoad, "0.37");
    ASSERT_TRUE(editThickness(layer, "3"));  // 14.5 x 3 x 0.5 / 100 = 0.2175
    EXPECT_EQ(layer.areaLoad, "0.44");     // 0.435
    EXPECT_EQ(layer.lineLoad, "0.22");

    ImposedRow imposed = imposedRow(ImposedUnit::AreaLoad, "1.50");
    ASSERT_TRUE(editInfluenceWidth(imposed, "0.03"));  // 0.045
    EXPECT_EQ(imposed.lineLoad, "0.05");
}
