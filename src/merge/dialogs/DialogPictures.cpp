#include "merge/dialogs/DialogPictures.h"

#include <QPainter>
#include <QPixmap>

#include <functional>

namespace {
constexpr int kSize = 16;

const QColor kInk(0x20, 0x30, 0x60);
const QColor kPaper(0xFF, 0xFF, 0xF4);
const QColor kPlus(0x1E, 0x90, 0x30);
const QColor kCross(0xC8, 0x1E, 0x1E);

QIcon Painted(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    return QIcon(pixmap);
}

// A page with a dark edge, the ground of every kind's picture.
void Page(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

void Letters(QPainter& p, const QString& text, int pixelSize, const QColor& colour) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(1, 2, 15, 13), Qt::AlignCenter, text);
}

void PaintKind(QPainter& p, TFieldPanel kind) {
    Page(p);
    switch (kind) {
    case TFieldPanel::Text:
        Letters(p, QStringLiteral("Ab"), 9, kInk);
        break;
    case TFieldPanel::Imported:
        // Table columns with the middle one taken.
        p.fillRect(QRectF(6, 2, 4, 12), QColor(0x9C, 0xC8, 0xF0));
        p.setPen(QPen(kInk, 1));
        for (double x : {5.5, 10.5})
            p.drawLine(QPointF(x, 2), QPointF(x, 14));
        for (double y : {5.5, 9.5})
            p.drawLine(QPointF(2, y), QPointF(14, y));
        break;
    case TFieldPanel::Sequence:
        Letters(p, QStringLiteral("123"), 7, kInk);
        break;
    case TFieldPanel::Date:
        // A calendar leaf: a red band and a grid of days.
        p.fillRect(QRectF(2, 2, 12, 3.5), QColor(0xD0, 0x30, 0x30));
        p.setPen(Qt::NoPen);
        p.setBrush(kInk);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 3; ++column)
                p.drawRect(QRectF(3.5 + column * 3.5, 7 + row * 2.5, 2, 1.5));
        break;
    }
}

void Cross(QPainter& p, QRectF box) {
    p.setPen(QPen(kCross, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
}
} // namespace

QIcon FieldKindPicture(TFieldPanel kind) {
    return Painted([kind](QPainter& p) { PaintKind(p, kind); });
}

QIcon AddFieldPicture(TFieldPanel kind) {
    return Painted([kind](QPainter& p) {
        PaintKind(p, kind);
        p.setPen(QPen(Qt::white, 4.5));
        p.drawLine(QPointF(12, 8.5), QPointF(12, 15.5));
        p.drawLine(QPointF(8.5, 12), QPointF(15.5, 12));
        p.setPen(QPen(kPlus, 2.2));
        p.drawLine(QPointF(12, 9), QPointF(12, 15));
        p.drawLine(QPointF(9, 12), QPointF(15, 12));
    });
}

QIcon RemoveFieldPicture() {
    return Painted([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 4.5, 13, 7));
        Cross(p, QRectF(4, 4, 8, 8));
    });
}

QIcon RemoveAllFieldsPicture() {
    return Painted([](QPainter& p) {
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        for (double y : {1.5, 6.5, 11.5})
            p.drawRect(QRectF(1.5, y, 13, 3));
        Cross(p, QRectF(3, 3, 10, 10));
    });
}
