#pragma once

#include "barcode/BarCanvas.h"
#include "barcode/BarcodeTypes.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

// Records the bars an encoder draws, so tests compare modules and geometry without pixels.
class TBarRecorder : public TBarCanvas {
public:
    void FillBar(int32_t left, int32_t top, int32_t width, int32_t height) override {
        m_bars.emplace_back(left, top, width, height);
    }

    const std::vector<QRect>& Bars() const { return m_bars; }

    // The modules along the symbol from `start` (an x in rotations 0 and 2, a y in 1 and 3):
    // '1' where a bar covers the module, '0' where nothing does.
    std::string Modules(int32_t start, int32_t count, int32_t m, int rotation) const {
        std::string out(count, '0');
        for (const QRect& r : m_bars) {
            const int32_t from = IsVertical(rotation) ? r.top() : r.left();
            const int32_t length = IsVertical(rotation) ? r.height() : r.width();
            for (int32_t i = 0; i < count; ++i) {
                const int32_t p = start + i * m;
                if (p >= from && p < from + length)
                    out[i] = '1';
            }
        }
        return out;
    }

private:
    std::vector<QRect> m_bars;
};

// Run lengths of a module string, alternating bar and space from the first module: "1101000"
// gives "2113".
inline std::string Widths(const std::string& modules) {
    std::string out;
    size_t i = 0;
    while (i < modules.size()) {
        size_t j = i;
        while (j < modules.size() && modules[j] == modules[i])
            ++j;
        out += char('0' + (j - i));
        i = j;
    }
    return out;
}

// Draws a whole symbol, m pixels per module, into a white 8-bit grey image with a margin, the
// painter's font set to the control's default face.
QImage RenderSymbol(TBarcodeType type, const QString& data, int32_t m, int rotation, bool interpret,
                    int32_t cross, int32_t margin);
