#include "document/SvgPicture.h"

#include "document/PictureLimits.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {
// An <image> may show inline data only: the SVG renderer would otherwise open any file named.
bool Reaches(const QXmlStreamReader& xml) {
    const QStringView name = xml.name();
    if (name == QLatin1String("script") || name == QLatin1String("foreignObject"))
        return true;
    if (name != QLatin1String("image"))
        return false;
    for (const QXmlStreamAttribute& a : xml.attributes())
        if (a.name() == QLatin1String("href") &&
            !a.value().trimmed().startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
            return true;
    return false;
}

// The document rewritten without what Reaches() names, its DTD and processing instructions
// (internal entities are expanded by the reader, within its limit). Empty when not well-formed.
QByteArray Cleaned(const QByteArray& data) {
    QXmlStreamReader xml(data);
    QByteArray out;
    QXmlStreamWriter writer(&out);
    bool root = false;
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (!root && xml.name() != QLatin1String("svg"))
                return QByteArray();
            root = true;
            if (Reaches(xml)) {
                xml.skipCurrentElement();
                continue;
            }
            writer.writeCurrentToken(xml);
            break;
        case QXmlStreamReader::DTD:
        case QXmlStreamReader::ProcessingInstruction:
        case QXmlStreamReader::EntityReference: // an entity the reader did not expand
            break;
        case QXmlStreamReader::Invalid:
            return QByteArray();
        default:
            writer.writeCurrentToken(xml);
        }
    }
    if (xml.hasError() || !root)
        return QByteArray();
    return out;
}

// No animation timer: pictures are drawn on print threads that have no event loop.
void Load(QSvgRenderer& renderer, const TSvgPicture& svg) {
    renderer.setFramesPerSecond(0);
    renderer.load(svg.Source);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
}
} // namespace

TSvgPicture ParseSvg(const QByteArray& data) {
    // Compressed SVG is not read: the cleaning needs the text.
    if (data.isEmpty() || data.size() > PictureLimits::MaxSvgFileBytes ||
        data.startsWith("\x1f\x8b"))
        return {};
    TSvgPicture svg{Cleaned(data), QSize()};
    if (svg.Source.isEmpty())
        return {};
    QSvgRenderer renderer;
    Load(renderer, svg);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.width() <= 0 || size.height() <= 0)
        return {};
    svg.NaturalSize = size;
    return svg;
}

TSvgPicture ReadSvgFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > PictureLimits::MaxSvgFileBytes)
        return {};
    return ParseSvg(file.readAll());
}

void DrawSvg(QPainter& painter, const TSvgPicture& svg, const QRectF& target) {
    if (svg.IsNull() || target.isEmpty())
        return;
    QSvgRenderer renderer;
    Load(renderer, svg);
    renderer.render(&painter, target);
}

QImage RenderSvg(const TSvgPicture& svg, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawSvg(p, svg, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}
