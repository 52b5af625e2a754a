#include "print/SymbolDecode.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/Code128.h"
#include "barcode/Code39.h"
#include "barcode/Interleaved2of5.h"
#include "barcode/PrnBarcode.h"
#include "barcode/UpcEan.h"

#include <QImage>

#include <ZXing/ReadBarcode.h>

#include <cstring>

namespace {
using F = ZXing::BarcodeFormat;

// A canvas straight onto an 8-bit image: no painter, so reading back costs little more than
// the decoder itself.
class TImageBarCanvas final : public TBarCanvas {
public:
    explicit TImageBarCanvas(QImage& image) : m_image(image) {}
    void FillBar(int32_t left, int32_t top, int32_t width, int32_t height) override {
        const QRect r = QRect(left, top, width, height).intersected(m_image.rect());
        for (int32_t y = r.top(); y <= r.bottom(); ++y)
            std::memset(m_image.scanLine(y) + r.left(), 0, size_t(r.width()));
    }

private:
    QImage& m_image;
};

F FormatOf(TBarcodeType type) {
    switch (type) {
    case btCode128:
    case btEan128:
    case btSsc14:
    case btSscc18:
        return F::Code128;
    case btCode39:
    case btCode39Extended:
    case btCode39Mod43:
    case btCode39Mod10:
        return F::Code39;
    case btCode93:
        return F::Code93;
    case btUpcA:
        return F::UPCA;
    case btEan13:
        return F::EAN13;
    case btEan8:
        return F::EAN8;
    case btUpcE:
        return F::UPCE;
    case btInterleaved2of5:
    case btSsc14Itf:
        return F::ITF;
    default:
        return F::None;
    }
}

void EngineBars(TBarCanvas& canvas, TBarcodeType type, int32_t x, int32_t y, int32_t m,
                int32_t barLength, const QString& data) {
    DrawBarcodeBars(canvas, type, x, y, m, barLength, data, false, 0);
}

// Bars of a few pixels suffice: a linear symbol is read along one row. ITF-14 frames its bars
// with bearers three modules thick, which must leave room between them.
constexpr int32_t ReadBarLength = 2;
constexpr int32_t BearerModules = 3;
constexpr int32_t ReadMargin = 1;
constexpr qsizetype MinItfDigits = 6;

int32_t BarLengthFor(TBarcodeType type, int32_t m) {
    return type == btSsc14Itf ? ReadBarLength + 2 * BearerModules * m : ReadBarLength;
}
} // namespace

bool CanReadBack(TBarcodeType type, const QString& data) {
    if (FormatOf(type) == F::None || data.isEmpty())
        return false;
    // The decoder takes an Interleaved 2 of 5 symbol of fewer digits for a misread.
    return type != btInterleaved2of5 || ExpectedReading(type, data).size() >= MinItfDigits;
}

QString ExpectedReading(TBarcodeType type, const QString& data) {
    switch (type) {
    case btCode39Mod43:
        return data + Code39CheckCharacter(data, 43);
    case btCode39Mod10:
        return data + Code39CheckCharacter(data, 10);
    case btUpcA:
        return UpcADigits(data);
    case btEan13:
        return Ean13Digits(data);
    case btEan8:
        return Ean8Digits(data);
    case btUpcE:
        // read as the number system, the six digits and the check digit
        return QStringLiteral("0") + LeftPad(data, 6) + UpcECheckDigit(data);
    case btInterleaved2of5:
        return data.size() % 2 ? QStringLiteral("0") + data : data;
    case btSsc14Itf:
        return Ssc14ItfDigits(data);
    case btSsc14:
        return Ssc14Digits(data);
    case btSscc18:
        return Sscc18Digits(data);
    default:
        return data;
    }
}

TReading ReadBackSymbol(TBarcodeType type, const QString& data, int32_t m,
                        const TBarsDrawer& draw) {
    TReading reading;
    const F format = FormatOf(type);
    if (format == F::None || data.isEmpty() || m < 1)
        return reading;
    const int32_t extent = SymbolExtent(type, data, m);
    const int32_t barLength = BarLengthFor(type, m);
    QImage image(extent + 2 * ReadMargin, barLength + 2 * ReadMargin, QImage::Format_Grayscale8);
    if (image.isNull())
        return reading;
    image.fill(0xff);
    TImageBarCanvas canvas(image);
    (draw ? draw : TBarsDrawer(EngineBars))(canvas, type, ReadMargin, ReadMargin, m, barLength,
                                            data);
    const ZXing::ImageView view(image.constBits(), image.width(), image.height(),
                                ZXing::ImageFormat::Lum, int(image.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(format)
        .setIsPure(true)
        .setTryHarder(false)
        .setTryRotate(false)
        .setTryCode39ExtendedMode(type == btCode39Extended);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (result.isValid()) {
        reading.Read = true;
        reading.Text = QString::fromStdString(result.text());
    }
    return reading;
}
