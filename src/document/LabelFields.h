#pragma once

#include "document/CanvasLabel.h"

#include <vector>

// The label-wide questions about advanced fields, asked of a list of controls.
bool UsesImportedFields(const TCanvasLabel::TControlList& controls);
bool HasAdvancedFields(const TCanvasLabel::TControlList& controls);
bool HasSequences(const TCanvasLabel::TControlList& controls);
// At the start of a print run: counters marked for it go back to their first value.
void ResetSequences(const TCanvasLabel::TControlList& controls);
