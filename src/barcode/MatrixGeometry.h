#pragma once

#include "barcode/BarCanvas.h"
#include "barcode/Matrix2D.h"

#include <QRect>

#include <cstdint>

// Where a two-dimensional symbol lies in device pixels: square modules m pixels wide, the quiet
// zone on every side, the interpretation band (band pixels deep) below the symbol in rotation 0
// and clear of it (MatrixGeometry.cpp says by how much), and the whole turned by the rotation as a
// linear symbol is. A text wider than the symbol widens the box; the symbol is then centred
// over it.

struct TMatrixGeometry {
    QRect box;        // quiet zones and band included, as turned on the device
    int32_t m = 1;    // device pixels per module
    int32_t band = 0; // depth of the text band
    int rotation = 0;
    int32_t along = 0;  // the box in the rotation-0 frame: across the symbol's columns
    int32_t across = 0; // and down its rows, band included
    int32_t indent = 0; // from the box's leading edge to the symbol's quiet zone
};

TMatrixGeometry MatrixGeometry(const TModuleMatrix& matrix, int32_t x, int32_t y, int32_t m,
                               int32_t band, int rotation, int32_t textWidth = 0);

// The largest whole module (at least 1) whose symbol with its band fits a box w x h pixels on
// the device in the rotation.
int32_t FittingModule(const TModuleMatrix& matrix, int32_t w, int32_t h, int32_t band,
                      int rotation);

// A rectangle of the rotation-0 frame (a along, c across, from the box's corner) on the device.
QRect MapBoxRect(const TMatrixGeometry& g, int32_t a, int32_t c, int32_t w, int32_t h);

// The dark modules: each run of dark modules in a row is one rectangle.
void DrawMatrixModules(TBarCanvas& canvas, const TModuleMatrix& matrix, const TMatrixGeometry& g);
