#include "barcode/MatrixPicture.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr uint DarkIndex = 0;
constexpr uint LightIndex = 1;
// The least enlargement drawn sample by sample rather than smoothed.
constexpr int32_t SharpScale = 4;
// Poppler takes an image edge lying exactly on a pixel boundary to reach into the next pixel
// and would paint one column and one row more than the rectangles; drawn this much short of
// the far edges, the picture moves no pixel centre across a sample boundary.
constexpr double FarEdgeTrim = 1.0 / 64;

// The sample of module (r, c), in the rotation-0 frame, in a picture turned by the rotation:
// the same turn MapBoxRect gives the rectangles.
QPoint TurnedSample(int rotation, int32_t r, int32_t c, int32_t rows, int32_t columns) {
    switch (rotation) {
    case 1:
        return {rows - 1 - r, c};
    case 2:
        return {columns - 1 - c, rows - 1 - r};
    case 3:
        return {r, columns - 1 - c};
    default:
        return {c, r};
    }
}
} // namespace

QImage MatrixModulePicture(const TModuleMatrix& matrix, int rotation, bool transparent) {
    if (matrix.columns <= 0 || matrix.rows <= 0)
        return {};
    const bool vertical = IsVertical(rotation);
    QImage picture(vertical ? matrix.rows : matrix.columns, vertical ? matrix.columns : matrix.rows,
                   QImage::Format_Mono);
    // Black then white is what Qt's PDF writer keeps as a 1-bit grey image, whose light samples
    // paint white; with a transparent light colour it writes a black image under a 1-bit mask,
    // which paints the dark samples only.
    picture.setColorTable({qRgb(0, 0, 0), transparent ? qRgba(0, 0, 0, 0) : qRgb(255, 255, 255)});
    picture.fill(LightIndex);
    for (int32_t r = 0; r < matrix.rows; ++r)
        for (int32_t c = 0; c < matrix.columns; ++c)
            if (matrix.Dark(r, c))
                picture.setPixel(TurnedSample(rotation, r, c, matrix.rows, matrix.columns),
                                 DarkIndex);
    return picture;
}

bool PictureStaysSharp(const TModuleMatrix& matrix, int32_t m) {
    return m * std::max<int32_t>(1, matrix.rowModules) >= SharpScale;
}

QRect MatrixModuleRect(const TModuleMatrix& matrix, const TMatrixGeometry& g) {
    const int32_t q = matrix.quietModules * g.m;
    return MapBoxRect(g, g.indent + q, q, matrix.columns * g.m,
                      matrix.rows * matrix.rowModules * g.m);
}

void DrawMatrixModulePicture(QPainter& painter, const TModuleMatrix& matrix,
                             const TMatrixGeometry& g, bool transparent) {
    const QImage picture = MatrixModulePicture(matrix, g.rotation, transparent);
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const QRectF target =
        QRectF(MatrixModuleRect(matrix, g)).adjusted(0, 0, -FarEdgeTrim, -FarEdgeTrim);
    painter.drawImage(target, picture);
    painter.restore();
}
