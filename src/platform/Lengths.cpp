#include "platform/Lengths.h"

#include "platform/Numbers.h"
#include "platform/Units.h"

#include <QRegularExpression>

#include <cmath>

double UnitsPerInch(QStringView unit) {
    const auto is = [unit](const char* name) {
        return unit.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("in") || is("\""))
        return 1.0;
    if (is("cm"))
        return CentimetresPerInch;
    if (is("mm"))
        return MillimetresPerInch;
    if (is("pt"))
        return PointsPerInch;
    return 0.0;
}

bool ParseLength(const QString& text, bool metric, double& inches) {
    static const QRegularExpression length(
        QStringLiteral("^\\s*([-+]?(?:\\d+(?:[.,]\\d*)?|[.,]\\d+))\\s*([a-z]+|\")?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = length.match(text);
    double value = 0;
    if (!m.hasMatch() || !TryParseDecimal(m.captured(1), value))
        return false;
    const QString unit = m.captured(2);
    const double perInch =
        unit.isEmpty() ? (metric ? CentimetresPerInch : 1.0) : UnitsPerInch(unit);
    if (perInch <= 0 || !std::isfinite(value))
        return false;
    inches = value / perInch;
    return true;
}
