#pragma once

#include "barcode/BarcodeTypes.h"
#include <QFont>
#include <QList>
#include <QStringList>

#include <cstdint>

class QPaintDevice;

// The interpretation line of a two-dimensional symbol, word-wrapped into the width of its
// control's box: the screen, the page and the preflight check all lay it out here, so that what
// the check measures is what paper shows.
struct TMatrixText {
    QStringList lines;      // none when the line is off
    QList<int32_t> widths;  // of each line
    int32_t lineHeight = 0; // the font's line height in device pixels
    int32_t width = 0;      // the widest line
    int32_t room = 0;       // the width it was wrapped into

    int32_t Depth() const { return int32_t(lines.size()) * lineHeight; }
    // A word wider than the room stands alone on its line and reaches past the box.
    bool Overflows() const { return width > room; }
    // The first line that reaches past the room (a single word), or an empty string.
    QString WidestWord() const;
};

// The text of the symbol's data in font (device nullptr: the screen's metrics) broken between
// words into lines no wider than width where the words allow; no line when interpret is off
// or the text is empty.
TMatrixText LayoutMatrixText(TBarcodeType type, const QString& data, const QFont& font,
                             const QPaintDevice* device, int32_t width, bool interpret);
