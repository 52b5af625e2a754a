#pragma once

#include "barcode/Matrix2D.h"

#include <ZXing/BarcodeFormat.h>
#include <ZXing/Result.h>

#include <QImage>
#include <QString>

#include <string>

// Drawing two-dimensional symbols into grey images and reading them back with zxing-cpp.

// A type of symbol and data it carries, for tests that go through the types.
struct TSymbolCase {
    TBarcodeType type;
    const char* data;
};

// The symbol m pixels per module, with its interpretation line in the control's default face
// when interpret is set, on white with a margin around it.
QImage RenderMatrix(TBarcodeType type, const QString& data, const TMatrixOptions& options,
                    int32_t m, int rotation, bool interpret, int32_t margin = 12);

// zxing-cpp's format for a two-dimensional type.
ZXing::BarcodeFormat MatrixFormat(TBarcodeType type);

// The first symbol of the format zxing-cpp finds in a grey image.
ZXing::Result ReadMatrix(const QImage& image, ZXing::BarcodeFormat format);

// The text found, or "<no symbol>".
std::string DecodedText(const QImage& image, TBarcodeType type);

// Bracketed GS1 data as a decoder returns it: identifiers and values run together, a group
// separator after each value of varying length that is not the last.
std::string Gs1ElementString(const std::string& bracketed);
