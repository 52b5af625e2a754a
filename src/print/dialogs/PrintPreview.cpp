#include "print/dialogs/PrintPreview.h"

#include "merge/AdvancedField.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <vector>

namespace {
// Pages on a QPrinter, drawn in the printer's device pixels as a print job's are.
class TPrinterTarget : public TPageTarget {
public:
    TPrinterTarget(QPrinter& printer, const TPrinterFacts& facts)
        : m_printer(printer), m_facts(facts) {}
    // Begun on first use: a refused run leaves the printer without pages.
    QPainter& Painter() override {
        if (!m_painter.isActive()) {
            m_painter.begin(&m_printer);
            m_painter.scale(1.0, double(m_facts.PixelsPerInchX) / m_facts.PixelsPerInchY);
            m_painter.translate(m_facts.OffsetX, m_facts.OffsetY);
        }
        return m_painter;
    }
    void NewPage() override { m_printer.newPage(); }
    void End() override { m_painter.end(); }
    void Abort() override { m_painter.end(); }

private:
    QPrinter& m_printer;
    TPrinterFacts m_facts;
    QPainter m_painter;
};

// Gives every control copies of its fields for the life of the guard, so that counters stepped
// by the preview are the copies'.
class TFieldsKeeper {
public:
    explicit TFieldsKeeper(const TControlList& controls) : m_controls(controls) {
        for (const auto& c : controls) {
            m_saved.push_back(std::move(c->Fields));
            c->Fields = CloneFields(m_saved.back());
        }
    }
    ~TFieldsKeeper() {
        for (size_t i = 0; i < m_controls.size(); ++i)
            m_controls[i]->Fields = std::move(m_saved[i]);
    }
    TFieldsKeeper(const TFieldsKeeper&) = delete;
    TFieldsKeeper& operator=(const TFieldsKeeper&) = delete;

private:
    const TControlList& m_controls;
    std::vector<TFieldList> m_saved;
};

// The printer facts as a TPrinter for the engine.
class TFactsPrinter : public TPrinter {
public:
    explicit TFactsPrinter(const TPrinterFacts& facts) : m_facts(facts) {}
    QString Name() const override { return {}; }
    bool IsPdf() const override { return true; }
    TPrinterFacts Facts() const override { return m_facts; }

private:
    TPrinterFacts m_facts;
};
} // namespace

void ConfigurePreviewPrinter(QPrinter& printer, const TPrinterFacts& facts) {
    printer.setResolution(facts.PixelsPerInchX);
    printer.setFullPage(true);
    const QSizeF inches(double(facts.PhysicalWidth) / facts.PixelsPerInchX,
                        double(facts.PhysicalHeight) / facts.PixelsPerInchY);
    printer.setPageLayout(
        QPageLayout(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

TPrintResult PaintPreview(QPrinter& printer, const TSheetSettings& sheet,
                          const TControlList& controls, const TPrintSettings& settings,
                          const TPrinterFacts& facts) {
    ConfigurePreviewPrinter(printer, facts);
    const TFieldsKeeper keeper(controls);
    TPrinterTarget target(printer, facts);
    return PaintLabels(sheet, controls, settings, TFactsPrinter(facts), target, nullptr);
}
