#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <vector>

// Reading pictures of labels back: symbols with an independent decoder, and how far two
// pictures of the same page differ.

// The picture in 8-bit grey; a null image when it cannot be read.
QImage GreyPicture(const QString& file);
QImage Grey(const QImage& image);

struct TFoundSymbol {
    QString Text;
    QRect Box; // where the decoder found it
};
// Every linear symbol the decoder reads in the picture, top to bottom, left to right.
std::vector<TFoundSymbol> FindSymbols(const QImage& grey);

// Pixels of area dark (below half grey) in one picture and light in the other; pictures of
// different sizes are compared over the part they share.
int DifferingPixels(const QImage& a, const QImage& b, const QRect& area);
int DarkPixels(const QImage& grey, const QRect& area);
// The box around the dark pixels of area; empty when there are none.
QRect DarkBox(const QImage& grey, const QRect& area);
// Dark pixels of a with no dark pixel of b within radius pixels (in a square): what a shows
// that b does not, allowing for edges a few pixels apart.
int UnmatchedDarkPixels(const QImage& a, const QImage& b, int radius);
