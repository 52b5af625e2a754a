#include "platform/PrintJob.h"

#include "platform/Errors.h"
#include "platform/TempFiles.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

struct TPrintJob::TImpl {
    TPrinterFacts facts;
    QString printerName;
    QString media; // the paper chosen for the label, by the queue's name for it
    bool toPrinter = false;
    QString title;
    std::unique_ptr<QSaveFile> saveFile;      // the -o file, committed only at the end
    std::unique_ptr<QTemporaryFile> tempFile; // the PDF for a printer's queue
    std::unique_ptr<QPdfWriter> writer;
    std::unique_ptr<QPainter> painter;
    bool finished = false;
    bool delivered = false;
};

namespace {
// Runs a CUPS command in the C locale, whose answers are parsed; its output, or none when it
// could not run or failed.
struct TToolRun {
    bool Ok = false;
    QString Out, Err, Why;
};

TToolRun RunCupsTool(const QString& name, const QStringList& args, int timeoutMs) {
    TToolRun run;
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) {
        run.Why = QStringLiteral("the CUPS command \"%1\" is not installed").arg(name);
        return run;
    }
    QProcess proc;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    proc.setProcessEnvironment(env);
    proc.start(program, args);
    const bool finished = proc.waitForFinished(timeoutMs);
    run.Out = QString::fromLocal8Bit(proc.readAllStandardOutput());
    run.Err = QString::fromLocal8Bit(proc.readAllStandardError()).trimmed();
    run.Why = run.Err.isEmpty() ? proc.errorString() : run.Err;
    run.Ok = finished && proc.exitStatus() == QProcess::NormalExit && proc.exitCode() == 0;
    return run;
}
} // namespace

TPrintJob::~TPrintJob() {
    if (m_impl && !m_impl->delivered)
        Abort();
}

std::unique_ptr<TPrintJob> TPrintJob::Begin(const TPrinter& printer, const QString& title,
                                            const QString& outputPdf) {
    std::unique_ptr<TPrintJob> job(new TPrintJob);
    job->m_impl = std::make_unique<TImpl>();
    TImpl& d = *job->m_impl;
    d.facts = printer.Facts();
    d.printerName = printer.Name();
    d.media = printer.MediaName();
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

void TPrintJob::Finish() {
    TImpl& d = *m_impl;
    if (d.finished)
        return;
    d.painter->restore();
    d.painter->end();
    d.painter.reset();
    d.writer.reset();
    d.finished = true;
    // A write cut short by a full disk shows only as a shorter file once the buffer is flushed.
    QFileDevice& file = d.saveFile ? static_cast<QFileDevice&>(*d.saveFile)
                                   : static_cast<QFileDevice&>(*d.tempFile);
    const qint64 expected = file.pos();
    if (!file.flush() || file.size() != expected) {
        const QString name = d.saveFile ? d.saveFile->fileName() : d.tempFile->fileName();
        Abort();
        throw TUserError(QStringLiteral("Cannot write the PDF file %1: not everything could be "
                                        "written (is the disk full?)")
                             .arg(name));
    }
}

void TPrintJob::Deliver() {
    TImpl& d = *m_impl;
    Finish();
    if (d.saveFile) {
        if (!d.saveFile->commit())
            throw TUserError(QStringLiteral("Cannot write the PDF file %1: %2")
                                 .arg(d.saveFile->fileName(), d.saveFile->errorString()));
    } else {
        m_jobId = SubmitPdfToPrinter(d.tempFile->fileName(), d.printerName, d.title, d.media);
    }
    d.delivered = true;
}

void TPrintJob::End() {
    Deliver();
}

void TPrintJob::Abort() {
    TImpl& d = *m_impl;
    d.delivered = true; // nothing is left to deliver
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

QString SubmitPdfToPrinter(const QString& pdfPath, const QString& printerName, const QString& title,
                           const QString& media) {
    if (QStandardPaths::findExecutable(QStringLiteral("lp")).isEmpty())
        throw TUserError(
            QStringLiteral("Cannot print on %1: the CUPS command \"lp\" is not installed.")
                .arg(printerName));
    QStringList args{QStringLiteral("-d"), printerName,
                     QStringLiteral("-t"), title,
                     QStringLiteral("-o"), QStringLiteral("print-scaling=none")};
    if (!media.isEmpty())
        args << QStringLiteral("-o") << QStringLiteral("media=") + media;
    const TToolRun run = RunCupsTool(QStringLiteral("lp"), args << pdfPath, 120000);
    if (!run.Ok)
        throw TUserError(
            QStringLiteral("The printer %1 did not accept the job: %2").arg(printerName, run.Why));
    return JobIdFromLpOutput(run.Out);
}

QString JobIdFromLpOutput(const QString& output) {
    static const QRegularExpression request(QStringLiteral("request id is (\\S+)"));
    const QRegularExpressionMatch m = request.match(output);
    return m.hasMatch() ? m.captured(1) : QString();
}

bool PrinterQueueStopped(const QString& printerName) {
    const TToolRun run =
        RunCupsTool(QStringLiteral("lpstat"), {QStringLiteral("-p"), printerName}, 10000);
    // "printer NAME disabled since ..." for a stopped (paused) queue; "is idle." or
    // "now printing ..." otherwise.
    const QString stopped = QStringLiteral("printer %1 disabled").arg(printerName);
    for (const QString& line : run.Out.split(QLatin1Char('\n')))
        if (line.startsWith(stopped))
            return true;
    return false;
}
