#pragma once

#include <QColor>

class QPainter;
class QPalette;
class QRect;

// The two owner-drawn border lists of the sheet set-up dialog.
enum class TBorderList { Style, Size };

struct TBorderEntryColors {
    QColor Background;
    QColor Foreground; // lines and text
};

// Highlight colours for a selected entry, the grey-text colour for a disabled list.
TBorderEntryColors BorderEntryColors(const QPalette& palette, bool selected, bool enabled);

// Draws entry index of a border list into rect with the painter's font. A style entry is a
// one-pixel line in that style, 5 pixels in from each side ("No Border" for the first); a size
// entry is a solid line index + 1 pixels thick over the left two thirds, with the width text
// right-aligned 4 pixels from the edge. An index outside the list draws only the background.
void PaintBorderEntry(QPainter& painter, const QRect& rect, TBorderList list, int index,
                      const TBorderEntryColors& colors);

// Entries are tall enough for the thickest size line.
int BorderEntryHeight(int fontHeight);
