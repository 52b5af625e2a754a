#include "merge/SheetCells.h"
#include "merge/SheetDateFormat.h"
#include "merge/SheetDecimal.h"
#include "merge/SheetFormatCode.h"

#include <cmath>
#include <optional>

namespace {
bool IsPlaceholder(const TCodePiece& p) {
    return p.kind == TCodePiece::Char && (p.text == u"0" || p.text == u"#" || p.text == u"?");
}
bool IsChar(const TCodePiece& p, char16_t c) {
    return p.kind == TCodePiece::Char && p.text.size() == 1 && p.text.at(0) == QChar(c);
}

// The integer digits laid into the placeholders from the right; the leftmost placeholder takes
// any digits left over. Literals between placeholders stay where they are (000-0000).
QString FillInteger(const std::vector<TCodePiece>& items, const QString& digits) {
    QString out;
    qsizetype next = digits.size(); // digits[0, next) not yet placed
    qsizetype placeholders = 0;
    for (const TCodePiece& p : items)
        placeholders += IsPlaceholder(p);
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        if (!IsPlaceholder(*it)) {
            out.prepend(it->text);
            continue;
        }
        --placeholders;
        if (placeholders == 0 && next > 0) {
            out.prepend(digits.left(next));
            next = 0;
        } else if (next > 0) {
            out.prepend(digits.at(--next));
        } else if (it->text == u"0") {
            out.prepend(u'0');
        } else if (it->text == u"?") {
            out.prepend(u' ');
        }
    }
    return out;
}

QString Grouped(QString digits) {
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, u',');
    return digits;
}

// One number section of a code; nothing when the section asks for what is left out.
std::optional<QString> FormatSection(TSheetDecimal number, const std::vector<TCodePiece>& pieces) {
    qsizetype first = -1, last = -1, dot = -1;
    for (qsizetype i = 0; i < qsizetype(pieces.size()); ++i) {
        const TCodePiece& p = pieces[i];
        if (p.kind == TCodePiece::Condition)
            return std::nullopt;
        if (IsChar(p, u'/') || IsChar(p, u'E') || IsChar(p, u'e'))
            return std::nullopt; // fractions, scientific
        if (IsPlaceholder(p)) {
            if (first < 0)
                first = i;
            last = i;
        } else if (IsChar(p, u'.') && dot < 0 && first >= 0) {
            dot = i;
        } else if (IsChar(p, u'.') && dot < 0 && first < 0 && i + 1 < qsizetype(pieces.size()) &&
                   IsPlaceholder(pieces[i + 1])) {
            // .00 without integer placeholders: the point opens the number
            dot = i;
            first = i;
        }
        if (IsChar(p, u'%'))
            number.Shift(2);
    }
    if (first < 0)
        return std::nullopt;
    QString out;
    const qsizetype intEnd = dot >= 0 ? dot : last + 1;
    // Commas with a placeholder after them in the integer part group thousands; those after the
    // last integer placeholder divide by a thousand each.
    bool grouping = false;
    std::vector<TCodePiece> integer;
    for (qsizetype i = first; i < intEnd; ++i) {
        if (!IsChar(pieces[i], u',')) {
            integer.push_back(pieces[i]);
            continue;
        }
        bool later = false;
        for (qsizetype j = i + 1; j < intEnd; ++j)
            later = later || IsPlaceholder(pieces[j]);
        if (later)
            grouping = true;
        else
            number.Shift(-3);
    }
    qsizetype suffixStart = last + 1;
    while (suffixStart < qsizetype(pieces.size()) && IsChar(pieces[suffixStart], u',')) {
        number.Shift(-3);
        ++suffixStart;
    }
    std::vector<TCodePiece> fraction;
    int places = 0;
    if (dot >= 0) {
        for (qsizetype i = dot + 1; i <= last; ++i) {
            if (IsChar(pieces[i], u','))
                continue;
            fraction.push_back(pieces[i]);
            places += IsPlaceholder(pieces[i]);
        }
    }
    number.RoundTo(places);

    for (qsizetype i = 0; i < first; ++i)
        out += pieces[i].kind == TCodePiece::General ? QString() : pieces[i].text;
    const QString digits = number.IntegerDigits();
    if (grouping) { // #,##0: literals between the placeholders are not kept
        qsizetype zeros = 0;
        for (const TCodePiece& p : integer)
            zeros += p.text == u"0";
        QString padded = digits;
        if (padded.size() < zeros)
            padded.prepend(QString(zeros - padded.size(), u'0'));
        out += Grouped(padded);
    } else {
        out += FillInteger(integer, digits);
    }
    if (dot >= 0) {
        out += u'.';
        QString frac = number.FractionDigits(places);
        // Trailing zeros give way where their placeholder is # (nothing) or ? (a space).
        std::vector<QString> shown(frac.size());
        qsizetype k = 0;
        std::vector<const TCodePiece*> holders;
        for (const TCodePiece& p : fraction)
            if (IsPlaceholder(p))
                holders.push_back(&p);
        for (k = 0; k < frac.size(); ++k)
            shown[k] = QString(frac.at(k));
        for (k = frac.size() - 1; k >= 0 && frac.at(k) == u'0'; --k) {
            if (holders[k]->text == u"0")
                break;
            shown[k] = holders[k]->text == u"?" ? QStringLiteral(" ") : QString();
        }
        k = 0;
        for (const TCodePiece& p : fraction)
            out += IsPlaceholder(p) ? shown[k++] : p.text;
    }
    for (qsizetype i = suffixStart; i < qsizetype(pieces.size()); ++i)
        out += pieces[i].kind == TCodePiece::General ? QString() : pieces[i].text;
    return out;
}

// A section without digit placeholders: its literals, the number where it says General or @.
QString LiteralSection(double value, const std::vector<TCodePiece>& pieces) {
    QString out;
    for (const TCodePiece& p : pieces) {
        if (p.kind == TCodePiece::General || IsChar(p, u'@'))
            out += SheetCells::GeneralText(value);
        else if (p.kind != TCodePiece::Condition && p.kind != TCodePiece::Elapsed)
            out += p.text;
    }
    return out;
}

bool HasPlaceholder(const std::vector<TCodePiece>& pieces) {
    for (const TCodePiece& p : pieces)
        if (IsPlaceholder(p))
            return true;
    return false;
}
} // namespace

namespace SheetCells {
QString GeneralText(double value) {
    if (std::isnan(value))
        return QStringLiteral("#NUM!");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-#NUM!") : QStringLiteral("#NUM!");
    const TSheetDecimal d = TSheetDecimal::FromDouble(value);
    if (d.IsZero())
        return QStringLiteral("0");
    const QString sign = d.negative ? QStringLiteral("-") : QString();
    const int exponent = d.point - 1;
    if (exponent >= 15 || exponent < -5) {
        QString mantissa = d.digits.left(1);
        if (d.digits.size() > 1)
            mantissa += u'.' + d.digits.mid(1);
        return sign + mantissa + QString::fromLatin1(exponent < 0 ? "E-" : "E+") +
               QString::number(std::abs(exponent)).rightJustified(2, u'0');
    }
    QString integer = d.IntegerDigits();
    if (integer.isEmpty())
        integer = QStringLiteral("0");
    const qsizetype places = d.digits.size() - d.point;
    return places > 0 ? sign + integer + u'.' + d.FractionDigits(int(places)) : sign + integer;
}

QString FormatNumber(double value, const QString& formatCode, bool date1904) {
    return TNumberFormat(formatCode).Text(value, date1904);
}
} // namespace SheetCells

TNumberFormat::TNumberFormat(const QString& code) {
    if (code.isEmpty())
        return;
    for (const QString& section : SheetFormatCode::Sections(code))
        m_sections.push_back(SheetFormatCode::Pieces(section));
}

bool TNumberFormat::IsDate() const {
    return !m_sections.empty() && SheetFormatCode::IsDate(m_sections.front());
}

QString TNumberFormat::Text(double value, bool date1904) const {
    if (!std::isfinite(value) || m_sections.empty())
        return SheetCells::GeneralText(value);
    size_t index = 0;
    bool dropSign = false;
    if (value < 0 && m_sections.size() >= 2 && !m_sections[1].empty()) {
        index = 1;
        dropSign = true;
    } else if (value == 0 && m_sections.size() >= 3) {
        index = 2;
    }
    const std::vector<TCodePiece>& pieces = m_sections[index];
    if (SheetFormatCode::IsDate(pieces)) {
        bool ok = false;
        const QString text = SheetDates::FormatSerial(value, pieces, date1904, &ok);
        return ok ? text : SheetCells::GeneralText(value);
    }
    if (!HasPlaceholder(pieces)) {
        for (const TCodePiece& p : pieces)
            if (p.kind == TCodePiece::Condition)
                return SheetCells::GeneralText(value);
        return LiteralSection(dropSign ? -value : value, pieces);
    }
    TSheetDecimal number = TSheetDecimal::FromDouble(value);
    number.negative = false;
    const std::optional<QString> text = FormatSection(number, pieces);
    if (!text)
        return SheetCells::GeneralText(value);
    return value < 0 && !dropSign ? u'-' + *text : *text;
}

namespace SheetCells {
QString BuiltInFormat(int id) {
    switch (id) {
    case 1:
        return QStringLiteral("0");
    case 2:
        return QStringLiteral("0.00");
    case 3:
        return QStringLiteral("#,##0");
    case 4:
        return QStringLiteral("#,##0.00");
    case 9:
        return QStringLiteral("0%");
    case 10:
        return QStringLiteral("0.00%");
    case 14:
        return QStringLiteral("m/d/yyyy");
    case 15:
        return QStringLiteral("d-mmm-yy");
    case 16:
        return QStringLiteral("d-mmm");
    case 17:
        return QStringLiteral("mmm-yy");
    case 18:
        return QStringLiteral("h:mm AM/PM");
    case 19:
        return QStringLiteral("h:mm:ss AM/PM");
    case 20:
        return QStringLiteral("h:mm");
    case 21:
        return QStringLiteral("h:mm:ss");
    case 22:
        return QStringLiteral("m/d/yyyy h:mm");
    case 37:
        return QStringLiteral("#,##0 ;(#,##0)");
    case 38:
        return QStringLiteral("#,##0 ;[Red](#,##0)");
    case 39:
        return QStringLiteral("#,##0.00;(#,##0.00)");
    case 40:
        return QStringLiteral("#,##0.00;[Red](#,##0.00)");
    case 45:
        return QStringLiteral("mm:ss");
    case 46:
        return QStringLiteral("[h]:mm:ss");
    case 47:
        return QStringLiteral("mm:ss.0");
    case 49:
        return QStringLiteral("@");
    default:
        return {}; // General, and the ids left out
    }
}
} // namespace SheetCells
