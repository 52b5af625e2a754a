#pragma once

#include "document/Sheet.h"

#include <QString>

#include <cstdint>

// What a sheet of labels can be. Readers of label files, templates and stored defaults and the
// sheet set-up rules all hold sheets to these limits, so that no sheet reaches the layout with
// lengths its pixel arithmetic cannot hold or with more label positions than a page can take.
namespace SheetLimits {
// Label sides, and margins and gutters either way, in inches.
inline constexpr double MaxInches = 100.0;
// Rows or columns a sheet can be forced to: what the set-up dialog's four digits hold.
inline constexpr int32_t MaxForcedCount = 9999;

// The smallest label side of the set-up dialog, in the sheet unit: 0.05 in or 0.1 cm. Labels
// must also start at least this far apart, so that a page never holds more than a few
// hundred label positions to the inch.
double MinLength(bool metric);
// MaxInches in the sheet unit.
double MaxLength(bool metric);
} // namespace SheetLimits

// The limit the sheet breaks, as the rest of a sentence that begins with "The file ... "
// ("describes a label of 1000 by 2 inches; labels can be at most 100 inches on a side"); empty
// when the sheet is within every limit. Checked in this order: the label's size, the margins
// and gutters, the distance from one label to the next, the forced counts.
QString SheetLimitProblem(const TSheetSettings& sheet);
