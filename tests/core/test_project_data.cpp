#include <gtest/gtest.h>

#include "model/ProjectData.h"
#include "model/Windows1252.h"

using namespace tavo;

TEST(ProjectData, ResetGivesANewProject) {
    ProjectData project;
    project.componentCount = 3;
    project.elementCount[2] = 4;
    project.permRowCount[0][0] = 5;
    project.permanentRow(0, 0, 4).rowUnit = 3;
    project.permanentRow(0, 0, 4).lineLoad = "1.00";
    project.titleLines = {"X", "Y"};
    project.startPage = 7;
    project.permanentTables.ownGroupCount = 4;
    project.permanentTables.description[1][3][2][1] = "own";
    project.imposedTables.ownTableCount = 5;
    project.imposedTables.ownTableUnit[2] = 3;

    project.reset();

    EXPECT_EQ(project.titleLines[0], "Bauwaage");
    EXPECT_EQ(project.titleLines[1], "");
    EXPECT_EQ(project.startPage, 1);
    EXPECT_EQ(project.componentCount, 1);
    EXPECT_EQ(project.componentNames[0], "Text Bauteil 1");
    EXPECT_EQ(project.elementCount[0], 1);
    EXPECT_EQ(project.elementNames[0][0], "Text Element 1");
    for (int c = 1; c < kMaxComponents; ++c) EXPECT_EQ(project.elementCount[c], 0);
    EXPECT_EQ(project.permRowCount[0][0], 0);
    EXPECT_EQ(project.permanentRow(0, 0, 4).rowUnit, 1);
    EXPECT_EQ(project.permanentRow(0, 0, 4).lineLoad, "");
    EXPECT_EQ(project.permanentTables.ownGroupCount, 1u);
    EXPECT_EQ(project.permanentTables.ownGroupNames[0], "Text Gruppe 1");
    EXPECT_EQ(project.permanentTables.tableCount[1][0], 1);
    EXPECT_EQ(project.permanentTables.tableNames[1][0][0], "Text Tabelle 1");
    EXPECT_EQ(project.permanentTables.description[1][3][2][1], "");
    EXPECT_EQ(project.imposedTables.ownTableCount, 1);
    EXPECT_EQ(project.imposedTables.ownTableNames[0], "Text Tabelle 1");
    EXPECT_EQ(project.imposedTables.ownTableUnit[2], 1);
    // The built-in library survives a reset.
    EXPECT_EQ(project.permanentTables.tableCount[0][0], 6);
    EXPECT_EQ(project.imposedTables.entryCount[0][0], 15);
}

TEST(ProjectData, RowIndexFormulas) {
    EXPECT_EQ(permanentRowIndex(0, 0, 0), 0);
    EXPECT_EQ(permanentRowIndex(1, 2, 3), (1 * 7 + 2) * 25 + 3);
    EXPECT_EQ(permanentRowIndex(6, 6, 24), 7 * 7 * 25 - 1);
    EXPECT_EQ(imposedRowIndex(6, 6, 14), 7 * 7 * 15 - 1);
}

TEST(Windows1252, RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
    EXPECT_EQ(windows1252ToUtf8("\x80 \xE4\xDF\xB3"), "€ äß³");
    EXPECT_EQ(utf8ToWindows1252("Last [kN/m³] – ü €"), "Last [kN/m\xB3] \x96 \xFC \x80");
}

TEST(Windows1252, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(utf8ToWindows1252("a\xE2\x88\x9A"
                                "b"),
              "a?b");                                    // U+221A square root
    EXPECT_EQ(utf8ToWindows1252("\xF0\x9F\x98\x80"), "?");  // emoji
    EXPECT_EQ(utf8ToWindows1252("x\xC3"), "x?");            // cut sequence
    EXPECT_EQ(utf8ToWindows1252("\xFF\xFE"), "??");
    EXPECT_EQ(utf16ToWindows1252(u"\u00E4\u20AC\u4E2D"), "\xE4\x80?");
    EXPECT_EQ(utf16ToWindows1252(u"\U0001F600!"), "?!");  // a surrogate pair is one character
    EXPECT_EQ(utf16ToWindows1252(std::u16string(1, char16_t(0xD800))), "?");
}
