#pragma once

#include "document/Sheet.h"

class TPreferenceStore;

// The default sheet settings kept in the user's preference store, loaded at start-up and for
// every new label.

// Reads the sixteen stored values into sheet. When any one is missing or of the wrong type or
// size, or together they make a sheet beyond the limits of SheetLimits.h, all sixteen fields
// take the built-in defaults instead, even those already read.
void LoadSheetDefaults(const TPreferenceStore& store, TSheetSettings& sheet);

// Writes the sixteen values; throws TUserError with the store's reason when it cannot be
// written (values written before the failure stay written).
void SaveSheetDefaults(TPreferenceStore& store, const TSheetSettings& sheet);
