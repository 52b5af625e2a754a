#include "document/LabelPainter.h"

#include "document/LabelDocument.h"
#include "document/LabelGeometry.h"
#include "platform/Screen.h"

#include <QPainter>

#include <algorithm>

namespace {
const QColor kGridColor(0x80, 0xFF, 0xFF); // light cyan
const QColor kUnselectedOutline(0x80, 0x80, 0x80);
const QColor kProblemOutline(0xE0, 0x00, 0x00);

// The image with its transparent colour made invisible.
QImage WithTransparency(const QImage& image, QRgb transparent) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return out;
}

void PaintControl(QPainter& canvas, TLabelControl& c, const TLabelPaintOptions& options) {
    if (c.Dirty())
        c.Draw();
    const QImage& image = c.Image();
    const int32_t w = std::min<int32_t>(image.width(), c.Width());
    const int32_t h = std::min<int32_t>(image.height(), c.Height());
    int32_t x = c.Left();
    if (c.HAlign() == haRight)
        x = c.Left() + c.Width() - w;
    else if (c.HAlign() == haCenter)
        x = c.Left() + c.Width() / 2 - w / 2;
    int32_t y = c.Top();
    if (c.VAlign() == vaBottom)
        y = c.Top() + c.Height() - h;
    else if (c.VAlign() == vaCenter)
        y = c.Top() + c.Height() / 2 - h / 2;
    if (w > 0 && h > 0) {
        const QImage part = image.copy(0, 0, w, h);
        canvas.drawImage(x, y,
                         c.Transparent() ? WithTransparency(part, c.TransparentColor()) : part);
    }

    if (c.Selected() || options.ShowBorders) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(c.Selected() ? QColor(Qt::black) : kUnselectedOutline, 1, Qt::DotLine));
        // From (Left - 1, Top - 1) to (Right + 1, Bottom + 1), right and bottom exclusive.
        canvas.drawRect(QRect(c.Left() - 1, c.Top() - 1, c.Width() + 1, c.Height() + 1));
    }
    if (options.HasProblem && options.HasProblem(c)) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(kProblemOutline, 1, Qt::SolidLine));
        canvas.drawRect(QRect(c.Left() - 1, c.Top() - 1, c.Width() + 1, c.Height() + 1));
    }
    if (c.Selected()) {
        const int32_t r = c.Left() + c.Width(), b = c.Top() + c.Height();
        for (const QPoint& p :
             {QPoint(c.Left(), c.Top()), QPoint(r, c.Top()), QPoint(c.Left(), b), QPoint(r, b)})
            canvas.fillRect(QRect(p.x() - 2, p.y() - 2, 4, 4), Qt::black);
    }
}
} // namespace

QPainterPath LabelClipRegion(int32_t width, int32_t height) {
    QPainterPath path;
    path.addRoundedRect(QRectF(3, 3, width - 4, height - 4), 5, 5);
    return path;
}

QRect ControlPaintArea(int32_t left, int32_t top, int32_t width, int32_t height) {
    // Two pixels left and top, three right and bottom: outlines and handles included.
    return QRect(left - 2, top - 2, width + 5, height + 5);
}

void PaintLabel(QPainter& canvas, const TLabelDocument& document, const TLabelPaintOptions& options,
                const QPainterPath& clip) {
    const int32_t w = document.LabelWidth(), h = document.LabelHeight();
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.fillRect(QRect(0, 0, w, h), options.Background);
    canvas.setBrush(Qt::white);
    canvas.setPen(QPen(Qt::black, 1));
    // From (1, 1) to the label's size, right and bottom exclusive, corners 10 x 10.
    canvas.drawRoundedRect(QRect(1, 1, w - 2, h - 2), 5, 5);
    canvas.setClipPath(clip);

    if (document.ShowGrid()) {
        canvas.setPen(QPen(kGridColor, 1, Qt::DotLine));
        for (int32_t x : GridLinePositions(GridStep(ScreenPixelsPerInchX(), options.MetricGrid), w))
            canvas.drawLine(x, 2, x, h - 2);
        for (int32_t y : GridLinePositions(GridStep(ScreenPixelsPerInchY(), options.MetricGrid), h))
            canvas.drawLine(2, y, w - 2, y);
    }

    for (const auto& c : document.Controls())
        PaintControl(canvas, *c, options);
    canvas.restore();
}
