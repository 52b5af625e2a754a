#pragma once

class TCanvasLabel;

// Places the controls of the built-in sample label, shown when the designer starts without a
// label file.
void AddSampleControls(TCanvasLabel& label);
