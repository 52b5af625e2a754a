#pragma once

#include "platform/Calibration.h"

#include <QString>

// The calibration as its dialog shows it: offsets in the sheet's unit (inches, or centimetres
// for a metric sheet), scales in percent, each within its limits.
struct TCalibrationShown {
    double OffsetX = 0, OffsetY = 0;   // in the unit
    double ScaleX = 100, ScaleY = 100; // percent
};

class TCalibrationForm {
public:
    explicit TCalibrationForm(bool metric) : m_metric(metric) {}

    QString Unit() const;     // "in" or "cm"
    double MaxOffset() const; // the limit either way, in the unit
    double OffsetStep() const;
    int OffsetDecimals() const;
    static double MinScalePercent();
    static double MaxScalePercent();
    static constexpr double ScaleStep = 0.1;
    static constexpr int ScaleDecimals = 2;

    TCalibrationShown Show(const TCalibration& c) const;
    // The calibration of the values shown, each brought within its limits.
    TCalibration Take(const TCalibrationShown& shown) const;

private:
    double PerInch() const;
    bool m_metric;
};
