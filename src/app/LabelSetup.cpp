#include "app/LabelSetup.h"

#include "app/FMain.h"
#include "app/PrinterSetup.h"
#include "app/UiServices.h"
#include "document/Sheet.h"
#include "document/widgets/FLabelSettings.h"
#include "platform/Printer.h"

bool RunLabelSettings(TFMain& window) {
    TFLabelSettings dialog(
        SheetSettings(), PrinterPage(), [] { return TPrinters::Current().Facts(); }, &window);
    dialog.SetPrinterSetup([&dialog] { return RunPrinterSetup(&dialog); });
    window.CentreDialog(dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool RunPrinterSetup(QWidget* parent) {
    TFPrinterSetup dialog(parent);
    if (parent)
        CentreOn(dialog, *parent->window());
    return dialog.exec() == QDialog::Accepted;
}
