#pragma once

#include <QLineEdit>

// An edit box of the advanced field editor. It reports entering and leaving after the box has
// handled the focus change itself, so that a rule run on leaving may put the focus back, and
// keeps Enter to itself instead of letting it close the window.
class TFieldEdit : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

    // Entering the box selects its whole text.
    void SetSelectOnEntry(bool select) { m_selectOnEntry = select; }

signals:
    // Moves of the focus within the window; a window losing or regaining activation and menus
    // opening over it do not count.
    void Entered();
    void Left();
    void EnterPressed();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_selectOnEntry = false;
};
