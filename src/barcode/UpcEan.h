#pragma once

#include "barcode/BarCanvas.h"

#include <QString>

#include <cstdint>

// UPC A, EAN 13, EAN 8, UPC E and the 2- and 5-digit add-on symbols.

// The UPC A number (eleven digits, number system 0) that a six-digit UPC E number stands for;
// empty for fewer than six characters.
QString ExpandUpcE(const QString& digits);

// The digits each symbol carries: the data padded on the left, with its check digit.
QString UpcADigits(const QString& data);  // 12 digits
QString Ean13Digits(const QString& data); // 13 digits, the first one carried by parity
QString Ean8Digits(const QString& data);  // 8 digits
// The check digit of a UPC E symbol: that of its expansion.
QChar UpcECheckDigit(const QString& data);
// The 5-digit add-on's check value 0..9 over the data padded to five digits.
int AddOn5CheckValue(const QString& data);

void EncodeUpcA(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                int32_t m, int32_t barLength);
void EncodeEan13(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                 int32_t m, int32_t barLength);
void EncodeEan8(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                int32_t m, int32_t barLength);
void EncodeUpcE(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                int32_t m, int32_t barLength);
void EncodeAddOn2(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength);
void EncodeAddOn5(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength);
