#include "app/PrinterSetup.h"

#include "platform/Printer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>

namespace {
// The papers offered for PDF files: the common office sizes.
const QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::Letter, QPageSize::Legal,
                                         QPageSize::A5, QPageSize::A3,     QPageSize::Tabloid};

QString FactsText(const TPrinterFacts& f) {
    const auto inches = [](int32_t pixels, int32_t ppi) {
        return QString::number(ppi > 0 ? double(pixels) / ppi : 0.0, 'f', 2);
    };
    return QStringLiteral("%1 \u00d7 %2 in at %3 dpi")
        .arg(inches(f.PhysicalWidth, f.PixelsPerInchX), inches(f.PhysicalHeight, f.PixelsPerInchY))
        .arg(f.PixelsPerInchX);
}
} // namespace

TFPrinterSetup::TFPrinterSetup(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FPrinterSetup"));
    setWindowTitle(QStringLiteral("Print Setup"));
    m_printer = new QComboBox(this);
    m_printer->setObjectName(QStringLiteral("cbPrinter"));
    m_printer->addItems(TPrinters::Names());
    m_printer->setCurrentText(TPrinters::Current().Name());
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("cbPaper"));
    for (QPageSize::PageSizeId id : kPapers)
        m_paper->addItem(QPageSize::name(id), int(id));
    m_paper->setCurrentIndex(m_paper->findData(int(TPrinters::Pdf().PaperSize())));
    m_paperCaption = new QLabel(QStringLiteral("&Paper:"), this);
    m_paperCaption->setBuddy(m_paper);
    m_facts = new QLabel(this);
    m_facts->setObjectName(QStringLiteral("lFacts"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_printer, &QComboBox::currentIndexChanged, this, &TFPrinterSetup::PrinterChanged);
    connect(m_paper, &QComboBox::currentIndexChanged, this, &TFPrinterSetup::PrinterChanged);

    auto* form = new QFormLayout(this);
    auto* printerCaption = new QLabel(QStringLiteral("P&rinter:"), this);
    printerCaption->setBuddy(m_printer);
    form->addRow(printerCaption, m_printer);
    form->addRow(m_paperCaption, m_paper);
    form->addRow(QStringLiteral("Page:"), m_facts);
    form->addRow(buttons);
    PrinterChanged();
}

void TFPrinterSetup::PrinterChanged() {
    const bool pdf = m_printer->currentText() == TPdfPrinter::DefaultName();
    m_paper->setVisible(pdf);
    m_paperCaption->setVisible(pdf);
    if (pdf) {
        TPdfPrinter preview;
        preview.SetPaperSize(QPageSize::PageSizeId(m_paper->currentData().toInt()));
        m_facts->setText(FactsText(preview.Facts()));
    } else {
        m_facts->setText(QStringLiteral("as the printer reports it"));
    }
}

void TFPrinterSetup::accept() {
    if (m_printer->currentText() == TPdfPrinter::DefaultName())
        TPrinters::Pdf().SetPaperSize(QPageSize::PageSizeId(m_paper->currentData().toInt()));
    TPrinters::Select(m_printer->currentText());
    QDialog::accept();
}
