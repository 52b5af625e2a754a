#pragma once

#include <vector>

class TLabelDocument;
namespace benchmark {
class State;
}

// Fills the label with count controls: texts, formatted texts, barcodes and shapes in turn, on
// a grid eight wide.
void AddBenchControls(TLabelDocument& label, int count);

// Median and 99th percentile of the single steps in milliseconds, beside the mean the library
// reports (ms is sorted).
void ReportPercentiles(benchmark::State& state, std::vector<double>& ms);
