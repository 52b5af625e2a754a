#include "app/LabelSetup.h"

#include "app/FMain.h"
#include "app/PrinterSetup.h"
#include "app/UiServices.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/FLabelSettings.h"
#include "files/SheetDefaults.h"
#include "platform/Printer.h"

bool RunLabelSettings(TFMain& window) {
    // The page the dialog's Page Info shows, fitted afresh each time it opens.
    TPrinterPage page;
    // The dialog works on the sheet as it goes; the label takes it as the dialog leaves it.
    TSheetSettings sheet = window.Document().Sheet();
    TFLabelSettings dialog(
        sheet, page, [&sheet] { return SheetPageFacts(sheet); }, &window);
    dialog.SetPrinterSetup([&window, &dialog, &sheet] {
        const TCalibrationPlace calibration{window.PreferenceStore(), sheet.Metric,
                                            window.UiServices()};
        if (!RunPrinterSetup(sheet.Paper, &dialog, &calibration))
            return false;
        window.KeepPaper(sheet.Paper);
        return true;
    });
    dialog.SetDefaultsSaver([&window](const TSheetSettings& chosen) {
        SaveSheetDefaults(window.PreferenceStore(), chosen);
    });
    window.CentreDialog(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    window.Document().SetSheet(sheet, TLabelDocument::TSheetChange::Fit);
    return accepted;
}

bool RunPrinterSetup(TPaperChoice& paper, QWidget* parent, const TCalibrationPlace* calibration) {
    TFPrinterSetup dialog(paper, parent, calibration);
    if (parent)
        CentreOn(dialog, *parent->window());
    return dialog.exec() == QDialog::Accepted;
}
