#pragma once

// The texts of a preflight check. %1.. are filled in by QString::arg.
namespace PreflightText {
inline constexpr const char* Dropped = "data \"%1\" has characters %2 cannot carry: %3";
inline constexpr const char* Length = "data \"%1\" has %2 digits; %3 takes %4";
inline constexpr const char* CheckDigit = "data \"%1\" ends in check digit %2; %3 computes %4";
inline constexpr const char* Refused = "data \"%1\" cannot be drawn as %2: %3";
inline constexpr const char* Empty = "no data to encode: nothing would be printed";
inline constexpr const char* SymbolCut =
    "the symbol is %1 long with its quiet zones but its box is %2; paper would cut it";
inline constexpr const char* ReadsOther = "the symbol reads back as \"%1\" instead of \"%2\"";
inline constexpr const char* Unreadable = "the symbol does not read back (it should read \"%1\")";
inline constexpr const char* TextWide =
    "text \"%1\" is %2 wide but its box is %3; paper would cut it";
inline constexpr const char* TextTall =
    "text \"%1\" is %2 tall but its box is %3; paper would cut it";

inline constexpr const char* Barcode = "barcode";
inline constexpr const char* Text = "text";
inline constexpr const char* Memo = "formatted text";
inline constexpr const char* Field = "field %1";
} // namespace PreflightText
