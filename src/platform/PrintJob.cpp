#include "platform/PrintJob.h"

#include "platform/Errors.h"
#include "platform/PdfJoin.h"
#include "platform/PdfPages.h"
#include "platform/TempFiles.h"

#include <QFileInfo>
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
    std::unique_ptr<TPdfPages> pages;         // a job drawn page by page
    // A job whose pages are drawn in parts elsewhere: they are joined into the output as they
    // come.
    std::unique_ptr<TPdfJoin> join;
    bool finished = false;
    bool delivered = false;

    QFileDevice& Output() {
        return saveFile ? static_cast<QFileDevice&>(*saveFile)
                        : static_cast<QFileDevice&>(*tempFile);
    }
    QString OutputName() const { return saveFile ? saveFile->fileName() : tempFile->fileName(); }
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
                                            const QString& outputPdf, TJobPages pages) {
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
    if (pages == TJobPages::Drawn) {
        d.pages = std::make_unique<TPdfPages>(device, d.facts, title);
        job->m_pages = 1;
    } else {
        d.join = std::make_unique<TPdfJoin>(*device, outputPdf.isEmpty() ? d.tempFile->fileName()
                                                                         : outputPdf);
    }
    return job;
}

const TPrinterFacts& TPrintJob::Facts() const {
    return m_impl->facts;
}

const QString& TPrintJob::Title() const {
    return m_impl->title;
}

QPainter& TPrintJob::Painter() {
    return m_impl->pages->Painter();
}

void TPrintJob::NewPage() {
    m_impl->pages->NewPage();
    ++m_pages;
}

void TPrintJob::AppendPart(std::unique_ptr<TPdfPart> part) {
    TImpl& d = *m_impl;
    d.join->Append(part->FileName());
    m_pages = d.join->PageCount();
    part.reset(); // its pages are in the output now
}

void TPrintJob::Finish() {
    TImpl& d = *m_impl;
    if (d.finished)
        return;
    d.finished = true;
    try {
        if (d.pages) {
            d.pages->End();
            d.pages.reset();
        } else {
            d.join->Finish();
            d.join.reset();
        }
        CheckWrittenWhole(d.Output(), d.OutputName());
    } catch (const TUserError&) {
        Abort();
        throw;
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
    d.pages.reset();
    d.join.reset();
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
