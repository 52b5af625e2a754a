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
            top = m.Top, AttachPosition = apRightTop;
        else if (Near(y + h, m.Bottom))
            top = m.Bottom - h, AttachPosition = apRightBottom;
        else
            AttachPosition = apRightAtOffset;
    } else if (Near(x + w, m.Left)) {
        left = m.Left - w;
        if (Near(y, m.Top))
            top = m.Top, AttachPosition = apLeftTop;
        else if (Near(y + h, m.Bottom))
            top = m.Bottom - h, AttachPosition = apLeftBottom;
        else
            AttachPosition = apLeftAtOffset;
    } else if (Near(y + h, m.Top)) {
        top = m.Top - h;
        if (Near(x, m.Left))
            left = m.Left, AttachPosition = apAboveLeft;
        else if (Near(x + w, m.Right))
            left = m.Right - w, AttachPosition = apAboveRight;
        else
            AttachPosition = apAboveAtOffset;
    } else if (Near(y, m.Bottom)) {
        top = m.Bottom;
        if (Near(x, m.Left))
            left = m.Left, AttachPosition = apBelowLeft;
        else if (Near(x + w, m.Right))
            left = m.Right - w, AttachPosition = apBelowRight;
        else
            AttachPosition = apBelowAtOffset;
    } else {
        AttachPosition = apFloating;
    }
    DockOffsetX = left - m.Left;
    DockOffsetY = top - m.Top;
    return {left, top};
}

std::optional<QPoint> TPaletteDocking::Dock(const QRect& mainWindow, int32_t w, int32_t e) const {
    const TEdges m(mainWindow);
    const int32_t alongTop = std::min(m.Left + DockOffsetX, m.Right);
    switch (AttachPosition) {
    case apAboveLeft:
        return QPoint(m.Left, m.Top - e);
    case apAboveAtOffset:
        return QPoint(alongTop, m.Top - e);
    case apAboveRight:
        return QPoint(m.Right - w, m.Top - e);
    case apBelowLeft:
        return QPoint(m.Left, m.Bottom);
    case apBelowAtOffset:
        return QPoint(alongTop, m.Bottom);
    case apBelowRight:
        return QPoint(m.Right - w, m.Bottom);
    case apLeftTop:
        return QPoint(m.Left - w, m.Top);
    case apLeftAtOffset:
        return QPoint(m.Left - w, m.Top + DockOffsetY);
    case apLeftBottom:
        return QPoint(m.Left - w, m.Bottom - e);
    case apRightTop:
        return QPoint(m.Right, m.Top);
    case apRightAtOffset:
        return QPoint(m.Right, m.Top + DockOffsetY);
    case apRightBottom:
        return QPoint(m.Right, m.Bottom - e);
    default:
        return std::nullopt;
    }
}

bool ExpandedAfter(bool autoExpand, bool cursorInside) {
    return !autoExpand || cursorInside;
}
