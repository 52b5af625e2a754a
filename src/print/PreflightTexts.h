#pragma once

// The texts of a preflight check. %1.. are filled in by QString::arg.
namespace PreflightText {
inline constexpr const char* Dropped = "data \"%1\" has characters %2 cannot carry: %3";
inline constexpr const char* Length = "data \"%1\" has %2 digits; %3 takes %4";
inline constexpr const char* CheckDigit = "data \"%1\" ends in check digit %2; %3 computes %4";
inline constexpr const char* Refused = "data \"%1\" cannot be drawn as %2: %3";
// A field that goes by a column's name when the data has no column of that name.
inline constexpr const char* NoColumn =
    "the data has no column named \"%1\"; field %2 is printed instead";
inline constexpr const char* CopiesField = "copies field %1";
inline constexpr const char* Empty = "no data to encode: nothing would be printed";
// "the right edge of the label cuts the barcode "VT-1" by 0.12 in (quiet zone included)"; further
// edges follow as "; the bottom edge of its box cuts it by 0.05 in".
inline constexpr const char* EdgeCut = "the %1 edge of %2 cuts %3 by %4";
inline constexpr const char* CutBarcode = "the barcode \"%1\"";
inline constexpr const char* CutAgain = "it";
inline constexpr const char* OfLabel = "the label";
inline constexpr const char* OfBox = "its box";
inline constexpr const char* QuietZone = " (quiet zone included)";
inline constexpr const char* LineTall =
    "text line \"%1\" needs %2 on %3 but its box leaves %4 below the symbol; paper would cut it";
inline constexpr const char* LineWord =
    "text line \"%1\": the word \"%2\" is %3 wide but its box is %4; paper would cut it";
inline constexpr const char* OneLine = "1 line";
inline constexpr const char* Lines = "%1 lines";
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
// An image control whose record names a picture that cannot be read.
inline constexpr const char* Image = "image";
inline constexpr const char* NoPicture = "the picture %1 could not be read: %2; it prints empty";
} // namespace PreflightText
