#pragma once

#include <QDialog>

// The program's version, as built.
QString ProgramVersion();

// The about box: the program's icon and name, its version, what it does, the Qt it runs on
// and, once the project has one, its web address. Modal; the main window centres it on itself.
class TFAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* Title = "About Vellumtrace";
    static constexpr const char* Product = "Vellumtrace";
    static constexpr const char* Description =
        "Vellumtrace is a label designer and label printer. Lay out one label at true size "
        "with text, formatted text, barcodes, shapes and pictures, describe the sheet of "
        "labels your printer takes, and print the label many times to a page, merging "
        "records from a data file, with sequence counters and dates.";

    explicit TFAbout(QWidget* parent = nullptr);
};
