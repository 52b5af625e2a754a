#include "document/LabelGeometry.h"

#include "platform/Rounding.h"
#include "platform/Units.h"

#include <algorithm>
#include <cmath>

namespace {
// Products of label pixels and zooms such as 0.33 or 0.67 land a hair off whole numbers.
constexpr double kEpsilon = 1e-7;

bool In(int64_t x, int64_t y, int64_t x0, int64_t x1, int64_t y0, int64_t y1) {
    return x >= x0 && x < x1 && y >= y0 && y < y1;
}

int32_t Clamped(double v) {
    return int32_t(std::clamp<double>(v, INT32_MIN, INT32_MAX));
}
} // namespace

TDragMode HandleAt(const TRect& box, int32_t x, int32_t y, double zoom) {
    const int64_t l = box.Left, t = box.Top, r = box.Right, b = box.Bottom;
    const int64_t s = LabelDistance(3, zoom);
    if (In(x, y, r - s, r + s, b - s, b + s))
        return dmBottomRight;
    if (In(x, y, r - s, r + s, t + s, b - s))
        return dmRight;
    if (In(x, y, l + s, r - s, b - s, b + s))
        return dmBottom;
    if (In(x, y, l - s, l + s, t + s, b - s))
        return dmLeft;
    if (In(x, y, l + s, r - s, t - s, t + s))
        return dmTop;
    return dmMove;
}

bool HitsWithSlack(const TRect& box, int32_t x, int32_t y, double zoom) {
    const int64_t s = LabelDistance(5, zoom);
    return In(x, y, box.Left - s, box.Right + s, box.Top - s, box.Bottom + s);
}

int32_t LabelDistance(int32_t screenPixels, double zoom) {
    if (zoom <= 0)
        return screenPixels;
    return std::max(1, Clamped(std::ceil(screenPixels / zoom - kEpsilon)));
}

int32_t ZoomedEdge(int32_t v, double zoom) {
    if (zoom == 1)
        return v;
    return Clamped(std::ceil(v * zoom - kEpsilon));
}

int32_t LabelPixelAt(double screen, double zoom) {
    if (zoom == 1 || zoom <= 0)
        return Clamped(std::floor(screen));
    return Clamped(std::floor(screen / zoom + kEpsilon));
}

QPoint LabelPointAt(const QPointF& screen, double zoom) {
    return QPoint(LabelPixelAt(screen.x(), zoom), LabelPixelAt(screen.y(), zoom));
}

QRect ZoomedBox(const TRect& box, double zoom) {
    const int32_t l = ZoomedEdge(box.Left, zoom), t = ZoomedEdge(box.Top, zoom);
    return QRect(l, t, ZoomedEdge(box.Right, zoom) - l, ZoomedEdge(box.Bottom, zoom) - t);
}

QRect ZoomedRect(const QRect& rect, double zoom) {
    return ZoomedBox(TRect::FromBox(rect.x(), rect.y(), rect.width(), rect.height()), zoom);
}

std::vector<int32_t> GridLinePositions(double step, int32_t extent, double zoom) {
    std::vector<int32_t> lines;
    if (step <= 0)
        return lines;
    double x = 1;
    for (;;) {
        x += step;
        if (!(extent >= x))
            break;
        const int32_t p = RoundHalfEven(x);
        if (p <= extent)
            lines.push_back(zoom == 1 ? p : RoundHalfEven(x * zoom));
    }
    return lines;
}

double GridStep(int32_t pixelsPerInch, bool metric) {
    return metric ? pixelsPerInch / CentimetresPerInch / 2.0 : pixelsPerInch / 4.0;
}
