#pragma once

#include "document/lblobjs.h"

#include <QPoint>
#include <QRect>

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

// The handle of box under (x, y): the corner and edge strips are 6 screen pixels wide around
// the box's edges, tested corner first; anything else moves the control. zoom is screen pixels
// per label pixel: the strips keep their size on screen, at least one label pixel either side.
TDragMode HandleAt(const TRect& box, int32_t x, int32_t y, double zoom = 1);

// Whether a press at (x, y) hits box with the 5-screen-pixel slack that makes thin controls easy
// to take.
bool HitsWithSlack(const TRect& box, int32_t x, int32_t y, double zoom = 1);

// A distance of screenPixels on screen in whole label pixels at zoom: at least 1.
int32_t LabelDistance(int32_t screenPixels, double zoom);

// The view's mapping between label pixels and screen pixels at zoom. A label pixel v starts at
// screen pixel ZoomedEdge(v); a screen pixel lies on label pixel LabelPixelAt(s), so whole
// zooms make every label pixel zoom screen pixels wide.
int32_t ZoomedEdge(int32_t v, double zoom);
int32_t LabelPixelAt(double screen, double zoom);
QPoint LabelPointAt(const QPointF& screen, double zoom);
// The screen rectangle of a label box (right and bottom exclusive) and of a label QRect.
QRect ZoomedBox(const TRect& box, double zoom);
QRect ZoomedRect(const QRect& rect, double zoom);

// Positions of the grid lines along an axis of extent label pixels: every step pixels from 1,
// in screen pixels at zoom.
std::vector<int32_t> GridLinePositions(double step, int32_t extent, double zoom = 1);

// The grid step in pixels: half centimetres when metric, quarter inches otherwise.
double GridStep(int32_t pixelsPerInch, bool metric);
