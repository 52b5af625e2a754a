#pragma once

#include "print/PrintU.h"

#include <QString>

#include <cstdint>

struct TCommandLineOptions;

// What the print dialog's fields hold, apart from the widgets that show them.
struct TPrintChoices {
    TPrintRange Range = TPrintRange::Pages;
    QString PageCount = QStringLiteral("1");
    QString LabelCount = QStringLiteral("1");
    QString Copies = QStringLiteral("1");
    bool CopiesShown = true; // the Duplicates box is shown only for labels with advanced fields
    QString DataFile;
    int32_t SkipCount = 0;
};

// The dialog's initial values from the command line.
TPrintChoices ChoicesFromOptions(const TCommandLineOptions& options);

// What the engine is asked to do; duplicates are 1 while their box is hidden.
TPrintSettings SettingsFromChoices(const TPrintChoices& choices);

// The start label kept within one page: at most rows × columns − 1, never below 0.
int32_t ClampSkipCount(int32_t n, int32_t rows, int32_t columns);
// "Skip 1 Label", otherwise "Skip n Labels".
QString SkipCountText(int32_t n);

// The three sheet lines: "Rows: r", "Columns: c", "Labels per page: r×c".
struct TSheetLines {
    QString Rows, Columns, Labels;
};
TSheetLines SheetLines(int32_t rows, int32_t columns);

// A count field's text on leaving it: empty or zero becomes "1".
QString CountOnExit(const QString& text);

// Why the Print button cannot close the dialog, or empty when it can. fileExists tells whether
// the data file named in the dialog exists; sheetProblem is the sheet's fit on the paper.
QString PrintRefusal(TPrintRange range, const QString& dataFile, bool fileExists,
                     const QString& sheetProblem);

// The "file does not exist!" message for path.
QString FileMissingText(const QString& path);
