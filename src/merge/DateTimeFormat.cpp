#include "merge/DateTimeFormat.h"

namespace {
bool IsQuote(QChar c) {
    return c == u'"' || c == u'\'';
}

bool IsAsciiLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

char16_t UpperAscii(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') ? char16_t(u - 32) : u;
}

// The first character of a locale format that is neither a letter, a blank nor quoted text.
QChar FirstSeparator(const QString& localeFormat, QChar fallback) {
    bool quoted = false;
    for (QChar c : localeFormat) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && !c.isLetter() && !c.isSpace())
            return c;
    }
    return fallback;
}

QString Number(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

// The three ways of writing am/pm, longest first where they share a start.
enum class TAmPm { None, Letters, Single, Locale };

struct TAmPmMatch {
    TAmPm Kind = TAmPm::None;
    qsizetype Length = 0;
};

TAmPmMatch MatchAmPm(QStringView rest) {
    if (rest.startsWith(u"am/pm", Qt::CaseInsensitive))
        return {TAmPm::Letters, 5};
    if (rest.startsWith(u"a/p", Qt::CaseInsensitive))
        return {TAmPm::Single, 3};
    if (rest.startsWith(u"ampm", Qt::CaseInsensitive))
        return {TAmPm::Locale, 4};
    return {};
}

class TDateTimeFormatter {
public:
    TDateTimeFormatter(const QString& format, const QDateTime& when, const QLocale& locale)
        : m_format(format), m_date(when.date()), m_time(when.time()), m_locale(locale),
          m_dateSeparator(LocaleDateSeparator(locale)),
          m_timeSeparator(LocaleTimeSeparator(locale)) {}

    QString Run() {
        const qsizetype n = m_format.size();
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_format[i];
            if (IsQuote(c)) {
                qsizetype close = m_format.indexOf(c, i + 1);
                if (close < 0)
                    close = n; // an open quote runs to the end
                m_out += QStringView(m_format).sliced(i + 1, close - i - 1);
                i = close + 1;
            } else if (!IsAsciiLetter(c)) {
                if (c == u'/')
                    m_out += m_dateSeparator;
                else if (c == u':')
                    m_out += m_timeSeparator;
                else
                    m_out += c;
                ++i;
            } else {
                i = Specifier(i);
            }
        }
        return m_out;
    }

private:
    // Formats the specifier (or copies the letters) starting at i; returns the position after.
    qsizetype Specifier(qsizetype i) {
        const char16_t letter = UpperAscii(m_format[i]);
        if (letter == u'A')
            return AmPm(i);
        qsizetype run = 1;
        while (i + run < m_format.size() && UpperAscii(m_format[i + run]) == letter)
            ++run;
        const bool minute = letter == u'M' && m_lastLetter == u'H' && run <= 2;
        m_lastLetter = letter;
        switch (letter) {
        case u'D':
            Day(run);
            break;
        case u'M':
            if (minute)
                m_out += Number(m_time.minute(), int(run));
            else
                Month(run);
            break;
        case u'Y':
            m_out += run <= 2 ? Number(m_date.year() % 100, 2) : Number(m_date.year(), 4);
            break;
        case u'H':
            m_out += Number(TwelveHourFollows(i + run) ? TwelveHour() : m_time.hour(),
                            int(std::min<qsizetype>(run, 2)));
            break;
        case u'N':
            m_out += Number(m_time.minute(), int(std::min<qsizetype>(run, 2)));
            break;
        case u'S':
            m_out += Number(m_time.second(), int(std::min<qsizetype>(run, 2)));
            break;
        default:
            m_out += QStringView(m_format).sliced(i, run);
            break;
        }
        return i + run;
    }

    void Day(qsizetype run) {
        if (run <= 2)
            m_out += Number(m_date.day(), int(run));
        else if (run == 3)
            m_out += m_locale.dayName(m_date.dayOfWeek(), QLocale::ShortFormat);
        else if (run == 4)
            m_out += m_locale.dayName(m_date.dayOfWeek(), QLocale::LongFormat);
        else if (run == 5)
            m_out += m_locale.toString(m_date, QLocale::ShortFormat);
        else
            m_out += m_locale.toString(m_date, QLocale::LongFormat);
    }

    void Month(qsizetype run) {
        if (run <= 2)
            m_out += Number(m_date.month(), int(run));
        else if (run == 3)
            m_out += m_locale.monthName(m_date.month(), QLocale::ShortFormat);
        else
            m_out += m_locale.monthName(m_date.month(), QLocale::LongFormat);
    }

    qsizetype AmPm(qsizetype i) {
        m_lastLetter = u'A';
        const TAmPmMatch match = MatchAmPm(QStringView(m_format).sliced(i));
        const bool pm = m_time.hour() >= 12;
        switch (match.Kind) {
        case TAmPm::Letters: // "am" or "pm" as the format writes it
            m_out += QStringView(m_format).sliced(pm ? i + 3 : i, 2);
            break;
        case TAmPm::Single:
            m_out += m_format[pm ? i + 2 : i];
            break;
        case TAmPm::Locale:
            m_out += pm ? m_locale.pmText() : m_locale.amText();
            break;
        case TAmPm::None:
            m_out += m_format[i]; // a lone 'a' is text
            return i + 1;
        }
        return i + match.Length;
    }

    // True when an am/pm specifier comes after position from, before the next hour specifier.
    bool TwelveHourFollows(qsizetype from) const {
        const qsizetype n = m_format.size();
        qsizetype j = from;
        while (j < n) {
            const QChar c = m_format[j];
            if (IsQuote(c)) {
                const qsizetype close = m_format.indexOf(c, j + 1);
                if (close < 0)
                    return false;
                j = close + 1;
            } else if (UpperAscii(c) == u'H') {
                return false;
            } else if (UpperAscii(c) == u'A' &&
                       MatchAmPm(QStringView(m_format).sliced(j)).Kind != TAmPm::None) {
                return true;
            } else {
                ++j;
            }
        }
        return false;
    }

    int TwelveHour() const {
        const int hour = m_time.hour() % 12;
        return hour == 0 ? 12 : hour;
    }

    const QString& m_format;
    const QDate m_date;
    const QTime m_time;
    const QLocale& m_locale;
    const QChar m_dateSeparator;
    const QChar m_timeSeparator;
    QString m_out;
    char16_t m_lastLetter = 0; // upper case; quoted text does not count
};
} // namespace

QChar LocaleDateSeparator(const QLocale& locale) {
    return FirstSeparator(locale.dateFormat(QLocale::ShortFormat), u'/');
}

QChar LocaleTimeSeparator(const QLocale& locale) {
    return FirstSeparator(locale.timeFormat(QLocale::ShortFormat), u':');
}

QString FormatDateTimeText(const QString& format, const QDateTime& when, const QLocale& locale) {
    return TDateTimeFormatter(format, when, locale).Run();
}
