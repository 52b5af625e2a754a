#include "BarRecorder.h"

#include "barcode/BarcodePainter.h"
#include "barcode/PrnBarcode.h"

#include <QPainter>

QImage RenderSymbol(TBarcodeType type, const QString& data, int32_t m, int rotation, bool interpret,
                    int32_t cross, int32_t margin) {
    const int32_t extent = SymbolExtent(type, data, m);
    const bool vertical = IsVertical(rotation);
    const int32_t w = (vertical ? cross : extent) + 2 * margin;
    const int32_t h = (vertical ? extent : cross) + 2 * margin;
    QImage image(w, h, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("Courier New")));
    DrawBarcode(painter, type, margin, margin, m, cross, data, interpret, rotation, false);
    return image;
}
