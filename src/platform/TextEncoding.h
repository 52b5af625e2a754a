#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// 8-bit text as the Windows programs of our users write it (Windows-1252), and UTF-8.

// Decodes Windows-1252 (Latin-1 with the printable characters of 0x80-0x9F; the five bytes
// Windows leaves undefined map to the control characters of the same code).
QString DecodeWindows1252(QByteArrayView bytes);

// Encodes as Windows-1252; returns false (and leaves out nothing, encoding '?' instead) when a
// character has no Windows-1252 code.
bool EncodeWindows1252(const QString& text, QByteArray& out);

// True when every character of text has a Windows-1252 code.
bool FitsWindows1252(const QString& text);

// True when bytes are well-formed UTF-8 (no overlongs, no surrogates, nothing past U+10FFFF).
bool IsValidUtf8(QByteArrayView bytes);

// The UTF-8 byte-order mark.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";
inline bool StartsWithUtf8Bom(QByteArrayView bytes) {
    return bytes.size() >= 3 && bytes.first(3) == QByteArrayView(kUtf8Bom, 3);
}

// A whole text file as the data files are read: UTF-8 when it starts with a byte-order mark
// (dropped) or is valid UTF-8, Windows-1252 otherwise.
QString DecodeTextFile(QByteArrayView bytes);
