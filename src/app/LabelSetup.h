#pragma once

class QWidget;
class TFMain;

// The sheet set-up dialog, centred on the window and run modally; true on OK (the sheet
// settings then hold the new values).
bool RunLabelSettings(TFMain& window);

// The printer set-up: chooses among the system's printers and the built-in PDF printer (and its
// paper). True when the user confirmed. Tests replace it through SetPrinterSetupHandler.
bool RunPrinterSetup(QWidget* parent);
