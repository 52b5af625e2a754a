#pragma once

class TLabelDocument;

// Fills the label with count controls: texts, formatted texts, barcodes and shapes in turn, on
// a grid eight wide.
void AddBenchControls(TLabelDocument& label, int count);
