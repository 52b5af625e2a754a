#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One entry of the switch list of --help: "-r N PAGES" and its description, the description's
// wrapped lines joined into one.
struct THelpSwitch {
    QString Name;     // "-r"
    QString Argument; // "N PAGES", empty for a switch without one
    QString Description;
};

// The --help text taken apart, so that the manual page and the shell completion are made from
// the same words the program prints.
struct THelpText {
    QString Usage;    // "vellumtrace [LABEL.lbl | TEMPLATE.lbf] [switches]"
    QStringList Lead; // the paragraphs between the usage line and the switches
    std::vector<THelpSwitch> Switches;
    QStringList Closing;    // the paragraphs after the switches, before the exit status
    QStringList ExitStatus; // the exit status paragraphs, without "Exit status:"
};

// Throws TUserError when the text has no usage line or no switches.
THelpText ParseHelpText(const QString& help);

// Every switch once, in the order of the help.
QStringList SwitchNames(const THelpText& help);

// The switches followed by a value of their own (a number, a file, a name).
QStringList SwitchesWithValue(const THelpText& help);
