#pragma once

#include <QChar>
#include <QString>

#include <cstdint>

// Puts pad in front of text until it is minLength characters long. A pad of code 0 means no
// padding; text that is already long enough (or a minLength of 0 or less) is returned as is.
QString PadOnLeft(const QString& text, int32_t minLength, QChar pad);

// The same, appending the pad characters.
QString PadOnRight(const QString& text, int32_t minLength, QChar pad);

// The character an 8-bit pad code stands for (Windows-1252, as label files store it).
QChar PadCharacter(uint8_t code);
