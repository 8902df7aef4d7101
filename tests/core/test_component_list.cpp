#include <gtest/gtest.h>

#include <memory>

#include "model/ProjectData.h"
#include "ui/ComponentList.h"
#include "ui/RowCorrection.h"

using namespace tavo;

namespace {

using Focus = ComponentList::Focus;
using Outcome = ComponentList::NameOutcome;

// Components named "B0".. with the given element counts, elements "E0"...
std::unique_ptr<ProjectData> projectWith(std::initializer_list<int> elementCounts) {
    auto project = std::make_unique<ProjectData>();
    project->componentCount = static_cast<int>(elementCounts.size());
    int c = 0;
    for (int count : elementCounts) {
        project->componentNames[c] = "B" + std::to_string(c);
        project->elementCount[c] = static_cast<std::uint16_t>(count);
        for (int e = 0; e < count; ++e) project->elementNames[c][e] = "E" + std::to_string(e);
        ++c;
    }
    return project;
}

void addPermanentRows(ProjectData& project, int c, int e, int count) {
    for (int r = 0; r < count; ++r) {
        PermanentRow& row = project.permanentRow(c, e, r);
        row.description = "Schicht " + std::to_string(r + 1);
        row.rowUnit = r == 2 ? PermanentUnit::PointLoad : PermanentUnit::Layer;
        row.unitWeight = "24.00";
    }
    project.permRowCount[c][e] = static_cast<std::uint16_t>(count);
}

}  // namespace

// Seven components and seven elements: nothing more can be inserted or copied.
TEST(ComponentList, AFullProjectTakesNoFurtherComponentOrElement) {
    auto full = projectWith({7, 1, 1, 1, 1, 1, 1});
    addPermanentRows(*full, 0, 0, 1);
    ComponentList fullList(*full);
    fullList.setUp();
    EXPECT_FALSE(fullList.showsNewComponent() || fullList.showsNewElement() || fullList.showsCopy());
    EXPECT_FALSE(fullList.copyActiveElement());
    EXPECT_EQ(fullList.newComponent().kind, Focus::Kind::None);
    EXPECT_EQ(full->elementCount[0], 7);
}

TEST(ComponentList, ClosingTheOpenComponentHidesTheGridsAndClearsTheChoice) {
    auto project = projectWith({2, 2});
    ComponentList list(*project);
    list.componentMarkerClicked(1, true);
    list.elementMarkerClicked(2, true);
    ASSERT_TRUE(list.showsGrids());
    EXPECT_EQ(project->activeElement, 1u);

    list.componentMarkerClicked(1, false);
    EXPECT_FALSE(list.showsGrids());
    EXPECT_EQ(project->componentChosen, 0);
    EXPECT_EQ(project->activeComponent, 0u);
    EXPECT_EQ(project->activeElement, 0u);

    // Unchecking the chosen element only hides the grids.
    list.componentMarkerClicked(0, true);
    list.elementMarkerClicked(1, true);
    list.elementMarkerClicked(1, false);
    EXPECT_FALSE(list.showsGrids());
    EXPECT_EQ(project->componentChosen, 1);
}

TEST(ComponentList, ANewComponentOrElementCountsOnlyOnceItHasAName) {
    auto project = projectWith({2, 1});
    ComponentList list(*project);
    list.setUp();
    const int elementLine = list.newElement().line;
    EXPECT_EQ(list.elementNameLeft(elementLine, ""), Outcome::Unchanged);
    EXPECT_EQ(project->elementCount[0], 2);
    EXPECT_EQ(list.elementNameLeft(elementLine, "Dach"), Outcome::Stored);
    EXPECT_EQ(project->elementCount[0], 3);

    const int componentLine = list.newComponent().line;
    EXPECT_EQ(list.componentNameLeft(componentLine, "   "), Outcome::Refused);
    EXPECT_EQ(project->componentCount, 2);
    EXPECT_EQ(list.componentNameLeft(componentLine, "Wand"), Outcome::Stored);
    EXPECT_EQ(project->componentCount, 3);
    // An existing name may change but not become empty.
    EXPECT_EQ(list.componentNameLeft(0, ""), Outcome::Refused);
    EXPECT_EQ(project->componentNames[0], "B0");
}

TEST(ComponentList, CopyingAnElementAppendsItWithAllItsRows) {
    auto project = projectWith({2, 1});
    addPermanentRows(*project, 0, 1, 3);
    project->imposedRow(0, 1, 1).description = "Nutzlast";
    project->imposedRow(0, 1, 1).rowUnit = ImposedUnit::LineLoad;
    project->imposedRowCount[0][1] = 2;
    ComponentList list(*project);
    list.setUp();
    EXPECT_FALSE(list.showsCopy());  // element 0 has no rows
    list.elementMarkerClicked(1, true);

    ASSERT_TRUE(list.copyActiveElement());
    EXPECT_EQ(project->elementCount[0], 3);
    EXPECT_EQ(project->elementNames[0][2], "E1");
    EXPECT_EQ(project->permRowCount[0][2], 3);
    EXPECT_EQ(project->imposedRowCount[0][2], 2);
    EXPECT_EQ(project->permanentRow(0, 2, 2).rowUnit, PermanentUnit::PointLoad);
    EXPECT_EQ(project->permanentRow(0, 2, 1).description, "Schicht 2");
    EXPECT_EQ(project->imposedRow(0, 2, 1).description, "Nutzlast");
    EXPECT_EQ(project->imposedRow(0, 2, 1).rowUnit, ImposedUnit::LineLoad);
    EXPECT_EQ(project->activeElement, 1u);  // the original stays chosen
}

TEST(ComponentList, DeletingARowMovesTheRowsAfterItUp) {
    auto project = projectWith({1});
    addPermanentRows(*project, 0, 0, 3);
    project->imposedRow(0, 0, 0).description = "einzige";
    project->imposedRowCount[0][0] = 1;
    ComponentList list(*project);
    list.setUp();
    ASSERT_TRUE(list.showsDelete(RowKind::Permanent));
    EXPECT_FALSE(list.deleteRow(RowKind::Permanent, 4));
    EXPECT_FALSE(list.deleteRow(RowKind::Permanent, 0));

    ASSERT_TRUE(list.deleteRow(RowKind::Permanent, 2));
    EXPECT_EQ(project->permRowCount[0][0], 2);
    EXPECT_EQ(project->permanentRow(0, 0, 1).description, "Schicht 3");
    EXPECT_EQ(project->permanentRow(0, 0, 1).rowUnit, PermanentUnit::PointLoad);
    EXPECT_EQ(project->permanentRow(0, 0, 2).description, "");

    ASSERT_TRUE(list.deleteRow(RowKind::Imposed, 1));
    EXPECT_EQ(project->imposedRowCount[0][0], 0);
    EXPECT_EQ(project->imposedRow(0, 0, 0).description, "");
    EXPECT_FALSE(list.showsDelete(RowKind::Imposed));
}

TEST(RowCorrection, ThicknessAndWidthCarryThroughToTheLoads) {
    PermanentRow layer;
    layer.unitWeight = "24.00";
    layer.thickness = "20";
    layer.areaLoad = "4.80";
    layer.influenceWidth = "2";
    layer.lineLoad = "9.60";
    CorrectedValues values = correctionValues(layer);
    EXPECT_DOUBLE_EQ(values.unitWeight, 24.0);
    values.thickness = 10.0;
    followThickness(values);
    EXPECT_DOUBLE_EQ(values.areaLoad, 2.4);
    EXPECT_DOUBLE_EQ(values.lineLoad, 4.8);
    values.influenceWidth = 0.5;
    followWidth(values);
    EXPECT_DOUBLE_EQ(values.lineLoad, 1.2);

    // An area-load row shows no unit weight and thickness, even where texts stand.
    PermanentRow area = layer;
    area.rowUnit = PermanentUnit::AreaLoad;
    EXPECT_FALSE(takesThickness(area));
    EXPECT_DOUBLE_EQ(correctionValues(area).thickness, 0.0);
    EXPECT_DOUBLE_EQ(correctionValues(area).areaLoad, 4.8);
}
