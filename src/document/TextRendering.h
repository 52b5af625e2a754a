#pragma once

#include "document/Colors.h"

#include <QFont>
#include <QFontMetrics>
#include <QRgb>
#include <QSize>
#include <QString>

#include <cstdint>

class QPainter;
class QPaintDevice;

// Text drawing shared by the screen and the printer.

// Texts, formatted texts and barcodes draw at most this many characters: far more than fits
// on any label, and few enough that laying one out takes a moment whatever a data file holds.
inline constexpr qsizetype MaxDrawnTextLength = 64 * 1024;
// text cut to MaxDrawnTextLength characters (never between the halves of a surrogate pair);
// shorter texts are returned as they are.
QString TextForDrawing(const QString& text);

// The longest side, in pixels at resolution, of an image a control renders into: as long as the
// largest label (100 inches). What would need more is cut there.
int32_t MaxImageSide(int32_t resolution);

// Width and height of one line of text; the height is the font's full line height even for an
// empty text, whose width is 0.
QSize TextExtent(const QFontMetrics& fm, const QString& text);

// The background of a text image: white, or black when a transparent control has white text
// (white on white would vanish once white is made transparent).
QRgb TextBackground(bool transparent, TColor fontColor);

// Draws one line turned clockwise by rotation quarter turns, so that it lies inside an image of
// imageSize (extent is the unrotated text size): 1 reads downwards, 3 upwards. The painter's
// font and pen are left set to the text's.
void DrawRotatedText(QPainter& p, const QFont& font, const QColor& colour, const QString& text,
                     int rotation, const QSize& imageSize, const QSize& extent);

// Size of text word-wrapped into width pixels. Measured left-aligned: a word longer than the
// width widens the result to the right instead of growing it leftwards.
QSize WrappedTextExtent(const QFont& font, const QString& text, int width, int hAlign);

// Draws text word-wrapped into rect, aligned left (0), right (1) or centre (2). The painter's
// font and pen are left set to the text's.
void DrawWrappedText(QPainter& p, const QFont& font, const QColor& colour, const QString& text,
                     const QRect& rect, int hAlign);

// Text that shrinks to fit its box is never drawn smaller than this.
inline constexpr double MinFittedPoints = 4.0;

// The font at which text fits room, both in pixels of a device of pixelsPerInch: the largest
// whole pixel size, no larger than font's own, at which one line (wrapped false; room is the
// line's unrotated length and height) or the text word-wrapped into room's width (wrapped true)
// lies inside room. font has its pixel size set for the device; device gives single lines'
// metrics (nullptr: the screen's). Where even MinFittedPoints does not fit, the font at
// MinFittedPoints, and fits is false.
struct TFittedFont {
    QFont font;
    bool fits = true;
};
TFittedFont FitTextFont(const QFont& font, const QString& text, const QSize& room, bool wrapped,
                        int32_t pixelsPerInch, const QPaintDevice* device = nullptr);
