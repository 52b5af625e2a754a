#pragma once

#include "platform/Calibration.h"

#include <QString>

struct TCommandLineOptions;
class TPrinter;

// The calibration an unattended run prints with: the one stored for printer, with the run's
// --offset and --scale over it. A run into a picture file has none: pictures are not printers.
// Throws TUserError for a bad --offset or --scale.
TCalibration UnattendedCalibration(const TCommandLineOptions& options, const TPrinter& printer,
                                   const QString& output);

// --calibration-page: prints the calibration page of the printer -d names, or into the PDF file
// of -o, and reports it. Never shows a window; errors go to stderr. Returns the exit status.
int RunCalibrationPage(const TCommandLineOptions& options);
