#include "platform/Printer.h"

#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <optional>

namespace {

// A printer of the system, reached through Qt (CUPS on Linux).
class TSystemPrinter : public TPrinter {
public:
    explicit TSystemPrinter(QPrinterInfo info) : m_info(std::move(info)) {}
    QString Name() const override { return m_info.printerName(); }
    bool IsPdf() const override { return false; }
    TPrinterFacts Facts() const override {
        QPrinter printer(m_info, QPrinter::HighResolution);
        if (m_size) {
            printer.setPageSize(*m_size);
            printer.setPageOrientation(m_landscape ? QPageLayout::Landscape
                                                   : QPageLayout::Portrait);
        }
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

    bool SetPaper(const TPaperChoice& paper) override {
        m_size.reset();
        m_landscape = false;
        if (!paper.IsSet())
            return true;
        const QPageSize wanted = paper.PageSize();
        std::optional<QPageSize> found;
        for (const QPageSize& size : m_info.supportedPageSizes())
            if (size.isEquivalentTo(wanted))
                found = size; // the printer's own entry, which names its media
        if (!found && m_info.supportsCustomPageSizes() && Within(wanted))
            found = wanted;
        if (!found)
            return false;
        m_size = found;
        m_landscape = paper.Landscape;
        return true;
    }
    TPaperChoice Paper() const override {
        return m_size ? PaperFromPageSize(*m_size, m_landscape)
                      : PaperFromPageSize(m_info.defaultPageSize());
    }
    QString MediaName() const override { return m_size ? m_size->key() : QString(); }
    QList<TPaperChoice> Papers() const override {
        QList<TPaperChoice> papers;
        for (const QPageSize& size : m_info.supportedPageSizes())
            papers.append(PaperFromPageSize(size));
        return papers;
    }

private:
    // Whether a size of its own lies within the sizes the printer can take.
    bool Within(const QPageSize& size) const {
        const QSize points = size.sizePoints();
        const QSize least = m_info.minimumPhysicalPageSize().sizePoints();
        const QSize most = m_info.maximumPhysicalPageSize().sizePoints();
        return points.width() >= least.width() && points.height() >= least.height() &&
               (most.isEmpty() ||
                (points.width() <= most.width() && points.height() <= most.height()));
    }

    QPrinterInfo m_info;
    std::optional<QPageSize> m_size; // the chosen paper, when there is one
    bool m_landscape = false;
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

TPdfPrinter::TPdfPrinter() : m_paper(SystemPaperSize()) {}

bool TPdfPrinter::SetPaper(const TPaperChoice& paper) {
    m_chosen = paper; // a PDF page can have any size
    return true;
}

TPaperChoice TPdfPrinter::Paper() const {
    return m_chosen.IsSet() ? m_chosen : PaperFromPageSize(QPageSize(m_paper));
}

QList<TPaperChoice> TPdfPrinter::Papers() const {
    // The common office sizes.
    QList<TPaperChoice> papers;
    for (const QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::Letter, QPageSize::Legal,
                                           QPageSize::A5, QPageSize::A3, QPageSize::Tabloid})
        papers.append(PaperFromPageSize(QPageSize(id)));
    return papers;
}

TPrinterFacts TPdfPrinter::Facts() const {
    return FactsAt(Resolution);
}

TPrinterFacts TPdfPrinter::FactsAt(int32_t resolution) const {
    TPrinterFacts f;
    f.PixelsPerInchX = f.PixelsPerInchY = resolution;
    QSize size = QPageSize(m_paper).sizePixels(resolution);
    if (m_chosen.IsSet()) {
        const QPageSize chosen = m_chosen.PageSize();
        // Standard papers measure as everywhere else; a size of its own is taken exactly.
        size = chosen.id() != QPageSize::Custom
                   ? chosen.sizePixels(resolution)
                   : QSize(int(std::lround(m_chosen.Width * resolution)),
                           int(std::lround(m_chosen.Height * resolution)));
        if (m_chosen.Landscape)
            size.transpose();
    }
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

std::unique_ptr<TPrinter> TPrinters::Open(const QString& name) {
    if (name == TPdfPrinter::DefaultName()) {
        auto pdf = std::make_unique<TPdfPrinter>();
        pdf->SetPaperSize(Pdf().PaperSize());
        return pdf;
    }
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return nullptr;
    return std::make_unique<TSystemPrinter>(info);
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
