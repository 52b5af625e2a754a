#pragma once

#include <QString>

class TPreferenceStore;

// How a printer's paper is off: printed marks move by the offset and stretch by the scale, so
// that a mark meant for paper position p (measured from the paper's top-left corner) lands at
// Offset + Scale x p. The default changes nothing.
struct TCalibration {
    double OffsetX = 0; // inches; positive moves the print right
    double OffsetY = 0; // inches; positive moves the print down
    double ScaleX = 1;  // factor across
    double ScaleY = 1;  // factor down

    bool IsIdentity() const { return *this == TCalibration(); }
    bool operator==(const TCalibration&) const = default;
};

namespace CalibrationLimit {
inline constexpr double MaxOffsetInches = 1.0; // either way
inline constexpr double MinScale = 0.95;
inline constexpr double MaxScale = 1.05;
} // namespace CalibrationLimit

bool OffsetInRange(double inches);
bool ScaleInRange(double factor);
bool CalibrationInRange(const TCalibration& c);

// The preference key under which a printer's calibration is kept. Printer names may hold
// anything, "/" (a sub-key) included, so all but letters, digits, "-" and "." are written as
// "_" and two hex digits per UTF-8 byte; different names never share a key.
QString CalibrationKey(const QString& printerName);

// The printer's stored calibration; none (the identity) when nothing is stored or a stored value
// is unreadable or out of range.
TCalibration ReadCalibration(const TPreferenceStore& store, const QString& printerName);
// Stores it for the printer (the identity removes the entry); false when the store cannot be
// written.
bool WriteCalibration(TPreferenceStore& store, const QString& printerName, const TCalibration& c);

// "offset 0.100 in across, -0.050 in down; scale 101.00 % across, 99.50 % down", the offsets
// in centimetres when metric.
QString CalibrationText(const TCalibration& c, bool metric);
