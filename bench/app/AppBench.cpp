// The design area's hot paths: sizing the label from the sheet and painting a ruler.
#include "BenchMain.h"
#include "app/DesignArea.h"
#include "app/Rulers.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {
void ApplyLabelSize(benchmark::State& state) {
    TLabelDocument document;
    TDesignArea area(document);
    area.resize(800, 600);
    TSheetSettings sheet;
    bool wide = false;
    for (auto _ : state) {
        // Alternate sizes so every call really resizes.
        sheet.LabelWidth = wide ? 4.0 : 3.5;
        wide = !wide;
        area.ApplyLabelSize(sheet);
        benchmark::DoNotOptimize(area.Label().width());
    }
}
BENCHMARK(ApplyLabelSize)->Unit(benchmark::kMicrosecond);

// A full repaint of a ruler across a wide window (1,920 pixels) in each unit.
void HorizontalRuler(benchmark::State& state) {
    QImage image(1920, 18, QImage::Format_RGB32);
    const TRulerStyle style{Qt::white, Qt::black, RulerFont()};
    const bool metric = state.range(0) != 0;
    for (auto _ : state) {
        QPainter p(&image);
        DrawHorizontalRuler(p, image.width(), image.height(), -37, metric, 96, style);
    }
}
BENCHMARK(HorizontalRuler)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void VerticalRuler(benchmark::State& state) {
    QImage image(18, 1200, QImage::Format_RGB32);
    const TRulerStyle style{Qt::white, Qt::black, RulerFont()};
    for (auto _ : state) {
        QPainter p(&image);
        DrawVerticalRuler(p, image.width(), image.height(), 0, false, 96, style);
    }
}
BENCHMARK(VerticalRuler)->Unit(benchmark::kMicrosecond);
} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
