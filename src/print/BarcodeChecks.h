#pragma once

#include "barcode/BarcodeTypes.h"
#include <QString>
#include <QStringList>

// The problems of a barcode's data that show before anything is drawn: characters the type
// cannot carry, a length it does not take (so the symbol pads or cuts), a carried check digit
// that differs from the computed one, and data that leaves nothing to draw. Each problem is one
// line of text; none for good data.
QStringList BarcodeDataProblems(TBarcodeType type, const QString& text);

// A text for quoting in a message: control characters shown as \xNN, cut after 60 characters.
QString Quoted(const QString& text);
