#include "app/PaletteDocking.h"

#include <algorithm>

namespace {
// Edges with right and bottom one past the last pixel, as the docking tables count them.
struct TEdges {
    int32_t Left, Top, Right, Bottom;
    explicit TEdges(const QRect& r)
        : Left(r.x()), Top(r.y()), Right(r.x() + r.width()), Bottom(r.y() + r.height()) {}
};
} // namespace

QPoint TPaletteDocking::Drag(const QRect& mainWindow, QPoint proposed, QSize palette) {
    const TEdges m(mainWindow);
    const int32_t x = proposed.x(), y = proposed.y();
    const int32_t w = palette.width(), h = palette.height();
    int32_t left = x, top = y;

    if (Near(x, m.Right)) {
        left = m.Right;
        if (Near(y, m.Top))
            top = m.Top, AttachPosition = 10;
        else if (Near(y + h, m.Bottom))
            top = m.Bottom - h, AttachPosition = 12;
        else
            AttachPosition = 11;
    } else if (Near(x + w, m.Left)) {
        left = m.Left - w;
        if (Near(y, m.Top))
            top = m.Top, AttachPosition = 7;
        else if (Near(y + h, m.Bottom))
            top = m.Bottom - h, AttachPosition = 9;
        else
            AttachPosition = 8;
    } else if (Near(y + h, m.Top)) {
        top = m.Top - h;
        if (Near(x, m.Left))
            left = m.Left, AttachPosition = 1;
        else if (Near(x + w, m.Right))
            left = m.Right - w, AttachPosition = 3;
        else
            AttachPosition = 2;
    } else if (Near(y, m.Bottom)) {
        top = m.Bottom;
        if (Near(x, m.Left))
            left = m.Left, AttachPosition = 4;
        else if (Near(x + w, m.Right))
            left = m.Right - w, AttachPosition = 6;
        else
            AttachPosition = 5;
    } else {
        AttachPosition = Floating;
    }
    DockOffsetX = left - m.Left;
    DockOffsetY = top - m.Top;
    return {left, top};
}

std::optional<QPoint> TPaletteDocking::Dock(const QRect& mainWindow, int32_t w, int32_t e) const {
    const TEdges m(mainWindow);
    const int32_t alongTop = std::min(m.Left + DockOffsetX, m.Right);
    switch (AttachPosition) {
    case 1:
        return QPoint(m.Left, m.Top - e);
    case 2:
        return QPoint(alongTop, m.Top - e);
    case 3:
        return QPoint(m.Right - w, m.Top - e);
    case 4:
        return QPoint(m.Left, m.Bottom);
    case 5:
        return QPoint(alongTop, m.Bottom);
    case 6:
        return QPoint(m.Right - w, m.Bottom);
    case 7:
        return QPoint(m.Left - w, m.Top);
    case 8:
        return QPoint(m.Left - w, m.Top + DockOffsetY);
    case 9:
        return QPoint(m.Left - w, m.Bottom - e);
    case 10:
        return QPoint(m.Right, m.Top);
    case 11:
        return QPoint(m.Right, m.Top + DockOffsetY);
    case 12:
        return QPoint(m.Right, m.Bottom - e);
    default:
        return std::nullopt;
    }
}

bool ExpandedAfter(bool autoExpand, bool cursorInside) {
    return !autoExpand || cursorInside;
}
