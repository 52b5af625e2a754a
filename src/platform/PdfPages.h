#pragma once

#include "platform/Printer.h"

#include <QPainter>
#include <QPdfWriter>
#include <QString>

#include <memory>

class QIODevice;
class QTemporaryFile;
class QFileDevice;

// Pages drawn into a PDF on device, at the printer's resolution and on its paper, with a painter
// whose coordinates are the printer's device pixels from the corner of the printable area.
class TPdfPages {
public:
    // Throws TUserError when the painter cannot start.
    TPdfPages(QIODevice* device, const TPrinterFacts& facts, const QString& title);
    ~TPdfPages();
    TPdfPages(const TPdfPages&) = delete;
    TPdfPages& operator=(const TPdfPages&) = delete;

    QPainter& Painter() { return m_painter; }
    void NewPage();
    // Ends the document; everything is handed to the device.
    void End();

private:
    QPdfWriter m_writer;
    QPainter m_painter;
    bool m_ended = false;
};

// A device's buffered write cut short (a full disk) shows only as a shorter file once flushed.
// Throws TUserError naming the file when that happened.
void CheckWrittenWhole(QFileDevice& file, const QString& name);

// A part of a print run's document: pages drawn into a temporary PDF of their own, on any
// thread, to be joined with the other parts (TPdfJoin). The file goes with the part.
class TPdfPart {
public:
    // A part in folder (a private temporary folder). Throws TUserError when the file or the
    // painter cannot start.
    TPdfPart(const TPrinterFacts& facts, const QString& title, const QString& folder);
    ~TPdfPart();
    TPdfPart(const TPdfPart&) = delete;
    TPdfPart& operator=(const TPdfPart&) = delete;

    QPainter& Painter() { return m_pages->Painter(); }
    void NewPage();
    // Writes the part whole. Throws TUserError when it could not be written.
    void Finish();
    QString FileName() const;
    int PageCount() const { return m_pageCount; }

private:
    std::unique_ptr<QTemporaryFile> m_file;
    std::unique_ptr<TPdfPages> m_pages;
    int m_pageCount = 1;
};
