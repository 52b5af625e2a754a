// Snapping a dragged box onto the grid and onto the label and the other controls.
#include "document/Snap.h"
#include "TestControls.h"
#include "document/LabelDocument.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

namespace {
// At 96 pixels per inch the quarter-inch grid has lines at 25, 49, 73, 97 ...; the
// half-centimetre grid at 20, 39, 58, 77 ...
class SnapTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        label.SetLabelSize(300, 150); // kept within (2, 2, 298, 148), middle (150, 75)
    }
    static TRect Box(int left, int top, int width, int height) {
        return TRect::FromBox(left, top, width, height);
    }
    TLabelDocument label;
    TSnap snap{label};
};

TEST_F(SnapTest, OffOrSuspendedTheBoxStaysAsProposed) {
    AddBlock(label, 100, 40, 50, 20);
    const TRect proposed = Box(51, 23, 30, 20);
    TSnapResult r = snap.Apply(proposed, dmMove);
    EXPECT_EQ(r.Box, proposed);
    EXPECT_TRUE(r.Guides.empty());

    snap.ToGrid = snap.ToControls = true;
    snap.Suspended = true;
    r = snap.Apply(proposed, dmMove);
    EXPECT_EQ(r.Box, proposed);
    EXPECT_TRUE(r.Guides.empty());
}

TEST_F(SnapTest, AMoveHoldsToTheNearestGridLineOnEachAxisKeepingItsSize) {
    snap.ToGrid = true;
    // Left 51 is 2 from 49; top 23 is 2 from 25.
    EXPECT_EQ(snap.Apply(Box(51, 23, 30, 20), dmMove).Box, Box(49, 25, 30, 20));
    // The right edge 75 is the nearest line (73); the left 45 is 4 from 49, farther.
    EXPECT_EQ(snap.Apply(Box(45, 100, 30, 10), dmMove).Box, Box(43, 97, 30, 10));
    // The centre 71 (62 + 18 / 2) is 2 from 73.
    EXPECT_EQ(snap.Apply(Box(62, 100, 18, 10), dmMove).Box, Box(64, 97, 18, 10));
    // Nothing within 4 pixels across: the box stays there across; down it still holds.
    EXPECT_EQ(snap.Apply(Box(55, 97, 12, 10), dmMove).Box, Box(55, 97, 12, 10));
    EXPECT_TRUE(snap.Apply(Box(51, 23, 30, 20), dmMove).Guides.empty())
        << "the grid shows its own lines";
}

TEST_F(SnapTest, TheGridIsTheOneShownInchesOrCentimetres) {
    snap.ToGrid = true;
    // Left 42 is 7 from the inch line 49 but 3 from the centimetre line 39; its centre 47 is 2
    // from 49.
    EXPECT_EQ(snap.Apply(Box(42, 200, 10, 10), dmMove).Box.Left, 44);
    snap.MetricGrid = true;
    EXPECT_EQ(snap.Apply(Box(42, 200, 10, 10), dmMove).Box.Left, 39);
}

TEST_F(SnapTest, TheReachIsFourScreenPixelsAtAnyZoom) {
    snap.ToGrid = true;
    // Left 52 is 3 label pixels from 49: within reach at 1:1, 6 screen pixels at 2:1.
    EXPECT_EQ(snap.Apply(Box(52, 200, 10, 10), dmMove).Box.Left, 49);
    snap.Zoom = 2;
    EXPECT_EQ(snap.Apply(Box(52, 200, 10, 10), dmMove).Box.Left, 52);
    EXPECT_EQ(snap.Apply(Box(51, 200, 10, 10), dmMove).Box.Left, 49);
    // Zoomed out, 8 label pixels are 4 on the screen.
    snap.Zoom = 0.5;
    EXPECT_EQ(snap.Apply(Box(57, 200, 4, 4), dmMove).Box.Left, 49);
}

TEST_F(SnapTest, AResizePullsOnlyTheEdgesBeingDragged) {
    snap.ToGrid = true;
    // Left 51 and top 51 are near lines too, but only the dragged edges move.
    EXPECT_EQ(snap.Apply(TRect{51, 51, 75, 80}, dmRight).Box, (TRect{51, 51, 73, 80}));
    EXPECT_EQ(snap.Apply(TRect{51, 51, 75, 95}, dmBottom).Box, (TRect{51, 51, 75, 97}));
    EXPECT_EQ(snap.Apply(TRect{51, 51, 75, 95}, dmBottomRight).Box, (TRect{51, 51, 73, 97}));
    EXPECT_EQ(snap.Apply(TRect{51, 51, 75, 95}, dmLeft).Box, (TRect{49, 51, 75, 95}));
    EXPECT_EQ(snap.Apply(TRect{51, 51, 75, 95}, dmTop).Box, (TRect{51, 49, 75, 95}));
}

TEST_F(SnapTest, AMoveHoldsToAnotherControlsEdgeWithAGuideOverBoth) {
    AddBlock(label, 100, 40, 40, 20); // right 140; bottom 60
    TBlockControl* dragged = AddBlock(label, 200, 100, 30, 10);
    label.SelectIds({dragged->Id()});
    snap.ToControls = true;
    // Left 142 is 2 from the other's right edge; nothing within reach down.
    const TSnapResult r = snap.Apply(Box(142, 90, 30, 10), dmMove);
    EXPECT_EQ(r.Box, Box(140, 90, 30, 10));
    ASSERT_EQ(r.Guides.size(), 1u);
    EXPECT_EQ(r.Guides[0], QLine(140, 40, 140, 100)) << "from the other's top to the box's bottom";
}

TEST_F(SnapTest, CentresHoldToCentresAndToTheLabelsMiddle) {
    AddBlock(label, 100, 40, 40, 20); // centre 120, right 140
    TBlockControl* dragged = AddBlock(label, 200, 100, 20, 10);
    label.SelectIds({dragged->Id()});
    snap.ToControls = true;
    // Centre 123 (113 + 10) is 3 from the other's centre; the right edge 133 is 7 from 140.
    TSnapResult r = snap.Apply(Box(113, 110, 20, 10), dmMove);
    EXPECT_EQ(r.Box.Left, 110);
    EXPECT_EQ(r.Guides, (std::vector<QLine>{QLine(120, 40, 120, 120)}));
    // Centre 149 is 1 from the label's middle, 150; the left edge 136 is 4 from 140.
    r = snap.Apply(Box(136, 91, 26, 10), dmMove);
    EXPECT_EQ(r.Box.Left, 137);
    EXPECT_EQ(r.Guides, (std::vector<QLine>{QLine(150, 0, 150, 150)}));
    // The label's edges where controls are kept hold too: left 5 to 2, bottom 146 to 148.
    EXPECT_EQ(snap.Apply(Box(5, 140, 20, 6), dmMove).Box, Box(2, 142, 20, 6));
}

TEST_F(SnapTest, TheSelectedControlsAreNoTargets) {
    TBlockControl* a = AddBlock(label, 200, 100, 30, 10);
    TBlockControl* b = AddBlock(label, 100, 20, 30, 10);
    label.SelectIds({a->Id(), b->Id()});
    snap.ToControls = true;
    // 3 pixels from a's own left and on b's top: neither holds the dragged group.
    const TSnapResult r = snap.Apply(Box(203, 20, 30, 10), dmMove);
    EXPECT_EQ(r.Box, Box(203, 20, 30, 10));
    EXPECT_TRUE(r.Guides.empty());
}

TEST_F(SnapTest, TheNearestOfControlsAndGridWins) {
    AddBlock(label, 100, 40, 47, 20); // right 147
    TBlockControl* dragged = AddBlock(label, 200, 100, 30, 10);
    label.SelectIds({dragged->Id()});
    snap.ToControls = snap.ToGrid = true;
    // Left 146: the control's edge 147 is 1 away, the grid line 145 also 1: the first found,
    // the control, wins; left 144 is 1 from the grid and 3 from the control.
    EXPECT_EQ(snap.Apply(Box(146, 200, 30, 10), dmMove).Box.Left, 147);
    EXPECT_EQ(snap.Apply(Box(144, 200, 30, 10), dmMove).Box.Left, 145);
}
} // namespace
