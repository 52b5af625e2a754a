#pragma once

#include "document/lblobjs.h"

#include <vector>

// Mouse modes of the label: what a press on the selected control grabs.
enum TDragMode : uint8_t {
    dmIdle = 0,
    dmMove = 1,
    dmBottom = 2,
    dmRight = 3,
    dmBottomRight = 4,
    dmLeft = 5,
    dmTop = 6,
};

// The handle of box under (x, y): the corner and edge strips are 6 pixels wide around the
// box's edges, tested corner first; anything else moves the control.
TDragMode HandleAt(const TRect& box, int32_t x, int32_t y);

// Whether a press at (x, y) hits box with the 5-pixel slack that makes thin controls easy to take.
bool HitsWithSlack(const TRect& box, int32_t x, int32_t y);

// Positions of the grid lines along an axis of extent pixels: every step pixels from 1.
std::vector<int32_t> GridLinePositions(double step, int32_t extent);

// The grid step in pixels: half centimetres when metric, quarter inches otherwise.
double GridStep(int32_t pixelsPerInch, bool metric);
