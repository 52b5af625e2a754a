#pragma once

#include "document/LabelDocument.h"

#include <QString>

#include <cstdint>
#include <vector>

// The counters of a label as a run sees them: their values before it, and the numbers it took.

// Every counter's current value, in the order of the controls and their elements.
std::vector<int32_t> CounterValues(const TControlList& controls);

// The numbers the counters went through since they stood at before (from CounterValues), as
// they would be printed: "7 to 18" for each counter that stepped, joined by ", "; empty when
// none stepped.
QString TakenNumbers(const TControlList& controls, const std::vector<int32_t>& before);
