#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

// Reading printed PDFs back with poppler's tools.

struct TPdfWord {
    int Page = 0; // from 1
    double X = 0; // left edge in 600-dpi pixels
    double Y = 0; // top edge in 600-dpi pixels
    QString Text;
    // right and bottom edges, in 600-dpi pixels
    double Right = 0;
    double Bottom = 0;
};

// Every word of the document with its page and position, in the order the pages draw them.
std::vector<TPdfWord> PdfWords(const QString& pdf);
// The words of one page, in drawing order.
QStringList PageWords(const std::vector<TPdfWord>& words, int page);
int PdfPageCount(const QString& pdf);
QString PdfInfo(const QString& pdf);
// Page rendered in grey at dpi.
QImage RasterisePage(const QString& pdf, int page, int dpi, const QString& scratchFolder);

// Page rendered in grey at dpi by Ghostscript, a second rasteriser beside poppler's.
QImage RasteriseWithGhostscript(const QString& pdf, int page, int dpi,
                                const QString& scratchFolder);

// One picture as pdfimages -list reports it.
struct TPdfImage {
    int Page = 0;
    QString Type; // image, mask, smask, stencil
    int Width = 0;
    int Height = 0;
    QString Color; // gray, rgb, -
    int Bits = 0;  // per component
};
// Every picture of the document, page by page.
std::vector<TPdfImage> PdfImages(const QString& pdf);
