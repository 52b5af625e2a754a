#pragma once

#include "document/lblobjs.h"

#include <cstddef>
#include <span>

// What each kind of control is and allows, in one table that the files, the printer, the
// preflight, the palette and the window's commands all ask. What a layer above adds to a kind
// (reading its keys, printing it, making a new one) sits in that layer's own table, keyed by the
// same kind and checked with CoversEveryKind, so that a new kind cannot be forgotten anywhere.
struct TKindTraits {
    TControlKind Kind;
    const char* Type; // the TYPE value in label files
    bool CarriesText; // has a text of its own, evaluated per label (counters step with it)
    bool MultiLine;   // the text is lines, stored one key each
    bool Rotates;     // the rotation commands apply
    bool AutoSizes;   // can size itself to its content
    bool MayBeTransparent;
    bool HasFont;         // the font commands apply
    bool HasPicture;      // an imported picture file
    bool AlignsWhenSized; // the alignment commands apply even while auto-sized
};

// The traits of a kind; the base kind, which is never stored or placed, has no type and allows
// nothing.
const TKindTraits& KindTraits(TControlKind kind);
// Whether the advanced field editor applies: its elements build the text, or for a picture the
// name of a file the record chooses.
inline bool TakesFields(const TKindTraits& k) {
    return k.CarriesText || k.HasPicture;
}
// The storable kinds in kind order.
std::span<const TKindTraits> StorableKinds();

// True when table holds one entry per storable kind in kind order, so that a kind indexes it.
template <class Entry, std::size_t N> constexpr bool CoversEveryKind(const Entry (&table)[N]) {
    if (N != ckBase)
        return false;
    for (std::size_t i = 0; i < N; ++i)
        if (table[i].Kind != i)
            return false;
    return true;
}
