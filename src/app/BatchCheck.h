#pragma once

struct TCommandLineOptions;

// The preflight run of --check: the labels the same switches would print, checked and listed
// on stdout, nothing printed or saved. Returns 0 when no label has a problem, 3 when some have,
// 1 when the run could not be checked (the reason on stderr).
int RunCheck(const TCommandLineOptions& options);

inline constexpr int CheckFoundProblems = 3;
