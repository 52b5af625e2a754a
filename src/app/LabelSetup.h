#pragma once

class QWidget;
class TFMain;
struct TPaperChoice;
struct TCalibrationPlace;

// The sheet set-up dialog, centred on the window and run modally; true on OK (the window's
// document then holds the new sheet).
bool RunLabelSettings(TFMain& window);

// The printer set-up: chooses among the system's printers and the built-in PDF printer, and the
// paper of the label, and with calibration each printer's calibration. True when the user
// confirmed.
bool RunPrinterSetup(TPaperChoice& paper, QWidget* parent,
                     const TCalibrationPlace* calibration = nullptr);
