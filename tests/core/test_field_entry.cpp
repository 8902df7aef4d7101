#include <gtest/gtest.h>

#include <climits>

#include "ui/FieldEntry.h"

using namespace tavo;

TEST(FieldEntry, ANumberFieldTakesExactlyOneNumber) {
    EXPECT_EQ(readFieldNumber(" \t1,5 \t"), 1.5);
    EXPECT_EQ(readFieldNumber("0,0"), 0.0);
    EXPECT_EQ(readFieldNumber("+2.25"), 2.25);
    EXPECT_EQ(readFieldNumber("1e3"), 1000.0);
    // What lies beyond the 99th character cannot spoil the number.
    EXPECT_EQ(readFieldNumber("7" + std::string(98, ' ') + "x"), 7.0);
    EXPECT_EQ(readFieldNumber(std::string(99, ' ') + "7"), std::nullopt);
    for (const char* text : {"", "abc", "1,5x", "1.5.2", "1,5 2", "-0", ".0", "+-1", "0x10", "inf", "1e999"})
        EXPECT_EQ(readFieldNumber(text), std::nullopt) << '"' << text << '"';

    EXPECT_EQ(readFieldInteger(" -7 "), -7);
    EXPECT_EQ(readFieldInteger("99999999999"), INT_MAX);  // held at the end, so that the range check refuses it
    EXPECT_EQ(readFieldInteger("-99999999999"), INT_MIN);
    for (const char* text : {"", "1,5", "12a", "-0", "1e3"}) EXPECT_EQ(readFieldInteger(text), std::nullopt) << '"' << text << '"';
}

TEST(FieldEntry, RangesAndTheirMessages) {
    EXPECT_TRUE(isBelowMinimum(0.0, 0.0, true));
    EXPECT_FALSE(isBelowMinimum(0.0, 0.0, false));
    EXPECT_TRUE(isAboveMaximum(5.0, 5.0, true));
    EXPECT_FALSE(isAboveMaximum(5.0, 5.0, false));

    EXPECT_EQ(numberRangeMessage(RangeBound::Lower, 0.0, true), "Geben Sie bitte eine Zahl größer als 0 ein!");
    EXPECT_EQ(numberRangeMessage(RangeBound::Upper, 1e20, false), "Geben Sie bitte eine Zahl kleiner gleich 1e+20 ein!");
    EXPECT_EQ(integerRangeMessage(1, 999), "Geben Sie eine ganze Zahl zwischen 1 und 999 ein.");
}
