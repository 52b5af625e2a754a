#include "merge/dialogs/DialogServices.h"

#include "merge/dialogs/MergeDialogTexts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
// Message texts keep the line ends they were written with; a message box breaks lines at line
// feeds only, so every other line end becomes one.
QString ForDisplay(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void ShowMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(MergeDialogText::MessageTitle),
                    ForDisplay(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> AskInput(QWidget* parent, const QString& caption, const QString& prompt) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString AskOpenFileName(QWidget* parent, const TOpenFileRequest& request) {
    QFileDialog dialog(parent, request.Title, QString(), request.Filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.DefaultExtension);
    if (!request.InitialName.isEmpty())
        dialog.selectFile(request.InitialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void ShowError(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString::fromLatin1(MergeDialogText::MessageTitle), text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
} // namespace

TMergeDialogServices DesktopMergeDialogServices() {
    return {ShowMessageBox, AskInput, AskOpenFileName, ShowError};
}

void CentreOver(QWidget* window, const QWidget* over) {
    if (!window || !over || window == over)
        return;
    const QPoint centre = over->isWindow() ? over->frameGeometry().center()
                                           : over->mapToGlobal(over->rect().center());
    QRect frame = window->frameGeometry();
    frame.moveCenter(centre);
    window->move(frame.topLeft());
}
