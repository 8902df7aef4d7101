#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ProjectData.h"
#include "support/ScriptedPrompts.h"
#include "ui/Accordion.h"
#include "ui/OwnLoadTables.h"

namespace tavo {
namespace {

using Texts = std::vector<std::string>;
constexpr auto kOwn = PermanentLoadTables::kOwn;

class OwnLoadTables : public ::testing::Test {
protected:
    std::unique_ptr<ProjectData> project = std::make_unique<ProjectData>();  // too large for the stack
    PermanentLoadTables& permanent = project->permanentTables;
    ImposedLoadTables& imposed = project->imposedTables;
    ScriptedPrompts prompts;
};

TEST_F(OwnLoadTables, TypedOverValueIsKeptOnlyAsAUsableNumberThatDiffers) {
    const std::string& changed = permanent.changedValue[0][0][17];  // "24.0"
    EXPECT_TRUE(typeOverBuiltInValue(permanent, 0, 0, 17, " 25 "));
    EXPECT_EQ(changed, "25.00");
    for (const char* ignored : {"25", "abc", "", "0.004", "-3", "24.0"}) {
        EXPECT_FALSE(typeOverBuiltInValue(permanent, 0, 0, 17, ignored)) << ignored;
        EXPECT_EQ(changed, "25.00") << ignored;
    }
    EXPECT_TRUE(typeOverBuiltInValue(permanent, 0, 0, 17, "24,5"));
    EXPECT_EQ(changed, "24.50");
}

TEST_F(OwnLoadTables, OwnEntriesAreCountedWhileTheyHoldADescriptionOrAValue) {
    std::string& description = permanent.description[kOwn][0][0][3];
    std::string& value = permanent.value[kOwn][0][0][3];
    std::uint16_t& count = permanent.entryCount[kOwn][0][0];
    EXPECT_TRUE(editOwnEntry(description, value, count, 2, "1,2"));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(editOwnEntry(description, value, count, 1, "Estrich"));
    EXPECT_EQ(count, 1);
    for (const char* ignored : {"0", "-1", "x"}) EXPECT_FALSE(editOwnEntry(description, value, count, 2, ignored)) << ignored;
    EXPECT_EQ(value, "1,2");
    EXPECT_FALSE(editOwnEntry(description, value, count, 1, "Estrich"));
    EXPECT_TRUE(editOwnEntry(description, value, count, 2, ""));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(editOwnEntry(description, value, count, 1, ""));
    EXPECT_EQ(count, 0);
}

TEST_F(OwnLoadTables, EmptyNamesAreRefusedAndFirstNamesCount) {
    EXPECT_EQ(commitOwnGroupName(permanent, 0, "  ", prompts), NameCommit::Refused);
    EXPECT_EQ(permanent.ownGroupNames[0], "Text Gruppe 1");
    EXPECT_EQ(commitOwnGroupName(permanent, 1, "", prompts), NameCommit::Refused);
    EXPECT_EQ(commitOwnImposedTableName(imposed, 0, "", prompts), NameCommit::Refused);
    EXPECT_EQ(prompts.shown, (Texts{kEmptyNameMessage, kEmptyNameMessage, kEmptyNameMessage}));

    EXPECT_EQ(commitOwnGroupName(permanent, 1, " Dach ", prompts), NameCommit::FirstName);
    EXPECT_EQ(permanent.ownGroupNames[1], "Dach");
    EXPECT_EQ(permanent.ownGroupCount, 2u);
    EXPECT_EQ(commitOwnGroupName(permanent, 1, "Dächer", prompts), NameCommit::Stored);
    EXPECT_EQ(permanent.ownGroupCount, 2u);

    // A table slot never named may be left empty; a named one may not.
    prompts.shown.clear();
    EXPECT_EQ(commitOwnTableName(permanent, 1, 0, "", prompts), NameCommit::Unchanged);
    EXPECT_EQ(commitOwnTableName(permanent, 1, 0, "Ziegel", prompts), NameCommit::FirstName);
    EXPECT_EQ(permanent.tableCount[kOwn][1], 1);
    EXPECT_EQ(commitOwnTableName(permanent, 1, 0, "", prompts), NameCommit::Refused);
    EXPECT_EQ(prompts.shown, Texts{kEmptyNameMessage});

    EXPECT_EQ(commitOwnImposedTableName(imposed, 1, "Lager", prompts), NameCommit::FirstName);
    EXPECT_EQ(imposed.ownTableCount, 2);
}

// Each limit guards the end of an array.
TEST_F(OwnLoadTables, NoNinthGroupNoEighthTableAndNoSixthImposedTable) {
    permanent.ownGroupCount = 8;
    permanent.tableCount[kOwn][3] = 7;
    imposed.ownTableCount = 5;
    EXPECT_FALSE(canAddOwnGroup(permanent) || canAddOwnTable(permanent, 3) || canAddOwnImposedTable(imposed));
    permanent.ownGroupCount = 7;
    permanent.tableCount[kOwn][3] = 6;
    imposed.ownTableCount = 4;
    EXPECT_TRUE(canAddOwnGroup(permanent) && canAddOwnTable(permanent, 3) && canAddOwnImposedTable(imposed));
}

TEST(AccordionTest, TablesOfTheChosenGroupStandRightBelowItAndTheOtherGroupsMoveDown) {
    Accordion accordion;
    accordion.layOut(8, 1, 7);
    ASSERT_EQ(accordion.rows().size(), 15u);  // the most the page has room for
    EXPECT_EQ(accordion.rowOfTable(6), 8);
    EXPECT_EQ(accordion.rowOfGroup(2), 9);
    accordion.layOut(3, 5, 2);  // a group that is not listed opens nothing
    EXPECT_EQ(accordion.chosenGroup(), Accordion::kNone);
    EXPECT_EQ(accordion.rows().size(), 3u);
}

}  // namespace
}  // namespace tavo
