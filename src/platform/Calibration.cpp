#include "platform/Calibration.h"

#include "platform/Preferences.h"
#include "platform/Units.h"

#include <cmath>
#include <optional>

namespace {
constexpr const char* kOffsetX = "/Offset_X";
constexpr const char* kOffsetY = "/Offset_Y";
constexpr const char* kScaleX = "/Scale_X";
constexpr const char* kScaleY = "/Scale_Y";
constexpr const char* kAll[] = {kOffsetX, kOffsetY, kScaleX, kScaleY};

bool KeptAsIs(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.';
}
} // namespace

bool OffsetInRange(double inches) {
    // A little slack so that a limit typed in centimetres (2.54) is not refused by rounding.
    return std::isfinite(inches) && std::abs(inches) <= CalibrationLimit::MaxOffsetInches + 1e-9;
}

bool ScaleInRange(double factor) {
    return std::isfinite(factor) && factor >= CalibrationLimit::MinScale - 1e-9 &&
           factor <= CalibrationLimit::MaxScale + 1e-9;
}

bool CalibrationInRange(const TCalibration& c) {
    return OffsetInRange(c.OffsetX) && OffsetInRange(c.OffsetY) && ScaleInRange(c.ScaleX) &&
           ScaleInRange(c.ScaleY);
}

QString CalibrationKey(const QString& printerName) {
    static const char* hex = "0123456789ABCDEF";
    QString key = QStringLiteral("Calibration/");
    for (const char c : printerName.toUtf8()) {
        if (KeptAsIs(c)) {
            key += QLatin1Char(c);
        } else {
            const auto b = static_cast<unsigned char>(c);
            key += QLatin1Char('_');
            key += QLatin1Char(hex[b >> 4]);
            key += QLatin1Char(hex[b & 15]);
        }
    }
    return key;
}

TCalibration ReadCalibration(const TPreferenceStore& store, const QString& printerName) {
    const QString key = CalibrationKey(printerName);
    const std::optional<double> ox = store.ReadFloat(key + kOffsetX);
    const std::optional<double> oy = store.ReadFloat(key + kOffsetY);
    const std::optional<double> sx = store.ReadFloat(key + kScaleX);
    const std::optional<double> sy = store.ReadFloat(key + kScaleY);
    if (!ox || !oy || !sx || !sy)
        return {};
    const TCalibration c{*ox, *oy, *sx, *sy};
    return CalibrationInRange(c) ? c : TCalibration();
}

bool WriteCalibration(TPreferenceStore& store, const QString& printerName, const TCalibration& c) {
    const QString key = CalibrationKey(printerName);
    if (c.IsIdentity()) {
        for (const char* name : kAll)
            store.DeleteValue(key + name);
        return store.Flush();
    }
    return store.WriteFloat(key + kOffsetX, c.OffsetX) &&
           store.WriteFloat(key + kOffsetY, c.OffsetY) &&
           store.WriteFloat(key + kScaleX, c.ScaleX) && store.WriteFloat(key + kScaleY, c.ScaleY) &&
           store.Flush();
}

QString CalibrationText(const TCalibration& c, bool metric) {
    const double perInch = metric ? CentimetresPerInch : 1.0;
    const QString unit = metric ? QStringLiteral("cm") : QStringLiteral("in");
    const auto length = [&](double inches) {
        return QString::number(inches * perInch, 'f', 3) + u' ' + unit;
    };
    const auto percent = [](double f) { return QString::number(f * 100, 'f', 2) + " %"; };
    return QStringLiteral("offset %1 across, %2 down; scale %3 across, %4 down")
        .arg(length(c.OffsetX), length(c.OffsetY), percent(c.ScaleX), percent(c.ScaleY));
}
