#pragma once

#include <array>

// The zooms of the design surface, in percent: Zoom In and Zoom Out walk these steps.
inline constexpr std::array<int, 11> ZoomSteps{25, 33, 50, 67, 100, 150, 200, 300, 400, 600, 800};
inline constexpr int ActualSizeZoom = 100;

// The next step above percent (which may lie between steps), or the largest.
int ZoomInFrom(int percent);
// The next step below percent, or the smallest.
int ZoomOutFrom(int percent);
// percent held inside the smallest and the largest step (a stored value may be anything).
int ClampZoom(int percent);
// The largest whole percent at which a label of labelWidth x labelHeight fits in an area of
// areaWidth x areaHeight, held inside the steps.
int FittingZoom(int labelWidth, int labelHeight, int areaWidth, int areaHeight);
