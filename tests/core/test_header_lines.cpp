#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "TextFileHelpers.h"
#include "output/HeaderLines.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class HeaderLinesFile : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    fs::path file = headerLinesPath(folder.path());

    HeaderLines loadText(std::string_view text) {
        test::writeText(file, text);
        HeaderLines lines;
        EXPECT_EQ(lines.load(file), 0);
        return lines;
    }
};

TEST_F(HeaderLinesFile, PartsBecomeTabsAndTrailingBlanksGo) {
    const HeaderLines lines = loadText("A#B#C\r\n#Mitte   \r\nlinks#  \n100 % Last\t \n");
    EXPECT_EQ(lines.lines(), (Lines{"A\tB\tC", "\tMitte", "links", "100 % Last"}));
    EXPECT_EQ(lines.count(), 4);
    EXPECT_EQ(lines.typedLine(1), "#Mitte");
}

TEST_F(HeaderLinesFile, TheCountEndsWithTheLastLineThatShowsSomething) {
    EXPECT_EQ(loadText("\n  \nA\n\n \t\n\n").lines(), (Lines{"", "", "A"}));
    EXPECT_EQ(loadText("A").lines(), (Lines{"A"}));
    EXPECT_EQ(loadText(" \r\n\r\n").count(), 0);
    EXPECT_EQ(loadText("").count(), 0);  // an empty file is no banner at all, not the maker's
}

TEST_F(HeaderLinesFile, AtMostTenLinesOfAtMost255Characters) {
    std::string text;
    for (int i = 1; i <= 12; ++i) text += "Zeile " + std::to_string(i) + "\n";
    const HeaderLines ten = loadText(text);
    EXPECT_EQ(ten.count(), 10);
    EXPECT_EQ(ten.lines().back(), "Zeile 10");

    const HeaderLines cut = loadText(std::string(254, 'a') + "bcd\nnext\n");
    EXPECT_EQ(cut.lines(), (Lines{std::string(254, 'a') + "b", "next"}));
}

TEST_F(HeaderLinesFile, TextsAreHeldAsWindows1252WhateverTheFileHolds) {
    EXPECT_EQ(loadText("\xC3\x96NORM#Stra\xC3\x9F" "e\n").lines(), (Lines{"\xD6NORM\tStra\xDF" "e"}));
    EXPECT_EQ(loadText("\xD6NORM#Stra\xDF" "e\n").lines(), (Lines{"\xD6NORM\tStra\xDF" "e"}));
}

TEST_F(HeaderLinesFile, SavedAsTypedInUtf8AndLoadedBack) {
    HeaderLines lines;
    ASSERT_TRUE(lines.add("Ing. B\xFCro#Projekt#Seite"));
    ASSERT_TRUE(lines.add("#Mitte#"));
    ASSERT_EQ(lines.save(file), 0);
    EXPECT_EQ(test::readText(file), "Ing. B\xC3\xBCro#Projekt#Seite\n#Mitte#\n");

    HeaderLines loaded;
    ASSERT_EQ(loaded.load(file), 0);
    EXPECT_EQ(loaded.lines(), (Lines{"Ing. B\xFCro\tProjekt\tSeite", "\tMitte"}));
}

TEST_F(HeaderLinesFile, FailuresReportTheErrorNumberAndChangeNothing) {
    HeaderLines lines;
    EXPECT_EQ(lines.load(file), ENOENT);
    EXPECT_EQ(lines.count(), -1);
    EXPECT_EQ(lines.save(folder.path() / "missing" / "mervik.hdg"), ENOENT);

    // Without the file the maker's banner is printed: two lines in three parts.
    EXPECT_EQ(file, folder.path() / "mervik.hdg");
    const HeaderLines banner = loadBanner(file);
    ASSERT_EQ(banner.count(), 2);
    for (const std::string& line : banner.lines()) EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
}

TEST(HeaderLines, AddHoldsTenLinesCutAt255) {
    HeaderLines lines;
    EXPECT_EQ(lines.count(), -1);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(lines.add(std::string(300, 'x')));
    EXPECT_FALSE(lines.add("eleven"));
    EXPECT_EQ(lines.count(), 10);
    EXPECT_EQ(lines.lines().front().size(), 255u);

    lines.clear();
    EXPECT_EQ(lines.count(), -1);
    EXPECT_TRUE(lines.add(""));
    EXPECT_EQ(lines.count(), 1);
}

}  // namespace
}  // namespace tavo
