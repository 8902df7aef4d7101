#include <gtest/gtest.h>

#include "model/ProjectData.h"
#include "model/RowEdits.h"

using namespace tavo;

namespace {
PermanentRow layer(std::string unitWeight) {
    PermanentRow row;
    row.rowUnit = PermanentUnit::Layer;
    row.unitWeight = std::move(unitWeight);
    return row;
}
}  // namespace

TEST(EditThickness, DerivesAreaAndLineLoadFromTypedThickness) {
    PermanentRow row = layer("24.00");
    ASSERT_TRUE(editThickness(row, "20"));
    EXPECT_EQ(row.thickness, "20");
    EXPECT_EQ(row.areaLoad, "4.80");
    EXPECT_EQ(row.lineLoad, "");

    ASSERT_TRUE(editInfluenceWidth(row, "3.5"));
    EXPECT_EQ(row.influenceWidth, "3.5");
    EXPECT_EQ(row.lineLoad, "16.80");

    // 12.34 is stored as 12.3 but the loads use 12.34: 24 * 12.34 / 100 = 2.9616.
    ASSERT_TRUE(editThickness(row, "12,34"));
    EXPECT_EQ(row.thickness, "12.3");
    EXPECT_EQ(row.areaLoad, "2.96");
    EXPECT_EQ(row.lineLoad, "10.37");  // 2.9616 * 3.5 = 10.3656, not 2.96 * 3.5 = 10.36
}

TEST(EditThickness, IgnoresWhatCannotBeALayerThickness) {
    PermanentRow row = layer("24.00");
    row.thickness = "20";
    row.areaLoad = "4.80";
    const PermanentRow before = row;
    EXPECT_FALSE(editThickness(row, "20"));
    EXPECT_FALSE(editThickness(row, " 20 "));
    EXPECT_FALSE(editThickness(row, "0"));
    EXPECT_FALSE(editThickness(row, "-3"));
    EXPECT_FALSE(editThickness(row, "abc"));
    EXPECT_EQ(row.thickness, before.thickness);
    EXPECT_EQ(row.areaLoad, before.areaLoad);

    // The same value typed differently recomputes and counts as a change.
    EXPECT_TRUE(editThickness(row, "20.0"));
    EXPECT_EQ(row.thickness, "20");

    PermanentRow noWeight = layer("");
    EXPECT_FALSE(editThickness(noWeight, "10"));
    PermanentRow area;
    area.rowUnit = PermanentUnit::AreaLoad;
    area.areaLoad = "1.00";
    EXPECT_FALSE(editThickness(area, "10"));
    EXPECT_EQ(area.thickness, "");
}

TEST(EditInfluenceWidth, ZeroClearsWidthAndLineLoad) {
    PermanentRow row;
    row.rowUnit = PermanentUnit::AreaLoad;
    row.areaLoad = "1.25";
    EXPECT_FALSE(editInfluenceWidth(row, "0"));  // nothing to clear
    EXPECT_FALSE(editInfluenceWidth(row, "-1"));
    ASSERT_TRUE(editInfluenceWidth(row, "2,1255"));
    EXPECT_EQ(row.influenceWidth, "2.126");
    EXPECT_EQ(row.lineLoad, "2.66");
    EXPECT_FALSE(editInfluenceWidth(row, "2.126"));
    ASSERT_TRUE(editInfluenceWidth(row, "0"));
    EXPECT_EQ(row.influenceWidth, "");
    EXPECT_EQ(row.lineLoad, "");
}

TEST(EditInfluenceWidth, NeedsAnAreaLoad) {
    PermanentRow line;
    line.rowUnit = PermanentUnit::LineLoad;
    line.lineLoad = "3.00";
    EXPECT_FALSE(editInfluenceWidth(line, "2"));
    EXPECT_EQ(line.lineLoad, "3.00");

    ImposedRow imposedPoint;
    imposedPoint.rowUnit = ImposedUnit::PointLoad;
    imposedPoint.areaLoad = "2.00";  // stray text must not make it an area row
    EXPECT_FALSE(editInfluenceWidth(imposedPoint, "2"));

    ImposedRow imposedArea;
    imposedArea.areaLoad = "2.00";
    ASSERT_TRUE(editInfluenceWidth(imposedArea, "4.5"));
    EXPECT_EQ(imposedArea.lineLoad, "9.00");
}

TEST(TakenOverValue, GoesIntoTheColumnOfTheUnit) {
    for (std::int32_t unit : {1, 2, 3, 4, 9}) {
        PermanentRow row;
        row.rowUnit = unit;
        writeTakenOverValue(row, 24.0);
        const std::string* expected = unit == 1 ? &row.unitWeight : unit == 2 ? &row.areaLoad : unit == 3 ? &row.lineLoad : &row.pointLoad;
        EXPECT_EQ(*expected, "24.00") << "unit " << unit;
        EXPECT_EQ(row.unitWeight.size() + row.areaLoad.size() + row.lineLoad.size() + row.pointLoad.size(), 5u);
    }
    for (std::int32_t unit : {1, 2, 3, 0}) {
        ImposedRow row;
        row.rowUnit = unit;
        writeTakenOverValue(row, 2.5);
        const std::string* expected = unit == 1 ? &row.areaLoad : unit == 2 ? &row.lineLoad : &row.pointLoad;
        EXPECT_EQ(*expected, "2.50") << "unit " << unit;
    }
}

TEST(PerCentimetreLayer, BecomesAUnitWeightRow) {
    PermanentRow row;
    row.rowUnit = PermanentUnit::AreaLoad;
    EXPECT_DOUBLE_EQ(writePerCentimetreLayer(row, 5, 0.18), 0.9);
    EXPECT_EQ(row.rowUnit, PermanentUnit::Layer);
    EXPECT_EQ(row.unitWeight, "18.00");
    EXPECT_EQ(row.thickness, "5");
    EXPECT_EQ(row.areaLoad, "0.90");
}

TEST(ManualCorrection, WritesTrimmedTextsAndClearsZeroWidth) {
    PermanentRow row = layer("24.00");
    CorrectedValues values{24.0, 18.5, 4.44, 2.5, 11.1};
    EXPECT_TRUE(applyManualCorrection(row, values));
    EXPECT_EQ(row.thickness, "18.5");
    EXPECT_EQ(row.areaLoad, "4.44");
    EXPECT_EQ(row.influenceWidth, "2.5");
    EXPECT_EQ(row.lineLoad, "11.10");
    EXPECT_FALSE(applyManualCorrection(row, values));

    values.influenceWidth = 0.0;
    EXPECT_TRUE(applyManualCorrection(row, values));
    EXPECT_EQ(row.influenceWidth, "");
    EXPECT_EQ(row.lineLoad, "");

    PermanentRow area;
    area.rowUnit = PermanentUnit::AreaLoad;
    area.areaLoad = "1.00";
    EXPECT_TRUE(applyManualCorrection(area, CorrectedValues{0, 7, 9, 3, 3}));
    EXPECT_EQ(area.thickness, "");  // only layers carry a thickness
    EXPECT_EQ(area.areaLoad, "1.00");
    EXPECT_EQ(area.influenceWidth, "3");

    ImposedRow point;
    point.rowUnit = ImposedUnit::PointLoad;
    EXPECT_FALSE(applyManualCorrection(point, CorrectedValues{0, 0, 0, 3, 3}));
    EXPECT_EQ(point.influenceWidth, "");
}

TEST(ElementTotals, SumLenientlyWithoutIntermediateRounding) {
    ProjectData project;
    project.permRowCount[0][0] = 3;
    project.permanentRow(0, 0, 0).pointLoad = "5.00";
    project.permanentRow(0, 0, 1).pointLoad = "2,50";
    project.permanentRow(0, 0, 2).pointLoad = "abc";
    project.permanentRow(0, 0, 2).areaLoad = "0.333";
    project.permanentRow(0, 0, 1).areaLoad = "0.333";
    project.permanentRow(0, 0, 3).pointLoad = "100";  // beyond the count: not summed
    const LoadSums sums = permanentSums(project, 0, 0);
    EXPECT_DOUBLE_EQ(sums.point, 7.5);
    EXPECT_DOUBLE_EQ(sums.area, 0.666);
    EXPECT_DOUBLE_EQ(sums.line, 0.0);

    project.imposedRowCount[0][0] = 2;
    project.imposedRow(0, 0, 0).lineLoad = "1.25";
    project.imposedRow(0, 0, 1).lineLoad = "1.25";
    EXPECT_DOUBLE_EQ(imposedSums(project, 0, 0).line, 2.5);
}

TEST(ThicknessCheck, NamesTheFirstElementWithAnEmptyLayerThickness) {
    ProjectData project;
    EXPECT_FALSE(firstElementMissingThickness(project));
    project.componentCount = 2;
    project.elementCount[1] = 2;
    project.permRowCount[1][1] = 1;
    project.permanentRow(1, 1, 0).rowUnit = PermanentUnit::Layer;
    project.permRowCount[0][0] = 1;
    project.permanentRow(0, 0, 0).rowUnit = PermanentUnit::AreaLoad;  // no thickness needed
    const auto missing = firstElementMissingThickness(project);
    ASSERT_TRUE(missing);
    EXPECT_EQ(missing->component, 1);
    EXPECT_EQ(missing->element, 1);

    EXPECT_EQ(missingThicknessMessage("Decke \xFC"
                                      "ber EG"),
              "Bitte noch fehlende Schichtdicke(n) bei Element Decke über EG ergänzen!");
}
