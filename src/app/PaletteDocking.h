#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

// Where the palette sits against the main window, and the magnetic snapping that chooses it
// while the user drags the palette. Rectangles are window rectangles in screen coordinates.
//
// Attach positions: 0 floating; 1 to 3 above the window (left-aligned, at the recorded offset,
// right-aligned); 4 to 6 below it likewise; 7 to 9 left of it (top-aligned, at the offset,
// bottom-aligned); 10 to 12 right of it likewise.
class TPaletteDocking {
public:
    static constexpr int32_t SnapDistance = 20;
    static constexpr int32_t Floating = 0;
    static constexpr int32_t DefaultPosition = 10;
    static constexpr int32_t LastPosition = 12;

    int32_t AttachPosition = Floating;
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
