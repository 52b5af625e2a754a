#include "barcode/MatrixPainter.h"

#include "barcode/BarcodePainter.h"
#include "barcode/Interpretation.h"
#include "barcode/MatrixPicture.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

namespace {
// The reason's text on the design surface, in pixels.
constexpr int RefusalFontPixels = 9;
const QColor RefusalInk(176, 0, 0);
} // namespace

void DrawMatrixBarcode(QPainter& painter, const TModuleMatrix& matrix, const TMatrixGeometry& g,
                       const TMatrixText& text, const QFont& font, bool transparent,
                       TModulePaint modules) {
    painter.save();
    if (!transparent)
        painter.fillRect(g.box, Qt::white);
    if (modules == TModulePaint::Picture) {
        DrawMatrixModulePicture(painter, matrix, g, transparent);
    } else {
        TPainterBarCanvas canvas(painter);
        DrawMatrixModules(canvas, matrix, g);
        canvas.Flush();
    }
    if (g.band > 0 && !text.lines.isEmpty()) {
        const QFontMetrics fm(font, painter.device());
        painter.setFont(font);
        painter.setPen(Qt::black);
        const QTransform base = painter.transform();
        for (qsizetype i = 0; i < text.lines.size(); ++i) {
            const int32_t tw = i < text.widths.size() ? text.widths[i] : 0;
            const TBoxPoint at{g.along / 2 - tw / 2,
                               g.across - g.band + int32_t(i) * text.lineHeight};
            const QPoint origin =
                MapBoxPoint(g.rotation, at, g.box.x(), g.box.y(), g.along, g.across);
            painter.setTransform(base);
            painter.translate(origin);
            painter.rotate(TextAngle(g.rotation));
            painter.drawText(QPoint(0, fm.ascent()), text.lines[i]);
        }
    }
    painter.restore();
}

void DrawMatrixRefusal(QPainter& painter, const QRect& box, const QString& reason) {
    painter.save();
    painter.fillRect(box, Qt::white);
    painter.fillRect(box, QBrush(QColor(200, 200, 200), Qt::BDiagPattern));
    painter.setPen(RefusalInk);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    QFont font = painter.font();
    font.setPixelSize(RefusalFontPixels);
    font.setBold(false);
    font.setItalic(false);
    painter.setFont(font);
    const QRect inner = box.adjusted(2, 1, -2, -1);
    // the words on a white ground so that the hatching does not hide them
    const QRect words =
        painter.fontMetrics().boundingRect(inner, Qt::AlignCenter | Qt::TextWordWrap, reason);
    painter.fillRect(words.intersected(inner), Qt::white);
    painter.drawText(inner, Qt::AlignCenter | Qt::TextWordWrap, reason);
    painter.restore();
}
