#pragma once

#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

class QPainter;

// The kinds of picture a run can write instead of a PDF.
enum class TPictureFormat { Png, Svg };

// The picture format a file name asks for by its extension (.png, .svg, any letter case); none
// for any other name.
std::optional<TPictureFormat> PictureFormatOf(const QString& path);

// Writes one picture to path: area (in the painter's device pixels at dpi) on a white ground,
// drawn by draw. A PNG holds whole pixels without alpha; an SVG holds texts as texts and
// rectangles as rectangles, its size and view box in those pixels at dpi, and title for its
// title. Throws TUserError when the file cannot be written.
void WritePicture(const QString& path, TPictureFormat format, const QRect& area, int32_t dpi,
                  const QString& title, const std::function<void(QPainter&)>& draw);
