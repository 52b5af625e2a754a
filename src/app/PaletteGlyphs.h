#pragma once

#include <QIcon>

#include <cstdint>

class QPainter;
class QRect;
class QColor;

// The pictures on the palette's buttons, drawn rather than loaded so that they follow the
// palette's own colours and sizes.
enum class TPaletteGlyph {
    BringToFront,
    SendToBack,
    AutoSize,
    Transparent,
    Rotate0,
    Rotate90,
    Rotate180,
    Rotate270,
};

inline constexpr int PaletteGlyphSize = 16;

QIcon PaletteGlyph(TPaletteGlyph glyph);
// A shape button: the shape drawn as it would be on the label.
QIcon ShapeGlyph(uint8_t shapeFormat);

// The caption's pin: upright (pinned, the palette stays open) while autoExpand is off, lying
// down while the palette rolls itself up.
void PaintPinGlyph(QPainter& painter, const QRect& rect, bool autoExpand, const QColor& ink);
// The caption's close cross.
void PaintCloseGlyph(QPainter& painter, const QRect& rect, const QColor& ink);
