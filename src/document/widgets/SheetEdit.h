#pragma once

#include <QLineEdit>

// An edit box of the sheet set-up dialog. Length and count boxes drop the characters they do not
// take and stop taking characters at their length limit; every box reports when the user
// leaves it, by moving the focus elsewhere or by pressing Enter.
class TSheetEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class TKind { Length, Count, Free };
    explicit TSheetEdit(TKind kind, QWidget* parent = nullptr);
    // Reports leaving when the text was typed in since the field was last left: OK can be
    // chosen without the focus ever moving off the field.
    void FinishEditing();

signals:
    void Left();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool Accepts(const QString& typed) const;
    void Leave();

    TKind m_kind;
    bool m_edited = false;
};
