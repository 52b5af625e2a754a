#pragma once

#include <QChar>
#include <QDateTime>
#include <QLocale>
#include <QString>

// Formats a date and time by a user's format string. Letters are case-insensitive:
//   d dd          day 1-31 / 01-31        ddd dddd   day name short / long
//   ddddd dddddd  the locale's short / long date
//   m mm          month 1-12 / 01-12      mmm mmmm   month name short / long
//   m mm          minute, when the nearest letter before is an hour specifier
//   yy yyyy       year 00-99 / 0000-9999 (one y is two digits, three are four)
//   h hh          hour 0-23 / 00-23, or 1-12 when am/pm, a/p or ampm follows before the
//                 next hour specifier
//   n nn          minute                  s ss       second
//   am/pm a/p     am or pm, a or p, in the letter case written
//   ampm          the locale's am/pm text
//   /  :          the locale's date / time separator
//   "..." '...'   copied without the quotes
// Every other character is copied unchanged; nothing here fails.
QString FormatDateTimeText(const QString& format, const QDateTime& when,
                           const QLocale& locale = QLocale());

// The separators a locale writes between date parts and time parts ('/' and ':' when its
// formats show none).
QChar LocaleDateSeparator(const QLocale& locale);
QChar LocaleTimeSeparator(const QLocale& locale);
