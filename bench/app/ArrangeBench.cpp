// An arranging command on a busy label: 20 of 200 controls selected and aligned, offscreen,
// with the step recorded and the label painted again, as the user waits for it.
#include "BenchMain.h"
#include "BenchWindow.h"
#include "TestLabel.h"

#include "app/FMain.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Preferences.h"

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {
void AlignTwentyOfTwoHundred(benchmark::State& state) {
    QTemporaryDir folder;
    const std::unique_ptr<TFMain> designer = BenchDesigner(folder);
    TFMain& window = *designer;
    std::vector<TControlId> selected;
    for (size_t i = 0; i < window.Document().Controls().size(); i += 10)
        selected.push_back(window.Document().Controls()[i]->Id());
    window.Document().SelectIds(selected);
    QCoreApplication::processEvents();

    // Left and right in turn, so that every run moves the controls.
    QAction* commands[] = {window.Action("acArrangeLeft"), window.Action("acArrangeRight")};
    std::vector<double> ms;
    // Where the time goes: the command itself, painting the label, recording the step.
    double command = 0, step = 0, paint = 0;
    const auto since = [](std::chrono::steady_clock::time_point t) {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t)
            .count();
    };
    int n = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        commands[n++ % 2]->trigger();
        const double a = since(start);
        window.Label().repaint(); // what the user sees of the command
        const double b = since(start);
        QCoreApplication::processEvents(); // records the step
        const double c = since(start);
        command += a, paint += b - a, step += c - b;
        ms.push_back(c);
    }
    if (n > 0) {
        state.counters["command_ms"] = command / n;
        state.counters["step_ms"] = step / n;
        state.counters["paint_ms"] = paint / n;
    }
    ReportPercentiles(state, ms);
    state.SetLabel("target < 10 ms");
    window.Document().SelectNone();
}
BENCHMARK(AlignTwentyOfTwoHundred)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    return RunWindowBenchmarks(argc, argv);
}
