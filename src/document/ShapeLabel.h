#pragma once

#include "document/lblobjs.h"

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

// Draws a shape of the given format into a width x height area at the painter's origin, with the
// insets that keep a pen of penWidth inside it. Shared by the screen and the printer.
struct TShapeStyle {
    uint8_t Format = sfRectangle;
    int32_t PenWidth = 1;
    TColor PenColor = clBlack;
    uint8_t BrushStyle = bsSolid;
    TColor BrushColor = clWhite;
    uint8_t HAlign = 2;
    uint8_t VAlign = 2;
};
void DrawShape(QPainter& p, const TShapeStyle& style, int32_t width, int32_t height);

// A rectangle given by its edges, right and bottom exclusive, as the centre line of a pen that
// must stay inside those edges (screen and printer outlines alike).
QRectF PenFrame(int32_t left, int32_t top, int32_t right, int32_t bottom);

// The colour that fills the background of a shape image and is made transparent: the fill colour
// inverted, with black replaced by the value 1 so it never equals a black outline.
TColor ShapeBackground(TColor fill);
// Whether a shape is drawn opaque: only a filled rectangle is.
bool ShapeIsOpaque(uint8_t format, uint8_t brushStyle);
