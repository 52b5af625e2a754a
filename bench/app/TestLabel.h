#pragma once

class TCanvasLabel;

// Fills the label with count controls: texts, formatted texts, barcodes and shapes in turn, on
// a grid eight wide.
void AddBenchControls(TCanvasLabel& label, int count);
