#include "document/LabelStockPicture.h"

#include "document/StockLibrary.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

TStockPicture StockPicture(const TStock& stock) {
    TStockPicture picture;
    QRectF extent;
    for (const TStockLayout& layout : stock.Layouts)
        for (int row = 0; row < layout.Rows; ++row)
            for (int col = 0; col < layout.Columns; ++col) {
                const QRectF label(layout.X0 + col * layout.Dx, layout.Y0 + row * layout.Dy,
                                   stock.Width, stock.Height);
                picture.Labels.append(label);
                extent = extent.united(label);
            }
    if (stock.PaperWidth > 0 && stock.PaperHeight > 0)
        picture.Paper = QRectF(0, 0, stock.PaperWidth, stock.PaperHeight);
    else
        picture.Paper = QRectF(0, 0, std::max(extent.right(), stock.Width),
                               std::max(extent.bottom(), stock.Height));
    return picture;
}

namespace {
QPainterPath LabelOutline(const TStock& stock, const QRectF& box) {
    QPainterPath path;
    switch (stock.Shape) {
    case TStockShape::Round:
    case TStockShape::Ellipse:
    case TStockShape::Cd:
        path.addEllipse(box);
        break;
    case TStockShape::Rectangle:
    case TStockShape::Other:
        if (stock.Radius > 0)
            path.addRoundedRect(box, stock.Radius, stock.Radius);
        else
            path.addRect(box);
        break;
    }
    return path;
}
} // namespace

void PaintStockSheet(QPainter& painter, const QRectF& area, const TStock& stock) {
    const TStockPicture picture = StockPicture(stock);
    if (picture.Paper.isEmpty() || area.isEmpty())
        return;
    const double scale =
        std::min(area.width() / picture.Paper.width(), area.height() / picture.Paper.height());
    const QPointF origin(area.center().x() - picture.Paper.width() * scale / 2,
                         area.center().y() - picture.Paper.height() * scale / 2);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(origin);
    painter.scale(scale, scale);
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setBrush(Qt::white);
    painter.drawRect(picture.Paper);
    painter.setBrush(QColor(0xe8, 0xf0, 0xfa));
    for (const QRectF& label : picture.Labels)
        painter.drawPath(LabelOutline(stock, label));
    painter.restore();
}
