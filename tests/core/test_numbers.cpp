#include <gtest/gtest.h>

#include "model/Numbers.h"

using namespace tavo;

namespace {
std::optional<double> parsed(std::string_view text) {
    double value = -1.0;
    if (!parseNumber(text, value)) return std::nullopt;
    return value;
}
}  // namespace

TEST(ParseNumber, BlanksCommasAndTrailingCharacters) {
    EXPECT_EQ(parsed(""), 0.0);
    EXPECT_EQ(parsed("  "), 0.0);
    EXPECT_EQ(parsed("3,75"), 3.75);
    EXPECT_EQ(parsed(" 2 5"), 25.0);
    EXPECT_EQ(parsed("1 2,5"), 12.5);
    EXPECT_EQ(parsed("12abc"), 12.0);
    EXPECT_EQ(parsed("-0,5"), -0.5);
    EXPECT_EQ(parsed("x"), std::nullopt);
    EXPECT_EQ(parsed(",,"), std::nullopt);
    EXPECT_EQ(parsed("inf"), std::nullopt);
    EXPECT_EQ(parsed("nan"), std::nullopt);
    EXPECT_EQ(numberOr0("abc"), 0.0);
    EXPECT_EQ(numberOr0("4.80"), 4.8);
}

TEST(RoundHalfAway, RoundsHalvesAwayFromZeroDespiteRepresentation) {
    EXPECT_DOUBLE_EQ(roundHalfAway(2.345, 2), 2.35);
    EXPECT_DOUBLE_EQ(roundHalfAway(-2.345, 2), -2.35);
    EXPECT_DOUBLE_EQ(roundHalfAway(1.005, 2), 1.01);  // 1.00499999... in binary
    EXPECT_DOUBLE_EQ(roundHalfAway(0.0, 3), 0.0);
    EXPECT_DOUBLE_EQ(roundHalfAway(12.34, 1), 12.3);
    EXPECT_DOUBLE_EQ(roundHalfAway(7.0, 0), 7.0);
}

TEST(FormatTrimmed, TrimsTrailingZerosAndBarePoint) {
    EXPECT_EQ(formatTrimmed(12.0, 1), "12");
    EXPECT_EQ(formatTrimmed(12.34, 1), "12.3");
    EXPECT_EQ(formatTrimmed(2.5, 3), "2.5");
    EXPECT_EQ(formatTrimmed(0.0, 3), "0");
    EXPECT_EQ(formatTrimmed(0.1254, 3), "0.125");
    EXPECT_EQ(formatTrimmed(7.5, 3), "7.5");
    EXPECT_EQ(formatTrimmed(100.0, 1), "100");
    EXPECT_EQ(formatTrimmed(3.0, 0), "3");
    EXPECT_EQ(formatTrimmed(-0.05, 1), "-0.1");
}

TEST(TrimZeros, RemovesAtMostNZeros) {
    EXPECT_EQ(trimZeros("12.50", 2), "12.5");
    EXPECT_EQ(trimZeros("12.00", 2), "12");
    EXPECT_EQ(trimZeros("12.000", 2), "12.0");
    EXPECT_EQ(trimZeros("100", 2), "100");  // no decimals, nothing to trim
    EXPECT_EQ(trimZeros("1.10", 0), "1.10");
}

TEST(ValuesEqual, ToleranceIsOneMillionth) {
    EXPECT_TRUE(valuesEqual(0.1 + 0.2, 0.3));
    EXPECT_TRUE(valuesEqual(1.0, 1.0 + 9e-7));
    EXPECT_FALSE(valuesEqual(1.0, 1.0 + 2e-6));
}

TEST(FormatLoad, AlwaysTwoDecimals) {
    EXPECT_EQ(formatLoad(4.8), "4.80");
    EXPECT_EQ(formatLoad(0.0), "0.00");
    EXPECT_EQ(formatLoad(16.8), "16.80");
    EXPECT_EQ(formatString("%s-%d", "a", 3), "a-3");
}
