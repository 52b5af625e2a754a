#pragma once

#include <QDialog>

class QPlainTextEdit;

// "Enter Text": a multi-line box for the text of a control, with a button that loads a text
// file into it.
class TFMemoDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFMemoDlg(QWidget* parent = nullptr);
    void SetText(const QString& text);
    QString Text() const;
    // Replaces the box's lines by those of a text file.
    bool ImportTextFile(const QString& path);

private:
    QPlainTextEdit* m_memo = nullptr;
};
