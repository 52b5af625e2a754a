#include "document/LabelGeometry.h"

#include "platform/Rounding.h"
#include "platform/Units.h"

namespace {
bool In(int32_t x, int32_t y, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    return x >= x0 && x < x1 && y >= y0 && y < y1;
}
} // namespace

TDragMode HandleAt(const TRect& box, int32_t x, int32_t y) {
    const int32_t l = box.Left, t = box.Top, r = box.Right, b = box.Bottom;
    if (In(x, y, r - 3, r + 3, b - 3, b + 3))
        return dmBottomRight;
    if (In(x, y, r - 3, r + 3, t + 3, b - 3))
        return dmRight;
    if (In(x, y, l + 3, r - 3, b - 3, b + 3))
        return dmBottom;
    if (In(x, y, l - 3, l + 3, t + 3, b - 3))
        return dmLeft;
    if (In(x, y, l + 3, r - 3, t - 3, t + 3))
        return dmTop;
    return dmMove;
}

bool HitsWithSlack(const TRect& box, int32_t x, int32_t y) {
    return In(x, y, box.Left - 5, box.Right + 5, box.Top - 5, box.Bottom + 5);
}

std::vector<int32_t> GridLinePositions(double step, int32_t extent) {
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
            lines.push_back(p);
    }
    return lines;
}

double GridStep(int32_t pixelsPerInch, bool metric) {
    return metric ? pixelsPerInch / CentimetresPerInch / 2.0 : pixelsPerInch / 4.0;
}
