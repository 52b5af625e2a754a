#pragma once

#include "platform/Calibration.h"
#include "platform/Printer.h"

#include <QString>
#include <QStringList>

class QPainter;

// The page a user measures to calibrate a printer. It is printed without any calibration: a
// cross whose centre is exactly CrossInches from the paper's left and top edges, rulers in
// inches and centimetres along the top and left edges, and what the page was printed with.

inline constexpr double CalibrationCrossInches = 1.0;

// The lines of text the page carries: the printer's name, paper, resolution and stored
// calibration, and how to read the page.
QStringList CalibrationPageLines(const QString& printerName, const TPaperChoice& paper,
                                 const TPrinterFacts& facts, const TCalibration& stored);

// Draws the page on a painter in the printer's device pixels, origin at the top-left of the
// printable area (the facts' offsets from the paper's corner).
void DrawCalibrationPage(QPainter& p, const TPrinterFacts& facts, const QStringList& lines);

// Prints the page on printer (into outputPdf when given) as one job and delivers it; returns
// the queue's name of the job (empty for a PDF file). Throws TUserError when the job cannot
// start or be delivered.
QString PrintCalibrationPage(const TPrinter& printer, const TCalibration& stored,
                             const QString& outputPdf);
