#pragma once

#include "document/Sheet.h"

#include <QString>

// Whether every label position of the sheet can be printed on the page's paper: a position
// that starts beyond the paper's edge never can, and a run must not send records there. Empty
// when every row and column starts on the paper; otherwise the refusal, which says how many
// fit: "The sheet has 6 columns, but only 4 fit on the paper (Letter, 8.5 × 11 in)." Lengths
// are in the sheet's unit.
QString SheetFitProblem(const TSheetSettings& sheet, const TPrinterPage& page);

// The paper as the refusal names it: its size name when it has one, then its size, as in
// "Letter, 8.5 × 11 in" or "21 × 29.7 cm".
QString PaperDescription(const TPrinterPage& page, bool metric);
