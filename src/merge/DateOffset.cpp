#include "merge/DateOffset.h"

#include <algorithm>

namespace {
QString Term(int32_t count, const char* one, const char* many) {
    if (count == 0)
        return {};
    const int64_t size = count < 0 ? -int64_t(count) : int64_t(count);
    return QStringLiteral("%1 %2 %3")
        .arg(QChar(count < 0 ? u'-' : u'+'))
        .arg(size)
        .arg(QString::fromLatin1(size == 1 ? one : many));
}
} // namespace

int32_t BoundedAddDays(int64_t days) {
    return int32_t(std::clamp<int64_t>(days, -MaxAddDays, MaxAddDays));
}

int32_t BoundedAddMonths(int64_t months) {
    return int32_t(std::clamp<int64_t>(months, -MaxAddMonths, MaxAddMonths));
}

QDateTime AddDateOffset(const QDateTime& now, int32_t months, int32_t days) {
    // QDate clamps the day of the month when the target month is shorter; the date and the
    // time are shifted apart so that a change of daylight saving time leaves the clock alone.
    const QDate date = now.date().addMonths(BoundedAddMonths(months)).addDays(BoundedAddDays(days));
    QDateTime shifted = now;
    shifted.setDate(date);
    return shifted;
}

QString DateOffsetText(int32_t months, int32_t days) {
    const QString monthTerm = Term(months, "month", "months");
    const QString dayTerm = Term(days, "day", "days");
    if (monthTerm.isEmpty() || dayTerm.isEmpty())
        return monthTerm + dayTerm;
    return monthTerm + u' ' + dayTerm;
}
