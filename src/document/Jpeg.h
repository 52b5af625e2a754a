#pragma once

#include <QImage>
#include <QString>

// Decodes a JPEG file with libjpeg into a 24-bit image. Returns a null image when the file
// cannot be read, is not a JPEG libjpeg can decode or is beyond PictureLimits.h; never throws
// or aborts.
QImage DecodeJpegFile(const QString& path);
