#pragma once

#include <QColor>
#include <QPainterPath>

#include <cstdint>
#include <functional>

class QPainter;
class TLabelDocument;
class TLabelControl;

// How the design surface shows a label beyond what is saved with it.
struct TLabelPaintOptions {
    bool ShowBorders = false;          // outline every control, not only the selected one
    bool MetricGrid = false;           // grid lines every half centimetre instead of quarter inch
    QColor Background = Qt::lightGray; // around the label's rounded corners
    // Whether the paper would cut what the control shows (outlined in red); none when unset.
    std::function<bool(const TLabelControl&)> HasProblem;
};

// The painting clip of a label of this size in pixels: a rounded rectangle inside the border.
QPainterPath LabelClipRegion(int32_t width, int32_t height);

// Draws the whole label at true size, origin at its top-left corner: the white rounded label,
// the grid when the document shows it, and every control in stacking order with its selection
// marks. Controls whose picture is out of date are drawn again first.
void PaintLabel(QPainter& canvas, const TLabelDocument& document, const TLabelPaintOptions& options,
                const QPainterPath& clip);

// The area a control's picture, outline and handles cover: what must be drawn again when it
// changes.
QRect ControlPaintArea(int32_t left, int32_t top, int32_t width, int32_t height);
