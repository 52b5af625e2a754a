#pragma once

#include <QList>
#include <QRectF>

class QPainter;
struct TStock;

// A stock's sheet drawn to scale: the paper and every label at its place, in its shape.
struct TStockPicture {
    QRectF Paper;         // inches from the paper's corner
    QList<QRectF> Labels; // the labels' bounding boxes, inches
};

// Where the paper and the labels lie, in inches. A roll or a stock without a paper size gets
// the smallest paper that holds every label.
TStockPicture StockPicture(const TStock& stock);

// Paints the stock's sheet centred in area, scaled to fit it with its proportions kept.
void PaintStockSheet(QPainter& painter, const QRectF& area, const TStock& stock);
