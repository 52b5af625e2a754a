#pragma once

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// What the two merge dialogs ask of the desktop besides their own windows: message boxes, an
// input box, the open-file dialog and the error display. Each dialog holds its own, the
// desktop's unless replaced; tests replace them so that they answer without a window appearing.
struct TOpenFileRequest {
    QString Title;
    QString Filter;           // Qt's form: "Text Files (*.txt *.csv)"
    QString DefaultExtension; // without the dot
    QString InitialName;      // the file the dialog starts on; none when empty
};

struct TMergeDialogServices {
    // A plain message box with an Ok button.
    std::function<void(QWidget* parent, const QString& text)> Message;
    // An input box with an empty answer field; nothing when the user cancelled.
    std::function<std::optional<QString>(QWidget* parent, const QString& caption,
                                         const QString& prompt)>
        Input;
    // An existing file chosen by the user, or empty when cancelled.
    std::function<QString(QWidget* parent, const TOpenFileRequest& request)> OpenFileName;
    // A failed action's reason.
    std::function<void(QWidget* parent, const QString& text)> Error;
};

// The desktop's dialogs.
TMergeDialogServices DesktopMergeDialogServices();

// Moves window so that its centre is over the centre of over (nothing when over is null).
void CentreOver(QWidget* window, const QWidget* over);
