#include "BenchMain.h"

#include "platform/Screen.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& atExit) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetScreenResolution(96, 96);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (atExit)
        atExit();
    return 0;
}
