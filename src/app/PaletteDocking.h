#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

// Where the palette docks against the main window: floating; above the window (left-aligned, at
// the recorded offset, right-aligned); below it likewise; left of it (top-aligned, at the offset,
// bottom-aligned); right of it likewise. The preferences store the number.
enum TAttachPosition : int32_t {
    apFloating = 0,
    apAboveLeft = 1,
    apAboveAtOffset = 2,
    apAboveRight = 3,
    apBelowLeft = 4,
    apBelowAtOffset = 5,
    apBelowRight = 6,
    apLeftTop = 7,
    apLeftAtOffset = 8,
    apLeftBottom = 9,
    apRightTop = 10,
    apRightAtOffset = 11,
    apRightBottom = 12,
};

// Whether a stored number is an attach position.
inline bool IsAttachPosition(int32_t n) {
    return n >= apFloating && n <= apRightBottom;
}

// Where the palette sits against the main window, and the magnetic snapping that chooses it
// while the user drags the palette. Rectangles are window rectangles in screen coordinates.
class TPaletteDocking {
public:
    static constexpr int32_t SnapDistance = 20;
    static constexpr TAttachPosition DefaultPosition = apRightTop;

    TAttachPosition AttachPosition = apFloating;
    // Palette left and top minus the main window's, recorded at the last drag.
    int32_t DockOffsetX = 0;
    int32_t DockOffsetY = 0;

    // One step of a drag: the palette of the given size would go to proposed (the cursor less
    // the drag offset); returns where it goes instead, and records AttachPosition and the
    // offsets.
    QPoint Drag(const QRect& mainWindow, QPoint proposed, QSize palette);

    // The top-left that AttachPosition gives against the main window; none when floating.
    // expandedHeight: the palette's height when unrolled, which the positions above and at the
    // bottom of the window keep room for.
    std::optional<QPoint> Dock(const QRect& mainWindow, int32_t paletteWidth,
                               int32_t expandedHeight) const;

    static bool Near(int32_t a, int32_t b) {
        return b - SnapDistance <= a && a <= b + SnapDistance;
    }
};

// The roll-up rule: whether the palette should be unrolled after the mouse entered or left it
// or the pin was pressed. With autoExpand the palette follows the cursor; without it a rolled-up
// palette unrolls.
bool ExpandedAfter(bool autoExpand, bool cursorInside);
