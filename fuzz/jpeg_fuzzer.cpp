// The JPEG loader, through the function an image control loads its picture with.

#include "FuzzSupport.h"
#include "document/GraphicLabel.h"
#include "document/PictureLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("jpg-picture.tmp"), data, size);
    TGraphicLabel control;
    control.SetLoading(true);
    if (LoadImageByName(control, path)) {
        const QImage& picture = control.Picture();
        FuzzCheck(!picture.isNull() && picture.format() == QImage::Format_RGB888,
                  "a loaded picture that is not 24-bit");
        FuzzCheck(PictureLimits::JpegSizeAllowed(picture.width(), picture.height(), qint64(size)),
                  "a picture beyond the limits");
    }
    return 0;
}
