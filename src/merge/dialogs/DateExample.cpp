#include "merge/dialogs/DateExample.h"

#include "merge/DateOffset.h"
#include "merge/DateTimeFormat.h"
#include "merge/dialogs/MergeDialogTexts.h"

QString DateExample(const QString& format, int32_t months, int32_t days, const TDateSource& dates) {
    const QDateTime now = dates.CurrentDateTime();
    const QString today = FormatDateTimeText(format, now, dates.Locale);
    const QString offset = DateOffsetText(months, days);
    if (offset.isEmpty())
        return QString::fromLatin1(MergeDialogText::DateExampleToday).arg(today);
    const QString ahead =
        FormatDateTimeText(format, AddDateOffset(now, months, days), dates.Locale);
    return QString::fromLatin1(MergeDialogText::DateExampleAhead).arg(today, offset, ahead);
}
