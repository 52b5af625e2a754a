#pragma once

#include "document/LabelDocument.h"
#include "print/PrintU.h"

class QPrinter;

// Draws the pages a run with settings would print on printer (the paper, resolution and margins
// of facts), one QPrinter page per sheet, with the print engine itself. The controls' counters
// are left as they were: the run steps copies of their fields. Nothing is written or queued but
// what printer itself does. Throws TUserError as PrintLabels does for a refused run.
TPrintResult PaintPreview(QPrinter& printer, const TSheetSettings& sheet,
                          const TControlList& controls, const TPrintSettings& settings,
                          const TPrinterFacts& facts);

// Sets printer's paper, resolution and margins to those of facts.
void ConfigurePreviewPrinter(QPrinter& printer, const TPrinterFacts& facts);
