#include "barcode/BarcodePainter.h"

#include "barcode/Interpretation.h"
#include "barcode/PrnBarcode.h"
#include "platform/Units.h"

#include <QFontMetrics>
#include <QHash>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <mutex>

namespace {

struct TFontKey {
    QString family;
    int32_t cellHeight;
    int weight;
    int dpi;
    bool operator==(const TFontKey&) const = default;
};

size_t qHash(const TFontKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.family, k.cellHeight, k.weight, k.dpi);
}

// Fonts are sized in points so that fractional pixel sizes can be reached: a line height that
// no whole pixel size gives is usually met between two of them.
constexpr int StepsPerPixel = 8;

QFont SizedFont(const QString& family, int steps, int weight, int dpi) {
    QFont font(family);
    font.setPointSizeF(double(steps) / StepsPerPixel * PointsPerInch / dpi);
    font.setWeight(QFont::Weight(weight));
    return font;
}

int LineHeight(const QFont& font, const QPaintDevice* device) {
    return device ? QFontMetrics(font, device).height() : QFontMetrics(font).height();
}

int DeviceDpi(const QPaintDevice* device) {
    return device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
}

// The size, in eighths of a device pixel, whose line height is the wanted cell height. Sizes are
// searched once per face, height, weight and device resolution: measuring fonts costs far more
// than drawing bars. The memory of sizes is shared by runs printing on several threads.
int SizeStepsForCell(const QString& family, int32_t cellHeight, int weight,
                     const QPaintDevice* device) {
    static std::mutex mutex;
    static QHash<TFontKey, int> cache;
    const int dpi = DeviceDpi(device);
    const TFontKey key{family, cellHeight, weight, dpi};
    {
        const std::lock_guard lock(mutex);
        if (const auto it = cache.constFind(key); it != cache.constEnd())
            return it.value();
    }
    // line heights grow with the size: the largest size whose height does not exceed the cell
    int best = StepsPerPixel;
    int lo = 1;
    int hi = std::max(1, cellHeight) * StepsPerPixel;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2;
        if (LineHeight(SizedFont(family, mid, weight, dpi), device) <= cellHeight) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    const std::lock_guard lock(mutex);
    cache.insert(key, best);
    return best;
}

} // namespace

void TPainterBarCanvas::FillBar(int32_t left, int32_t top, int32_t width, int32_t height) {
    if (width > 0 && height > 0)
        m_bars.emplace_back(left, top, width, height);
}

void TPainterBarCanvas::Flush() {
    if (m_bars.empty())
        return;
    const QPen pen = m_painter.pen();
    const QBrush brush = m_painter.brush();
    const bool antialias = m_painter.testRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(Qt::black);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.drawRects(m_bars.data(), int(m_bars.size()));
    m_painter.setRenderHint(QPainter::Antialiasing, antialias);
    m_painter.setBrush(brush);
    m_painter.setPen(pen);
    m_bars.clear();
}

QFont InterpretationFont(const QString& family, int32_t cellHeight, int weight,
                         const QPaintDevice* device) {
    const int dpi = DeviceDpi(device);
    QFont font =
        SizedFont(family, SizeStepsForCell(family, cellHeight, weight, device), weight, dpi);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

void DrawBarcode(QPainter& painter, TBarcodeType type, int32_t x, int32_t y, int32_t m,
                 int32_t cross, const QString& data, bool interpret, int rotation,
                 bool transparent) {
    if (!IsLinearBarcodeType(type))
        return;
    const TSymbolGeometry g = SymbolGeometry(type, x, y, m, cross, data, interpret, rotation);
    painter.save();
    if (!transparent)
        painter.fillRect(g.box, Qt::white);
    if (!data.isEmpty()) {
        TPainterBarCanvas canvas(painter);
        EncodeBarcode(canvas, type, g.barX, g.barY, rotation, data, m, g.barLength);
        canvas.Flush();
        if (interpret)
            DrawInterpretation(painter, type, m, rotation, data, g.box.x(), g.box.y(),
                               g.box.width(), g.box.height());
    }
    painter.restore();
}

void DrawInterpretation(QPainter& painter, TBarcodeType type, int32_t m, int rotation,
                        const QString& data, int32_t x, int32_t y, int32_t w, int32_t h) {
    const std::vector<TInterpretationPiece> pieces = InterpretationPieces(type, data);
    if (pieces.empty())
        return;
    const TInterpretationFont rule = InterpretationFontFor(type, m);
    const QFont font =
        InterpretationFont(painter.font().family(), rule.cellHeight, rule.weight, painter.device());
    const QFontMetrics fm(font, painter.device());
    const bool vertical = IsVertical(rotation);
    const int32_t along = vertical ? h : w;
    const int32_t across = vertical ? w : h;
    const int32_t cell = fm.height();

    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const TInterpretationPiece& piece : pieces) {
        const int32_t tw = fm.horizontalAdvance(piece.text);
        const TBoxPoint at = PlacePiece(piece, tw, cell, along, across, m);
        const QPoint origin = MapBoxPoint(rotation, at, x, y, along, across);
        painter.save();
        painter.translate(origin);
        painter.rotate(TextAngle(rotation));
        // opaque text: the whole cell is cleared first, hiding the bars beneath it
        painter.fillRect(QRect(0, 0, tw, cell), Qt::white);
        painter.drawText(QPoint(0, fm.ascent()), piece.text);
        painter.restore();
    }
    painter.restore();
}
