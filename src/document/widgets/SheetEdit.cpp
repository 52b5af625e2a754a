#include "document/widgets/SheetEdit.h"

#include "document/LabelSettingsForm.h"

#include <QFocusEvent>
#include <QKeyEvent>

TSheetEdit::TSheetEdit(TKind kind, QWidget* parent) : QLineEdit(parent), m_kind(kind) {
    // Composed input would bypass the key filter.
    if (kind != TKind::Free)
        setAttribute(Qt::WA_InputMethodEnabled, false);
    connect(this, &QLineEdit::textEdited, this, [this] { m_edited = true; });
}

void TSheetEdit::Leave() {
    m_edited = false;
    emit Left();
}

void TSheetEdit::FinishEditing() {
    if (m_edited)
        Leave();
}

bool TSheetEdit::Accepts(const QString& typed) const {
    int printable = 0;
    for (const QChar c : typed) {
        // Control characters (Tab, Escape, Ctrl+C and the like) keep their usual meaning.
        if (!c.isPrint())
            continue;
        ++printable;
        const bool ok = m_kind == TKind::Length ? TLabelSettingsForm::LengthKeyAccepted(c)
                                                : TLabelSettingsForm::CountKeyAccepted(c);
        if (!ok)
            return false;
    }
    // setMaxLength would also cut texts the dialog writes itself, so the limit is kept here.
    const int limit = m_kind == TKind::Length ? TLabelSettingsForm::LengthMaxChars
                                              : TLabelSettingsForm::CountMaxChars;
    return printable == 0 || text().size() - selectedText().size() + printable <= limit;
}

void TSheetEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Enter applies the field and stays in the dialog, so a corrected value is seen.
        event->accept();
        Leave();
        return;
    }
    if (m_kind != TKind::Free && !event->text().isEmpty() && !Accepts(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSheetEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Another window taking the focus (a message box, a menu) does not leave the field.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        Leave();
}
