#include "app/CalibrationForm.h"

#include "platform/Units.h"

#include <algorithm>

double TCalibrationForm::PerInch() const {
    return m_metric ? CentimetresPerInch : 1.0;
}

QString TCalibrationForm::Unit() const {
    return m_metric ? QStringLiteral("cm") : QStringLiteral("in");
}

double TCalibrationForm::MaxOffset() const {
    return CalibrationLimit::MaxOffsetInches * PerInch();
}

double TCalibrationForm::OffsetStep() const {
    // A hundredth of an inch, or a tenth of a millimetre.
    return 0.01;
}

int TCalibrationForm::OffsetDecimals() const {
    return 3;
}

double TCalibrationForm::MinScalePercent() {
    return CalibrationLimit::MinScale * 100;
}

double TCalibrationForm::MaxScalePercent() {
    return CalibrationLimit::MaxScale * 100;
}

TCalibrationShown TCalibrationForm::Show(const TCalibration& c) const {
    return {c.OffsetX * PerInch(), c.OffsetY * PerInch(), c.ScaleX * 100, c.ScaleY * 100};
}

TCalibration TCalibrationForm::Take(const TCalibrationShown& shown) const {
    const auto offset = [this](double v) {
        return std::clamp(v / PerInch(), -CalibrationLimit::MaxOffsetInches,
                          CalibrationLimit::MaxOffsetInches);
    };
    const auto scale = [](double percent) {
        return std::clamp(percent / 100, CalibrationLimit::MinScale, CalibrationLimit::MaxScale);
    };
    return {offset(shown.OffsetX), offset(shown.OffsetY), scale(shown.ScaleX), scale(shown.ScaleY)};
}
