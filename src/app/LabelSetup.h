#pragma once

class QWidget;
class TFMain;

// The sheet set-up dialog, centred on the window and run modally; true on OK (the sheet
// settings then hold the new values).
bool RunLabelSettings(TFMain& window);

// The printer set-up: chooses among the system's printers and the built-in PDF printer, and the
// paper of the label (the process-wide sheet's). True when the user confirmed.
bool RunPrinterSetup(QWidget* parent);
