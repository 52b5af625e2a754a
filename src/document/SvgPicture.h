#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>

class QPainter;

// An SVG picture, kept as its cleaned source so that screen and paper draw it as vectors.
struct TSvgPicture {
    QByteArray Source;
    QSize NaturalSize; // its width and height, or its viewBox's, in pixels
    bool IsNull() const { return Source.isEmpty(); }
};

// Reads an SVG file within PictureLimits. Elements that could reach outside the picture (images
// other than inline data, scripts, foreign objects) are dropped before the SVG renderer sees
// it, so a picture never loads another file. Null when the file is not an SVG we can draw.
TSvgPicture ReadSvgFile(const QString& path);
// The same from bytes already read.
TSvgPicture ParseSvg(const QByteArray& data);

// Draws the picture stretched onto target; a null picture draws nothing.
void DrawSvg(QPainter& painter, const TSvgPicture& svg, const QRectF& target);
// The picture as pixels of size, on a transparent ground.
QImage RenderSvg(const TSvgPicture& svg, const QSize& size);
