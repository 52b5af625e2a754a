#include "app/FCalibration.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {
QDoubleSpinBox* NumberBox(const char* name, double limitLow, double limitHigh, double step,
                          int decimals, const QString& suffix, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setDecimals(decimals);
    box->setRange(limitLow, limitHigh);
    box->setSingleStep(step);
    box->setSuffix(u' ' + suffix);
    box->setAccelerated(true);
    return box;
}
} // namespace

TFCalibration::TFCalibration(const QString& printerName, bool metric, const TCalibration& current,
                             QWidget* parent)
    : QDialog(parent), m_form(metric) {
    setObjectName(QStringLiteral("FCalibration"));
    setWindowTitle(QStringLiteral("Calibration"));
    const double max = m_form.MaxOffset();
    const QString unit = m_form.Unit();
    m_offsetX =
        NumberBox("eOffsetX", -max, max, m_form.OffsetStep(), m_form.OffsetDecimals(), unit, this);
    m_offsetY =
        NumberBox("eOffsetY", -max, max, m_form.OffsetStep(), m_form.OffsetDecimals(), unit, this);
    const double low = TCalibrationForm::MinScalePercent(),
                 high = TCalibrationForm::MaxScalePercent();
    m_scaleX = NumberBox("eScaleX", low, high, TCalibrationForm::ScaleStep,
                         TCalibrationForm::ScaleDecimals, QStringLiteral("%"), this);
    m_scaleY = NumberBox("eScaleY", low, high, TCalibrationForm::ScaleStep,
                         TCalibrationForm::ScaleDecimals, QStringLiteral("%"), this);
    const TCalibrationShown shown = m_form.Show(current);
    m_offsetX->setValue(shown.OffsetX);
    m_offsetY->setValue(shown.OffsetY);
    m_scaleX->setValue(shown.ScaleX);
    m_scaleY->setValue(shown.ScaleY);

    auto* printer = new QLabel(printerName, this);
    printer->setObjectName(QStringLiteral("lPrinter"));
    auto* hint =
        new QLabel(QStringLiteral("Positive offsets move the print right and down."), this);
    hint->setObjectName(QStringLiteral("lHint"));
    hint->setWordWrap(true);

    // The page and the reset act on the boxes, apart from the buttons that close the dialog.
    m_printButton = new QPushButton(QStringLiteral("&Print Calibration Page"), this);
    m_printButton->setObjectName(QStringLiteral("btnPrintPage"));
    m_printButton->setEnabled(false);
    m_printButton->setAutoDefault(false);
    auto* reset = new QPushButton(QStringLiteral("&Reset"), this);
    reset->setObjectName(QStringLiteral("btnReset"));
    reset->setAutoDefault(false);
    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(m_printButton);
    pageRow->addWidget(reset);
    pageRow->addStretch();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_printButton, &QPushButton::clicked, this, [this] {
        if (m_printPage)
            m_printPage(this);
    });
    connect(reset, &QPushButton::clicked, this, [this] {
        const TCalibrationShown none = m_form.Show(TCalibration());
        m_offsetX->setValue(none.OffsetX);
        m_offsetY->setValue(none.OffsetY);
        m_scaleX->setValue(none.ScaleX);
        m_scaleY->setValue(none.ScaleY);
    });

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Printer:"), printer);
    form->addRow(QStringLiteral("Offset &across:"), m_offsetX);
    form->addRow(QStringLiteral("Offset &down:"), m_offsetY);
    form->addRow(QStringLiteral("Scale a&cross:"), m_scaleX);
    form->addRow(QStringLiteral("Scale do&wn:"), m_scaleY);
    form->addRow(hint);
    form->addRow(pageRow);
    form->addRow(buttons);
}

TCalibration TFCalibration::Calibration() const {
    return m_form.Take(
        {m_offsetX->value(), m_offsetY->value(), m_scaleX->value(), m_scaleY->value()});
}

void TFCalibration::SetPagePrinter(std::function<void(QWidget*)> print) {
    m_printPage = std::move(print);
    m_printButton->setEnabled(bool(m_printPage));
}
