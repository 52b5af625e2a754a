#pragma once

#include "platform/Printer.h"

#include <QString>

#include <memory>

class QPainter;
class TPdfPart;

// How a job's pages come: drawn on the job's own painter one after the other, or drawn in parts
// elsewhere (on other threads) and appended in order.
enum class TJobPages { Drawn, Parts };

// One print run. Pages are always rendered into a PDF first; only a run that ends normally is
// delivered (moved to the output file, or handed to the printer's queue), so an aborted or failed
// run leaves nothing behind: no half-written file and no partial job on the printer.
class TPrintJob {
public:
    ~TPrintJob();
    TPrintJob(const TPrintJob&) = delete;
    TPrintJob& operator=(const TPrintJob&) = delete;

    // Starts a job on printer titled title. With outputPdf set the result becomes that file
    // (whatever the printer); otherwise a PDF printer needs outputPdf, and a system printer gets
    // the job in its queue. Throws TUserError when the job cannot start.
    static std::unique_ptr<TPrintJob> Begin(const TPrinter& printer, const QString& title,
                                            const QString& outputPdf,
                                            TJobPages pages = TJobPages::Drawn);

    // The printer's facts and the title the job started with (for its parts).
    const TPrinterFacts& Facts() const;
    const QString& Title() const;

    // A drawn job: the page's painter. Coordinates are device pixels with the origin at the
    // top-left of the printable area.
    QPainter& Painter();
    void NewPage();
    // A job in parts: copies the pages of a finished part into the output after those appended
    // so far, and lets the part go. Throws TUserError when it cannot be joined or written.
    void AppendPart(std::unique_ptr<TPdfPart> part);
    // Finishes the document: every page is rendered and written to the temporary output, nothing
    // is delivered yet. Throws TUserError when the output could not be written whole.
    void Finish();
    // Delivers the finished document (finishing it first if need be): moves it into place as the
    // output file, or hands it to the printer's queue. Throws TUserError when delivery fails (the
    // output file is then untouched and nothing is queued).
    void Deliver();
    // Finish and Deliver in one step.
    void End();
    // The queue's name of the delivered job ("Queue-12"); empty for a PDF file or when the
    // queue did not say.
    const QString& JobId() const { return m_jobId; }
    // Discards everything rendered so far.
    void Abort();

    int PageCount() const { return m_pages; }

private:
    TPrintJob() = default;
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
    int m_pages = 0;
    QString m_jobId;
};

// Hands a finished PDF to a system printer's queue (CUPS `lp`), with the job title, on the named
// media (the queue's own when empty) and without scaling, and returns the job's name as the
// queue gave it ("Queue-12"; empty when it said none). Throws TUserError with the queue's own
// message on failure.
QString SubmitPdfToPrinter(const QString& pdfPath, const QString& printerName, const QString& title,
                           const QString& media = QString());

// The job name in lp's answer ("request id is Queue-12 (1 file(s))"); empty when there is none.
QString JobIdFromLpOutput(const QString& output);

// Whether the system printer's queue is stopped (disabled, paused), so that jobs wait in it
// until someone starts the printer. False when the state cannot be learnt.
bool PrinterQueueStopped(const QString& printerName);
