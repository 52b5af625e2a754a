#include "document/TextRendering.h"

#include "document/SheetLimits.h"
#include "platform/Rounding.h"
#include "platform/Units.h"

#include <QPainter>

#include <algorithm>

namespace {
// No mnemonic processing, tabs expanded: text is drawn as typed.
constexpr int kWrapFlags = Qt::TextWordWrap | Qt::TextExpandTabs;

Qt::Alignment HorizontalAlignment(int hAlign) {
    switch (hAlign) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// Line feeds alone and carriage-return line-feed pairs both break lines.
QString NormaliseLineEnds(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}
} // namespace

QString TextForDrawing(const QString& text) {
    if (text.size() <= MaxDrawnTextLength)
        return text;
    qsizetype n = MaxDrawnTextLength;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

int32_t MaxImageSide(int32_t resolution) {
    return RoundHalfEven(SheetLimits::MaxInches * std::max(resolution, 1));
}

QSize TextExtent(const QFontMetrics& fm, const QString& text) {
    return QSize(text.isEmpty() ? 0 : fm.horizontalAdvance(text), fm.height());
}

QRgb TextBackground(bool transparent, TColor fontColor) {
    if (transparent && (fontColor & 0xFFFFFF) == clWhite)
        return qRgb(0, 0, 0);
    return qRgb(255, 255, 255);
}

void DrawRotatedText(QPainter& p, const QFont& font, const QColor& colour, const QString& text,
                     int rotation, const QSize& imageSize, const QSize& extent) {
    // The transform is put back by hand rather than with save/restore: on a PDF page every
    // saved state is written out again, and labels are printed by the thousand.
    const QTransform base = p.transform();
    p.setFont(font);
    p.setPen(colour);
    switch (rotation & 3) {
    case 1:
        p.translate(imageSize.width(), 0);
        p.rotate(90);
        break;
    case 2:
        p.translate(imageSize.width(), imageSize.height());
        p.rotate(180);
        break;
    case 3:
        p.translate(0, imageSize.height());
        p.rotate(270);
        break;
    default:
        break;
    }
    p.drawText(QRect(QPoint(0, 0), extent), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
               text);
    p.setTransform(base);
}

QSize WrappedTextExtent(const QFont& font, const QString& text, int width, int) {
    const QFontMetrics fm(font);
    const QString s = NormaliseLineEnds(text);
    if (s.isEmpty())
        return QSize(0, fm.height());
    const QRect r = fm.boundingRect(QRect(0, 0, std::max(width, 1), 1 << 20),
                                    Qt::AlignLeft | Qt::AlignTop | kWrapFlags, s);
    return QSize(std::max(r.right() + 1, 0), r.height());
}

void DrawWrappedText(QPainter& p, const QFont& font, const QColor& colour, const QString& text,
                     const QRect& rect, int hAlign) {
    p.setFont(font);
    p.setPen(colour);
    p.drawText(rect, HorizontalAlignment(hAlign) | Qt::AlignTop | kWrapFlags,
               NormaliseLineEnds(text));
}

namespace {
bool TextFits(const QFont& font, const QString& text, const QSize& room, bool wrapped,
              const QPaintDevice* device) {
    const QSize size = wrapped ? WrappedTextExtent(font, text, room.width(), 0)
                               : TextExtent(QFontMetrics(font, device), text);
    return size.width() <= room.width() && size.height() <= room.height();
}

QFont WithPixelSize(const QFont& font, int pixels) {
    QFont f = font;
    f.setPixelSize(pixels);
    return f;
}
} // namespace

TFittedFont FitTextFont(const QFont& font, const QString& text, const QSize& room, bool wrapped,
                        int32_t pixelsPerInch, const QPaintDevice* device) {
    const int full = std::max(1, font.pixelSize());
    if (TextFits(font, text, room, wrapped, device))
        return {font, true};
    const int floor =
        std::min(full, std::max(1, RoundHalfEven(MinFittedPoints * pixelsPerInch / PointsPerInch)));
    QFont smallest = WithPixelSize(font, floor);
    if (!TextFits(smallest, text, room, wrapped, device))
        return {smallest, false};
    // The extent grows with the size: the largest size that fits lies in [floor, full).
    int fits = floor, tooLarge = full;
    while (tooLarge - fits > 1) {
        const int middle = fits + (tooLarge - fits) / 2;
        if (TextFits(WithPixelSize(font, middle), text, room, wrapped, device))
            fits = middle;
        else
            tooLarge = middle;
    }
    return {WithPixelSize(font, fits), true};
}
