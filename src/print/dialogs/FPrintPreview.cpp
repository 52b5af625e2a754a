#include "print/dialogs/FPrintPreview.h"

#include "print/dialogs/PrintDialogTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(QString::fromLatin1(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

TFPrintPreview::TFPrintPreview(QPrinter& printer, TPaint paint, QWidget* parent)
    : QDialog(parent), m_paint(std::move(paint)) {
    setObjectName(QStringLiteral("FPrintPreview"));
    setWindowTitle(QString::fromLatin1(PrintDialogText::PreviewCaption));

    m_view = new QPrintPreviewWidget(&printer, this);
    m_view->setObjectName(QStringLiteral("PreviewView"));
    m_view->setViewMode(QPrintPreviewWidget::SinglePageView);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* p) { m_paint(*p); });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &TFPrintPreview::WritePageLine);

    auto* bar = new QHBoxLayout;
    auto* previous = Button(PrintDialogText::PreviousPage, "PreviousBtn", this);
    auto* next = Button(PrintDialogText::NextPage, "NextBtn", this);
    auto* zoomIn = Button(PrintDialogText::ZoomIn, "ZoomInBtn", this);
    auto* zoomOut = Button(PrintDialogText::ZoomOut, "ZoomOutBtn", this);
    auto* fit = Button(PrintDialogText::FitPage, "FitBtn", this);
    auto* close = Button(PrintDialogText::Close, "CloseBtn", this);
    m_lPage = new QLabel(this);
    m_lPage->setObjectName(QStringLiteral("LPreviewPage"));
    for (QWidget* w : {static_cast<QWidget*>(previous), static_cast<QWidget*>(m_lPage),
                       static_cast<QWidget*>(next), static_cast<QWidget*>(zoomOut),
                       static_cast<QWidget*>(zoomIn), static_cast<QWidget*>(fit)})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(close);
    connect(previous, &QPushButton::clicked, this, &TFPrintPreview::PreviousPage);
    connect(next, &QPushButton::clicked, this, &TFPrintPreview::NextPage);
    connect(zoomIn, &QPushButton::clicked, this, &TFPrintPreview::ZoomIn);
    connect(zoomOut, &QPushButton::clicked, this, &TFPrintPreview::ZoomOut);
    connect(fit, &QPushButton::clicked, m_view, &QPrintPreviewWidget::fitInView);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_view, 1);
    resize(700, 800);
    // The pages are drawn now so that their count is known before the window shows.
    m_view->updatePreview();
}

int TFPrintPreview::PageCount() const {
    return m_view->pageCount();
}

int TFPrintPreview::CurrentPage() const {
    return m_view->currentPage();
}

void TFPrintPreview::NextPage() {
    m_view->setCurrentPage(std::min(CurrentPage() + 1, PageCount()));
    WritePageLine();
}

void TFPrintPreview::PreviousPage() {
    m_view->setCurrentPage(std::max(CurrentPage() - 1, 1));
    WritePageLine();
}

void TFPrintPreview::ZoomIn() {
    m_view->zoomIn();
}

void TFPrintPreview::ZoomOut() {
    m_view->zoomOut();
}

double TFPrintPreview::ZoomFactor() const {
    return m_view->zoomFactor();
}

void TFPrintPreview::WritePageLine() {
    m_lPage->setText(
        QString::fromLatin1(PrintDialogText::PreviewPageLine).arg(CurrentPage()).arg(PageCount()));
}
