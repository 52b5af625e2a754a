#include "platform/Numbers.h"
#include "platform/Rounding.h"

#include <gtest/gtest.h>

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(-0.5), 0);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(2.500001), 3);
    EXPECT_EQ(RoundHalfEven(37.795), 38);
}

TEST(Rounding, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(RoundHalfEven(1e300), INT32_MAX);
    EXPECT_EQ(RoundHalfEven(-1e300), INT32_MIN);
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(ParseDecimal, AcceptsPointAndComma) {
    EXPECT_DOUBLE_EQ(ParseDecimal("1.25"), 1.25);
    EXPECT_DOUBLE_EQ(ParseDecimal("1,25"), 1.25);
    EXPECT_DOUBLE_EQ(ParseDecimal(" -0.5 "), -0.5);
    EXPECT_DOUBLE_EQ(ParseDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(ParseDecimal("3."), 3.0);
    EXPECT_DOUBLE_EQ(ParseDecimal("2E2"), 200.0);
}

TEST(ParseDecimal, AnythingElseIsZero) {
    for (const char* s : {"", " ", "abc", "1.2.3", "1,2,3", "--1", "1-", ".", "-", "inf", "nan",
                          "0x10", "1e", "1e+", "12abc", "1 2"}) {
        double v = 99;
        EXPECT_FALSE(TryParseDecimal(s, v)) << s;
        EXPECT_EQ(ParseDecimal(s), 0.0) << s;
    }
    EXPECT_EQ(ParseDecimal("1e999"), 0.0); // out of range is not a number either
}

// Expectations worked out by hand from the pattern rules (required and optional decimals).
TEST(FormatNumber, Patterns) {
    struct Row {
        const char* pattern;
        double value;
        const char* expected;
    } rows[] = {
        {"#0.0####", 1.0, "1.0"},
        {"#0.0####", 0.25, "0.25"},
        {"#0.0####", 2.54, "2.54"},
        {"#0.0####", 1.0 / 2.54, "0.3937"},
        {"#0.0####", 0.635, "0.635"},
        {"#0.0####", 12.3456789, "12.34568"},
        {"##0.0#", 10.0, "10.0"},
        {"##0.0#", 12.345, "12.35"}, // 12.345 is stored slightly above the half
        {"##0.00", 0.05, "0.05"},
        {"##0.00", 0.1, "0.10"},
        {"#0.###", 0.0, "0"},
        {"#0.###", 0.1666666, "0.167"},
        {"##0.##", 11.0, "11"},
        {"##0.##", 8.5, "8.5"},
        {"####0.##", 27.94, "27.94"},
        {"0.00", 2.0, "2.00"},
        {"##0.0##", 0.0125, "0.013"},
        {"###0.0##", 1234.5, "1234.5"},
        {"#0.0####", -0.000001, "0.0"}, // no negative zero
        {"#0.0####", -1.5, "-1.5"},
        {"#0.###", 0.0625, "0.062"}, // exact half: to even
    };
    for (const Row& r : rows)
        EXPECT_EQ(FormatNumber(r.pattern, r.value, '.'), QString(r.expected))
            << r.pattern << " " << r.value;
}

TEST(FormatNumber, UsesTheGivenSeparator) {
    EXPECT_EQ(FormatNumber("#0.0####", 0.25, ','), QString("0,25"));
    EXPECT_EQ(ParseDecimal(FormatNumber("#0.0####", 0.25, ',')), 0.25);
}
