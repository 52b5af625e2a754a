// The BMP loader, through the function an image control loads its picture with.

#include "FuzzSupport.h"
#include "document/GraphicLabel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = WriteFuzzInput(QStringLiteral("bmp-picture.tmp"), data, size);
    TGraphicLabel control;
    control.SetLoading(true);
    if (LoadImageByName(control, path))
        FuzzCheck(!control.Picture().isNull() &&
                      control.Picture().format() == QImage::Format_RGB888,
                  "a loaded picture that is not 24-bit");
    return 0;
}
