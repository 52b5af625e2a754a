#include "document/Snap.h"

#include "document/LabelDocument.h"
#include "platform/Screen.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {
// A line the box may hold to along one axis, and the stretch across the other axis a guide
// along it covers (none for grid lines: the grid itself shows them).
struct TTarget {
    int32_t At;
    std::optional<std::pair<int32_t, int32_t>> Guide;
};

// Which of the box's lines along one axis may be pulled: its low edge, centre, high edge.
struct TMovable {
    bool Lo = false, Mid = false, Hi = false;
    bool Any() const { return Lo || Mid || Hi; }
};

struct TAxisBox {
    int32_t Lo, Hi;
};

struct TPull {
    double Distance;
    int32_t Target;
    int Line; // 0 low edge, 1 centre, 2 high edge
};

// A centre is taken as the controls' own are, in whole pixels: low edge plus half the size.
int32_t LineOf(const TAxisBox& b, int line) {
    switch (line) {
    case 0:
        return b.Lo;
    case 1:
        return b.Lo + (b.Hi - b.Lo) / 2;
    default:
        return b.Hi;
    }
}

// The nearest pull within reach of any movable line onto any target.
std::optional<TPull> Nearest(const TAxisBox& b, TMovable m, const std::vector<TTarget>& targets,
                             double reach) {
    std::optional<TPull> best;
    const bool movable[3] = {m.Lo, m.Mid, m.Hi};
    for (int line = 0; line < 3; ++line) {
        if (!movable[line])
            continue;
        const int32_t at = LineOf(b, line);
        for (const TTarget& t : targets) {
            const double d = std::abs(double(t.At) - at);
            if (d <= reach && (!best || d < best->Distance))
                best = TPull{d, t.At, line};
        }
    }
    return best;
}

// The box after the pull: a move shifts it whole, a resize moves the pulled edge alone.
TAxisBox Pulled(TAxisBox b, const TPull& p, bool move) {
    const int32_t size = b.Hi - b.Lo;
    switch (p.Line) {
    case 0:
        b.Lo = p.Target;
        if (move)
            b.Hi = b.Lo + size;
        break;
    case 1: // only a move pulls the centre
        b.Lo = p.Target - size / 2;
        b.Hi = b.Lo + size;
        break;
    default:
        b.Hi = p.Target;
        if (move)
            b.Lo = b.Hi - size;
        break;
    }
    return b;
}

TMovable MovableAcross(TDragMode mode) {
    switch (mode) {
    case dmMove:
        return {true, true, true};
    case dmRight:
    case dmBottomRight:
        return {false, false, true};
    case dmLeft:
        return {true, false, false};
    default:
        return {};
    }
}

TMovable MovableDown(TDragMode mode) {
    switch (mode) {
    case dmMove:
        return {true, true, true};
    case dmBottom:
    case dmBottomRight:
        return {false, false, true};
    case dmTop:
        return {true, false, false};
    default:
        return {};
    }
}
} // namespace

TSnapResult TSnap::Apply(const TRect& proposed, TDragMode mode) const {
    TSnapResult result{proposed, {}};
    if (Suspended || (!ToGrid && !ToControls))
        return result;
    const int32_t width = m_document.LabelWidth(), height = m_document.LabelHeight();
    std::vector<TTarget> across, down; // vertical lines (x), horizontal lines (y)
    if (ToControls) {
        // The label: where its controls are kept, and its middle.
        const TRect area = m_document.LabelArea();
        for (int32_t x : {area.Left, width / 2, area.Right})
            across.push_back({x, std::pair(0, height)});
        for (int32_t y : {area.Top, height / 2, area.Bottom})
            down.push_back({y, std::pair(0, width)});
        const std::vector<TControlId>& selected = m_document.SelectedIds();
        for (const auto& c : m_document.Controls()) {
            if (std::find(selected.begin(), selected.end(), c->Id()) != selected.end())
                continue;
            const TRect r = c->Box();
            for (int32_t x : {r.Left, r.Left + r.Width() / 2, r.Right})
                across.push_back({x, std::pair(r.Top, r.Bottom)});
            for (int32_t y : {r.Top, r.Top + r.Height() / 2, r.Bottom})
                down.push_back({y, std::pair(r.Left, r.Right)});
        }
    }
    if (ToGrid) {
        const double stepX = GridStep(ScreenPixelsPerInchX(), MetricGrid);
        const double stepY = GridStep(ScreenPixelsPerInchY(), MetricGrid);
        for (int32_t x : GridLinePositions(stepX, width))
            across.push_back({x, std::nullopt});
        for (int32_t y : GridLinePositions(stepY, height))
            down.push_back({y, std::nullopt});
    }

    const double reach = ReachOnScreen / (Zoom > 0 ? Zoom : 1);
    const bool move = mode == dmMove;
    TRect& box = result.Box;
    TAxisBox x{box.Left, box.Right}, y{box.Top, box.Bottom};
    if (auto p = Nearest(x, MovableAcross(mode), across, reach)) {
        x = Pulled(x, *p, move);
        box.Left = x.Lo, box.Right = x.Hi;
    }
    if (auto p = Nearest(y, MovableDown(mode), down, reach)) {
        y = Pulled(y, *p, move);
        box.Top = y.Lo, box.Bottom = y.Hi;
    }

    // A guide for every line of the label or a control that the box's movable lines now sit on,
    // reaching across both the box and what it holds to.
    const auto guides = [&](const TAxisBox& b, TMovable m, const std::vector<TTarget>& targets,
                            int32_t lo, int32_t hi, bool vertical) {
        const bool movable[3] = {m.Lo, m.Mid, m.Hi};
        for (int line = 0; line < 3; ++line) {
            if (!movable[line])
                continue;
            for (const TTarget& t : targets) {
                if (!t.Guide || t.At != LineOf(b, line))
                    continue;
                int32_t from = std::min(lo, t.Guide->first);
                int32_t to = std::max(hi, t.Guide->second);
                // Several controls on one line make one guide over them all.
                auto same =
                    std::find_if(result.Guides.begin(), result.Guides.end(), [&](const QLine& g) {
                        return vertical ? g.x1() == g.x2() && g.x1() == t.At
                                        : g.y1() == g.y2() && g.y1() == t.At;
                    });
                if (same != result.Guides.end()) {
                    from = std::min(from, vertical ? same->y1() : same->x1());
                    to = std::max(to, vertical ? same->y2() : same->x2());
                    result.Guides.erase(same);
                }
                result.Guides.push_back(vertical ? QLine(t.At, from, t.At, to)
                                                 : QLine(from, t.At, to, t.At));
            }
        }
    };
    guides(x, MovableAcross(mode), across, box.Top, box.Bottom, true);
    guides(y, MovableDown(mode), down, box.Left, box.Right, false);
    return result;
}
