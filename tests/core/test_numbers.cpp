#include <gtest/gtest.h>

#include "model/Numbers.h"

using namespace tavo;

TEST(Numbers, ParseNumberIsLenient) {
    const std::pair<const char*, double> readable[] = {
        {"", 0.0}, {"  ", 0.0}, {"3,75", 3.75}, {"1 2,5", 12.5}, {"12abc", 12.0}, {"-0,5", -0.5},
    };
    for (const auto& [text, expected] : readable) {
        double value = -1.0;
        EXPECT_TRUE(parseNumber(text, value)) << text;
        EXPECT_EQ(value, expected) << text;
    }
    for (const char* text : {"x", ",,", "inf", "nan"}) {
        double value = 0.0;
        EXPECT_FALSE(parseNumber(text, value)) << text;
    }
    EXPECT_EQ(numberOr0("abc"), 0.0);
}

TEST(Numbers, RoundingAndTrimming) {
    EXPECT_DOUBLE_EQ(roundHalfAway(2.345, 2), 2.35);
    EXPECT_DOUBLE_EQ(roundHalfAway(-2.345, 2), -2.35);
    EXPECT_DOUBLE_EQ(roundHalfAway(1.005, 2), 1.01);  // 1.00499999... in binary

    EXPECT_EQ(formatTrimmed(12.0, 1), "12");
    EXPECT_EQ(formatTrimmed(0.1254, 3), "0.125");
    EXPECT_EQ(formatTrimmed(100.0, 1), "100");
    EXPECT_EQ(formatTrimmed(-0.05, 1), "-0.1");

    // At most n zeros go, and the point only with all of them.
    EXPECT_EQ(trimZeros("12.50", 2), "12.5");
    EXPECT_EQ(trimZeros("12.00", 2), "12");
    EXPECT_EQ(trimZeros("12.000", 2), "12.0");
    EXPECT_EQ(trimZeros("1.0", 2), "1.");
    EXPECT_EQ(trimZeros("100", 2), "100");

    EXPECT_TRUE(valuesEqual(1.0, 1.0 + 9e-7));
    EXPECT_FALSE(valuesEqual(1.0, 1.0 + 2e-6));

    // Halves round up as by hand, where printf alone rounds the binary value down.
    EXPECT_EQ(formatLoad(14.50 * 5 / 100), "0.73");
    EXPECT_EQ(formatLoad(1.50 * 3 / 100), "0.05");
    EXPECT_EQ(formatLoad(-0.125), "-0.13");
    EXPECT_EQ(formatLoad(0.0), "0.00");
}
