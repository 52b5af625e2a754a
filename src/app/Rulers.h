#pragma once

#include <QColor>
#include <QFont>

#include <cstdint>

class QPainter;

// The rulers above and left of the label. offset is the label's left (or top) in the design
// panel, so the marks scroll with it; metric draws centimetres instead of inches; zoom is the
// design surface's screen pixels per label pixel, so the marks stand where the label's inches
// and centimetres are shown.
struct TRulerStyle {
    QColor Background; // the button-highlight colour
    QColor Lettering;  // the window-text colour
    QFont Font;        // 8-point monospace
};

// The ruler font: the desktop's 8-point monospace face (there is no Lucida Console on Linux).
QFont RulerFont();

void DrawHorizontalRuler(QPainter& box, int32_t width, int32_t height, int32_t offset, bool metric,
                         int32_t pixelsPerInch, const TRulerStyle& style, double zoom = 1);
void DrawVerticalRuler(QPainter& box, int32_t width, int32_t height, int32_t offset, bool metric,
                       int32_t pixelsPerInch, const TRulerStyle& style, double zoom = 1);
