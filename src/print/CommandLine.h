#pragma once

#include "merge/ImportOverrides.h"
#include "print/PrintRange.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// What the command line asks for: the file to open and the presets of a print run.
struct TCommandLineOptions {
    QString StartFile;
    QString DataFile;
    TPrintRange Range = TPrintRange::Pages; // -r: "ALL", "PAGES" or "LABELS"
    int32_t Count = 1;
    int32_t Copies = 1;
    int32_t Skip = 0;
    bool Unattended = false;

    // Switches of our own beyond the classic ones.
    QString OutputPdf;              // -o FILE: print into this PDF file
    QString PrinterName;            // -d NAME: print on this printer
    std::optional<QString> Paper;   // --paper NAME or WxH: this run's paper, not the label's
    std::optional<QString> Threads; // --threads N: threads that draw the pages
    TImportOverrides Import;        // --delimiter, --quote, --header, --encoding, --fixed, ...
    std::optional<QString> Stock;   // --stock "Avery 5160": this run's sheet
    std::optional<QStringList> ListStocks; // --list-stocks [WORDS...]
    bool NoSave = false;     // --no-save: an unattended run leaves the label file as it was
    bool Check = false;      // --check: check every label of the run instead of printing it
    bool NoReadBack = false; // --no-read-back: a check without reading symbols back
    bool Help = false;       // --help
    bool Version = false;    // --version

    // What the classic switches named but did not exist, so an unattended run can report it.
    QString MissingStartFile;
    QString MissingDataFile;

    // Calibration of this run's printer, over the stored one, and its calibration page.
    std::optional<QString> Offset; // --offset X,Y: lengths in inches, or each with mm, cm, in
    std::optional<QString> Scale;  // --scale X,Y: percent
    bool CalibrationPage = false;  // --calibration-page: print it (with -o or -d) and exit

    // Copies per record and partly used sheets.
    std::optional<QString> CopiesField; // --copies-field N or NAME: over the label's own
    bool SkipNext = false;              // -s next: start where the last run on the sheet stopped

    // Pictures instead of a PDF (-o FILE.png or FILE.svg).
    std::optional<QString> Dpi; // --dpi N: the pictures' pixels per inch
    bool OneLabel = false;      // --one-label: one picture per label instead of per page

    bool operator==(const TCommandLineOptions&) const = default;
};

// Position (from 1) of the first parameter equal to sw, compared in upper case; 0 when none.
// params[0] is the program itself.
int32_t FindSwitch(const QStringList& params, const QString& sw);

// Fills the options from the parameters (params[0] is the program).
TCommandLineOptions ParseCommandLine(const QStringList& params);

struct TPaperChoice;
// The paper a run prints on: --paper when given (a paper by name keeps the label's orientation,
// a size lies as given), otherwise the label's own choice. Throws TUserError when --paper names
// no paper.
TPaperChoice RunPaper(const TCommandLineOptions& options, const TPaperChoice& labelPaper);

// The threads a run draws its pages on: --threads when given (a whole number from 1; more than
// the most a run uses are that most), 0 for the default (PrintThreads). Throws TUserError when
// --threads has no such number.
int32_t RunThreads(const TCommandLineOptions& options);

// What a run says when its printer lacks the paper and prints on its own paper instead.
QString PaperFallbackWarning(const QString& printerName, const TPaperChoice& wanted,
                             const TPaperChoice& own);

class TStockLibrary;
struct TSheetSettings;
// The stocks --list-stocks prints, one line each, tab-separated; throws TUserError when no
// stock library is installed.
QStringList StockListLines(const TStockLibrary& library, const QStringList& words);
// The sheet of a run with --stock: the stock's over sheet, and in warnings a line when the
// label's size differs from the stock's. Throws TUserError for an unknown stock (with the
// closest names) or one that cannot be a sheet.
void ApplyRunStock(const TCommandLineOptions& options, const TStockLibrary& library,
                   TSheetSettings& sheet, QStringList& warnings);

struct TPrintSettings;
// Puts the copies field in settings: --copies-field when given (digits: a field's number,
// anything else a column's name), else the label's own. Throws TUserError for an empty value.
void UseCopiesField(TPrintSettings& settings, const TCommandLineOptions& options,
                    const TSheetSettings& label);

// The usage text of --help.
QString CommandLineHelp();
