#include "merge/DateTimeFormat.h"

#include <gtest/gtest.h>

namespace {
const QDateTime kAfternoon(QDate(2026, 12, 6), QTime(14, 5, 9)); // a Sunday
const QLocale kUs(QLocale::English, QLocale::UnitedStates);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kFinnish(QLocale::Finnish, QLocale::Finland);

struct TFormatRow {
    const char* Format;
    const char* Expected;
    const char* Why;
};
} // namespace

TEST(FormatDateTimeText, EverySpecifierOnAFixedAfternoon) {
    const TFormatRow rows[] = {
        {"yyyymmdd", "20261206", "documented example"},
        {"YYYYMMDD", "20261206", "letters are case-insensitive"},
        {"dd/mm/yy", "06/12/26", "documented example, slash separator"},
        {"d/m/y", "6/12/26", "one y is two digits"},
        {"yyy", "2026", "three y are four digits"},
        {"hh:nn", "14:05", "documented example"},
        {"h:nn am/pm", "2:05 pm", "documented example"},
        {"h:nn AM/PM", "2:05 PM", "letter case as written"},
        {"h:nn Am/pM", "2:05 pM", "pm taken from its own letters"},
        {"h a/p", "2 p", "single letter"},
        {"h A/P", "2 P", "single letter, upper case"},
        {"h ampm", "2 PM", "locale designator"},
        {"hh am/pm", "02 pm", "two-digit 12-hour"},
        {"hh:mm", "14:05", "m after an hour is the minute"},
        {"hh:mm:ss", "14:05:09", "seconds"},
        {"h:m:s", "14:5:9", "single digits"},
        {"mm", "12", "m without an hour is the month"},
        {"hh mmm", "14 Dec", "only m and mm can be the minute"},
        {"hh dd mm", "14 06 12", "nearest letter is a day: month"},
        {"hh 'h' mm", "14 h 05", "quoted letters do not count"},
        {"hh:nn, h am/pm", "14:05, 2 pm", "am/pm switches only the hour before it"},
        {"h 'am/pm'", "14 am/pm", "quoted am/pm is text"},
        {"ddd, mmm d", "Sun, Dec 6", "short names"},
        {"dddd d mmmm yyyy", "Sunday 6 December 2026", "long names"},
        {"mmmmm", "December", "more than four m: long name"},
        {"ddddd", "12/6/26", "the locale's short date"},
        {"yyyy-mm-dd\"T\"hh:nn:ss", "2026-12-06T14:05:09", "double-quoted text"},
        {"hh 'rest", "14 rest", "an open quote runs to the end"},
        {"h:nn x #", "14:05 x #", "other characters are copied"},
        {"a", "a", "a lone a is text"},
        {"", "", "empty format"},
    };
    for (const TFormatRow& row : rows)
        EXPECT_EQ(FormatDateTimeText(QString::fromUtf8(row.Format), kAfternoon, kUs),
                  QString::fromUtf8(row.Expected))
            << row.Format << " (" << row.Why << ")";
}

TEST(FormatDateTimeText, TwelveHourClockAroundMidnightAndNoon) {
    const struct {
        QTime Time;
        const char* Format;
        const char* Expected;
    } rows[] = {
        {QTime(0, 7), "h:nn a/p", "12:07 a"}, {QTime(0, 7), "hh:nn", "00:07"},
        {QTime(12, 0), "h am/pm", "12 pm"},   {QTime(11, 59), "hh:nn am/pm", "11:59 am"},
        {QTime(23, 1), "h ampm", "11 PM"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatDateTimeText(QString::fromUtf8(row.Format),
                                     QDateTime(QDate(2026, 1, 2), row.Time), kUs),
                  QString::fromUtf8(row.Expected))
            << row.Format;
}

TEST(FormatDateTimeText, SeparatorsAndNamesComeFromTheLocale) {
    EXPECT_EQ(FormatDateTimeText("dd/mm/yyyy", kAfternoon, kGerman), "06.12.2026");
    EXPECT_EQ(FormatDateTimeText("hh:nn", kAfternoon, kFinnish), "14.05");
    EXPECT_EQ(FormatDateTimeText("mmmm", kAfternoon, kGerman), "Dezember");
    EXPECT_EQ(LocaleDateSeparator(kUs), u'/');
    EXPECT_EQ(LocaleTimeSeparator(kUs), u':');
    EXPECT_EQ(LocaleDateSeparator(QLocale::c()), u'/') << "no separator shown: the default";
}
