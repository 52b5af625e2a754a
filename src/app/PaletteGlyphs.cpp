#include "app/PaletteGlyphs.h"

#include "document/ShapeLabel.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {
constexpr int S = PaletteGlyphSize;
const QColor kInk(32, 32, 32);
const QColor kPaper(255, 255, 255);
const QColor kAccent(40, 100, 200);

QPixmap Blank() {
    QPixmap pixmap(S, S);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// Two overlapping sheets, the one the command moves in the accent colour.
void PaintStack(QPainter& p, bool toFront) {
    p.setPen(kInk);
    p.setBrush(toFront ? kPaper : kAccent);
    p.drawRect(QRect(1, 1, 9, 9));
    p.setBrush(toFront ? kAccent : kPaper);
    p.drawRect(QRect(6, 6, 9, 9));
}

void PaintAutoSize(QPainter& p) {
    p.setPen(QPen(kInk, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(1, 1, S - 3, S - 3));
    p.setPen(QPen(kAccent, 2));
    p.drawLine(4, 8, 12, 8);
    p.drawLine(4, 8, 6, 6), p.drawLine(4, 8, 6, 10);
    p.drawLine(12, 8, 10, 6), p.drawLine(12, 8, 10, 10);
}

void PaintTransparent(QPainter& p) {
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            p.fillRect(QRect(1 + x * 3 + 1, 1 + y * 3 + 1, 3, 3),
                       (x + y) % 2 ? QColor(200, 200, 200) : kPaper);
    p.setPen(kInk);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(1, 1, 13, 13));
}

// The letter A turned as the control would be.
void PaintRotation(QPainter& p, int quarterTurns) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(S / 2.0, S / 2.0);
    p.rotate(90.0 * quarterTurns);
    QFont font = p.font();
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kInk);
    p.drawText(QRectF(-S / 2.0, -S / 2.0, S, S), Qt::AlignCenter, QStringLiteral("A"));
    p.setPen(QPen(kAccent, 1.5));
    p.drawLine(QPointF(-5, 7), QPointF(5, 7));
}
} // namespace

QIcon PaletteGlyph(TPaletteGlyph glyph) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    switch (glyph) {
    case TPaletteGlyph::BringToFront:
        PaintStack(p, true);
        break;
    case TPaletteGlyph::SendToBack:
        PaintStack(p, false);
        break;
    case TPaletteGlyph::AutoSize:
        PaintAutoSize(p);
        break;
    case TPaletteGlyph::Transparent:
        PaintTransparent(p);
        break;
    case TPaletteGlyph::Rotate0:
    case TPaletteGlyph::Rotate90:
    case TPaletteGlyph::Rotate180:
    case TPaletteGlyph::Rotate270:
        PaintRotation(p, int(glyph) - int(TPaletteGlyph::Rotate0));
        break;
    }
    p.end();
    return QIcon(pixmap);
}

QIcon ShapeGlyph(uint8_t shapeFormat) {
    QPixmap pixmap = Blank();
    QPainter p(&pixmap);
    p.translate(1, 1);
    TShapeStyle style;
    style.Format = shapeFormat;
    style.PenWidth = 1;
    style.PenColor = FromQColor(kInk);
    style.BrushStyle = bsSolid;
    style.BrushColor = FromQColor(kPaper);
    DrawShape(p, style, S - 2, S - 2);
    p.end();
    return QIcon(pixmap);
}

void PaintPinGlyph(QPainter& p, const QRect& r, bool autoExpand, const QColor& ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.center() + QPointF(0.5, 0.5));
    const double u = std::min(r.width(), r.height()) / 12.0;
    p.scale(u, u);
    if (autoExpand)
        p.rotate(-90); // lying down: not pinned
    p.setPen(QPen(ink, 1.2));
    p.setBrush(ink);
    // head, collar and needle of a drawing pin seen from the side
    p.drawRect(QRectF(-2, -5, 4, 4));
    p.drawLine(QPointF(-3.5, -1), QPointF(3.5, -1));
    p.drawLine(QPointF(0, -1), QPointF(0, 5));
    p.restore();
}

void PaintCloseGlyph(QPainter& p, const QRect& r, const QColor& ink) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1.5));
    const QRectF box = QRectF(r).adjusted(r.width() * 0.28, r.height() * 0.28, -r.width() * 0.28,
                                          -r.height() * 0.28);
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
    p.restore();
}
