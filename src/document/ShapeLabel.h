#pragma once

#include "document/lblobjs.h"

class QPainter;

#include <QPolygon>
#include <QRect>
#include <QRectF>
#include <Qt>

enum TShapeFormat : uint8_t {
    sfRectangle = 0,
    sfEllipse = 1,
    sfTriangle = 2,
    sfRoundRect = 3,
    sfHorizontalLine = 4,
    sfVerticalLine = 5,
};

// Fill styles as stored in label files.
enum TBrushStyle : uint8_t {
    bsSolid = 0,
    bsClear = 1,
    bsHorizontal = 2,
    bsVertical = 3,
    bsFDiagonal = 4,
    bsBDiagonal = 5,
    bsCross = 6,
    bsDiagCross = 7,
};
Qt::BrushStyle ToQtBrushStyle(uint8_t style);

// A rectangle, ellipse, triangle, rounded rectangle or line with an outline and a fill.
class TShapeLabel : public TLabelControl {
public:
    TShapeLabel();
    void Draw() override;
    QImage ZoomedImage(double zoom) const override;
    std::unique_ptr<TLabelControl> CreateSameKind() const override;
    void CopyKindProperties(const TLabelControl& source) override;

    uint8_t ShapeFormat() const { return m_shapeFormat; }
    void SetShapeFormat(uint8_t v);
    int32_t PenWidth() const { return m_penWidth; }
    void SetPenWidth(int32_t w);
    TColor PenColor() const { return m_penColor; }
    void SetPenColor(TColor c);
    uint8_t BrushStyle() const { return m_brushStyle; }
    void SetBrushStyle(uint8_t s);
    TColor BrushColor() const { return m_brushColor; }
    void SetBrushColor(TColor c);

private:
    uint8_t m_shapeFormat = sfRectangle;
    int32_t m_penWidth = 1;
    TColor m_penColor = clBlack;
    uint8_t m_brushStyle = bsSolid;
    TColor m_brushColor = clWhite;
};

// How a shape's pen, fill and format look.
struct TShapeStyle {
    uint8_t Format = sfRectangle;
    int32_t PenWidth = 1;
    TColor PenColor = clBlack;
    uint8_t BrushStyle = bsSolid;
    TColor BrushColor = clWhite;
    uint8_t HAlign = 2;
    uint8_t VAlign = 2;
};

// How the outline sits in the box, which is where the screen and the paper differ. The screen
// draws into the control's own image, W x H pixels whose last column and row are W-1 and H-1:
// the pen keeps half its width inside the near edges and the rest inside the far ones, points on
// the far side name that last pixel, and rounded corners follow the outline. The paper draws at
// printer resolution with the pen scaled: an odd half-pen is rounded up by one screen pixel's
// worth of printer pixels, as labels have always printed, points are measured from the box's
// edges themselves (there is no last pixel to name), and corners follow the whole box.
struct TShapeOutline {
    int32_t Pen = 1;                // pen width in the target's pixels; 0 or less draws no outline
    int32_t Near = 0;               // from the left and top edges to the pen's centre line
    int32_t Far = 0;                // from the right and bottom edges
    int32_t LastPixel = 1;          // 1 where far-side points name pixels of an image, 0 on paper
    bool CornersFromOutline = true; // rounded corners sized from the outline, not the whole box
    bool operator==(const TShapeOutline&) const = default;
};
TShapeOutline ScreenOutline(int32_t penWidth);
// scaleX and scaleY: printer pixels per screen pixel.
TShapeOutline PaperOutline(int32_t penWidth, double scaleX, double scaleY);

// Where a shape lands: the frame of a rectangle, ellipse or rounded rectangle (with its corner
// radius), or the corners of a triangle, or the two ends of a line.
struct TShapeGeometry {
    QRectF Frame;
    qreal Radius = 0;
    QPolygon Points;
    bool operator==(const TShapeGeometry&) const = default;
};
TShapeGeometry ShapeGeometry(const TShapeStyle& style, const QRect& box,
                             const TShapeOutline& outline);

// Draws the shape in box on screen and paper alike. It sets the painter's pen, brush and
// antialiasing and leaves them so, as the page's drawing of every kind does.
void PaintShape(QPainter& p, const TShapeStyle& style, const QRect& box,
                const TShapeOutline& outline);
// The screen's drawing into a width x height area at the painter's origin, state kept.
void DrawShape(QPainter& p, const TShapeStyle& style, int32_t width, int32_t height);

// A rectangle given by its edges, right and bottom exclusive, as the centre line of a pen that
// must stay inside those edges (screen and printer outlines alike).
QRectF PenFrame(int32_t left, int32_t top, int32_t right, int32_t bottom);

// The colour that fills the background of a shape image and is made transparent: the fill colour
// inverted, with black replaced by the value 1 so it never equals a black outline.
TColor ShapeBackground(TColor fill);
// Whether a shape is drawn opaque: only a filled rectangle is.
bool ShapeIsOpaque(uint8_t format, uint8_t brushStyle);
