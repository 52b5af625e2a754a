#pragma once

#include "barcode/BarCanvas.h"

#include <QString>
#include <QStringView>

#include <cstdint>

// Code 128 and the three types drawn as Code 128: EAN 128, SSC-14 and SSCC-18.

enum class TCode128Set : uint8_t { A, B, C };

// Special symbol values.
namespace Code128 {
inline constexpr int Shift = 98;
inline constexpr int CodeC = 99;
inline constexpr int CodeB = 100;
inline constexpr int CodeA = 101;
inline constexpr int Fnc1 = 102;
inline constexpr int StartA = 103;
inline constexpr int StartB = 104;
inline constexpr int StartC = 105;
inline constexpr int Stop = 106;
// An encoded sequence carries each symbol value v as the character code v + 32.
inline constexpr int CharOffset = 32;
} // namespace Code128

// The set a text starts in: C for four or more leading digits, else A if a control character
// comes before any character of codes 96..127, else B.
TCode128Set InitialCodeSet(QStringView text);

// The symbol characters from the start character to the stop character inclusive, each value v
// as the character v + 32. fnc1 puts FNC1 right after the start character.
QString BuildCode128Sequence(const QString& data, bool fnc1);

// The check value 0..102 of a sequence given without its check and stop characters.
int Code128CheckValue(QStringView sequence);

// The 11-module pattern of a symbol value (13 modules for the stop, value 106).
uint16_t Code128Pattern(int value);

// The digits that SSC-14 and SSCC-18 encode: "01" or "00", the data padded to 13 or 17 digits,
// and its mod-10 check digit.
QString Ssc14Digits(const QString& data);
QString Sscc18Digits(const QString& data);

int32_t Code128ModuleCount(const QString& data);
int32_t Ean128ModuleCount(const QString& data);

void EncodeCode128(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                   int32_t m, int32_t barLength);
void EncodeEan128(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength);
void EncodeSsc14(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                 int32_t m, int32_t barLength);
void EncodeSscc18(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength);
