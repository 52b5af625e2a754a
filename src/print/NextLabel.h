#pragma once

#include "document/Sheet.h"

#include <QString>

#include <cstdint>

struct TPrintLayout;

// Partly used sheets: after a run the label keeps where the next free label of its last page is,
// with the fingerprint of the page it was counted on, so the next run can start there.

// The fingerprint of a run's page: the label size, margins and gutters in inches, the rows and
// columns fitted to the paper, and the paper's size. Another sheet or paper gives another.
QString NextLabelSheet(const TPrintLayout& layout);

// Why the stored position cannot be used on layout, or empty when it can (or there is none).
QString ContinueProblem(const TSheetSettings& sheet, const TPrintLayout& layout);

// The skip that continues where the last run on this sheet and paper stopped; 0 when the label
// keeps no position for them.
int32_t ContinueSkip(const TSheetSettings& sheet, const TPrintLayout& layout);
