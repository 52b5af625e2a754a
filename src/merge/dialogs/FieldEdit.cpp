#include "merge/dialogs/FieldEdit.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>

namespace {
bool MovesWithinWindow(Qt::FocusReason reason) {
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}
} // namespace

void TFieldEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (!MovesWithinWindow(event->reason()))
        return;
    // After the mouse press that may have brought the focus, which would place the cursor.
    if (m_selectOnEntry)
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
    emit Entered();
}

void TFieldEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (MovesWithinWindow(event->reason()))
        emit Left();
}

void TFieldEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit EnterPressed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
