#include "merge/SheetDecimal.h"

#include <cmath>

TSheetDecimal TSheetDecimal::FromDouble(double value) {
    TSheetDecimal d;
    if (!std::isfinite(value) || value == 0)
        return d;
    d.negative = value < 0;
    // d.dddddddddddddde±x: exactly 15 significant digits, rounded from the binary value.
    const QString text = QString::number(std::fabs(value), 'e', 14);
    const qsizetype e = text.indexOf(u'e');
    QString digits = text.left(e);
    digits.remove(u'.');
    while (digits.endsWith(u'0'))
        digits.chop(1);
    d.digits = digits;
    d.point = text.mid(e + 1).toInt() + 1;
    return d;
}

void TSheetDecimal::RoundTo(int places) {
    const qsizetype keep = qsizetype(point) + places;
    if (keep >= digits.size())
        return;
    if (keep < 0) {
        digits.clear();
        point = 0;
        return;
    }
    const bool up = digits.at(keep) >= u'5';
    digits.truncate(keep);
    if (up) {
        qsizetype i = digits.size() - 1;
        while (i >= 0 && digits.at(i) == u'9') {
            digits[i] = u'0';
            --i;
        }
        if (i >= 0) {
            digits[i] = QChar(digits.at(i).unicode() + 1);
        } else {
            digits.prepend(u'1');
            ++point;
        }
    }
    while (digits.endsWith(u'0'))
        digits.chop(1);
    if (digits.isEmpty())
        point = 0;
}

QString TSheetDecimal::IntegerDigits() const {
    if (IsZero() || point <= 0)
        return {};
    QString text = digits.left(point);
    if (text.size() < point)
        text += QString(point - text.size(), u'0');
    return text;
}

QString TSheetDecimal::FractionDigits(int places) const {
    QString text;
    if (!IsZero()) {
        if (point < 0)
            text = QString(-point, u'0') + digits;
        else
            text = digits.mid(point);
    }
    text.truncate(places);
    if (text.size() < places)
        text += QString(places - text.size(), u'0');
    return text;
}
