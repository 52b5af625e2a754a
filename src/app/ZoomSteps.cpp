#include "app/ZoomSteps.h"

#include <algorithm>
#include <cmath>

int ZoomInFrom(int percent) {
    for (int step : ZoomSteps)
        if (step > percent)
            return step;
    return ZoomSteps.back();
}

int ZoomOutFrom(int percent) {
    for (auto it = ZoomSteps.rbegin(); it != ZoomSteps.rend(); ++it)
        if (*it < percent)
            return *it;
    return ZoomSteps.front();
}

int ClampZoom(int percent) {
    return std::clamp(percent, ZoomSteps.front(), ZoomSteps.back());
}

int FittingZoom(int labelWidth, int labelHeight, int areaWidth, int areaHeight) {
    if (labelWidth <= 0 || labelHeight <= 0 || areaWidth <= 0 || areaHeight <= 0)
        return ActualSizeZoom;
    const double fit = std::min(100.0 * areaWidth / labelWidth, 100.0 * areaHeight / labelHeight);
    return ClampZoom(int(std::floor(fit + 1e-9)));
}
