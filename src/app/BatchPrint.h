#pragma once

#include <QString>

#include <cstdint>

struct TCommandLineOptions;
struct TSheetSettings;

// The unattended run: opens the start file, prints it with the options and reports the outcome.
// Never shows a window; errors go to stderr. Returns the process exit status (0 when every
// label was printed).
int RunUnattended(const TCommandLineOptions& options);

// The pages a run of these options prints when that is known before it starts (a page or label
// range without a data file, which may end sooner); 0 otherwise.
int32_t KnownPageTotal(const TCommandLineOptions& options, const TSheetSettings& sheet);

// The progress line shown on a terminal: "page 12 of 250", or "page 12" when total is 0.
QString ProgressLine(int32_t page, int32_t total);
