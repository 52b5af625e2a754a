#pragma once

#include "document/lblobjs.h"

#include <vector>

class TLabelDocument;

// The rules of the Format menu's arranging commands, as plain arithmetic on boxes: given the
// selected controls' boxes in the order they were selected and the label, each returns the boxes
// the controls are to take, in the same order. The results are already pulled into the label's
// area as the controls' setters pull them (a move keeps the size, a new size keeps the position),
// so what a command shows is what these return.

enum class TAlignEdge { Left, Center, Right, Top, Middle, Bottom };
enum class TArrangeAxis { Horizontal, Vertical };

// The label the boxes are arranged on.
struct TArrangeLabel {
    // Where the controls are kept (TLabelDocument::LabelArea): aligning one control to an edge of
    // the label puts it against this, since the setters would stop it there anyway.
    TRect Area;
    // The middle of the label as it is printed, in label pixels. The printed label is the
    // sheet's exact length, not the whole pixels the screen rounds it to, so a control centred on
    // it is centred on paper; Area is symmetric about the same point to within half a pixel.
    double CentreX = 0;
    double CentreY = 0;
};

// The label of a document: its area and the centre of the sheet's label at screen resolution.
TArrangeLabel ArrangeLabelOf(const TLabelDocument& document);

// Two or more boxes line up on the edge or centre of the box around them all; a single box lines
// up on the label.
std::vector<TRect> AlignBoxes(const std::vector<TRect>& boxes, TAlignEdge edge,
                              const TArrangeLabel& label);
// The boxes move together, so that the box around them all is centred on the label.
std::vector<TRect> CentreOnLabel(const std::vector<TRect>& boxes, TArrangeAxis axis,
                                 const TArrangeLabel& label);
// Three or more boxes get equal gaps between neighbours along the axis; the first and the last
// by position stay where they are. Gaps that cannot be equal to the pixel differ by one, the
// wider ones first, so the last box is reached exactly.
std::vector<TRect> DistributeBoxes(const std::vector<TRect>& boxes, TArrangeAxis axis,
                                   const TArrangeLabel& label);
// Every box takes the first box's width (Horizontal) or height (Vertical), keeping its position.
std::vector<TRect> SameSize(const std::vector<TRect>& boxes, TArrangeAxis axis,
                            const TArrangeLabel& label);

// How many selected controls each kind of command needs.
inline constexpr size_t MinimumToAlign = 1;
inline constexpr size_t MinimumToDistribute = 3;
inline constexpr size_t MinimumToSize = 2;
