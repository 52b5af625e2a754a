#pragma once

#include <functional>

// The main of a window benchmark: an offscreen application at the screen resolution the label
// sizes assume, then every benchmark asked for; atExit runs while the application still lives
// (to close windows the benchmarks kept).
int RunWindowBenchmarks(int argc, char** argv, const std::function<void()>& atExit = {});
