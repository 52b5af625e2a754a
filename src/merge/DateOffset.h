#pragma once

#include <QDateTime>
#include <QString>

#include <cstdint>

// A date element can print a date ahead of (or behind) today: "best before" in 30 days.
// Months are added first and a day past the end of a shorter month becomes its last day
// (31 January + 1 month = 28 or 29 February); then the days. The time of day is kept.

inline constexpr int32_t MaxAddDays = 36500;  // about a hundred years either way
inline constexpr int32_t MaxAddMonths = 1200; // a hundred years either way

// Keeps an offset read from a file within the bounds above.
int32_t BoundedAddDays(int64_t days);
int32_t BoundedAddMonths(int64_t months);

QDateTime AddDateOffset(const QDateTime& now, int32_t months, int32_t days);

// The offset as people read it: "+ 1 month + 30 days", "- 2 days"; empty when there is none.
QString DateOffsetText(int32_t months, int32_t days);
