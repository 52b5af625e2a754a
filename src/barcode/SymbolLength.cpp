#include "barcode/SymbolLength.h"

#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "barcode/UpcEan.h"

#include <algorithm>

namespace {
using TCheckDigit = QChar (*)(const QString& digits);

// The symbologies of fixed length: the digits they carry before their check digit, how they
// compute it (none for the add-ons), and the lengths a user may give.
struct TFixedLength {
    TBarcodeType type;
    int32_t digits;
    TCheckDigit check;
    const char* takes;
};

constexpr TFixedLength FixedLengths[] = {
    {btUpcA, 11, Mod10CheckDigit, "11 or 12"},
    {btEan13, 12, Mod10CheckDigit, "12 or 13"},
    {btEan8, 7, Mod10CheckDigit, "7 or 8"},
    {btUpcE, 6, UpcECheckDigit, "6 or 7"},
    {btUpcAddOn2, 2, nullptr, "2"},
    {btUpcAddOn5, 5, nullptr, "5"},
    {btSsc14, 13, Mod10CheckDigit, "13 or 14"},
    {btSsc14Itf, 13, Mod10CheckDigit, "13 or 14"},
    {btSscc18, 17, Mod10CheckDigit, "17 or 18"},
};

const TFixedLength* FixedLength(TBarcodeType type) {
    for (const TFixedLength& row : FixedLengths)
        if (row.type == type)
            return &row;
    return nullptr;
}

TLengthReport FixedReport(const TFixedLength& row, const QString& kept) {
    TLengthReport r;
    r.Takes = row.takes;
    const int32_t n = int32_t(kept.size());
    if (n < row.digits) {
        r.Padded = row.digits - n;
        r.Fits = false;
    } else if (n > row.digits) {
        r.Cut = n - row.digits;
        // One digit more is the check digit, which the symbol computes for itself.
        if (row.check && n == row.digits + 1) {
            r.CarriedCheck = kept[row.digits];
            r.ComputedCheck = row.check(kept.left(row.digits));
        } else {
            r.Fits = false;
        }
    }
    return r;
}
} // namespace

TLengthReport SymbolLengthReport(TBarcodeType type, const QString& kept) {
    TLengthReport r;
    if (kept.isEmpty())
        return r;
    if (const TFixedLength* row = FixedLength(type))
        return FixedReport(*row, kept);
    const int32_t n = int32_t(kept.size());
    if (type == btInterleaved2of5) {
        // Digits go in pairs: an odd count gets a zero in front.
        r.Takes = "an even number";
        r.Padded = n % 2;
        r.Fits = r.Padded == 0;
    } else if (type == btPostnet) {
        // ZIP, ZIP+4 and delivery point codes; the engine cuts at eleven digits.
        const TBarcodeTypeInfo* info = BarcodeTypeInfo(type);
        r.Takes = "5, 9 or 11";
        r.Fits = n == 5 || n == 9 || n == 11;
        r.Cut = std::max(0, n - info->maxLength);
    }
    return r;
}
