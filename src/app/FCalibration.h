#pragma once

#include "app/CalibrationForm.h"

#include <QDialog>

#include <functional>

class QDoubleSpinBox;
class QPushButton;

// "Calibration": the offset and scale of one printer's print, in the sheet's unit and percent.
class TFCalibration : public QDialog {
    Q_OBJECT
public:
    TFCalibration(const QString& printerName, bool metric, const TCalibration& current,
                  QWidget* parent = nullptr);

    // The calibration the boxes hold.
    TCalibration Calibration() const;

    // Prints the printer's calibration page; without it the button is disabled.
    void SetPagePrinter(std::function<void(QWidget* parent)> print);

private:
    TCalibrationForm m_form;
    std::function<void(QWidget*)> m_printPage;
    QDoubleSpinBox* m_offsetX = nullptr;
    QDoubleSpinBox* m_offsetY = nullptr;
    QDoubleSpinBox* m_scaleX = nullptr;
    QDoubleSpinBox* m_scaleY = nullptr;
    QPushButton* m_printButton = nullptr;
};
