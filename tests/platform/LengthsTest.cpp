#include "platform/Lengths.h"
#include "platform/PaperChoice.h"

#include <gtest/gtest.h>

namespace {
double Inches(const QString& text, bool metric) {
    double inches = -1;
    EXPECT_TRUE(ParseLength(text, metric, inches)) << text.toStdString();
    return inches;
}

bool IsLength(const QString& text) {
    double inches = 0;
    return ParseLength(text, false, inches);
}
} // namespace

TEST(Lengths, EachUnitConvertsToInches) {
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("2in"), true), 2.0);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("1.5\""), true), 1.5);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("5.08 cm"), false), 2.0);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("25.4mm"), false), 1.0);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("36 pt"), false), 0.5);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral(" 10 MM "), false), 10 / 25.4);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("2,54cm"), false), 1.0);
}

TEST(Lengths, ABareNumberIsInTheUnitShown) {
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("1.27"), true), 0.5);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("1.27"), false), 1.27);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral(".5"), false), 0.5);
    EXPECT_DOUBLE_EQ(Inches(QStringLiteral("-0.25"), false), -0.25);
}

TEST(Lengths, TextThatIsNoLengthIsRefusedAndLeavesTheValue) {
    for (const char* text : {"", "  ", "abc", "2 ft", "1.2.3", "in", "1 2", "2cm3", "nan", "--1"})
        EXPECT_FALSE(IsLength(QString::fromLatin1(text))) << text;
    double inches = 7;
    EXPECT_FALSE(ParseLength(QStringLiteral("x"), false, inches));
    EXPECT_EQ(inches, 7);
}

TEST(Lengths, PaperSizesReadTheirUnitsTheSameWay) {
    TPaperChoice paper;
    ASSERT_TRUE(ParsePaper(QStringLiteral("100x150mm"), paper));
    EXPECT_NEAR(paper.Width, 100 / 25.4, 1e-4);
    ASSERT_TRUE(ParsePaper(QStringLiteral("4 x 6 IN"), paper));
    EXPECT_NEAR(paper.Height, 6.0, 1e-4);
    ASSERT_TRUE(ParsePaper(QStringLiteral("288x432pt"), paper));
    EXPECT_NEAR(paper.Width, 4.0, 1e-4);
}
