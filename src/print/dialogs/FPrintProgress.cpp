#include "print/dialogs/FPrintProgress.h"

#include "print/dialogs/PrintDialogTexts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QLabel* CentredLine(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void CentreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
} // namespace

TFPrintProgress::TFPrintProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FPrintProgress"));
    setWindowTitle(QString::fromLatin1(PrintDialogText::ProgressCaption));
    // The label must not change under a run: the rest of the program waits until it ends.
    setWindowModality(Qt::ApplicationModal);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        CentredLine(QString::fromLatin1(PrintDialogText::Printing), "LPrinting", this));
    m_lDocName = CentredLine(QString(), "LDocName", this);
    layout->addWidget(m_lDocName);
    layout->addWidget(CentredLine(QString::fromLatin1(PrintDialogText::On), "LOn", this));
    m_lPrinterName = CentredLine(QString(), "LPrinterName", this);
    layout->addWidget(m_lPrinterName);
    m_lPage = CentredLine(QString::fromLatin1(PrintDialogText::PagePrefix) + "1", "LPage", this);
    layout->addWidget(m_lPage);
    m_lLabels = CentredLine(QString(), "LLabels", this);
    layout->addWidget(m_lLabels);
    m_pbProgress = new QProgressBar(this);
    m_pbProgress->setObjectName(QStringLiteral("pbProgress"));
    m_pbProgress->hide();
    layout->addWidget(m_pbProgress);
    m_cancelBtn = new QPushButton(QString::fromLatin1(PrintDialogText::Cancel), this);
    m_cancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    layout->addWidget(m_cancelBtn, 0, Qt::AlignHCenter);
    connect(m_cancelBtn, &QPushButton::clicked, this, &TFPrintProgress::CancelBtnClick);

    SetLabels(0);
    FitHeight();
}

void TFPrintProgress::FitHeight() {
    setFixedSize(260, sizeHint().height());
}

void TFPrintProgress::StartProgress() {
    m_cancelled = false;
    setWindowTitle(QString::fromLatin1(PrintDialogText::ProgressRunningCaption));
    m_totalUnit = TPrintRange::All;
    m_pbProgress->hide();
    FitHeight();
    SetLabels(0);
    SetPage(1);
    CentreOnScreen(this);
    show();
    raise();
}

void TFPrintProgress::SetPage(int32_t n) {
    m_page = n;
    m_lPage->setText(QString::fromLatin1(PrintDialogText::PagePrefix) + QString::number(n));
    if (m_totalUnit == TPrintRange::Pages)
        m_pbProgress->setValue(std::min(n, m_pbProgress->maximum()));
    QCoreApplication::processEvents();
}

void TFPrintProgress::SetTotal(TPrintRange unit, int32_t count) {
    m_totalUnit = count > 0 ? unit : TPrintRange::All;
    m_pbProgress->setVisible(m_totalUnit != TPrintRange::All);
    if (m_totalUnit != TPrintRange::All) {
        m_pbProgress->setRange(0, count);
        m_pbProgress->setValue(m_totalUnit == TPrintRange::Pages ? std::min(m_page, count) : 0);
    }
    FitHeight();
}

void TFPrintProgress::SetLabels(int32_t n) {
    m_labels = n;
    m_lLabels->setText(QString::fromLatin1(PrintDialogText::LabelsPrefix) + QString::number(n));
    if (m_totalUnit == TPrintRange::Labels)
        m_pbProgress->setValue(std::min(n, m_pbProgress->maximum()));
}

void TFPrintProgress::SetDocumentName(const QString& s) {
    m_lDocName->setText(s);
}

void TFPrintProgress::SetPrinterName(const QString& s) {
    m_lPrinterName->setText(s);
}

void TFPrintProgress::CancelBtnClick() {
    m_cancelled = true;
}

void TFPrintProgress::Start(const QString& documentName, const QString& printerName) {
    SetDocumentName(documentName);
    SetPrinterName(printerName);
    StartProgress();
}

void TFPrintProgress::Page(int32_t page) {
    SetPage(page);
}

void TFPrintProgress::Close() {
    hide();
}

void TFPrintProgress::reject() {
    if (isVisible())
        CancelBtnClick();
}
