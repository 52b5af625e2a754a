#pragma once

#include "platform/Printer.h"

#include <QString>

#include <memory>

class QPainter;

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
                                            const QString& outputPdf);

    // The page's painter. Coordinates are device pixels with the origin at the top-left of the
    // printable area.
    QPainter& Painter();
    void NewPage();
    // Finishes the document and delivers it; throws TUserError when delivery fails (the
    // output file is then untouched and nothing is queued).
    void End();
    // Discards everything rendered so far.
    void Abort();

    int PageCount() const { return m_pages; }

private:
    TPrintJob() = default;
    struct TImpl;
    std::unique_ptr<TImpl> m_impl;
    int m_pages = 0;
};

// Hands a finished PDF to a system printer's queue (CUPS `lp`), with the job title and without
// scaling. Throws TUserError with the queue's own message on failure.
void SubmitPdfToPrinter(const QString& pdfPath, const QString& printerName, const QString& title);
