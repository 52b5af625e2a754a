#include "barcode/MatrixGeometry.h"

#include <algorithm>

namespace {
// White kept between a symbol and its text, past the quiet zone: two modules, and a third of
// the line height; glyphs close to a small symbol or one without a quiet zone (Aztec Code) are
// read as modules by scanners.
constexpr int32_t TextGapModules = 2;

int32_t TextGap(const TModuleMatrix& matrix, int32_t m, int32_t band) {
    if (band <= 0)
        return 0;
    const int32_t quiet = matrix.quietModules * m;
    return std::max<int32_t>(0, std::max(TextGapModules * m, band / 3) - quiet);
}
} // namespace

TMatrixGeometry MatrixGeometry(const TModuleMatrix& matrix, int32_t x, int32_t y, int32_t m,
                               int32_t band, int rotation, int32_t textWidth) {
    TMatrixGeometry g;
    g.m = std::max<int32_t>(1, m);
    g.band = std::max<int32_t>(0, band);
    g.rotation = rotation;
    const int32_t symbol = matrix.ModulesAcross() * g.m;
    g.along = std::max(symbol, textWidth);
    g.indent = (g.along - symbol) / 2;
    g.across = matrix.ModulesDown() * g.m + TextGap(matrix, g.m, g.band) + g.band;
    g.box = IsVertical(rotation) ? QRect(x, y, g.across, g.along) : QRect(x, y, g.along, g.across);
    return g;
}

int32_t FittingModule(const TModuleMatrix& matrix, int32_t w, int32_t h, int32_t band,
                      int rotation) {
    const int32_t along = IsVertical(rotation) ? h : w;
    const int32_t across = (IsVertical(rotation) ? w : h) - std::max<int32_t>(0, band);
    const int32_t byAlong = along / std::max<int32_t>(1, matrix.ModulesAcross());
    int32_t m = std::max<int32_t>(
        1, std::min(byAlong, across / std::max<int32_t>(1, matrix.ModulesDown())));
    // the gap grows with the module: step down until the whole fits
    while (m > 1 && matrix.ModulesDown() * m + TextGap(matrix, m, band) > across)
        --m;
    return m;
}

QRect MapBoxRect(const TMatrixGeometry& g, int32_t a, int32_t c, int32_t w, int32_t h) {
    const int32_t x = g.box.x(), y = g.box.y();
    switch (g.rotation) {
    case 1: // a quarter turn clockwise: the band comes to the left
        return {x + g.across - (c + h), y + a, h, w};
    case 2:
        return {x + g.along - (a + w), y + g.across - (c + h), w, h};
    case 3:
        return {x + c, y + g.along - (a + w), h, w};
    default:
        return {x + a, y + c, w, h};
    }
}

void DrawMatrixModules(TBarCanvas& canvas, const TModuleMatrix& matrix, const TMatrixGeometry& g) {
    const int32_t m = g.m;
    const int32_t q = matrix.quietModules * m;
    const int32_t a0 = g.indent + q;
    const int32_t rowDepth = matrix.rowModules * m;
    for (int32_t r = 0; r < matrix.rows; ++r) {
        int32_t c = 0;
        while (c < matrix.columns) {
            if (!matrix.Dark(r, c)) {
                ++c;
                continue;
            }
            int32_t end = c + 1;
            while (end < matrix.columns && matrix.Dark(r, end))
                ++end;
            const QRect bar = MapBoxRect(g, a0 + c * m, q + r * rowDepth, (end - c) * m, rowDepth);
            canvas.FillBar(bar.x(), bar.y(), bar.width(), bar.height());
            c = end;
        }
    }
}
