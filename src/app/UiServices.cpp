#include "app/UiServices.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace {
TAnswer AskQuestion(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return TAnswer::Yes;
    if (box.clickedButton() == no)
        return TAnswer::No;
    return TAnswer::Cancel;
}

QString AskFileName(QWidget* parent, const TFileDialogRequest& r) {
    QFileDialog dialog(parent, r.Title, QString(), r.Filter);
    dialog.setAcceptMode(r.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(r.DefaultExtension);
    // Of several kinds, a name typed without an extension takes the chosen kind's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        const QRegularExpressionMatch kind = QRegularExpression(R"(\*\.(\w+))").match(f);
        if (kind.hasMatch())
            dialog.setDefaultSuffix(kind.captured(1));
    });
    if (!r.InitialName.isEmpty()) {
        // Open in the file's own folder, not the working folder.
        const QFileInfo initial(r.InitialName);
        dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

std::optional<QFont> AskFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Select Font"));
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

void ShowError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, QApplication::applicationName(), text);
}
} // namespace

void CentreOn(QWidget& dialog, const QWidget& window) {
    dialog.adjustSize();
    const QRect frame = window.geometry();
    dialog.move(frame.left() + frame.width() / 2 - dialog.width() / 2,
                frame.top() + frame.height() / 2 - dialog.height() / 2);
}

TUiServices DesktopUiServices() {
    return {AskQuestion, AskFileName, AskFont, [](QDialog& d) { return d.exec(); }, ShowError};
}
