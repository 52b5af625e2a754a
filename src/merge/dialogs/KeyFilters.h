#pragma once

#include <QObject>
#include <QString>

class QLineEdit;

// Which characters a box takes as typed; keys without a character (arrows, delete) and
// shortcuts always pass.
enum class TKeyFilter { Any, Digits, DateFormat };

// The characters that pass: digits, or the letters and marks of date formats; backspace, line
// feed and carriage return pass both.
bool AcceptsCharacter(TKeyFilter filter, QChar c);

// Swallows the key presses a filter refuses, on the boxes it is installed on.
class TKeyFilterObject : public QObject {
public:
    TKeyFilterObject(TKeyFilter filter, QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TKeyFilter m_filter;
};

// Installs a filter on edit (owned by the edit).
void FilterKeys(QLineEdit* edit, TKeyFilter filter);
