#include "document/PictureFormats.h"

#include "document/PictureLimits.h"

#include <QFileInfo>
#include <QImageReader>

namespace {
TPictureType TypeFromWord(const QString& word) {
    const QString w = word.toUpper();
    if (w == QLatin1String("BMP"))
        return TPictureType::Bitmap;
    if (w == QLatin1String("JPG") || w == QLatin1String("JPE") || w == QLatin1String("JPEG"))
        return TPictureType::Jpeg;
    if (w == QLatin1String("PNG"))
        return TPictureType::Png;
    if (w == QLatin1String("GIF"))
        return TPictureType::Gif;
    if (w == QLatin1String("TIF") || w == QLatin1String("TIFF"))
        return TPictureType::Tiff;
    if (w == QLatin1String("WEB") || w == QLatin1String("WEBP"))
        return TPictureType::WebP;
    if (w == QLatin1String("SVG"))
        return TPictureType::Svg;
    return TPictureType::None;
}

const char* ReaderFormat(TPictureType type) {
    switch (type) {
    case TPictureType::Png:
        return "png";
    case TPictureType::Gif:
        return "gif";
    case TPictureType::Tiff:
        return "tiff";
    case TPictureType::WebP:
        return "webp";
    default:
        return nullptr;
    }
}
} // namespace

TPictureType PictureTypeFromName(const QString& path) {
    return TypeFromWord(QFileInfo(path).fileName().left(3));
}

TPictureType PictureTypeFromExtension(const QString& path) {
    const QString ext = QFileInfo(path).suffix();
    // Private names ("JPE..." from ".jpeg") are three letters; a user's ".jpe" is no picture.
    if (ext.compare(QLatin1String("JPE"), Qt::CaseInsensitive) == 0 ||
        ext.compare(QLatin1String("WEB"), Qt::CaseInsensitive) == 0)
        return TPictureType::None;
    return TypeFromWord(ext);
}

QString PictureTypeWord(TPictureType type) {
    switch (type) {
    case TPictureType::Bitmap:
        return QStringLiteral("bitmap");
    case TPictureType::Jpeg:
        return QStringLiteral("jpeg");
    case TPictureType::Png:
        return QStringLiteral("png");
    case TPictureType::Gif:
        return QStringLiteral("gif");
    case TPictureType::Tiff:
        return QStringLiteral("tiff");
    case TPictureType::WebP:
        return QStringLiteral("webp");
    case TPictureType::Svg:
        return QStringLiteral("svg");
    case TPictureType::None:
        break;
    }
    return QStringLiteral("picture");
}

QImage DecodeRasterFile(const QString& path, TPictureType type) {
    const char* format = ReaderFormat(type);
    if (!format)
        return QImage();
    QImageReader reader(path, format);
    // A header that cannot tell its size, or claims too much, is refused before decoding.
    const QSize size = reader.size();
    if (!size.isValid() || !PictureLimits::RasterSizeAllowed(size.width(), size.height()))
        return QImage();
    QImage image = reader.read();
    if (image.isNull() || !PictureLimits::RasterSizeAllowed(image.width(), image.height()))
        return QImage();
    return image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                   : image.convertToFormat(QImage::Format_RGB888);
}
