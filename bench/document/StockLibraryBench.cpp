// Reading the installed stock library whole, as the first use of the stock picker or --stock
// does, and searching it as the picker does while the user types.

#include "document/StockLibrary.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {
void ReadTheInstalledLibrary(benchmark::State& state) {
    const QStringList folders = TStockLibrary::DefaultFolders();
    size_t stocks = 0;
    for (auto _ : state) {
        const TStockLibrary library = TStockLibrary::Load(folders);
        stocks = library.Stocks().size();
        benchmark::DoNotOptimize(stocks);
    }
    if (stocks == 0)
        state.SkipWithError("no stock library is installed (glabels-data)");
    state.counters["stocks"] = double(stocks);
}
BENCHMARK(ReadTheInstalledLibrary)->Unit(benchmark::kMillisecond);

void SearchTheInstalledLibrary(benchmark::State& state) {
    const TStockLibrary library = TStockLibrary::Load(TStockLibrary::DefaultFolders());
    for (auto _ : state)
        for (const char* words : {"5160", "avery address", "62 mm", "l7160"})
            benchmark::DoNotOptimize(library.Search(QString::fromLatin1(words)));
}
BENCHMARK(SearchTheInstalledLibrary)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
