#pragma once

#include <cstdint>

// The two drawing primitives every encoder uses. Encoders know nothing about painters: they hand
// solid black rectangles to a TBarCanvas, which the painting layer turns into fillRect calls and
// tests turn into a record of bars.

class TBarCanvas {
public:
    virtual ~TBarCanvas() = default;
    // A solid black rectangle in whole device pixels.
    virtual void FillBar(int32_t left, int32_t top, int32_t width, int32_t height) = 0;
};

// The drawing position of an encoder: where its next module starts.
struct TBarPos {
    int32_t x = 0;
    int32_t y = 0;
};

// A bar w along the symbol and barLength across it, its top-left corner at (x, y). The symbol
// runs along x in rotations 0 and 2 and along y in 1 and 3, so the bar lies on its side there.
void DrawBar(TBarCanvas& canvas, int32_t x, int32_t y, int rotation, int32_t barLength, int32_t w);

// Moves the drawing position w along the symbol.
void Advance(TBarPos& pos, int32_t w, int rotation);

inline bool IsVertical(int rotation) {
    return rotation == 1 || rotation == 3;
}

// Draws the lowest `count` bits of a pattern, highest first: a 1 is a bar module, a 0 a space
// module, each m wide, and advances past them. A run of bar modules goes out as one rectangle,
// which paints the same pixels with fewer calls.
void DrawPattern(TBarCanvas& canvas, TBarPos& pos, int rotation, uint32_t pattern, int count,
                 int32_t m, int32_t barLength);
