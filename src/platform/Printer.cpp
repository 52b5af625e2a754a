#include "platform/Printer.h"

#include <QLocale>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <array>

namespace {

// Territories whose offices use US Letter paper.
constexpr std::array kLetterTerritories = {
    QLocale::UnitedStates, QLocale::Canada,
    QLocale::Mexico,       QLocale::Chile,
    QLocale::Colombia,     QLocale::CostaRica,
    QLocale::Philippines,  QLocale::Venezuela,
    QLocale::Guatemala,    QLocale::DominicanRepublic,
    QLocale::Panama,       QLocale::ElSalvador,
    QLocale::PuertoRico,   QLocale::Nicaragua,
    QLocale::Honduras,
};

// A printer of the system, reached through Qt (CUPS on Linux).
class TSystemPrinter : public TPrinter {
public:
    explicit TSystemPrinter(QPrinterInfo info) : m_info(std::move(info)) {}
    QString Name() const override { return m_info.printerName(); }
    bool IsPdf() const override { return false; }
    TPrinterFacts Facts() const override {
        QPrinter printer(m_info, QPrinter::HighResolution);
        TPrinterFacts f;
        f.PixelsPerInchX = f.PixelsPerInchY = printer.resolution();
        const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
        const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
        f.PhysicalWidth = paper.width();
        f.PhysicalHeight = paper.height();
        f.OffsetX = page.left() - paper.left();
        f.OffsetY = page.top() - paper.top();
        f.PrintableWidth = page.width();
        f.PrintableHeight = page.height();
        const bool colour = m_info.supportedColorModes().contains(QPrinter::Color);
        f.NumColors = colour ? -1 : 2;
        f.BitsPerPixel = colour ? 24 : 1;
        return f;
    }

private:
    QPrinterInfo m_info;
};

struct Registry {
    TPdfPrinter pdf;
    std::unique_ptr<TPrinter> current; // null: the PDF printer
};

Registry& Reg() {
    static Registry r;
    static bool initialised = false;
    if (!initialised) {
        initialised = true;
        const QPrinterInfo def = QPrinterInfo::defaultPrinter();
        if (!def.isNull())
            r.current = std::make_unique<TSystemPrinter>(def);
    }
    return r;
}

} // namespace

QPageSize::PageSizeId LocalePaperSize() {
    const auto territory = QLocale().territory();
    const bool letter = std::find(kLetterTerritories.begin(), kLetterTerritories.end(),
                                  territory) != kLetterTerritories.end();
    return letter ? QPageSize::Letter : QPageSize::A4;
}

TPdfPrinter::TPdfPrinter() : m_paper(LocalePaperSize()) {}

TPrinterFacts TPdfPrinter::Facts() const {
    TPrinterFacts f;
    f.PixelsPerInchX = f.PixelsPerInchY = Resolution;
    const QSize size = QPageSize(m_paper).sizePixels(Resolution);
    f.PhysicalWidth = f.PrintableWidth = size.width();
    f.PhysicalHeight = f.PrintableHeight = size.height();
    f.OffsetX = f.OffsetY = 0;
    f.NumColors = -1;
    f.BitsPerPixel = 24;
    return f;
}

QStringList TPrinters::Names() {
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(TPdfPrinter::DefaultName());
    return names;
}

TPrinter& TPrinters::Current() {
    Registry& r = Reg();
    if (r.current)
        return *r.current;
    return r.pdf;
}

bool TPrinters::Select(const QString& name) {
    Registry& r = Reg();
    if (name == TPdfPrinter::DefaultName()) {
        r.current.reset();
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    r.current = std::make_unique<TSystemPrinter>(info);
    return true;
}

void TPrinters::SetCurrent(std::unique_ptr<TPrinter> printer) {
    Reg().current = std::move(printer);
}

TPdfPrinter& TPrinters::Pdf() {
    return Reg().pdf;
}
