#include "app/PrinterSetup.h"

#include "app/FCalibration.h"
#include "app/UiServices.h"
#include "platform/Errors.h"
#include "platform/Preferences.h"
#include "platform/Printer.h"
#include "print/CalibrationPage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {
QString FactsText(const TPrinterFacts& f) {
    const auto inches = [](int32_t pixels, int32_t ppi) {
        return QString::number(ppi > 0 ? double(pixels) / ppi : 0.0, 'f', 2);
    };
    return QStringLiteral("%1 \u00d7 %2 in at %3 dpi")
        .arg(inches(f.PhysicalWidth, f.PixelsPerInchX), inches(f.PhysicalHeight, f.PixelsPerInchY))
        .arg(f.PixelsPerInchX);
}

// The same paper, whichever way it lies.
bool SamePaper(const TPaperChoice& a, const TPaperChoice& b) {
    return a.PageSize().isEquivalentTo(b.PageSize());
}

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* caption = new QLabel(text, parent);
    caption->setBuddy(buddy);
    return caption;
}
} // namespace

TFPrinterSetup::TFPrinterSetup(TPaperChoice& paper, QWidget* parent,
                               const TCalibrationPlace* calibration)
    : QDialog(parent), m_chosen(paper), m_calibration(calibration) {
    setObjectName(QStringLiteral("FPrinterSetup"));
    setWindowTitle(QStringLiteral("Print Setup"));
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("cbPrinter"));
    m_printer->addItems(TPrinters::Names());
    m_printer->setCurrentText(TPrinters::Current().Name());
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("cbPaper"));
    m_orientation = new QComboBox(this);
    m_orientation->setObjectName(QStringLiteral("cbOrientation"));
    m_orientation->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    m_orientation->setCurrentIndex(m_chosen.IsSet() && m_chosen.Landscape ? 1 : 0);
    m_facts = new QLabel(this);
    m_facts->setObjectName(QStringLiteral("lFacts"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (m_calibration) {
        auto* calibrate =
            buttons->addButton(QStringLiteral("&Calibration\u2026"), QDialogButtonBox::ActionRole);
        calibrate->setObjectName(QStringLiteral("btnCalibration"));
        connect(calibrate, &QPushButton::clicked, this, &TFPrinterSetup::CalibrationClick);
    }

    auto* form = new QFormLayout(this);
    form->addRow(Caption(QStringLiteral("P&rinter:"), m_printer, this), m_printer);
    form->addRow(Caption(QStringLiteral("&Paper:"), m_paper, this), m_paper);
    form->addRow(Caption(QStringLiteral("&Orientation:"), m_orientation, this), m_orientation);
    form->addRow(QStringLiteral("Page:"), m_facts);
    form->addRow(buttons);
    PrinterChanged();
    connect(m_printer, &QComboBox::currentIndexChanged, this, &TFPrinterSetup::PrinterChanged);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &TFPrinterSetup::PaperChanged);
    connect(m_orientation, &QComboBox::currentIndexChanged, this, &TFPrinterSetup::PaperChanged);
}

TFPrinterSetup::~TFPrinterSetup() = default;

void TFPrinterSetup::PrinterChanged() {
    // The paper shown stays when the newly chosen printer has it too.
    const TPaperChoice wanted = m_papers.isEmpty() ? m_chosen : Shown();
    m_preview = TPrinters::Open(m_printer->currentText());
    m_papers = m_preview ? m_preview->Papers() : QList<TPaperChoice>();
    if (m_preview && wanted.IsSet() &&
        std::none_of(m_papers.begin(), m_papers.end(),
                     [&](const TPaperChoice& p) { return SamePaper(p, wanted); }) &&
        m_preview->SetPaper(wanted)) {
        TPaperChoice upright = wanted;
        upright.Landscape = false;
        m_papers.append(upright); // a size of the label's own that the printer takes
    }
    const TPaperChoice own = m_preview ? m_preview->Paper() : TPaperChoice();
    const TPaperChoice& select = wanted.IsSet() ? wanted : own;
    const QSignalBlocker blocker(m_paper);
    m_paper->clear();
    int current = -1;
    for (int i = 0; i < m_papers.size(); ++i) {
        TPaperChoice upright = m_papers[i];
        upright.Landscape = false;
        m_paper->addItem(upright.Text());
        if (current < 0 && SamePaper(m_papers[i], select))
            current = i;
    }
    if (current < 0)
        for (int i = 0; i < m_papers.size() && current < 0; ++i)
            if (SamePaper(m_papers[i], own))
                current = i;
    m_paper->setCurrentIndex(current < 0 ? 0 : current);
    PaperChanged();
}

TPaperChoice TFPrinterSetup::Shown() const {
    const int i = m_paper->currentIndex();
    if (i < 0 || i >= m_papers.size())
        return {};
    TPaperChoice paper = m_papers[i];
    paper.Landscape = m_orientation->currentIndex() == 1;
    return paper;
}

void TFPrinterSetup::PaperChanged() {
    if (!m_preview) {
        m_facts->clear();
        return;
    }
    m_preview->SetPaper(Shown());
    m_facts->setText(FactsText(m_preview->Facts()));
}

void TFPrinterSetup::accept() {
    TPrinters::Select(m_printer->currentText());
    m_chosen = Shown();
    TPrinters::Current().SetPaper(m_chosen);
    QDialog::accept();
}

void TFPrinterSetup::CalibrationClick() {
    // The printer shown is calibrated, whether or not it becomes the current one.
    const QString name = m_printer->currentText();
    TFCalibration dialog(name, m_calibration->Metric, ReadCalibration(m_calibration->Store, name),
                         this);
    if (m_preview)
        dialog.SetPagePrinter([this](QWidget* parent) { PrintCalibrationPageOn(parent); });
    const TUiServices& ui = m_calibration->Ui;
    const int result = ui.Run ? ui.Run(dialog) : dialog.exec();
    if (result != QDialog::Accepted)
        return;
    if (!WriteCalibration(m_calibration->Store, name, dialog.Calibration()))
        ui.Error(this, QStringLiteral("The calibration of %1 could not be kept: the preferences "
                                      "cannot be written.")
                           .arg(name));
}

void TFPrinterSetup::PrintCalibrationPageOn(QWidget* parent) {
    const TUiServices& ui = m_calibration->Ui;
    QString output;
    if (m_preview->IsPdf()) {
        TFileDialogRequest request;
        request.Title = QStringLiteral("Print Calibration Page");
        request.Filter = QStringLiteral("PDF Files (*.pdf)");
        request.DefaultExtension = QStringLiteral("pdf");
        request.InitialName = QStringLiteral("Calibration page.pdf");
        request.Save = true;
        output = ui.FileName(parent, request);
        if (output.isEmpty())
            return;
    }
    try {
        PrintCalibrationPage(*m_preview, ReadCalibration(m_calibration->Store, m_preview->Name()),
                             output);
    } catch (const TUserError& e) {
        ui.Error(parent, e.Message());
    }
}
