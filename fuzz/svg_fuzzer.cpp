// The SVG loader, through the function an image control loads its picture with, and the drawing
// of what it kept.

#include "FuzzSupport.h"
#include "document/GraphicLabel.h"
#include "document/PictureLimits.h"

#include <QPainter>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("svg-picture.tmp"), data, size);
    TGraphicLabel control;
    control.SetLoading(true);
    if (LoadImageByName(control, path)) {
        FuzzCheck(!control.Vectors().IsNull(), "an SVG loaded without its vectors");
        const QSize preview = control.Picture().size();
        FuzzCheck(preview.width() <= PictureLimits::MaxSvgPreviewSide &&
                      preview.height() <= PictureLimits::MaxSvgPreviewSide,
                  "an SVG's pixel copy beyond the limits");
        QImage page(64, 64, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&page);
        DrawSvg(p, control.Vectors(), QRectF(0, 0, 64, 64));
    }
    return 0;
}
