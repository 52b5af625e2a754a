#pragma once

#include <QSize>
#include <QString>

#include <cstdint>

// What the palette's Image page shows of an image control and how it turns the two scale
// percentages into a new box size. Sizes are screen pixels; the picture size is the picture's
// own.

struct TImageSizeTexts {
    QString Height; // "0.26 inches" or "0.661 cm"
    QString Width;
    QString ScaleHeight; // percent of the picture, without the sign
    QString ScaleWidth;
};

// ppiX and ppiY: the screen's pixels per inch.
TImageSizeTexts ImageSizeTexts(QSize box, QSize picture, bool metric, int32_t ppiX, int32_t ppiY);

// The box's share of the picture along one side, in percent (0 for a picture with no size).
double ScalePercent(int32_t boxLength, int32_t pictureLength);

enum class TScaleField { Height, Width };

struct TImageScaleResult {
    QSize Size;          // the new box size, before the control's minimum size applies
    QString ScaleHeight; // the two fields as they must read afterwards
    QString ScaleWidth;
};

// The field texts as the user left them; left: the field that was left or confirmed, whose
// percentage sizes both sides when keepAspect is set. A width outside 0 < p < 10000 or a height
// outside 0 <= p < 10000 (or text that is no number) falls back to the current scale.
TImageScaleResult ApplyImageScaleRule(const QString& scaleHeight, const QString& scaleWidth,
                                      TScaleField left, bool keepAspect, QSize box, QSize picture);
