#include "merge/SqlValueText.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>

namespace {
// Beyond these a fixed notation would be mostly zeros.
constexpr int kLowestFixedExponent = -7;
constexpr int kHighestFixedExponent = 20;
constexpr int kSignificantDigits = 15;
} // namespace

QString SqlDoubleText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("Infinity") : QStringLiteral("-Infinity");
    if (value == 0)
        return QStringLiteral("0"); // also -0
    // d.dddddddddddddde±x: the rounding to 15 digits is done once, here.
    const QString scientific = QString::number(std::fabs(value), 'e', kSignificantDigits - 1);
    const qsizetype e = scientific.indexOf(u'e');
    const int exponent = scientific.mid(e + 1).toInt();
    QString digits = scientific.left(e).remove(u'.');
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);
    QString text;
    if (exponent < kLowestFixedExponent || exponent > kHighestFixedExponent) {
        text = digits.left(1);
        if (digits.size() > 1)
            text += u'.' + digits.mid(1);
        text += (exponent < 0 ? QLatin1String("e-") : QLatin1String("e+")) +
                QString::number(std::abs(exponent));
    } else if (exponent < 0) {
        text = QLatin1String("0.") + QString(-exponent - 1, u'0') + digits;
    } else if (digits.size() <= exponent + 1) {
        text = digits + QString(exponent + 1 - digits.size(), u'0');
    } else {
        text = digits.left(exponent + 1) + u'.' + digits.mid(exponent + 1);
    }
    return value < 0 ? u'-' + text : text;
}

QString SqlValueText(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
        return SqlDoubleText(value.toDouble());
    case QMetaType::Float:
        // A float holds about 7 digits: widening it as it is would show noise from the 8th on.
        return SqlDoubleText(QString::number(value.toFloat(), 'g', 7).toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray().toHex());
    default:
        return value.toString();
    }
}
