#include "merge/SheetDateFormat.h"
#include "merge/SheetCells.h"

#include <QDate>
#include <QDateTime>

#include <cmath>

namespace {
struct TToken {
    enum TKind { Literal, Year, Month, Minute, Day, Hour, Second, Fraction, AmPm, Elapsed };
    TKind kind;
    int count = 0;
    QString text;
};

struct TStamp {
    int year = 0, month = 0, day = 0, weekday = 0; // weekday 1 Monday .. 7 Sunday
    qint64 totalUnits = 0;                         // the whole serial in units, for elapsed time
    qint64 units = 1;                              // units per second
    int hour = 0, minute = 0, second = 0, fraction = 0;
};

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                             "Friday", "Saturday", "Sunday"};

std::vector<TToken> Tokens(const std::vector<TCodePiece>& pieces) {
    std::vector<TToken> tokens;
    for (size_t i = 0; i < pieces.size(); ++i) {
        const TCodePiece& p = pieces[i];
        if (p.kind == TCodePiece::AmPm) {
            tokens.push_back({TToken::AmPm, 0, p.text});
            continue;
        }
        if (p.kind == TCodePiece::Elapsed) {
            tokens.push_back({TToken::Elapsed, int(p.text.size()), p.text.left(1)});
            continue;
        }
        if (p.kind != TCodePiece::Char) {
            if (p.kind == TCodePiece::Literal)
                tokens.push_back({TToken::Literal, 0, p.text});
            continue;
        }
        const QChar c = p.text.at(0).toLower();
        if (c == u'.' && !tokens.empty() &&
            (tokens.back().kind == TToken::Second ||
             (tokens.back().kind == TToken::Elapsed && tokens.back().text == u"s"))) {
            int zeros = 0;
            while (i + 1 < pieces.size() && pieces[i + 1].kind == TCodePiece::Char &&
                   pieces[i + 1].text == u"0") {
                ++zeros;
                ++i;
            }
            if (zeros > 0) {
                tokens.push_back({TToken::Fraction, std::min(zeros, 3), {}});
                continue;
            }
        }
        TToken::TKind kind = TToken::Literal;
        switch (c.unicode()) {
        case u'y':
        case u'e':
            kind = TToken::Year;
            break;
        case u'm':
            kind = TToken::Month;
            break;
        case u'd':
            kind = TToken::Day;
            break;
        case u'h':
            kind = TToken::Hour;
            break;
        case u's':
            kind = TToken::Second;
            break;
        default:
            break;
        }
        if (kind == TToken::Literal)
            tokens.push_back({TToken::Literal, 0, p.text});
        else if (!tokens.empty() && tokens.back().kind == kind && tokens.back().text == c)
            ++tokens.back().count;
        else
            tokens.push_back({kind, 1, QString(c)});
    }
    // m is a minute right after an hour or right before a second, a month otherwise.
    auto isKind = [](const TToken& t, TToken::TKind kind, const char16_t* elapsed) {
        return t.kind == kind || (t.kind == TToken::Elapsed && t.text == elapsed);
    };
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].kind != TToken::Month)
            continue;
        bool minute = false;
        for (size_t j = i; j-- > 0;) {
            if (tokens[j].kind == TToken::Literal)
                continue;
            minute = isKind(tokens[j], TToken::Hour, u"h");
            break;
        }
        for (size_t j = i + 1; !minute && j < tokens.size(); ++j) {
            if (tokens[j].kind == TToken::Literal)
                continue;
            minute = isKind(tokens[j], TToken::Second, u"s");
            break;
        }
        if (minute)
            tokens[i].kind = TToken::Minute;
    }
    return tokens;
}

bool Stamp(double serial, bool date1904, int fractionDigits, TStamp& s) {
    if (!(serial >= 0) || serial >= 2958466)
        return false;
    s.units = 1;
    for (int i = 0; i < fractionDigits; ++i)
        s.units *= 10;
    const qint64 perDay = 86400 * s.units;
    s.totalUnits = std::llround(serial * double(perDay));
    const qint64 days = s.totalUnits / perDay;
    qint64 rest = s.totalUnits % perDay;
    QDate date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(days);
    } else if (days == 60) { // the 29 February 1900 the 1900 system counts, a Wednesday
        s.year = 1900, s.month = 2, s.day = 29, s.weekday = 3;
    } else {
        date = days < 60 ? QDate(1899, 12, 31).addDays(days) : QDate(1899, 12, 30).addDays(days);
    }
    if (date.isValid()) {
        s.year = date.year(), s.month = date.month(), s.day = date.day();
        s.weekday = date.dayOfWeek();
    }
    s.fraction = int(rest % s.units);
    rest /= s.units;
    s.hour = int(rest / 3600);
    s.minute = int(rest / 60 % 60);
    s.second = int(rest % 60);
    return true;
}

QString Padded(qint64 value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}
} // namespace

namespace SheetDates {
QString FormatSerial(double serial, const std::vector<TCodePiece>& pieces, bool date1904,
                     bool* ok) {
    const std::vector<TToken> tokens = Tokens(pieces);
    int fractionDigits = 0;
    bool twelveHour = false;
    for (const TToken& t : tokens) {
        if (t.kind == TToken::Fraction)
            fractionDigits = t.count;
        twelveHour = twelveHour || t.kind == TToken::AmPm;
    }
    TStamp s;
    *ok = Stamp(serial, date1904, fractionDigits, s);
    if (!*ok)
        return {};
    QString out;
    for (const TToken& t : tokens) {
        switch (t.kind) {
        case TToken::Literal:
            out += t.text;
            break;
        case TToken::Year:
            out += t.count <= 2 ? Padded(s.year % 100, 2) : Padded(s.year, 4);
            break;
        case TToken::Month: {
            const QString name = QString::fromLatin1(kMonths[s.month - 1]);
            if (t.count <= 2)
                out += Padded(s.month, t.count);
            else if (t.count == 3)
                out += name.left(3);
            else if (t.count == 4)
                out += name;
            else
                out += name.left(1);
            break;
        }
        case TToken::Day: {
            const QString name = QString::fromLatin1(kDays[s.weekday - 1]);
            out += t.count <= 2 ? Padded(s.day, t.count) : t.count == 3 ? name.left(3) : name;
            break;
        }
        case TToken::Hour: {
            int hour = s.hour;
            if (twelveHour)
                hour = hour % 12 == 0 ? 12 : hour % 12;
            out += Padded(hour, std::min(t.count, 2));
            break;
        }
        case TToken::Minute:
            out += Padded(s.minute, std::min(t.count, 2));
            break;
        case TToken::Second:
            out += Padded(s.second, std::min(t.count, 2));
            break;
        case TToken::Fraction:
            out += u'.' + Padded(s.fraction, t.count);
            break;
        case TToken::AmPm: {
            const bool pm = s.hour >= 12;
            if (t.text.size() == 5)
                out += QString::fromLatin1(t.text.at(0).isLower() ? (pm ? "pm" : "am")
                                                                  : (pm ? "PM" : "AM"));
            else
                out += pm ? t.text.at(2) : t.text.at(0);
            break;
        }
        case TToken::Elapsed: {
            const qint64 seconds = s.totalUnits / s.units;
            const qint64 value = t.text == u"h"   ? seconds / 3600
                                 : t.text == u"m" ? seconds / 60
                                                  : seconds;
            out += Padded(value, t.count);
            break;
        }
        }
    }
    return out;
}
} // namespace SheetDates

namespace SheetCells {
bool IsDateFormat(const QString& formatCode) {
    return TNumberFormat(formatCode).IsDate();
}

double SerialFromIso(const QString& text, bool date1904, bool* ok) {
    QDateTime stamp = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!stamp.isValid()) {
        const QDate date = QDate::fromString(text, Qt::ISODate);
        if (date.isValid())
            stamp = QDateTime(date, QTime(0, 0));
    }
    if (!stamp.isValid()) {
        const QTime time = QTime::fromString(text, Qt::ISODateWithMs);
        *ok = time.isValid();
        return *ok ? time.msecsSinceStartOfDay() / 86400000.0 : 0;
    }
    const QDate epoch = date1904 ? QDate(1904, 1, 1) : QDate(1899, 12, 30);
    qint64 days = epoch.daysTo(stamp.date());
    if (!date1904 && days < 61)
        days -= 1;
    *ok = days >= 0;
    return double(days) + stamp.time().msecsSinceStartOfDay() / 86400000.0;
}
} // namespace SheetCells
