#include "document/KindRegistry.h"

#include <iterator>

namespace {
// clang-format off
constexpr TKindTraits kTraits[] = {
    // kind      type       text   lines  rotate autosz transp font   pict   aligns
    {ckBarcode, "BARCODE", true,  false, true,  true,  false, true,  false, false},
    {ckText,    "TEXT",    true,  false, true,  true,  true,  true,  false, false},
    {ckMemo,    "MEMO",    true,  true,  false, true,  true,  true,  false, true},
    {ckShape,   "SHAPE",   false, false, false, false, false, false, false, false},
    {ckGraphic, "GRAPHIC", false, false, false, false, true,  false, true,  false},
};
// clang-format on
static_assert(CoversEveryKind(kTraits), "one entry per storable kind, in kind order");

constexpr TKindTraits kBase = {ckBase, nullptr, false, false, false,
                               false,  false,   false, false, false};
} // namespace

const TKindTraits& KindTraits(TControlKind kind) {
    return kind < std::size(kTraits) ? kTraits[kind] : kBase;
}

std::span<const TKindTraits> StorableKinds() {
    return kTraits;
}
