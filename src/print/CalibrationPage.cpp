#include "print/CalibrationPage.h"

#include "platform/PrintJob.h"
#include "platform/Rounding.h"
#include "platform/Units.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
// Printer pixels from the paper's edge to device pixels of the painter.
struct TPageAxes {
    const TPrinterFacts& f;
    int32_t X(double inches) const { return RoundHalfEven(inches * f.PixelsPerInchX) - f.OffsetX; }
    int32_t Y(double inches) const { return RoundHalfEven(inches * f.PixelsPerInchY) - f.OffsetY; }
    double WidthInches() const { return double(f.PhysicalWidth) / f.PixelsPerInchX; }
    double HeightInches() const { return double(f.PhysicalHeight) / f.PixelsPerInchY; }
};

// Ticks of a ruler: every step units, longer at each half and whole unit, numbered at whole.
struct TRuler {
    double unitsPerInch; // 1 for inches, 2.54 for centimetres
    int32_t stepsPerUnit;
    QString name;
};

constexpr double RulerStartInches = CalibrationCrossInches; // the rulers start at the cross
constexpr double RulerEndMarginInches = 0.25;
constexpr double TickInches[] = {0.06, 0.12, 0.2}; // short, half, whole
constexpr double RulerBandInches = 0.45;           // room for one ruler and its numbers

int TickKind(int32_t step, int32_t stepsPerUnit) {
    if (step % stepsPerUnit == 0)
        return 2;
    return stepsPerUnit % 2 == 0 && step % (stepsPerUnit / 2) == 0 ? 1 : 0;
}

// A ruler along the top edge (across) or the left edge (down), its ticks hanging from edge
// (inches from the paper's edge across it), numbered from the paper's corner.
void DrawRuler(QPainter& p, const TPageAxes& a, const TRuler& r, bool across, double edge,
               int32_t line) {
    const double length = across ? a.WidthInches() : a.HeightInches();
    const double end = length - RulerEndMarginInches;
    const int32_t first = int32_t(std::ceil(RulerStartInches * r.unitsPerInch * r.stepsPerUnit));
    const QFontMetrics fm(p.font(), p.device());
    // The unit goes beside the first number across; down the left edge it would run into the
    // next ruler.
    bool named = !across;
    for (int32_t step = first;; ++step) {
        const double along = double(step) / r.stepsPerUnit / r.unitsPerInch;
        if (along > end)
            break;
        const int kind = TickKind(step, r.stepsPerUnit);
        const double reach = edge + TickInches[kind];
        if (across) {
            const int32_t x = a.X(along);
            p.fillRect(QRect(x - line / 2, a.Y(edge), line, a.Y(reach) - a.Y(edge)), Qt::black);
        } else {
            const int32_t y = a.Y(along);
            p.fillRect(QRect(a.X(edge), y - line / 2, a.X(reach) - a.X(edge), line), Qt::black);
        }
        if (kind != 2)
            continue;
        const QString number = QString::number(step / r.stepsPerUnit);
        const QString text = named ? number : number + u' ' + r.name;
        named = true;
        if (across)
            p.drawText(a.X(along) - fm.horizontalAdvance(number) / 2, a.Y(reach) + fm.ascent(),
                       text);
        else
            p.drawText(a.X(reach) + fm.averageCharWidth() / 2, a.Y(along) + fm.ascent() / 2, text);
    }
}
} // namespace

QStringList CalibrationPageLines(const QString& printerName, const TPaperChoice& paper,
                                 const TPrinterFacts& f, const TCalibration& stored) {
    const auto inches = [](int32_t pixels, int32_t ppi) {
        return ppi > 0 ? double(pixels) / ppi : 0.0;
    };
    const double w = inches(f.PhysicalWidth, f.PixelsPerInchX);
    const double h = inches(f.PhysicalHeight, f.PixelsPerInchY);
    QString size = QStringLiteral("%1 \u00d7 %2 in (%3 \u00d7 %4 mm)")
                       .arg(QString::number(w, 'f', 2), QString::number(h, 'f', 2),
                            QString::number(w * MillimetresPerInch, 'f', 1),
                            QString::number(h * MillimetresPerInch, 'f', 1));
    if (paper.IsSet())
        size = paper.Text() + QStringLiteral(", ") + size;
    return {
        QStringLiteral("Calibration page"),
        QStringLiteral("Printer: %1").arg(printerName),
        QStringLiteral("Paper: %1").arg(size),
        QStringLiteral("Resolution: %1 \u00d7 %2 dpi").arg(f.PixelsPerInchX).arg(f.PixelsPerInchY),
        QStringLiteral("Stored calibration: %1").arg(CalibrationText(stored, false)),
        QStringLiteral("This page is printed without calibration. The centre of the cross is "
                       "meant to be 1 in (2.54 cm) from the paper's left and top edges."),
        QStringLiteral("Offset: measure where the centre lands from each edge; the offset is "
                       "1 in minus that distance (across, and down)."),
        QStringLiteral("Scale: measure the rulers from the cross to their last number; the "
                       "scale is the printed length divided by the measured one, in percent."),
    };
}

void DrawCalibrationPage(QPainter& p, const TPrinterFacts& f, const QStringList& lines) {
    const TPageAxes a{f};
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    // Marks about a third of a millimetre wide; even, so that their centre is on the mark.
    const int32_t line = std::max(2, (f.PixelsPerInchX / 75) & ~1);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(std::max(8, RoundHalfEven(f.PixelsPerInchY * 9.0 / PointsPerInch)));
    p.setFont(font);
    p.setPen(Qt::black);

    // The rulers start at the printable edge, so that a printer's margin does not cut them.
    const double top = std::max(0.0, double(f.OffsetY) / f.PixelsPerInchY);
    const double left = std::max(0.0, double(f.OffsetX) / f.PixelsPerInchX);
    const TRuler inch{1.0, 10, QStringLiteral("in")};
    const TRuler cm{CentimetresPerInch, 10, QStringLiteral("cm")};
    DrawRuler(p, a, inch, true, top, line);
    DrawRuler(p, a, cm, true, top + RulerBandInches, line);
    DrawRuler(p, a, inch, false, left, line);
    DrawRuler(p, a, cm, false, left + RulerBandInches, line);

    // The cross, its arms a third of an inch, and a ring around its centre for the eye.
    const double c = CalibrationCrossInches, arm = 1.0 / 3;
    const int32_t cx = a.X(c), cy = a.Y(c);
    p.fillRect(QRect(a.X(c - arm), cy - line / 2, a.X(c + arm) - a.X(c - arm), line), Qt::black);
    p.fillRect(QRect(cx - line / 2, a.Y(c - arm), line, a.Y(c + arm) - a.Y(c - arm)), Qt::black);
    p.setPen(QPen(Qt::black, line / 2));
    p.setBrush(Qt::NoBrush);
    const int32_t ring = RoundHalfEven(f.PixelsPerInchX / 10.0);
    p.drawEllipse(QPoint(cx, cy), ring, ring);

    // The text beside the cross, wrapped to the paper's width.
    p.setPen(Qt::black);
    const int32_t x = a.X(c + 0.6);
    const QRect room(x, a.Y(c + 0.6), std::max(1, a.X(a.WidthInches() - 0.6) - x),
                     std::max(1, a.Y(a.HeightInches() - 0.6) - a.Y(c + 0.6)));
    p.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, lines.join(u'\n'));
    p.restore();
}

QString PrintCalibrationPage(const TPrinter& printer, const TCalibration& stored,
                             const QString& outputPdf) {
    auto job = TPrintJob::Begin(printer, QStringLiteral("Calibration page"), outputPdf);
    const TPrinterFacts facts = job->Facts();
    DrawCalibrationPage(job->Painter(), facts,
                        CalibrationPageLines(printer.Name(), printer.Paper(), facts, stored));
    job->End();
    return job->JobId();
}
