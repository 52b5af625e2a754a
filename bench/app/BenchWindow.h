#pragma once

#include <QTemporaryDir>

#include <memory>

class TFMain;

// A main window as the benchmarks use it: its preferences and desktop files in folder, 1000 x
// 800 and shown, an 8 x 10 inch label with count controls of every kind, questions answered No
// (so it closes without asking), everything painted once.
std::unique_ptr<TFMain> BenchDesigner(const QTemporaryDir& folder, int count = 200);
