// The PNG loader, through the function an image control loads its picture with; PNG stands for
// the readers Qt brings (GIF, TIFF and WebP are read the same way).

#include "FuzzSupport.h"
#include "document/GraphicLabel.h"
#include "document/PictureLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("png-picture.tmp"), data, size);
    TGraphicLabel control;
    control.SetLoading(true);
    if (LoadImageByName(control, path)) {
        const QImage& picture = control.Picture();
        FuzzCheck(!picture.isNull() && (picture.format() == QImage::Format_RGB888 ||
                                        picture.format() == QImage::Format_ARGB32),
                  "a loaded picture that is neither 24-bit nor 32-bit with alpha");
        FuzzCheck(PictureLimits::RasterSizeAllowed(picture.width(), picture.height()),
                  "a picture beyond the limits");
    }
    return 0;
}
