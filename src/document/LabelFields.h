#pragma once

#include "document/LabelDocument.h"

#include <vector>

// The label-wide questions about advanced fields, asked of a list of controls.
bool UsesImportedFields(const TControlList& controls);
bool HasAdvancedFields(const TControlList& controls);
bool HasSequences(const TControlList& controls);
// At the start of a print run: counters marked for it go back to their first value.
void ResetSequences(const TControlList& controls);
// Can the control's printed text differ from one label to the next (imported fields, counters,
// dates)? Otherwise it prints the same text on every label.
bool TextVariesByLabel(const TLabelControl& control);
