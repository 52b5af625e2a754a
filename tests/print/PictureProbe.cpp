#include "PictureProbe.h"

#include <ZXing/ReadBarcode.h>

#include <QPainter>

#include <algorithm>

QImage Grey(const QImage& image) {
    return image.convertToFormat(QImage::Format_Grayscale8);
}

QImage GreyPicture(const QString& file) {
    const QImage image(file);
    return image.isNull() ? image : Grey(image);
}

std::vector<TFoundSymbol> FindSymbols(const QImage& grey) {
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::LinearCodes);
    // One symbol at a time, each painted over once read: the decoder's search for several
    // symbols at once trips over linear symbols seen on many lines.
    QImage rest = grey.copy();
    std::vector<TFoundSymbol> found;
    for (;;) {
        const ZXing::ImageView view(rest.constBits(), rest.width(), rest.height(),
                                    ZXing::ImageFormat::Lum, int(rest.bytesPerLine()));
        const ZXing::Result r = ZXing::ReadBarcode(view, hints);
        if (!r.isValid())
            break;
        QRect box;
        for (const auto& p : r.position())
            box = box.united(QRect(p.x, p.y, 1, 1));
        found.push_back({QString::fromStdString(r.text()), box});
        // The bars stand above and below the line the decoder read along.
        QPainter(&rest).fillRect(box.adjusted(-20, -300, 20, 300), Qt::white);
    }
    std::sort(found.begin(), found.end(), [](const TFoundSymbol& a, const TFoundSymbol& b) {
        return std::make_pair(a.Box.top() / 20, a.Box.left()) <
               std::make_pair(b.Box.top() / 20, b.Box.left());
    });
    return found;
}

namespace {
bool Dark(const QImage& grey, int x, int y) {
    return grey.constScanLine(y)[x] < 128;
}
} // namespace

int DifferingPixels(const QImage& a, const QImage& b, const QRect& area) {
    const QRect shared = area & a.rect() & b.rect();
    int differing = 0;
    for (int y = shared.top(); y <= shared.bottom(); ++y)
        for (int x = shared.left(); x <= shared.right(); ++x)
            differing += Dark(a, x, y) != Dark(b, x, y);
    return differing;
}

int DarkPixels(const QImage& grey, const QRect& area) {
    const QRect inside = area & grey.rect();
    int dark = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            dark += Dark(grey, x, y);
    return dark;
}

QRect DarkBox(const QImage& grey, const QRect& area) {
    const QRect inside = area & grey.rect();
    QRect box;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (Dark(grey, x, y))
                box = box.united(QRect(x, y, 1, 1));
    return box;
}

namespace {
// The dark pixels of grey, each grown into a square reaching radius pixels every way.
std::vector<uint8_t> GrownDark(const QImage& grey, int radius) {
    const int w = grey.width(), h = grey.height();
    std::vector<uint8_t> rows(size_t(w) * h, 0), grown(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const uchar* line = grey.constScanLine(y);
        int last = -radius - 1; // the last dark pixel seen, going right
        for (int x = 0; x < w + radius; ++x) {
            if (x < w && line[x] < 128)
                last = x;
            if (x - radius >= 0 && x - last <= 2 * radius)
                rows[size_t(y) * w + x - radius] = 1;
        }
    }
    for (int x = 0; x < w; ++x) {
        int last = -radius - 1;
        for (int y = 0; y < h + radius; ++y) {
            if (y < h && rows[size_t(y) * w + x])
                last = y;
            if (y - radius >= 0 && y - last <= 2 * radius)
                grown[size_t(y - radius) * w + x] = 1;
        }
    }
    return grown;
}
} // namespace

int UnmatchedDarkPixels(const QImage& a, const QImage& b, int radius) {
    const std::vector<uint8_t> near = GrownDark(b, radius);
    const QRect shared = a.rect() & b.rect();
    int unmatched = 0;
    for (int y = shared.top(); y <= shared.bottom(); ++y) {
        const uchar* line = a.constScanLine(y);
        for (int x = shared.left(); x <= shared.right(); ++x)
            unmatched += line[x] < 128 && !near[size_t(y) * b.width() + x];
    }
    return unmatched;
}
