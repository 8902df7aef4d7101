#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "TextFileHelpers.h"
#include "output/HeaderLines.h"

namespace tavo {
namespace {

using Lines = std::vector<std::string>;

class HeaderLinesFile : public ::testing::Test {
protected:
    test::TemporaryFolder folder;
    std::filesystem::path file = headerLinesPath(folder.path());

    Lines loadText(std::string_view text) {
        test::writeText(file, text);
        HeaderLines lines;
        EXPECT_EQ(lines.load(file), 0);
        return lines.lines();
    }
};

TEST_F(HeaderLinesFile, LoadTurnsPartsIntoTabsAndKeepsTenLinesUpToTheLastThatShows) {
    EXPECT_EQ(loadText("A#B#C\r\n#Mitte   \r\n\n \t\n"), (Lines{"A\tB\tC", "\tMitte"}));
    EXPECT_EQ(loadText("\n  \nA"), (Lines{"", "", "A"}));
    EXPECT_EQ(loadText(" \r\n"), Lines{});  // no banner at all, not the maker's
    // A UTF-8 file is held as Windows-1252.
    EXPECT_EQ(loadText("\xC3\x96NORM"), Lines{"\xD6NORM"});

    std::string text = std::string(254, 'a') + "bcd\n";
    for (int i = 2; i <= 12; ++i) text += "Zeile " + std::to_string(i) + "\n";
    const Lines ten = loadText(text);
    ASSERT_EQ(ten.size(), 10u);
    EXPECT_EQ(ten.front(), std::string(254, 'a') + "b");
    EXPECT_EQ(ten.back(), "Zeile 10");
}

TEST_F(HeaderLinesFile, SavedAsTypedInUtf8) {
    HeaderLines lines;
    ASSERT_TRUE(lines.add("Ing. B\xFCro#Projekt#Seite"));
    for (int i = 1; i < 10; ++i) ASSERT_TRUE(lines.add(std::string(300, 'x')));
    EXPECT_FALSE(lines.add("eleven"));
    EXPECT_EQ(lines.lines()[0], "Ing. B\xFCro\tProjekt\tSeite");
    ASSERT_EQ(lines.save(file), 0);
    EXPECT_TRUE(test::readText(file).starts_with("Ing. B\xC3\xBCro#Projekt#Seite\n" + std::string(255, 'x') + "\n"));
}

TEST_F(HeaderLinesFile, WithoutTheFileTheMakersBannerIsPrinted) {
    HeaderLines lines;
    EXPECT_EQ(lines.load(file), ENOENT);
    EXPECT_EQ(lines.count(), -1);
    EXPECT_EQ(lines.save(folder.path() / "missing" / "mervik.hdg"), ENOENT);

    EXPECT_EQ(loadBanner({file}).lines(), HeaderLines::makersBanner().lines());  // its text is pinned by the golden listings
}

}  // namespace
}  // namespace tavo
