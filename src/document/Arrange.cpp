#include "document/Arrange.h"

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"

#include <algorithm>
#include <numeric>

namespace {
// One axis of a box, so that the horizontal and vertical rules are written once.
struct TSpan {
    int32_t Lo, Hi;
    int32_t Size() const { return Hi - Lo; }
};

TSpan SpanOf(const TRect& r, TArrangeAxis axis) {
    return axis == TArrangeAxis::Horizontal ? TSpan{r.Left, r.Right} : TSpan{r.Top, r.Bottom};
}

// The box with its span along axis moved to start at lo, its size kept.
TRect MovedTo(TRect r, TArrangeAxis axis, int32_t lo) {
    return axis == TArrangeAxis::Horizontal ? TRect::FromBox(lo, r.Top, r.Width(), r.Height())
                                            : TRect::FromBox(r.Left, lo, r.Width(), r.Height());
}

// As the setters move a control: the size is kept and the box is pushed back inside the area,
// the far edge first.
TRect MoveInto(const TRect& r, const TRect& area) {
    const int32_t w = r.Width(), h = r.Height();
    const int32_t top = r.Top + h > area.Bottom ? area.Bottom - h : std::max(r.Top, area.Top);
    const int32_t left = r.Left + w > area.Right ? area.Right - w : std::max(r.Left, area.Left);
    return TRect::FromBox(left, top, w, h);
}

// As the setters size a control: the position is kept and the size stops at the area's edge.
// The least size of each kind is the control's own business; its setter applies it.
TRect SizeInto(const TRect& r, const TRect& area) {
    TRect out = r;
    out.Right = std::min(r.Right, area.Right);
    out.Bottom = std::min(r.Bottom, area.Bottom);
    return out;
}

TRect Around(const std::vector<TRect>& boxes) {
    TRect all = boxes.front();
    for (const TRect& r : boxes)
        all = all.United(r);
    return all;
}

TArrangeAxis AxisOf(TAlignEdge edge) {
    return edge == TAlignEdge::Left || edge == TAlignEdge::Center || edge == TAlignEdge::Right
               ? TArrangeAxis::Horizontal
               : TArrangeAxis::Vertical;
}

// Where a box of size starts when lined up on the reference span lo..hi with centre centre.
int32_t AlignedStart(TAlignEdge edge, int32_t lo, int32_t hi, double centre, int32_t size) {
    switch (edge) {
    case TAlignEdge::Left:
    case TAlignEdge::Top:
        return lo;
    case TAlignEdge::Right:
    case TAlignEdge::Bottom:
        return hi - size;
    case TAlignEdge::Center:
    case TAlignEdge::Middle:
        break;
    }
    return RoundHalfEven(centre - size / 2.0);
}

// Half the label's extent in pixels: the exact sheet length when the label was sized from it,
// else the whole pixels the label has.
double Middle(int32_t pixels, double sheetLength, bool metric, int32_t pixelsPerInch) {
    const double exact = SheetLengthInInches(sheetLength, metric) * pixelsPerInch;
    return (RoundHalfEven(exact) == pixels ? exact : pixels) / 2.0;
}
} // namespace

TArrangeLabel ArrangeLabelOf(const TLabelDocument& document) {
    const TSheetSettings& sheet = document.Sheet();
    TArrangeLabel label;
    label.Area = document.LabelArea();
    label.CentreX =
        Middle(document.LabelWidth(), sheet.LabelWidth, sheet.Metric, ScreenPixelsPerInchX());
    label.CentreY =
        Middle(document.LabelHeight(), sheet.LabelHeight, sheet.Metric, ScreenPixelsPerInchY());
    return label;
}

std::vector<TRect> AlignBoxes(const std::vector<TRect>& boxes, TAlignEdge edge,
                              const TArrangeLabel& label) {
    if (boxes.size() < MinimumToAlign)
        return boxes;
    const TArrangeAxis axis = AxisOf(edge);
    const bool horizontal = axis == TArrangeAxis::Horizontal;
    // One control lines up on the label, several on the box around them.
    TSpan ref;
    double centre;
    if (boxes.size() == 1) {
        ref = SpanOf(label.Area, axis);
        centre = horizontal ? label.CentreX : label.CentreY;
    } else {
        ref = SpanOf(Around(boxes), axis);
        centre = (double(ref.Lo) + ref.Hi) / 2.0;
    }
    std::vector<TRect> out;
    out.reserve(boxes.size());
    for (const TRect& r : boxes) {
        const int32_t start = AlignedStart(edge, ref.Lo, ref.Hi, centre, SpanOf(r, axis).Size());
        out.push_back(MoveInto(MovedTo(r, axis, start), label.Area));
    }
    return out;
}

std::vector<TRect> CentreOnLabel(const std::vector<TRect>& boxes, TArrangeAxis axis,
                                 const TArrangeLabel& label) {
    if (boxes.empty())
        return boxes;
    const TSpan all = SpanOf(Around(boxes), axis);
    const double centre = axis == TArrangeAxis::Horizontal ? label.CentreX : label.CentreY;
    // The group moves as one, every box by the same whole number of pixels, to where Align
    // Center would put a single box of the group's size.
    const int32_t shift = RoundHalfEven(centre - all.Size() / 2.0) - all.Lo;
    std::vector<TRect> out;
    out.reserve(boxes.size());
    for (const TRect& r : boxes)
        out.push_back(MoveInto(MovedTo(r, axis, SpanOf(r, axis).Lo + shift), label.Area));
    return out;
}

std::vector<TRect> DistributeBoxes(const std::vector<TRect>& boxes, TArrangeAxis axis,
                                   const TArrangeLabel& label) {
    const size_t n = boxes.size();
    if (n < MinimumToDistribute)
        return boxes;
    // By position along the axis, then across it, then as selected: the order is always the same.
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t(0));
    const TArrangeAxis across =
        axis == TArrangeAxis::Horizontal ? TArrangeAxis::Vertical : TArrangeAxis::Horizontal;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int32_t pa = SpanOf(boxes[a], axis).Lo, pb = SpanOf(boxes[b], axis).Lo;
        if (pa != pb)
            return pa < pb;
        return SpanOf(boxes[a], across).Lo < SpanOf(boxes[b], across).Lo;
    });
    const TSpan first = SpanOf(boxes[order.front()], axis);
    const TSpan last = SpanOf(boxes[order.back()], axis);
    int64_t inner = 0;
    for (size_t k = 1; k + 1 < n; ++k)
        inner += SpanOf(boxes[order[k]], axis).Size();
    // The free room between the outer two, shared into n - 1 gaps: the first `extra` gaps take
    // one pixel more, so the shares add up to the room exactly and the last box is not moved.
    const int64_t room = int64_t(last.Lo) - first.Hi - inner;
    const int64_t gaps = int64_t(n) - 1;
    int64_t gap = room / gaps;
    if (gap * gaps > room) // rounds towards minus infinity when the boxes overlap
        --gap;
    const int64_t extra = room - gap * gaps;

    std::vector<TRect> out = boxes;
    int64_t at = first.Hi;
    for (size_t k = 1; k + 1 < n; ++k) {
        at += gap + (int64_t(k) - 1 < extra ? 1 : 0);
        const TRect& r = boxes[order[k]];
        out[order[k]] = MoveInto(MovedTo(r, axis, int32_t(at)), label.Area);
        at += SpanOf(r, axis).Size();
    }
    return out;
}

std::vector<TRect> SameSize(const std::vector<TRect>& boxes, TArrangeAxis axis,
                            const TArrangeLabel& label) {
    if (boxes.size() < MinimumToSize)
        return boxes;
    const TRect& model = boxes.front();
    std::vector<TRect> out;
    out.reserve(boxes.size());
    for (const TRect& r : boxes) {
        const TRect sized = axis == TArrangeAxis::Horizontal
                                ? TRect::FromBox(r.Left, r.Top, model.Width(), r.Height())
                                : TRect::FromBox(r.Left, r.Top, r.Width(), model.Height());
        out.push_back(SizeInto(sized, label.Area));
    }
    return out;
}
