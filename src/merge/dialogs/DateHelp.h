#pragma once

#include <QDialog>
#include <QStringList>

// The help on date formats behind the "?" button of the date panel: a table of the specifiers
// the date formatter knows, in a fixed-width face.

// The help text, line by line: a title, the column heads and one entry per specifier, the
// specifier in a column of its own and long descriptions continued beneath.
QStringList DateHelpLines();

// The modal tool window that shows the lines ("Date/Time Picker Format Strings").
class TFDateHelp : public QDialog {
    Q_OBJECT
public:
    explicit TFDateHelp(QWidget* parent = nullptr);
};
