#include "app/Rulers.h"

#include "platform/Rounding.h"
#include "platform/Units.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// The mark at label pixel p: 0 none, 1 full with a number, 2 half, 3 eighth (inches only).
struct TMark {
    int Kind = 0;
    int64_t Number = 0;
};

// Modulo that works for the negative positions left of the label.
bool MultipleOf(int64_t p, int64_t step) {
    return step > 0 && p % step == 0;
}

TMark LabelMarkAt(int64_t p, bool metric, int32_t d) {
    if (metric) {
        const int64_t c = RoundHalfEven(d / CentimetresPerInch);
        if (MultipleOf(p, c))
            return {1, p / c};
        if (MultipleOf(p, c / 2))
            return {2, 0};
        return {};
    }
    if (MultipleOf(p, d))
        return {1, p / d};
    if (MultipleOf(p, d / 2))
        return {2, 0};
    if (MultipleOf(p, d / 8))
        return {3, 0};
    return {};
}

// The mark at screen pixel p from the label's origin: the weightiest mark of the label pixels
// that start on it (one at zoom 1, several when zoomed out, none on some when zoomed in).
TMark MarkAt(int64_t p, bool metric, int32_t d, double zoom) {
    if (zoom == 1)
        return LabelMarkAt(p, metric, d);
    // Label pixel q starts on screen pixel ceil(q x zoom), as on the design surface.
    constexpr double eps = 1e-7;
    const auto first = int64_t(std::floor((p - 1) / zoom + eps)) + 1;
    const auto last = int64_t(std::floor(p / zoom + eps));
    TMark best;
    for (int64_t q = first; q <= last; ++q) {
        const TMark mark = LabelMarkAt(q, metric, d);
        if (mark.Kind != 0 && (best.Kind == 0 || mark.Kind < best.Kind))
            best = mark;
    }
    return best;
}

void Prepare(QPainter& box, int32_t w, int32_t h, const TRulerStyle& style) {
    box.fillRect(0, 0, w, h, style.Background);
    box.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    box.setFont(style.Font);
}

// A line of whole pixels from the first point towards the second, the second not drawn, as a
// pen moved from one point to the other draws it.
void Line(QPainter& box, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const QColor ink = box.pen().color();
    if (x1 == x2)
        box.fillRect(x1, std::min(y1, y2 + 1), 1, std::abs(y1 - y2), ink);
    else
        box.fillRect(std::min(x1, x2 + 1), y1, std::abs(x1 - x2), 1, ink);
}

// The number with the background behind its whole text cell, hiding the mark beneath it.
void Number(QPainter& box, int32_t left, int32_t top, int64_t n, const TRulerStyle& style) {
    const QString text = QString::number(n);
    const QFontMetrics fm(box.font());
    const QRect cell(left, top, fm.horizontalAdvance(text), fm.height());
    box.fillRect(cell, style.Background);
    box.setPen(style.Lettering);
    box.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
    box.setPen(QPen(Qt::black, 1, Qt::SolidLine));
}
} // namespace

QFont RulerFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(8);
    return font;
}

void DrawHorizontalRuler(QPainter& box, int32_t w, int32_t h, int32_t offset, bool metric,
                         int32_t d, const TRulerStyle& style, double zoom) {
    Prepare(box, w, h, style);
    const QFontMetrics fm(style.Font);
    // Zoomed far out, numbers would run into each other: one that would is left out.
    int64_t numbersEnd = INT64_MIN;
    for (int32_t i = 1; i <= w; ++i) {
        const TMark mark = MarkAt(int64_t(i) - offset, metric, d, zoom);
        switch (mark.Kind) {
        case 1: {
            Line(box, i, h, i, 0);
            const int32_t tw = fm.horizontalAdvance(QString::number(mark.Number));
            if (i - tw / 2 >= numbersEnd) {
                Number(box, i - tw / 2, 0, mark.Number, style);
                numbersEnd = int64_t(i) - tw / 2 + tw + 2;
            }
            break;
        }
        case 2:
            Line(box, i, h, i, h / 2);
            break;
        case 3:
            Line(box, i, h, i, h * 3 / 4);
            break;
        default:
            break;
        }
    }
}

void DrawVerticalRuler(QPainter& box, int32_t w, int32_t h, int32_t offset, bool metric, int32_t d,
                       const TRulerStyle& style, double zoom) {
    Prepare(box, w, h, style);
    const QFontMetrics fm(style.Font);
    int64_t numbersEnd = INT64_MIN;
    for (int32_t j = 1; j <= h; ++j) {
        const TMark mark = MarkAt(int64_t(j) - offset, metric, d, zoom);
        switch (mark.Kind) {
        case 1:
            Line(box, 0, j, w, j);
            if (j - fm.height() / 2 >= numbersEnd) {
                Number(box, 0, j - fm.height() / 2, mark.Number, style);
                numbersEnd = int64_t(j) - fm.height() / 2 + fm.height();
            }
            break;
        case 2:
            Line(box, w, j, w / 2, j);
            break;
        case 3:
            Line(box, w, j, w * 3 / 4, j);
            break;
        default:
            break;
        }
    }
}
