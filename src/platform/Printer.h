#pragma once

#include "platform/PaperChoice.h"

#include <QList>
#include <QPageSize>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// What the label layout needs to know about a printer page, in device pixels.
struct TPrinterFacts {
    int32_t PixelsPerInchX = 600;
    int32_t PixelsPerInchY = 600;
    int32_t PhysicalWidth = 0;
    int32_t PhysicalHeight = 0;
    int32_t OffsetX = 0; // non-printable strip at the left
    int32_t OffsetY = 0; // non-printable strip at the top
    int32_t PrintableWidth = 0;
    int32_t PrintableHeight = 0;
    int32_t NumColors = -1; // -1: more colours than a palette holds
    int32_t BitsPerPixel = 24;
};

// One printer the program can print on.
class TPrinter {
public:
    virtual ~TPrinter() = default;
    virtual QString Name() const = 0;
    virtual bool IsPdf() const = 0;
    virtual TPrinterFacts Facts() const = 0;

    // Puts paper in the printer for the facts and jobs that follow. An unset choice leaves the
    // printer on its own paper; so does a paper it does not have, and then the answer is false.
    virtual bool SetPaper(const TPaperChoice& paper) { return !paper.IsSet(); }
    // The paper the facts are of now.
    virtual TPaperChoice Paper() const { return {}; }
    // The papers it takes, for choosing one.
    virtual QList<TPaperChoice> Papers() const { return {}; }
    // The name of the chosen paper in the printer's queue, for the job; empty for its own.
    virtual QString MediaName() const { return {}; }
};

// The built-in printer that writes PDF files: 600 dots per inch, no unprintable margins, any
// paper; its own paper is the system's (SystemPaperSize) unless set.
class TPdfPrinter : public TPrinter {
public:
    static constexpr int32_t Resolution = 600;
    static QString DefaultName() { return QStringLiteral("PDF file"); }

    TPdfPrinter();
    QString Name() const override { return DefaultName(); }
    bool IsPdf() const override { return true; }
    TPrinterFacts Facts() const override;
    // The same paper at another resolution (pictures of pages).
    TPrinterFacts FactsAt(int32_t resolution) const;
    bool SetPaper(const TPaperChoice& paper) override;
    TPaperChoice Paper() const override;
    QList<TPaperChoice> Papers() const override;

    // Its own paper, used when no paper is chosen.
    QPageSize::PageSizeId PaperSize() const { return m_paper; }
    void SetPaperSize(QPageSize::PageSizeId id) { m_paper = id; }

private:
    QPageSize::PageSizeId m_paper;
    TPaperChoice m_chosen;
};

// The printers the program offers: the system's printers, then the PDF printer. The current
// printer is the system's default printer, or the PDF printer when the system has none.
class TPrinters {
public:
    static QStringList Names();
    static TPrinter& Current();
    // A printer of that name apart from the current one (to look at its papers); null when
    // there is none.
    static std::unique_ptr<TPrinter> Open(const QString& name);
    // Makes the named printer current; false when there is no printer of that name.
    static bool Select(const QString& name);
    // Replaces the current printer (tests inject their own printer facts this way).
    static void SetCurrent(std::unique_ptr<TPrinter> printer);
    static TPdfPrinter& Pdf();
};
