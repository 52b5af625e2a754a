// Two-dimensional symbols encoded by libzint and drawn with merged runs at printer resolution:
// a 100-character QR Code and a 40-character GS1 DataMatrix, as a merged label draws them.

#include "barcode/BarcodeTypes.h"
#include "barcode/Matrix2D.h"
#include "barcode/MatrixPainter.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

namespace {

void EncodeAndDraw(benchmark::State& state, TBarcodeType type, const QString& base) {
    QImage image(1200, 1200, QImage::Format_RGB32);
    QPainter painter(&image);
    const QFont font(QStringLiteral("Courier New"));
    int n = 0;
    for (auto _ : state) {
        // a different record each time, as in a merged run
        QString data = base;
        data.replace(data.size() - 4, 4, QString::number(1000 + n++ % 9000));
        const TMatrixEncoding e = EncodeMatrix(type, data, {});
        if (!e.Valid()) {
            state.SkipWithError("refused");
            break;
        }
        const TMatrixGeometry g = MatrixGeometry(e.matrix, 0, 0, 6, 0, 0);
        DrawMatrixBarcode(painter, e.matrix, g, TMatrixText(), font, false);
    }
    state.SetItemsProcessed(state.iterations());
}

void QrCode100(benchmark::State& state) {
    const QString data = QStringLiteral("https://tracking.example.com/parcels/v1/lookup?ref=") +
                         QString(45, QLatin1Char('A')) + QStringLiteral("0000");
    EncodeAndDraw(state, btQrCode, data.left(100));
}
void Gs1DataMatrix40(benchmark::State& state) {
    // 40 characters: GTIN, expiry, batch and serial
    EncodeAndDraw(state, btGs1DataMatrix,
                  QStringLiteral("[01]09501101530003[17]250101[10]AB[21]0000"));
}
BENCHMARK(QrCode100);
BENCHMARK(Gs1DataMatrix40);

} // namespace
