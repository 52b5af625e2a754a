#include "TestLabel.h"

#include "barcode/BarcodeLabel.h"
#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"

#include <benchmark/benchmark.h>

#include <algorithm>

void AddBenchControls(TLabelDocument& label, int count) {
    for (int i = 0; i < count; ++i) {
        std::unique_ptr<TLabelControl> c;
        switch (i % 4) {
        case 0:
            c = std::make_unique<TTextLabel>();
            break;
        case 1:
            c = std::make_unique<TMemoLabel>();
            break;
        case 2:
            c = std::make_unique<TBarcodeLabel>();
            break;
        default:
            c = std::make_unique<TShapeLabel>();
            break;
        }
        c->SetText(QStringLiteral("Item %1").arg(i));
        c->SetLeft((i % 8) * 90);
        c->SetTop((i / 8) * 36);
        TLabelControl* raw = c.get();
        label.AddControl(std::move(c));
        raw->SetLoading(false);
    }
}

void ReportPercentiles(benchmark::State& state, std::vector<double>& ms) {
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["p99_ms"] = ms[std::min(ms.size() - 1, size_t(double(ms.size()) * 0.99))];
}
