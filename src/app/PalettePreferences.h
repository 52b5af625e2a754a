#pragma once

#include "app/PaletteDocking.h"

#include <cstdint>

class TPreferenceStore;

// The palette's two preferences: whether it rolls up when the mouse leaves it, and where it
// docks against the main window (TPaletteDocking's attach positions).
struct TPalettePreferences {
    bool AutoExpand = false;
    TAttachPosition AttachPosition = TPaletteDocking::DefaultPosition;

    // If either value cannot be read, or the position is not one of 0..12, both are the
    // defaults.
    static TPalettePreferences Read(const TPreferenceStore& store);
    // Failures to write are ignored: the palette is going away.
    void Write(TPreferenceStore& store) const;
};
