#include "print/CalibrationSwitches.h"

#include "platform/Errors.h"
#include "platform/Lengths.h"

#include <QStringList>

namespace {
// The two parts of "X,Y"; none unless there are exactly two, neither empty.
std::optional<QStringList> Pair(const QString& text) {
    const QStringList parts = text.split(u',');
    if (parts.size() != 2 || parts[0].trimmed().isEmpty() || parts[1].trimmed().isEmpty())
        return std::nullopt;
    return parts;
}

std::optional<double> Percent(QString text) {
    text = text.trimmed();
    if (text.endsWith(u'%'))
        text.chop(1);
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value / 100) : std::nullopt;
}

void ApplyOffset(const QString& text, TCalibration& c) {
    const QString usage = QStringLiteral("--offset needs two lengths, across and down, as in "
                                         "--offset 0.05,-0.02 (inches) or --offset 0.5mm,-1mm; "
                                         "\"%1\" is not that.")
                              .arg(text);
    const auto parts = Pair(text);
    double x = 0, y = 0;
    if (!parts || !ParseLength((*parts)[0], false, x) || !ParseLength((*parts)[1], false, y))
        throw TUserError(usage);
    if (!OffsetInRange(x) || !OffsetInRange(y))
        throw TUserError(QStringLiteral("--offset %1 is too far: an offset is at most 1 in "
                                        "(25.4 mm) either way.")
                             .arg(text));
    c.OffsetX = x;
    c.OffsetY = y;
}

void ApplyScale(const QString& text, TCalibration& c) {
    const auto parts = Pair(text);
    const auto x = parts ? Percent((*parts)[0]) : std::nullopt;
    const auto y = parts ? Percent((*parts)[1]) : std::nullopt;
    if (!x || !y)
        throw TUserError(QStringLiteral("--scale needs two percentages, across and down, as in "
                                        "--scale 101,99.5; \"%1\" is not that.")
                             .arg(text));
    if (!ScaleInRange(*x) || !ScaleInRange(*y))
        throw TUserError(
            QStringLiteral("--scale %1 is out of range: a scale is from 95 to 105 percent.")
                .arg(text));
    c.ScaleX = *x;
    c.ScaleY = *y;
}
} // namespace

TCalibration RunCalibration(const std::optional<QString>& offset,
                            const std::optional<QString>& scale, const TCalibration& stored) {
    TCalibration c = stored;
    if (offset)
        ApplyOffset(*offset, c);
    if (scale)
        ApplyScale(*scale, c);
    return c;
}
