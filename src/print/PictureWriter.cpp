#include "print/PictureWriter.h"

#include "platform/Errors.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QSvgGenerator>

#include <cmath>
#include <optional>

namespace {
// Qt's PNG writer takes 0 to 100 for zlib's levels 0 to 9; 20 is level 1. A page is mostly
// white and packs well at any level (an A4 page at 300 dpi: 0.42 MB at level 1, 0.34 MB at
// zlib's default 6), while level 6 takes a third longer to write and 9 three times as long.
constexpr int PngCompression = 20;

QString WriteFailed(const QString& path, const QString& reason) {
    return QStringLiteral("The picture %1 could not be written: %2.").arg(path, reason);
}

// The picture in grey when every pixel is black, white or a grey, as on most labels: the same
// pixels in a third of the bytes, encoded three times as fast. None when a pixel has a colour.
std::optional<QImage> GreyOnly(const QImage& rgb) {
    QImage grey(rgb.size(), QImage::Format_Grayscale8);
    if (grey.isNull())
        return std::nullopt;
    for (int y = 0; y < rgb.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        uchar* out = grey.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const int r = qRed(in[x]);
            if (r != qGreen(in[x]) || r != qBlue(in[x]))
                return std::nullopt;
            out[x] = uchar(r);
        }
    }
    grey.setDotsPerMeterX(rgb.dotsPerMeterX());
    grey.setDotsPerMeterY(rgb.dotsPerMeterY());
    return grey;
}

void WritePng(const QString& path, const QRect& area, int32_t dpi,
              const std::function<void(QPainter&)>& draw) {
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        throw TUserError(WriteFailed(path, QStringLiteral("not enough memory")));
    image.fill(Qt::white);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    {
        QPainter painter(&image);
        painter.translate(-area.topLeft());
        draw(painter);
    }
    QImageWriter writer(path, "png");
    writer.setCompression(PngCompression);
    const std::optional<QImage> grey = GreyOnly(image);
    if (!writer.write(grey ? *grey : image))
        throw TUserError(WriteFailed(path, writer.errorString()));
}

void WriteSvg(const QString& path, const QRect& area, int32_t dpi, const QString& title,
              const std::function<void(QPainter&)>& draw) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(area.size());
    svg.setViewBox(QRect(QPoint(0, 0), area.size()));
    svg.setResolution(dpi);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg))
        throw TUserError(WriteFailed(path, QStringLiteral("the file cannot be created")));
    painter.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
    painter.translate(-area.topLeft());
    draw(painter);
    painter.end();
    if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0)
        throw TUserError(WriteFailed(path, QStringLiteral("nothing was written")));
}
} // namespace

std::optional<TPictureFormat> PictureFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("png"), Qt::CaseInsensitive) == 0)
        return TPictureFormat::Png;
    if (suffix.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0)
        return TPictureFormat::Svg;
    return std::nullopt;
}

void WritePicture(const QString& path, TPictureFormat format, const QRect& area, int32_t dpi,
                  const QString& title, const std::function<void(QPainter&)>& draw) {
    if (format == TPictureFormat::Png)
        WritePng(path, area, dpi, draw);
    else
        WriteSvg(path, area, dpi, title, draw);
}
