#pragma once

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
};

// The built-in printer that writes PDF files: 600 dots per inch, no unprintable margins,
// paper from the locale (Letter where Letter is the norm, A4 elsewhere) unless chosen.
class TPdfPrinter : public TPrinter {
public:
    static constexpr int32_t Resolution = 600;
    static QString DefaultName() { return QStringLiteral("PDF file"); }

    TPdfPrinter();
    QString Name() const override { return DefaultName(); }
    bool IsPdf() const override { return true; }
    TPrinterFacts Facts() const override;

    QPageSize::PageSizeId PaperSize() const { return m_paper; }
    void SetPaperSize(QPageSize::PageSizeId id) { m_paper = id; }

private:
    QPageSize::PageSizeId m_paper;
};

// The paper size that the user's locale expects.
QPageSize::PageSizeId LocalePaperSize();

// The printers the program offers: the system's printers, then the PDF printer. The current
// printer is the system's default printer, or the PDF printer when the system has none.
class TPrinters {
public:
    static QStringList Names();
    static TPrinter& Current();
    // Makes the named printer current; false when there is no printer of that name.
    static bool Select(const QString& name);
    // Replaces the current printer (tests inject their own printer facts this way).
    static void SetCurrent(std::unique_ptr<TPrinter> printer);
    static TPdfPrinter& Pdf();
};
