#pragma once

struct TCommandLineOptions;

// The unattended run: opens the start file, prints it with the options and reports the outcome.
// Never shows a window; errors go to stderr. Returns the process exit status (0 when every
// label was printed).
int RunUnattended(const TCommandLineOptions& options);
