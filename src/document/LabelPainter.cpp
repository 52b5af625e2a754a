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
const QColor kGuideColor(0xFF, 0x00, 0xFF); // magenta: unlike anything a label shows
constexpr int32_t kHandle = 4;              // handle side in screen pixels

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

// The label box the control's picture fills: the picture cut to the box, placed by alignment.
TRect PictureBox(const TLabelControl& c) {
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
    return TRect::FromBox(x, y, w, h);
}

void PaintPicture(QPainter& canvas, TLabelControl& c, const TLabelPaintOptions& options) {
    const TRect box = PictureBox(c);
    if (box.Width() <= 0 || box.Height() <= 0)
        return;
    const QRect target = ZoomedBox(box, options.Zoom);
    if (options.Pictures) {
        const QImage& picture = options.Pictures->Picture(c, options.Zoom);
        canvas.drawImage(target.topLeft(), picture, QRect(QPoint(0, 0), target.size()));
        return;
    }
    TZoomedPictures once;
    canvas.drawImage(target.topLeft(), once.Picture(c, options.Zoom),
                     QRect(QPoint(0, 0), target.size()));
}

void PaintControl(QPainter& canvas, TLabelControl& c, const TLabelPaintOptions& options,
                  bool handles) {
    PaintPicture(canvas, c, options);

    // The outline runs one screen pixel outside the box, right and bottom exclusive.
    const QRect box = ZoomedBox(c.Box(), options.Zoom);
    const QRect outline(box.x() - 1, box.y() - 1, box.width() + 1, box.height() + 1);
    if (c.Selected() || options.ShowBorders) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(c.Selected() ? QColor(Qt::black) : kUnselectedOutline, 1, Qt::DotLine));
        canvas.drawRect(outline);
    }
    if (options.HasProblem && options.HasProblem(c)) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(kProblemOutline, 1, Qt::SolidLine));
        canvas.drawRect(outline);
    }
    if (c.Selected() && handles) {
        const int32_t l = box.left(), t = box.top();
        const int32_t r = l + box.width(), b = t + box.height();
        for (const QPoint& p : {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b)})
            canvas.fillRect(QRect(p.x() - kHandle / 2, p.y() - kHandle / 2, kHandle, kHandle),
                            Qt::black);
    }
}

void PaintGrid(QPainter& canvas, const TLabelDocument& document, const TLabelPaintOptions& options,
               int32_t w, int32_t h, const QRect& area) {
    const int32_t labelWidth = document.LabelWidth(), labelHeight = document.LabelHeight();
    canvas.setPen(QPen(kGridColor, 1, Qt::DotLine));
    const double zoom = options.Zoom;
    int32_t top = 2, bottom = h - 2, left = 2, right = w - 2;
    if (zoom != 1) {
        // Lines are cut to the area, since a dotted line is dashed over its whole length however
        // little of it shows; they start on the dots' period, so pieces join as one line.
        const auto onPeriod = [](int32_t from) { return from - (from - 2) % 3; };
        top = onPeriod(std::max(2, area.top()));
        bottom = std::min(h - 2, area.bottom() + 1);
        left = onPeriod(std::max(2, area.left()));
        right = std::min(w - 2, area.right() + 1);
    }
    for (int32_t x :
         GridLinePositions(GridStep(ScreenPixelsPerInchX(), options.MetricGrid), labelWidth, zoom))
        if (x >= area.left() && x <= area.right() && top <= bottom)
            canvas.drawLine(x, top, x, bottom);
    for (int32_t y :
         GridLinePositions(GridStep(ScreenPixelsPerInchY(), options.MetricGrid), labelHeight, zoom))
        if (y >= area.top() && y <= area.bottom() && left <= right)
            canvas.drawLine(left, y, right, y);
}

void PaintOverlay(QPainter& canvas, const TLabelPaintOptions& options) {
    if (!options.RubberBand.isEmpty()) {
        const QRect band = ZoomedRect(options.RubberBand, options.Zoom);
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(Qt::black, 1, Qt::DotLine));
        canvas.drawRect(band.adjusted(0, 0, -1, -1));
    }
    if (!options.Guides.empty()) {
        canvas.setPen(QPen(kGuideColor, 1, Qt::SolidLine));
        for (const QLine& g : options.Guides)
            canvas.drawLine(ZoomedEdge(g.x1(), options.Zoom), ZoomedEdge(g.y1(), options.Zoom),
                            ZoomedEdge(g.x2(), options.Zoom), ZoomedEdge(g.y2(), options.Zoom));
    }
}

// Whether the area touches the label's rounded corners, where the clip is more than a rectangle.
bool TouchesCorners(const QRect& area, int32_t w, int32_t h) {
    constexpr int32_t r = 12;
    for (const QRect& corner : {QRect(0, 0, r, r), QRect(w - r, 0, r, r), QRect(0, h - r, r, r),
                                QRect(w - r, h - r, r, r)})
        if (area.intersects(corner))
            return true;
    return false;
}
} // namespace

const QImage& TZoomedPictures::Picture(const TLabelControl& c, double zoom) {
    TEntry& e = m_entries[&c];
    const qint64 source = c.Image().cacheKey();
    const QRgb key = c.TransparentColor();
    if (e.Picture.isNull() || e.Source != source || e.Zoom != zoom ||
        e.Transparent != c.Transparent() || (c.Transparent() && e.Key != key)) {
        QImage zoomed = c.ZoomedImage(zoom);
        e.Picture = c.Transparent() ? WithTransparency(zoomed, key) : std::move(zoomed);
        e.Source = source;
        e.Zoom = zoom;
        e.Transparent = c.Transparent();
        e.Key = key;
    }
    return e.Picture;
}

void TZoomedPictures::Keep(const TControlList& controls) {
    std::erase_if(m_entries, [&](const auto& entry) {
        return std::none_of(controls.begin(), controls.end(),
                            [&](const auto& c) { return c.get() == entry.first; });
    });
}

QPainterPath LabelClipRegion(int32_t width, int32_t height) {
    QPainterPath path;
    path.addRoundedRect(QRectF(3, 3, width - 4, height - 4), 5, 5);
    return path;
}

QRect ControlPaintArea(int32_t left, int32_t top, int32_t width, int32_t height) {
    // Two pixels left and top, three right and bottom: outlines and handles included.
    return QRect(left - 2, top - 2, width + 5, height + 5);
}

QRect ControlPaintArea(const TRect& box, double zoom) {
    const QRect r = ZoomedBox(box, zoom);
    return ControlPaintArea(r.x(), r.y(), r.width(), r.height());
}

QRect OverlayPaintArea(const QRect& rubberBand, const std::vector<QLine>& guides, double zoom) {
    QRect area;
    if (!rubberBand.isEmpty())
        area = ZoomedRect(rubberBand, zoom).adjusted(-1, -1, 1, 1);
    for (const QLine& g : guides) {
        const QPoint a(ZoomedEdge(g.x1(), zoom), ZoomedEdge(g.y1(), zoom));
        const QPoint b(ZoomedEdge(g.x2(), zoom), ZoomedEdge(g.y2(), zoom));
        area |= QRect(a, b).normalized().adjusted(-1, -1, 1, 1);
    }
    return area;
}

void PaintLabel(QPainter& canvas, const TLabelDocument& document, const TLabelPaintOptions& options,
                const QPainterPath& clip) {
    const double zoom = options.Zoom;
    const int32_t w = ZoomedEdge(document.LabelWidth(), zoom);
    const int32_t h = ZoomedEdge(document.LabelHeight(), zoom);
    const QRegion region = options.Area.isEmpty() ? QRegion(0, 0, w, h) : options.Area;
    const QRect area = region.boundingRect();
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.fillRect(QRect(0, 0, w, h) & area, options.Background);
    canvas.setBrush(Qt::white);
    canvas.setPen(QPen(Qt::black, 1));
    // From (1, 1) to the label's size, right and bottom exclusive, corners 10 x 10.
    canvas.drawRoundedRect(QRect(1, 1, w - 2, h - 2), 5, 5);
    // Away from the corners the rounded clip is the plain rectangle inside the border, which
    // costs far less on a large label.
    if (TouchesCorners(area, w, h))
        canvas.setClipPath(clip, Qt::IntersectClip);
    else
        canvas.setClipRect(QRect(3, 3, w - 4, h - 4), Qt::IntersectClip);

    if (document.ShowGrid())
        PaintGrid(canvas, document, options, w, h, area);

    const bool handles = document.SelectedIds().size() == 1;
    for (const auto& c : document.Controls()) {
        // Every out-of-date picture is drawn, seen or not: drawing may size the control.
        if (c->Dirty())
            c->Draw();
        if (region.intersects(ControlPaintArea(c->Box(), zoom)))
            PaintControl(canvas, *c, options, handles);
    }
    PaintOverlay(canvas, options);
    canvas.restore();
}
