#include "print/dialogs/PrintDialogServices.h"

#include "print/dialogs/PrintDialogTexts.h"

#include <QFileDialog>

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
} // namespace

TPrintDialogServices DesktopPrintDialogServices() {
    // Message boxes and the open dialog look as the merge dialogs' do.
    const TMergeDialogServices merge = DesktopMergeDialogServices();
    return {merge.Message, merge.OpenFileName, [](QWidget*) { return false; }, AskPdfFileName,
            merge.Error};
}

TPrintDialogServices& PrintDialogServices() {
    static TPrintDialogServices services = DesktopPrintDialogServices();
    return services;
}
