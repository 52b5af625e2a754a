#include "barcode/BarcodeTypes.h"

#include "barcode/Code128.h"
#include "barcode/Code39.h"
#include "barcode/Code93.h"
#include "barcode/Interleaved2of5.h"
#include "barcode/Postnet.h"
#include "barcode/UpcEan.h"

namespace {

using K = TKeptCharacters;
using S = TTextSide;

// Module counts of the symbologies whose length depends on the data (quiet zones excluded).
int32_t Code39Modules(const QString& d) {
    return 13 * int32_t(d.size()) + 26;
}
int32_t Code39CheckModules(const QString& d) {
    return 13 * int32_t(d.size()) + 39;
}
int32_t Code39ExtendedModules(const QString& d) {
    return 13 * (2 + Code39ExtendedCharacterCount(d));
}
int32_t Code93Modules(const QString& d) {
    return 9 * Code93SymbolCount(d) + 37;
}

constexpr int StandardMils = 10;
constexpr int PostnetMils = 22;

// One row per type code, in code order. The two-dimensional rows have no encoder: libzint gives
// their module matrix (Matrix2D.h) and their text band is the control's font.
constexpr TBarcodeTypeInfo Types[] = {
    {.type = btCode128,
     .name = "btCode128",
     .listPosition = 0,
     .listText = "Code 128",
     .kept = K::Ascii,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Code128ModuleCount,
     .encode = EncodeCode128},
    {.type = btCode39,
     .name = "btCode39",
     .listPosition = 1,
     .listText = "Code 39",
     .kept = K::Code39,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Code39Modules,
     .encode = EncodeCode39},
    {.type = btCode39Extended,
     .name = "btCode39Extended",
     .listPosition = 2,
     .listText = "Code 39 Extended",
     .kept = K::Ascii,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Code39ExtendedModules,
     .encode = EncodeCode39Extended},
    {.type = btUpcA,
     .name = "btUpcA",
     .listPosition = 4,
     .listText = "UPC A",
     .kept = K::Digits,
     .maxLength = 11,
     .textSide = S::Below,
     .bandModules = 5,
     .standardMils = StandardMils,
     .fixedModules = 95,
     .encode = EncodeUpcA},
    {.type = btInterleaved2of5,
     .name = "btInterleaved2of5",
     .listPosition = 11,
     .listText = "Interleaved 2 of 5",
     .kept = K::Digits,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Interleaved2of5ModuleCount,
     .encode = EncodeInterleaved2of5},
    {.type = btCode93,
     .name = "btCode93",
     .listPosition = 3,
     .listText = "Code 93",
     .kept = K::Ascii,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Code93Modules,
     .encode = EncodeCode93},
    {.type = btEan13,
     .name = "btEan13",
     .listPosition = 7,
     .listText = "EAN 13",
     .kept = K::Digits,
     .maxLength = 12,
     .textSide = S::Below,
     .bandModules = 5,
     .standardMils = StandardMils,
     .fixedModules = 95,
     .encode = EncodeEan13},
    {.type = btEan8,
     .name = "btEan8",
     .listPosition = 8,
     .listText = "EAN 8",
     .kept = K::Digits,
     .maxLength = 7,
     .textSide = S::Below,
     .bandModules = 5,
     .standardMils = StandardMils,
     .fixedModules = 67,
     .encode = EncodeEan8},
    {.type = btEan128,
     .name = "btEan128",
     .listPosition = 6,
     .listText = "EAN 128",
     .kept = K::Ascii,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Ean128ModuleCount,
     .encode = EncodeEan128},
    {.type = btPostnet,
     .name = "btPostnet",
     .listPosition = 12,
     .listText = "POSTNET",
     .kept = K::Digits,
     .maxLength = 11,
     .textSide = S::None,
     .bandModules = 0,
     .standardMils = PostnetMils,
     .modules = PostnetModuleCount,
     .encode = EncodePostnet},
    {.type = btUpcE,
     .name = "btUpcE",
     .listPosition = 5,
     .listText = "UPC E",
     .kept = K::Digits,
     .maxLength = 6,
     .textSide = S::Below,
     .bandModules = 5,
     .standardMils = StandardMils,
     .fixedModules = 51,
     .encode = EncodeUpcE},
    {.type = btUpcAddOn2,
     .name = "btUpcAddOn2",
     .listPosition = 9,
     .listText = "UPC 2 digit Extention",
     .kept = K::Digits,
     .maxLength = 2,
     .textSide = S::Above,
     .bandModules = 15,
     .standardMils = StandardMils,
     .fixedModules = 20,
     .encode = EncodeAddOn2},
    {.type = btUpcAddOn5,
     .name = "btUpcAddOn5",
     .listPosition = 10,
     .listText = "UPC 5 digit Extention",
     .kept = K::Digits,
     .maxLength = 5,
     .textSide = S::Above,
     .bandModules = 15,
     .standardMils = StandardMils,
     .fixedModules = 47,
     .encode = EncodeAddOn5},
    {.type = btSsc14,
     .name = "btSsc14",
     .listPosition = 13,
     .listText = "SSC-14",
     .kept = K::Digits,
     .maxLength = 13,
     .textSide = S::Above,
     .bandModules = 15,
     .standardMils = StandardMils,
     .fixedModules = 134,
     .encode = EncodeSsc14},
    {.type = btSsc14Itf,
     .name = "btSsc14Itf",
     .listPosition = 14,
     .listText = "SSC-14 (Interleaved 2 of 5)",
     .kept = K::Digits,
     .maxLength = 13,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .fixedModules = 145,
     .encode = EncodeSsc14Itf},
    {.type = btSscc18,
     .name = "btSscc18",
     .listPosition = 15,
     .listText = "SSCC-18",
     .kept = K::Digits,
     .maxLength = 17,
     .textSide = S::Above,
     .bandModules = 15,
     .standardMils = StandardMils,
     .fixedModules = 156,
     .encode = EncodeSscc18},
    {.type = btCode39Mod43,
     .name = "btCode39Mod43",
     .listPosition = 16,
     .listText = "Code-39 (Mod43 Check Digit)",
     .kept = K::Code39,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Code39CheckModules,
     .encode = EncodeCode39Mod43},
    {.type = btCode39Mod10,
     .name = "btCode39Mod10",
     .listPosition = 17,
     .listText = "Code-39 (Mod10 Check Digit)",
     .kept = K::Code39,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 15,
     .standardMils = StandardMils,
     .modules = Code39CheckModules,
     .encode = EncodeCode39Mod10},
    {.type = btQrCode,
     .name = "btQrCode",
     .listPosition = 18,
     .listText = "QR Code",
     .kept = K::Any,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 0,
     .standardMils = StandardMils},
    {.type = btDataMatrix,
     .name = "btDataMatrix",
     .listPosition = 19,
     .listText = "Data Matrix",
     .kept = K::Any,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 0,
     .standardMils = StandardMils},
    {.type = btGs1DataMatrix,
     .name = "btGs1DataMatrix",
     .listPosition = 20,
     .listText = "GS1 DataMatrix",
     .kept = K::Any,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 0,
     .standardMils = StandardMils},
    {.type = btPdf417,
     .name = "btPdf417",
     .listPosition = 21,
     .listText = "PDF417",
     .kept = K::Any,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 0,
     .standardMils = StandardMils},
    {.type = btAztec,
     .name = "btAztec",
     .listPosition = 22,
     .listText = "Aztec Code",
     .kept = K::Any,
     .maxLength = 0,
     .textSide = S::Below,
     .bandModules = 0,
     .standardMils = StandardMils},
};

static_assert(std::size(Types) == BarcodeTypeCount, "one row per barcode type");

constexpr bool RowsInCodeOrder() {
    for (int i = 0; i < BarcodeTypeCount; ++i)
        if (Types[i].type != i)
            return false;
    return true;
}
static_assert(RowsInCodeOrder(), "rows are indexed by type code");

constexpr std::array<TBarcodeType, BarcodeTypeCount> ListOrder() {
    std::array<TBarcodeType, BarcodeTypeCount> order{};
    for (const TBarcodeTypeInfo& row : Types)
        order[row.listPosition] = row.type;
    return order;
}

constexpr std::array<TBarcodeType, BarcodeTypeCount> PaletteOrder = ListOrder();

constexpr bool ListPositionsDistinct() {
    bool seen[BarcodeTypeCount] = {};
    for (const TBarcodeTypeInfo& row : Types) {
        if (row.listPosition < 0 || row.listPosition >= BarcodeTypeCount || seen[row.listPosition])
            return false;
        seen[row.listPosition] = true;
    }
    return true;
}
static_assert(ListPositionsDistinct(), "every palette position holds one type");

} // namespace

const TBarcodeTypeInfo* BarcodeTypeInfo(TBarcodeType type) {
    return IsBarcodeType(type) ? &Types[type] : nullptr;
}

const std::array<TBarcodeType, BarcodeTypeCount>& BarcodeListOrder() {
    return PaletteOrder;
}

QString BarcodeListText(TBarcodeType type) {
    const TBarcodeTypeInfo* info = BarcodeTypeInfo(type);
    return info ? QString::fromLatin1(info->listText) : QString();
}
