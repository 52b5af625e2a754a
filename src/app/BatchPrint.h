#pragma once

#include "document/Sheet.h"
#include "merge/TextImportSettings.h"

#include <QString>

#include <cstdint>
#include <optional>

class TLabelDocument;
struct TCommandLineOptions;
struct TPrintSettings;
struct TSheetSettings;

// What an unattended run has opened: the label file (or template) of the options, with the
// printer chosen by -d or -o made current.
struct TRunLabel {
    bool Template = false;
    bool ShowGrid = true;
    // The sheet as the label file has it, before a --stock of the run.
    TSheetSettings FileSheet;
    // How the data of the options is read (RunImportSettings).
    TTextImportSettings Import;
};
// How a run reads its data: the label's stored settings, or without them the data file's
// extension; then the switches over them. A .csv file read without either whose first line
// has semicolons or tabs but no comma is read with that separator, said on stderr. Throws
// TUserError for a bad switch value or an unreadable file.
TTextImportSettings RunImportSettings(const TCommandLineOptions& options,
                                      const std::optional<TTextImportSettings>& stored);
// Checks the options' files, selects the printer, reads the label into label and the sheet into
// the current settings. Throws TUserError with the reason.
TRunLabel LoadRunLabel(const TCommandLineOptions& options, TLabelDocument& label);
// The print settings the options ask for.
TPrintSettings RunSettings(const TCommandLineOptions& options);
class TPrinter;
// The same for label on printer: its copies field unless the options give one, and with
// -s next the position where the last run on the same sheet and paper stopped.
TPrintSettings LabelRunSettings(const TCommandLineOptions& options, const TSheetSettings& label,
                                const TPrinter& printer);
struct TPrintResult;

// "vellumtrace: message" on stderr.
void ReportRunError(const QString& message);
// The warning line of a run whose data file left a quoted field open (nothing when it did not).
void ReportUnclosedQuote(const TPrintResult& result, const QString& dataFile);

// The unattended run: opens the start file, prints it with the options and reports the outcome.
// Never shows a window; errors go to stderr. Returns the process exit status (0 when every
// label was printed).
int RunUnattended(const TCommandLineOptions& options);

// The pages a run of these options prints when that is known before it starts (a page or label
// range without a data file, which may end sooner); 0 otherwise.
int32_t KnownPageTotal(const TCommandLineOptions& options, const TSheetSettings& sheet);

// The progress line shown on a terminal: "page 12 of 250", or "page 12" when total is 0.
QString ProgressLine(int32_t page, int32_t total);
