#include "merge/SheetCells.h"

#include <gtest/gtest.h>

namespace {
struct TCase {
    double value;
    const char* code;
    const char* shows;
};

void ExpectShown(std::initializer_list<TCase> cases) {
    for (const TCase& c : cases)
        EXPECT_EQ(SheetCells::FormatNumber(c.value, QString::fromUtf8(c.code)).toStdString(),
                  c.shows)
            << c.value << " in " << c.code;
}
} // namespace

TEST(SheetCells, GeneralShowsFifteenDigitsWithoutNoise) {
    const std::pair<double, const char*> cases[] = {
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {42.0, "42"},
        {-0.0, "0"},
        {-2.5, "-2.5"},
        {4006381333931.0, "4006381333931"},
        {123456789012345.0, "123456789012345"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {0.00001, "0.00001"},
        {0.000001234, "1.234E-06"},
        {1e100, "1E+100"},
        {100.0 * 1.1, "110"},
    };
    for (const auto& [value, shows] : cases)
        EXPECT_EQ(SheetCells::GeneralText(value).toStdString(), shows) << value;
    EXPECT_EQ(SheetCells::FormatNumber(0.1 + 0.2, QString()), "0.3");
    EXPECT_EQ(SheetCells::FormatNumber(7, QStringLiteral("General")), "7");
}

TEST(SheetCells, NumberFormats) {
    ExpectShown({
        {2.675, "0.00", "2.68"},
        {-2.675, "0.00", "-2.68"},
        {0.5, "0", "1"},
        {1.005, "0.00", "1.01"},
        {9.999, "0.00", "10.00"},
        {1234567.891, "#,##0", "1,234,568"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {999.5, "#,##0", "1,000"},
        {0, "#,##0.00", "0.00"},
        {0.256, "0%", "26%"},
        {0.125, "0.0%", "12.5%"},
        {42, "00000", "00042"},
        {1234567, "00000", "1234567"},
        {5551234, "000-0000", "555-1234"},
        {12345678, "#,##0,", "12,346"},
        {12345678, "0.0,,\" M\"", "12.3 M"},
        {5, "#.##", "5."},
        {5.5, "#.##", "5.5"},
        {0.5, "#.00", ".50"},
        {12.5, "No. 0.00", "No. 12.50"},
        {1.5, "0.0?", "1.5 "},
        {3.5, "0.0\" kg\"", "3.5 kg"},
        {1234.5, "\"$\"#,##0.00", "$1,234.50"},
        {-1234.5, "\"$\"#,##0.00", "-$1,234.50"},
        {1234.5, "[$€-407]#,##0.00", "€1,234.50"},
        {-5, "#,##0.00;(#,##0.00)", "(5.00)"},
        {-5, "#,##0.00;[Red]\\(#,##0.00\\)", "(5.00)"},
        {0, "0;-0;\"none\"", "none"},
        {7, "General\" pcs\"", "7 pcs"},
        {7, "@", "7"},
        {7, "0_);(0)", "7 "},
    });
}

TEST(SheetCells, DateAndTimeFormats) {
    ExpectShown({
        {45356, "yyyy-mm-dd", "2024-03-05"},
        {45356, "yyyy\\-mm\\-dd", "2024-03-05"},
        {45356, "dd/mm/yyyy", "05/03/2024"},
        {45356, "d mmm yyyy", "5 Mar 2024"},
        {45356, "dddd, mmmm d, yy", "Tuesday, March 5, 24"},
        {45356, "mmmmm", "M"},
        {45356, "m/d/yyyy", "3/5/2024"},
        {45356.75, "dd.mm.yyyy hh:mm", "05.03.2024 18:00"},
        {0.5625, "hh:mm", "13:30"},
        {0.5625, "h:mm AM/PM", "1:30 PM"},
        {0.0625, "h:mm a/p", "1:30 a"},
        {0.5625, "mm:ss", "30:00"},
        {0.99999999, "hh:mm:ss", "00:00:00"},
        {0.5 + 1.5 / 86400, "hh:mm:ss.0", "12:00:01.5"},
        {1.25, "[h]:mm:ss", "30:00:00"},
        {1, "yyyy-mm-dd", "1900-01-01"},
        {59, "yyyy-mm-dd", "1900-02-28"},
        {61, "yyyy-mm-dd", "1900-03-01"},
        {-1, "yyyy-mm-dd", "-1"},
        {3e6, "yyyy-mm-dd", "3000000"},
    });
    EXPECT_EQ(SheetCells::FormatNumber(0, QStringLiteral("yyyy-mm-dd"), true), "1904-01-01");
    EXPECT_TRUE(SheetCells::IsDateFormat(QStringLiteral("d mmm yyyy")));
    EXPECT_TRUE(SheetCells::IsDateFormat(SheetCells::BuiltInFormat(14)));
    EXPECT_FALSE(SheetCells::IsDateFormat(QStringLiteral("0.00\" days\"")));
    EXPECT_FALSE(SheetCells::IsDateFormat(SheetCells::BuiltInFormat(4)));
}

TEST(SheetCells, WhatIsLeftOutShowsAsGeneral) {
    ExpectShown({
        {1.5, "# ?/?", "1.5"},
        {1234, "0.00E+00", "1234"},
        {150, "[>100]\"big\";\"small\"", "150"},
    });
}
