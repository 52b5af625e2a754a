#include "merge/FieldEvaluation.h"

#include <gtest/gtest.h>

// Date elements that print a day ahead of or behind today: the offset is applied to the date
// the clock reads when the element is evaluated.

namespace {
TDateSource ClockAt(QDate date, QTime time = QTime(9, 30, 15)) {
    const QDateTime now(date, time);
    return TDateSource{[now] { return now; }, QLocale::c()};
}

// What a one-element list with a date element prints when the clock reads today.
QString Printed(QDate today, int32_t months, int32_t days,
                const QString& format = QStringLiteral("yyyy-mm-dd")) {
    TFieldList fields;
    auto date = std::make_unique<TDateField>();
    date->DateFormat = format;
    date->AddMonths = months;
    date->AddDays = days;
    fields.push_back(std::move(date));
    return EvaluateAdvancedFields(fields, nullptr, false, ClockAt(today));
}
} // namespace

TEST(DateOffset, DaysAheadCrossMonthAndYearEnds) {
    EXPECT_EQ(Printed(QDate(2026, 1, 8), 0, 30), "2026-02-07");
    EXPECT_EQ(Printed(QDate(2026, 12, 6), 0, 30), "2027-01-05");
    EXPECT_EQ(Printed(QDate(2028, 2, 28), 0, 1), "2028-02-29");
    EXPECT_EQ(Printed(QDate(2027, 2, 28), 0, 1), "2027-03-01");
    EXPECT_EQ(Printed(QDate(2026, 12, 31), 0, 365), "2027-12-31");
    // Without an offset a date element prints today, as it always did.
    EXPECT_EQ(Printed(QDate(2026, 12, 6), 0, 0), "2026-12-06");
}

TEST(DateOffset, MonthsClampToTheLastDayOfAShorterMonth) {
    EXPECT_EQ(Printed(QDate(2028, 1, 31), 1, 0), "2028-02-29"); // leap year
    EXPECT_EQ(Printed(QDate(2027, 1, 31), 1, 0), "2027-02-28"); // common year
    EXPECT_EQ(Printed(QDate(2027, 8, 31), 1, 0), "2027-09-30");
    EXPECT_EQ(Printed(QDate(2026, 11, 30), 3, 0), "2027-02-28");
    EXPECT_EQ(Printed(QDate(2027, 1, 31), 12, 0), "2028-01-31");
    EXPECT_EQ(Printed(QDate(2028, 2, 29), 12, 0), "2029-02-28");
}

TEST(DateOffset, NegativeOffsetsGoBack) {
    EXPECT_EQ(Printed(QDate(2027, 3, 31), -1, 0), "2027-02-28");
    EXPECT_EQ(Printed(QDate(2028, 3, 31), -1, 0), "2028-02-29");
    EXPECT_EQ(Printed(QDate(2027, 1, 5), 0, -10), "2026-12-26");
    EXPECT_EQ(Printed(QDate(2027, 1, 15), -1, 0), "2026-12-15");
    EXPECT_EQ(Printed(QDate(2027, 3, 1), 0, -1), "2027-02-28");
}

TEST(DateOffset, MonthsComeFirstThenDaysAndTheTimeIsKept) {
    // 30 January + 1 month is 28 February, and a day later 1 March; days first would give
    // 28 February.
    EXPECT_EQ(Printed(QDate(2027, 1, 30), 1, 1), "2027-03-01");
    EXPECT_EQ(Printed(QDate(2027, 3, 31), -1, 1), "2027-03-01");
    EXPECT_EQ(Printed(QDate(2026, 12, 6), 1, 30, "dd/mm/yyyy hh:nn:ss"), "05/02/2027 09:30:15");
}

TEST(DateOffset, EachEvaluationReadsTheClockAgain) {
    TFieldList fields;
    auto date = std::make_unique<TDateField>();
    date->DateFormat = "yyyymmdd";
    date->AddDays = 30;
    fields.push_back(std::move(date));
    QDate today(2026, 12, 30);
    const TDateSource dates{[&today] { return QDateTime(today, QTime(23, 59)); }, QLocale::c()};
    EXPECT_EQ(EvaluateAdvancedFields(fields, nullptr, false, dates), "20270129");
    today = today.addDays(2);
    EXPECT_EQ(EvaluateAdvancedFields(fields, nullptr, false, dates), "20270131");
    EXPECT_EQ(AdvancedFieldsDesignText(fields, dates), "20270131");
}

TEST(DateOffset, TheEditorsLineNamesOffsetsOnlyWhenSet) {
    const TDateSource dates = ClockAt(QDate(2027, 1, 31));
    TDateField date;
    EXPECT_EQ(DescribeField(date, dates), "DATE [Format=\"yyyymmdd\",20270131]");
    date.AddMonths = 1;
    EXPECT_EQ(DescribeField(date, dates), "DATE [Format=\"yyyymmdd\", Add Months=1,20270228]");
    date.AddDays = -3;
    EXPECT_EQ(DescribeField(date, dates),
              "DATE [Format=\"yyyymmdd\", Add Months=1, Add Days=-3,20270225]");
    date.AddMonths = 0;
    EXPECT_EQ(DescribeField(date, dates), "DATE [Format=\"yyyymmdd\", Add Days=-3,20270128]");
}

TEST(DateOffset, ACopiedElementKeepsItsOffsets) {
    TFieldList fields;
    auto date = std::make_unique<TDateField>();
    date->AddMonths = -2;
    date->AddDays = 45;
    fields.push_back(std::move(date));
    const TFieldList copy = CloneFields(fields);
    const auto& copied = dynamic_cast<const TDateField&>(*copy.front());
    EXPECT_EQ(copied.AddMonths, -2);
    EXPECT_EQ(copied.AddDays, 45);
}
