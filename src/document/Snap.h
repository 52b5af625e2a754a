#pragma once

#include "document/CanvasController.h"
#include "document/LabelGeometry.h"

class TLabelDocument;

// Pulls a dragged box onto the lines of the grid and onto the edges and centres of the label
// and of the controls that are not being dragged, when one of them is within reach. Installed
// as the design surface controller's Snap; the switches are the window's.
class TSnap {
public:
    explicit TSnap(const TLabelDocument& document) : m_document(document) {}

    bool ToGrid = false;
    bool ToControls = false;
    // Set while the user holds the key that lets the box go where the mouse puts it.
    bool Suspended = false;
    // The grid as shown: half centimetres when metric, quarter inches otherwise.
    bool MetricGrid = false;
    // Screen pixels per label pixel: the reach is a fixed distance on the screen.
    double Zoom = 1;
    static constexpr double ReachOnScreen = 4;

    // proposed: the box the drag would give (the moved selection's bounds, or the resized box).
    // A move pulls its left, centre or right and its top, middle or bottom, keeping its size; a
    // resize pulls only the edges being dragged. The nearest line within reach wins on each axis.
    // Guides: the lines of the label and of the controls the result holds to.
    TSnapResult Apply(const TRect& proposed, TDragMode mode) const;
    TSnapResult operator()(const TRect& proposed, TDragMode mode) const {
        return Apply(proposed, mode);
    }

private:
    const TLabelDocument& m_document;
};
