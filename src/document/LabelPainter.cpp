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
// The most pixels an outline drawn whole may have (its image is kept while it is in use).
constexpr qint64 kLargestOutline = 2048 * 2048;

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

// Draws the source part of image at at, at most 64 rows at a time. Under the label's rounded
// clip the raster engine hands a taller image to its thread pool, and on a small machine the
// hand-over costs fifty times the drawing.
void DrawImageInBands(QPainter& canvas, const QPoint& at, const QImage& image,
                      const QRect& source) {
    constexpr int kBand = 64;
    for (int y = 0; y < source.height(); y += kBand)
        canvas.drawImage(at + QPoint(0, y), image,
                         QRect(source.x(), source.y() + y, source.width(),
                               std::min(kBand, source.height() - y)));
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
        DrawImageInBands(canvas, target.topLeft(), picture, QRect(QPoint(0, 0), target.size()));
        return;
    }
    TZoomedPictures once;
    DrawImageInBands(canvas, target.topLeft(), once.Picture(c, options.Zoom),
                     QRect(QPoint(0, 0), target.size()));
}

// A dotted line one pixel wide from..to (inclusive) across or down at position at: a dot on
// every third pixel counted from start, as a dotted pen draws a line begun at start. Copied from
// a strip of dots, so that a line painted in pieces has its dots where the whole line has them.
void DottedLine(QPainter& canvas, const QColor& colour, Qt::Orientation orientation, int32_t at,
                int32_t from, int32_t to, int32_t start) {
    if (from > to)
        return;
    const bool across = orientation == Qt::Horizontal;
    constexpr int32_t kStrip = 3 * 512;
    // The few strips in use are made once per thread: a paint draws dozens of lines.
    struct TDots {
        QRgb Colour;
        bool Across;
        QImage Strip;
    };
    thread_local std::vector<TDots> made;
    auto it = std::find_if(made.begin(), made.end(), [&](const TDots& d) {
        return d.Colour == colour.rgba() && d.Across == across;
    });
    if (it == made.end()) {
        QImage strip(across ? kStrip : 1, across ? 1 : kStrip, QImage::Format_ARGB32_Premultiplied);
        strip.fill(Qt::transparent);
        for (int32_t i = 0; i < kStrip; i += 3)
            strip.setPixelColor(across ? i : 0, across ? 0 : i, colour);
        if (made.size() >= 16)
            made.clear();
        made.push_back({colour.rgba(), across, std::move(strip)});
        it = made.end() - 1;
    }
    for (int32_t pos = from; pos <= to;) {
        const int32_t phase = int32_t(((int64_t(pos) - start) % 3 + 3) % 3);
        const int32_t n = std::min<int32_t>(to - pos + 1, kStrip - phase);
        DrawImageInBands(canvas, across ? QPoint(pos, at) : QPoint(at, pos), it->Strip,
                         across ? QRect(phase, 0, n, 1) : QRect(0, phase, 1, n));
        pos += n;
    }
}

QImage DrawnOutline(const QSize& size, const QColor& colour) {
    QImage outline(size + QSize(1, 1), QImage::Format_ARGB32_Premultiplied);
    outline.fill(Qt::transparent);
    QPainter p(&outline);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1, Qt::DotLine));
    p.drawRect(QRect(QPoint(0, 0), size));
    return outline;
}

// A dotted rectangle as drawRect draws it with a dotted pen, from x to x + w and y to y + h.
// A pen's dots start afresh wherever the painting is cut, so they would jump between the pieces
// of a repaint: at true size the outline is drawn whole once and copied edge by edge; zoomed,
// where a control's outline may be thousands of pixels long, the dots are set by DottedLine.
void DottedRect(QPainter& canvas, const QRect& r, const QColor& colour,
                const TLabelPaintOptions& options) {
    const int32_t x = r.x(), y = r.y(), w = r.width(), h = r.height();
    if (options.Zoom != 1 || !options.Pictures || qint64(w + 1) * (h + 1) > kLargestOutline) {
        DottedLine(canvas, colour, Qt::Horizontal, y, x, x + w, x);
        DottedLine(canvas, colour, Qt::Horizontal, y + h, x, x + w, x);
        DottedLine(canvas, colour, Qt::Vertical, x, y, y + h, y);
        DottedLine(canvas, colour, Qt::Vertical, x + w, y, y + h, y);
        return;
    }
    const QImage& outline = options.Pictures->Outline(r.size(), colour);
    for (const QRect& edge : {QRect(0, 0, w + 1, 1), QRect(0, h, w + 1, 1), QRect(0, 1, 1, h - 1),
                              QRect(w, 1, 1, h - 1)})
        if (!edge.isEmpty())
            DrawImageInBands(canvas, edge.topLeft() + QPoint(x, y), outline, edge);
}

void PaintControl(QPainter& canvas, TLabelControl& c, const TLabelPaintOptions& options,
                  bool handles) {
    PaintPicture(canvas, c, options);

    // The outline runs one screen pixel outside the box, right and bottom exclusive.
    const QRect box = ZoomedBox(c.Box(), options.Zoom);
    const QRect outline(box.x() - 1, box.y() - 1, box.width() + 1, box.height() + 1);
    if (c.Selected() || options.ShowBorders)
        DottedRect(canvas, outline, c.Selected() ? QColor(Qt::black) : kUnselectedOutline, options);
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
    const double zoom = options.Zoom;
    // Only what lies in the area is drawn: the lines of a large label are long.
    const int32_t top = std::max(2, area.top()), bottom = std::min(h - 2, area.bottom());
    const int32_t left = std::max(2, area.left()), right = std::min(w - 2, area.right());
    for (int32_t x : GridLinePositions(GridStep(ScreenPixelsPerInchX(), options.MetricGrid),
                                       document.LabelWidth(), zoom))
        if (x >= area.left() && x <= area.right())
            DottedLine(canvas, kGridColor, Qt::Vertical, x, top, bottom, 2);
    for (int32_t y : GridLinePositions(GridStep(ScreenPixelsPerInchY(), options.MetricGrid),
                                       document.LabelHeight(), zoom))
        if (y >= area.top() && y <= area.bottom())
            DottedLine(canvas, kGridColor, Qt::Horizontal, y, left, right, 2);
}

void PaintOverlay(QPainter& canvas, const TLabelPaintOptions& options) {
    if (!options.RubberBand.isEmpty()) {
        const QRect band = ZoomedRect(options.RubberBand, options.Zoom);
        DottedLine(canvas, Qt::black, Qt::Horizontal, band.top(), band.left(), band.right(),
                   band.left());
        DottedLine(canvas, Qt::black, Qt::Horizontal, band.bottom(), band.left(), band.right(),
                   band.left());
        DottedLine(canvas, Qt::black, Qt::Vertical, band.left(), band.top(), band.bottom(),
                   band.top());
        DottedLine(canvas, Qt::black, Qt::Vertical, band.right(), band.top(), band.bottom(),
                   band.top());
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

const QImage& TZoomedPictures::Outline(const QSize& size, const QColor& colour) {
    const quint64 key = (quint64(quint16(size.width())) << 48) |
                        (quint64(quint16(size.height())) << 32) | colour.rgb();
    auto it = m_outlines.find(key);
    // A resize draws outlines of many sizes: the old ones go once there are many.
    if (it == m_outlines.end() && m_outlines.size() >= 64)
        m_outlines.clear();
    if (it == m_outlines.end() || it->second.size() != size + QSize(1, 1))
        it = m_outlines.insert_or_assign(key, DrawnOutline(size, colour)).first;
    return it->second;
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
