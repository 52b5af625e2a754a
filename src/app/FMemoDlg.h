#pragma once

#include "app/UiServices.h"

#include <QDialog>

class QPlainTextEdit;

// "Enter Text": a multi-line box for the text of a control, with a button that loads a text
// file into it. The file dialog and errors go through the services it is given.
class TFMemoDlg : public QDialog {
    Q_OBJECT
public:
    explicit TFMemoDlg(TUiServices services, QWidget* parent = nullptr);
    void SetText(const QString& text);
    QString Text() const;
    // Replaces the box's lines by those of a text file.
    bool ImportTextFile(const QString& path);

private:
    const TUiServices& UiServices() const { return m_services; }

    TUiServices m_services;
    QPlainTextEdit* m_memo = nullptr;
};
