#pragma once

#include <QObject>

// Whether a typed character may go into one of the palette's number fields: the digits, the
// comma, the full stop, backspace, line feed and carriage return.
bool IsNumberFieldCharacter(QChar c);

// Discards every other printable character typed into the widgets it watches. Keys that type
// nothing (arrows, Delete) and shortcuts (Ctrl+A, Ctrl+V) pass, so editing keeps working; text
// pasted in is checked when the field is left.
class TNumberKeyFilter : public QObject {
public:
    explicit TNumberKeyFilter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
