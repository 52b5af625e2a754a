#include "platform/PrintJob.h"

#include "platform/Errors.h"
#include "platform/TempFiles.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

struct TPrintJob::TImpl {
    TPrinterFacts facts;
    QString printerName;
    bool toPrinter = false;
    QString title;
    std::unique_ptr<QSaveFile> saveFile;      // the -o file, committed only at the end
    std::unique_ptr<QTemporaryFile> tempFile; // the PDF for a printer's queue
    std::unique_ptr<QPdfWriter> writer;
    std::unique_ptr<QPainter> painter;
};

TPrintJob::~TPrintJob() {
    if (m_impl && m_impl->painter)
        Abort();
}

std::unique_ptr<TPrintJob> TPrintJob::Begin(const TPrinter& printer, const QString& title,
                                            const QString& outputPdf) {
    std::unique_ptr<TPrintJob> job(new TPrintJob);
    job->m_impl = std::make_unique<TImpl>();
    TImpl& d = *job->m_impl;
    d.facts = printer.Facts();
    d.printerName = printer.Name();
    d.title = title;
    QIODevice* device = nullptr;
    if (!outputPdf.isEmpty()) {
        d.saveFile = std::make_unique<QSaveFile>(outputPdf);
        if (!d.saveFile->open(QIODevice::WriteOnly))
            throw TUserError(QStringLiteral("Cannot write the PDF file %1: %2")
                                 .arg(outputPdf, d.saveFile->errorString()));
        device = d.saveFile.get();
    } else if (printer.IsPdf()) {
        throw TUserError(QStringLiteral("The PDF printer needs an output file name."));
    } else {
        d.toPrinter = true;
        d.tempFile =
            std::make_unique<QTemporaryFile>(TempFolder() + QStringLiteral("/jobXXXXXX.pdf"));
        if (!d.tempFile->open())
            throw TUserError(QStringLiteral("Cannot create a temporary file for the print job: %1")
                                 .arg(d.tempFile->errorString()));
        device = d.tempFile.get();
    }
    const TPrinterFacts& f = d.facts;
    d.writer = std::make_unique<QPdfWriter>(device);
    d.writer->setResolution(f.PixelsPerInchX);
    d.writer->setTitle(title);
    d.writer->setCreator(QStringLiteral("Vellumtrace"));
    const QSizeF inches(double(f.PhysicalWidth) / f.PixelsPerInchX,
                        double(f.PhysicalHeight) / f.PixelsPerInchY);
    d.writer->setPageLayout(
        QPageLayout(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    d.painter = std::make_unique<QPainter>();
    if (!d.painter->begin(d.writer.get()))
        throw TUserError(QStringLiteral("Cannot start the print job \"%1\".").arg(title));
    // Device pixels at the printer's own resolution, from the printable area's corner.
    const double scaleY = double(f.PixelsPerInchX) / f.PixelsPerInchY;
    d.painter->scale(1.0, scaleY);
    d.painter->translate(f.OffsetX, f.OffsetY);
    d.painter->save();
    job->m_pages = 1;
    return job;
}

QPainter& TPrintJob::Painter() {
    return *m_impl->painter;
}

void TPrintJob::NewPage() {
    TImpl& d = *m_impl;
    d.painter->restore();
    d.writer->newPage();
    d.painter->save();
    ++m_pages;
}

void TPrintJob::End() {
    TImpl& d = *m_impl;
    d.painter->restore();
    d.painter->end();
    d.painter.reset();
    d.writer.reset();
    if (d.saveFile) {
        if (!d.saveFile->commit())
            throw TUserError(QStringLiteral("Cannot write the PDF file %1: %2")
                                 .arg(d.saveFile->fileName(), d.saveFile->errorString()));
        return;
    }
    d.tempFile->flush();
    SubmitPdfToPrinter(d.tempFile->fileName(), d.printerName, d.title);
}

void TPrintJob::Abort() {
    TImpl& d = *m_impl;
    if (d.painter) {
        d.painter->end();
        d.painter.reset();
    }
    d.writer.reset();
    if (d.saveFile)
        d.saveFile->cancelWriting(); // the target file stays as it was
    d.saveFile.reset();
    d.tempFile.reset(); // removes the temporary PDF
}

void SubmitPdfToPrinter(const QString& pdfPath, const QString& printerName, const QString& title) {
    const QString lp = QStandardPaths::findExecutable(QStringLiteral("lp"));
    if (lp.isEmpty())
        throw TUserError(
            QStringLiteral("Cannot print on %1: the CUPS command \"lp\" is not installed.")
                .arg(printerName));
    QProcess proc;
    proc.start(lp, {QStringLiteral("-d"), printerName, QStringLiteral("-t"), title,
                    QStringLiteral("-o"), QStringLiteral("print-scaling=none"), pdfPath});
    if (!proc.waitForFinished(120000) || proc.exitStatus() != QProcess::NormalExit ||
        proc.exitCode() != 0) {
        const QString why = QString::fromLocal8Bit(proc.readAllStandardError()).trimmed();
        throw TUserError(QStringLiteral("The printer %1 did not accept the job: %2")
                             .arg(printerName, why.isEmpty() ? proc.errorString() : why));
    }
}
