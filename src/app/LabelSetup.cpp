#include "app/LabelSetup.h"

#include "app/FMain.h"
#include "app/PrinterSetup.h"
#include "app/UiServices.h"
#include "document/Sheet.h"
#include "document/widgets/FLabelSettings.h"
#include "files/SheetDefaults.h"
#include "platform/Printer.h"

bool RunLabelSettings(TFMain& window) {
    // The page the dialog's Page Info shows, fitted afresh each time it opens.
    TPrinterPage page;
    TFLabelSettings dialog(
        SheetSettings(), page, [] { return SheetPageFacts(); }, &window);
    dialog.SetPrinterSetup([&window, &dialog] { return window.ChoosePrinter(&dialog); });
    dialog.SetDefaultsSaver([&window](const TSheetSettings& sheet) {
        SaveSheetDefaults(window.PreferenceStore(), sheet);
    });
    window.CentreDialog(dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool RunPrinterSetup(QWidget* parent) {
    TFPrinterSetup dialog(SheetSettings().Paper, parent);
    if (parent)
        CentreOn(dialog, *parent->window());
    return dialog.exec() == QDialog::Accepted;
}
