#pragma once

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QWidget;

// The modal questions and file dialogs of the editor, behind functions that tests replace so
// that they can answer them without a window appearing. Each main window holds its own.
enum class TAnswer { Yes, No, Cancel };

struct TFileDialogRequest {
    QString Title;
    QString Filter;           // Qt's form: "Label Files (*.lbl)"
    QString DefaultExtension; // without the dot
    QString InitialName;
    bool Save = false; // a save dialog asks before overwriting
};

struct TUiServices {
    // A confirmation with "&Yes", "&No" and "Cancel".
    std::function<TAnswer(QWidget* parent, const QString& title, const QString& text)> Question;
    // The chosen path, or empty when the user cancelled.
    std::function<QString(QWidget* parent, const TFileDialogRequest& request)> FileName;
    // The font dialog; empty when the user cancelled.
    std::function<std::optional<QFont>(QWidget* parent, const QFont& initial)> Font;
    // Runs a modal dialog of the window's own (tests fill it in and answer it).
    std::function<int(QDialog& dialog)> Run;
    // The general error display: a failed command's reason.
    std::function<void(QWidget* parent, const QString& text)> Error;
};

// Puts a dialog in the middle of the window it belongs to (at its real size, before it is
// first shown).
void CentreOn(QWidget& dialog, const QWidget& window);

// The desktop's dialogs.
TUiServices DesktopUiServices();
