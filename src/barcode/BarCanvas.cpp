#include "barcode/BarCanvas.h"

void DrawBar(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, int32_t barLength, int32_t w) {
    if (w <= 0 || barLength <= 0)
        return;
    if (IsVertical(rotation))
        canvas.FillBar(x, y, barLength, w);
    else
        canvas.FillBar(x, y, w, barLength);
}

void Advance(TBarPos& pos, int32_t w, int rotation) {
    if (IsVertical(rotation))
        pos.y += w;
    else
        pos.x += w;
}

void DrawPattern(TBarCanvas& canvas, TBarPos& pos, int rotation, uint32_t pattern, int count,
                 int32_t m, int32_t barLength) {
    int bit = count - 1;
    while (bit >= 0) {
        const bool bar = (pattern >> bit) & 1u;
        int run = 0;
        while (bit >= 0 && (((pattern >> bit) & 1u) != 0) == bar) {
            ++run;
            --bit;
        }
        if (bar)
            DrawBar(canvas, pos.x, pos.y, rotation, barLength, run * m);
        Advance(pos, run * m, rotation);
    }
}
