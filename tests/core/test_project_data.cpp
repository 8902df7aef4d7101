#include <gtest/gtest.h>

#include "model/ProjectData.h"
#include "model/Windows1252.h"

using namespace tavo;

// What the file stores of a new project is pinned by its exact bytes in the file
// tests; this is about the rest: the slots beyond the counts, the page state, and
// what a reset must leave alone.
TEST(ProjectData, ResetClearsWhatTheFileDoesNotHoldAndKeepsTheLibrary) {
    ProjectData project;
    project.skipDemoQuestion = 1;
    project.activeComponent = 3;
    project.permanentRow(6, 6, 24) = {"P", "w", "d", "a", "b", "l", "p", 3};
    project.imposedRow(6, 6, 14).rowUnit = 2;
    PermanentLoadTables& permanent = project.permanentTables;
    permanent.groupChosen = 1;
    permanent.description[PermanentLoadTables::kOwn][7][6][24] = "own";
    permanent.ownTableUnit[7][6] = 4;
    permanent.changedValue[0][0][0] = "4.60";
    ImposedLoadTables& imposed = project.imposedTables;
    imposed.currentTable = 4;
    imposed.ownTableUnit[4] = 3;

    project.reset();

    EXPECT_EQ(project.skipDemoQuestion + static_cast<int>(project.activeComponent) + permanent.groupChosen, 0);
    EXPECT_EQ(project.permanentRow(6, 6, 24).description + project.permanentRow(6, 6, 24).pointLoad, "");
    EXPECT_EQ(project.permanentRow(6, 6, 24).rowUnit, PermanentUnit::Layer);
    EXPECT_EQ(project.imposedRow(6, 6, 14).rowUnit, ImposedUnit::AreaLoad);
    EXPECT_EQ(permanent.description[PermanentLoadTables::kOwn][7][6][24], "");
    EXPECT_EQ(permanent.ownTableUnit[7][6], 1u);
    EXPECT_EQ(permanent.changedValue[0][0][0], "");
    EXPECT_EQ(imposed.currentTable, 0u);
    EXPECT_EQ(imposed.ownTableUnit[4], 1);

    // The built-in library survives.
    EXPECT_EQ(permanent.value[PermanentLoadTables::kBuiltIn][0][0][18], ">= 26.0");
    EXPECT_EQ(imposed.entryCount[ImposedLoadTables::kBuiltIn][4], 9);
}

TEST(Windows1252, RoundTripsEveryByteAndMarksWhatItCannotHold) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(utf8ToWindows1252("Last [kN/m³] – ü €"), "Last [kN/m\xB3] \x96 \xFC \x80");

    EXPECT_EQ(utf8ToWindows1252("a\xE2\x88\x9A" "b"), "a?b");  // U+221A square root
    EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80"), "?");     // emoji
    EXPECT_EQ(utf8ToWindows1252("x\xC3"), "x?");               // cut sequence
    EXPECT_EQ(utf16ToWindows1252(u"\U0001F600!"), "?!");       // a surrogate pair is one character
    EXPECT_EQ(utf16ToWindows1252(std::u16string(1, char16_t(0xD800))), "?");
}
