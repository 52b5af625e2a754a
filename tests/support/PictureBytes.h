#pragma once

#include <QByteArray>
#include <QColor>

// Qt writes no GIF: a picture in one colour, LZW-coded without compression (a clear code every
// 100 pixels keeps the codes 8 bits wide).
inline QByteArray OneColourGif(int w, int h, QRgb colour) {
    QByteArray gif("GIF89a");
    auto put16 = [&](int v) {
        gif += char(v & 0xFF);
        gif += char(v >> 8);
    };
    put16(w);
    put16(h);
    gif += char(0xF6); // a global table of 128 colours
    gif += QByteArray(2, '\0');
    QByteArray table(128 * 3, '\0');
    table[0] = char(qRed(colour));
    table[1] = char(qGreen(colour));
    table[2] = char(qBlue(colour));
    gif += table;
    gif += ',';
    put16(0);
    put16(0);
    put16(w);
    put16(h);
    gif += '\0';
    gif += char(7);
    QByteArray codes;
    for (int i = 0; i < w * h; ++i) {
        if (i % 100 == 0)
            codes += char(128);
        codes += '\0';
    }
    codes += char(129);
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        gif += char(block.size());
        gif += block;
    }
    gif += '\0';
    gif += ';';
    return gif;
}
