#include "MatrixSupport.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/MatrixPainter.h"

#include <ZXing/ReadBarcode.h>

#include <QPainter>

#include <set>

namespace {
constexpr int32_t OneLineRoom = 1 << 20;

// The control's face at 8 points on a 96 pixels per inch screen.
QFont TextFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(11);
    return font;
}
} // namespace

QImage RenderMatrix(TBarcodeType type, const QString& data, const TMatrixOptions& options,
                    int32_t m, int rotation, bool interpret, int32_t margin) {
    const TMatrixEncoding e = EncodeMatrix(type, data, options);
    if (!e.Valid())
        return {};
    const QFont font = TextFont();
    // the text on one line, as in a box wider than it
    const TMatrixText text = LayoutMatrixText(type, data, font, nullptr, OneLineRoom, interpret);
    const int32_t band = text.Depth();
    const TMatrixGeometry size = MatrixGeometry(e.matrix, 0, 0, m, band, rotation, text.width);
    QImage image(size.box.width() + 2 * margin, size.box.height() + 2 * margin,
                 QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    const TMatrixGeometry g =
        MatrixGeometry(e.matrix, margin, margin, m, band, rotation, text.width);
    DrawMatrixBarcode(painter, e.matrix, g, text, font, false);
    return image;
}

ZXing::BarcodeFormat MatrixFormat(TBarcodeType type) {
    switch (type) {
    case btQrCode:
        return ZXing::BarcodeFormat::QRCode;
    case btDataMatrix:
    case btGs1DataMatrix:
        return ZXing::BarcodeFormat::DataMatrix;
    case btPdf417:
        return ZXing::BarcodeFormat::PDF417;
    default:
        return ZXing::BarcodeFormat::Aztec;
    }
}

ZXing::Result ReadMatrix(const QImage& image, ZXing::BarcodeFormat format) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(format).setTryHarder(true).setTryRotate(true);
    return ZXing::ReadBarcode(view, hints);
}

std::string DecodedText(const QImage& image, TBarcodeType type) {
    if (image.isNull())
        return "<not encoded>";
    const ZXing::Result r = ReadMatrix(image, MatrixFormat(type));
    return r.isValid() ? r.text() : std::string("<no symbol>");
}

std::string Gs1ElementString(const std::string& bracketed) {
    // identifiers whose values have a fixed length (GS1 General Specifications, figure 5.10.1-2)
    static const std::set<std::string> fixed = {"00", "01", "02", "03", "04", "11", "12", "13",
                                                "14", "15", "16", "17", "18", "19", "20", "31",
                                                "32", "33", "34", "35", "36", "41"};
    std::string out;
    size_t i = 0;
    while (i < bracketed.size() && bracketed[i] == '[') {
        const size_t close = bracketed.find(']', i);
        const std::string ai = bracketed.substr(i + 1, close - i - 1);
        size_t next = bracketed.find('[', close);
        const std::string value = bracketed.substr(close + 1, next - close - 1);
        out += ai + value;
        if (next != std::string::npos && !fixed.count(ai.substr(0, 2)))
            out += '\x1D';
        i = next;
    }
    return out;
}
