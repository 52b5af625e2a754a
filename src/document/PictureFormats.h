#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The kinds of picture an image control shows. A private picture file carries its kind in the
// first three letters of its name (the prefix a label archive keeps too); a file the user picks
// carries it in its extension.
enum class TPictureType { None, Bitmap, Jpeg, Png, Gif, Tiff, WebP, Svg };

TPictureType PictureTypeFromName(const QString& path);
TPictureType PictureTypeFromExtension(const QString& path);
// The word for the kind in "Unable to load ... file".
QString PictureTypeWord(TPictureType type);

// Decodes a PNG, GIF, TIFF or WebP file (the first frame or page). The size in its header is
// checked against PictureLimits before any pixel is decoded; a picture with an alpha channel
// keeps it (ARGB32), any other is 24-bit. Null when refused or unreadable.
QImage DecodeRasterFile(const QString& path, TPictureType type);
