#pragma once

#include "barcode/BarCanvas.h"

#include <QString>

#include <cstdint>

// Code 39 and its full ASCII, mod-43 and mod-10 forms.

// Index 1..44 of a character in the Code 39 table (0..9, A..Z, "-", ".", space, "*", "$", "/",
// "+", "%"); 0 for anything else.
int Code39Index(QChar c);

// The 13-module pattern of a table index (the nine elements, wide = 2 modules, then the gap).
uint16_t Code39Pattern(int index);

// The check character of types 16 (modulus 43) and 17 (modulus 10): the sum of the characters'
// values in the 43-character check set, "*" counting 43, taken modulo n.
QChar Code39CheckCharacter(const QString& data, int modulus);

// The Code 39 characters that full ASCII data stands for, start and stop excluded ("a-1" gives
// "+A/M1"); stops at the first code above 127.
QString Code39ExtendedCharacters(const QString& data);
int32_t Code39ExtendedCharacterCount(const QString& data);

void EncodeCode39(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                  int32_t m, int32_t barLength);
void EncodeCode39Extended(TBarCanvas& canvas, int32_t x, int32_t y, int rotation,
                          const QString& data, int32_t m, int32_t barLength);
void EncodeCode39Mod43(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                       int32_t m, int32_t barLength);
void EncodeCode39Mod10(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, const QString& data,
                       int32_t m, int32_t barLength);
