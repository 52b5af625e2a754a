#include "print/dialogs/PrintDialogServices.h"

#include "print/dialogs/FPrintPreview.h"
#include "print/dialogs/PreflightResults.h"
#include "print/dialogs/PrintDialogTexts.h"

#include <QFileDialog>
#include <QPrinter>

namespace {
QString AskPdfFileName(QWidget* parent, const QString& proposal) {
    QFileDialog dialog(parent, QString::fromLatin1(PrintDialogText::SavePdfTitle), proposal,
                       QString::fromLatin1(PrintDialogText::SavePdfFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void ShowPreview(QWidget* parent, const std::function<void(QPrinter&)>& paint) {
    // A PDF printer without a file: the preview records its pages and never prints them.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    TFPrintPreview window(printer, paint, parent);
    window.exec();
}
} // namespace

TPrintDialogServices DesktopPrintDialogServices() {
    // Message boxes and the open dialog look as the merge dialogs' do.
    const TMergeDialogServices merge = DesktopMergeDialogServices();
    return {merge.Message, merge.OpenFileName, [](QWidget*) { return false; }, AskPdfFileName,
            merge.Error,   ShowPreview,        ShowPreflightResults,           {}};
}
