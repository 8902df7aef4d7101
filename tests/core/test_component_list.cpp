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

// The index each of the 14 lines shows, -1 where a line shows none.
std::vector<int> shownIndices(const ComponentList& list, ComponentList::Line (ComponentList::*line)(int) const) {
    std::vector<int> indices;
    for (int r = 0; r < ComponentList::kRows; ++r) indices.push_back((list.*line)(r).shown ? (list.*line)(r).index : -1);
    return indices;
}
std::vector<int> componentsByRow(const ComponentList& list) { return shownIndices(list, &ComponentList::listRow); }
std::vector<int> elementsBySlot(const ComponentList& list) { return shownIndices(list, &ComponentList::elementSlot); }

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

TEST(ComponentList, InsertCopyAndDeleteShowOnlyWhereTheyCanAct) {
    ProjectData fresh;
    fresh.elementChosen = 1;  // as a file may have left it; set-up starts afresh
    ComponentList list(fresh);
    list.setUp();
    EXPECT_TRUE(list.listRow(0).checked && list.elementSlot(0).checked);
    EXPECT_TRUE(list.showsGrids());
    EXPECT_TRUE(list.showsNewComponent() && list.showsNewElement());
    EXPECT_FALSE(list.showsCopy() || list.showsDelete(RowKind::Permanent) || list.showsDelete(RowKind::Imposed) ||
                 list.showsCorrection());

    // Seven components and seven elements: nothing more can be inserted or copied.
    auto full = projectWith({7, 1, 1, 1, 1, 1, 1});
    addPermanentRows(*full, 0, 0, 1);
    ComponentList fullList(*full);
    fullList.setUp();
    EXPECT_FALSE(fullList.showsNewComponent() || fullList.showsNewElement() || fullList.showsCopy());
    EXPECT_FALSE(fullList.copyActiveElement());
    EXPECT_EQ(fullList.newComponent().kind, Focus::Kind::None);
    EXPECT_EQ(full->elementCount[0], 7);
    EXPECT_EQ(componentsByRow(fullList)[13], 6);
}

TEST(ComponentList, TheOpenComponentsElementsPushTheComponentsBelowDown) {
    auto project = projectWith({2, 3, 0, 1});
    ComponentList list(*project);
    EXPECT_EQ(componentsByRow(list), (std::vector<int>{0, 1, 2, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));

    EXPECT_EQ(list.componentMarkerClicked(1, true).kind, Focus::Kind::None);
    EXPECT_EQ(componentsByRow(list), (std::vector<int>{0, 1, -1, -1, -1, 2, 3, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(elementsBySlot(list), (std::vector<int>{-1, 0, 1, 2, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_FALSE(list.showsGrids());  // no element is chosen yet

    // A component without elements shows one empty slot for its first.
    list.componentMarkerClicked(5, true);
    EXPECT_EQ(project->activeComponent, 2u);
    EXPECT_EQ(componentsByRow(list), (std::vector<int>{0, 1, 2, -1, 3, -1, -1, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_EQ(list.elementSlot(2).name, "");
    EXPECT_FALSE(list.showsNewElement());
    EXPECT_EQ(list.elementMarkerClicked(2, true).kind, Focus::Kind::ElementName);
    EXPECT_FALSE(list.showsGrids());

    EXPECT_EQ(list.elementNameLeft(2, "Decke"), Outcome::Stored);
    EXPECT_EQ(project->elementCount[2], 1);
    EXPECT_EQ(componentsByRow(list)[4], 3);  // one element still takes one row
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
    EXPECT_EQ(elementsBySlot(list), std::vector<int>(ComponentList::kRows, -1));

    // Unchecking the chosen element only hides the grids.
    list.componentMarkerClicked(0, true);
    list.elementMarkerClicked(1, true);
    list.elementMarkerClicked(1, false);
    EXPECT_FALSE(list.showsGrids());
    EXPECT_EQ(project->componentChosen, 1);
}

TEST(ComponentList, ANewComponentCountsOnlyOnceItHasAName) {
    auto project = projectWith({1, 1});
    ComponentList list(*project);
    list.setUp();
    const Focus focus = list.newComponent();
    EXPECT_EQ(focus.kind, Focus::Kind::ComponentName);
    EXPECT_EQ(focus.line, 2);
    EXPECT_FALSE(list.showsGrids());  // the list is closed for the new row

    // Its marker wants the name first; an empty name is refused.
    EXPECT_EQ(list.componentMarkerClicked(2, true).kind, Focus::Kind::ComponentName);
    EXPECT_EQ(list.componentNameLeft(2, "   "), Outcome::Refused);
    EXPECT_EQ(project->componentCount, 2);
    EXPECT_EQ(list.componentNameLeft(2, "Wand"), Outcome::Stored);
    EXPECT_EQ(project->componentCount, 3);
    EXPECT_EQ(project->componentNames[2], "Wand");

    // An existing name may change but not become empty; the same text changes nothing.
    EXPECT_EQ(list.componentNameLeft(0, ""), Outcome::Refused);
    EXPECT_EQ(project->componentNames[0], "B0");
    EXPECT_EQ(list.componentNameLeft(0, "B0"), Outcome::Unchanged);
}

TEST(ComponentList, ANewElementTakesTheSlotAfterTheLastAndCountsOnceNamed) {
    auto project = projectWith({2, 1});
    ComponentList list(*project);
    list.setUp();
    const Focus focus = list.newElement();
    EXPECT_EQ(focus.kind, Focus::Kind::ElementName);
    EXPECT_EQ(focus.line, 2);
    EXPECT_EQ(componentsByRow(list)[4], 1);  // the new slot moves the next component down at once

    EXPECT_EQ(list.elementNameLeft(2, ""), Outcome::Unchanged);
    EXPECT_EQ(project->elementCount[0], 2);
    EXPECT_EQ(list.elementNameLeft(2, "Dach"), Outcome::Stored);
    EXPECT_EQ(project->elementCount[0], 3);
    EXPECT_EQ(list.elementNameLeft(0, " "), Outcome::Refused);
    EXPECT_EQ(project->elementNames[0][0], "E0");
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
    EXPECT_EQ(componentsByRow(list)[4], 1);
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

TEST(ComponentList, TheSwitchLetterInTheFirstNameRevealsTheCorrection) {
    auto project = projectWith({1, 1});
    ComponentList list(*project);
    list.componentMarkerClicked(0, true);
    // Without a chosen element, or in another component's name, the letter is a name like any other.
    EXPECT_EQ(list.componentNameLeft(0, "k"), Outcome::Stored);
    project->componentNames[0] = "B0";
    list.elementMarkerClicked(0, true);
    EXPECT_EQ(list.componentNameLeft(2, "K"), Outcome::Stored);
    EXPECT_FALSE(list.showsCorrection());
    EXPECT_EQ(list.componentNameLeft(0, "k"), Outcome::CorrectionRevealed);
    EXPECT_EQ(project->componentNames[0], "B0");
    EXPECT_TRUE(list.showsCorrection());
    list.elementMarkerClicked(0, false);
    list.elementMarkerClicked(0, true);
    EXPECT_FALSE(list.showsCorrection());
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
