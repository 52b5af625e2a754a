// Encoding and drawing speed of the barcode engine: Code 128 sequences built per second, and
// whole symbols (encode + draw into an image) per second.

#include "barcode/BarcodePainter.h"
#include "barcode/Code128.h"
#include "barcode/PrnBarcode.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

const QString Code128Data = QStringLiteral("VT-2024/ABC 12345678"); // 20 characters
const QString Ean13Data = QStringLiteral("400638133393");

void BuildSequence(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildCode128Sequence(Code128Data, false));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BuildSequence);

// Normalise, measure and draw one symbol into a reused image, m = 2, with or without the line.
void DrawSymbol(benchmark::State& state, TBarcodeType type, const QString& input) {
    const bool interpret = state.range(0) != 0;
    const int32_t m = 2;
    const int32_t cross = 100;
    QImage image(400, cross, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(QFont(QStringLiteral("Courier New")));
    for (auto _ : state) {
        const QString data = NormalizeBarcodeData(type, input);
        benchmark::DoNotOptimize(SymbolExtent(type, data, m));
        DrawBarcode(painter, type, 0, 0, m, cross, data, interpret, 0, false);
    }
    state.SetItemsProcessed(state.iterations());
}

void DrawCode128(benchmark::State& state) {
    DrawSymbol(state, btCode128, Code128Data);
}
void DrawEan13(benchmark::State& state) {
    DrawSymbol(state, btEan13, Ean13Data);
}
BENCHMARK(DrawCode128)->Arg(0)->Arg(1);
BENCHMARK(DrawEan13)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
