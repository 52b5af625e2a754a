// The arranging rules on known layouts: where each box ends up, to the pixel.
#include "document/Arrange.h"
#include "TestControls.h"
#include "document/LabelDocument.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

namespace {
// A label of 300 x 150 pixels: controls are kept within (2, 2, 298, 148).
const TArrangeLabel kLabel{{2, 2, 298, 148}, 150.0, 75.0};

TRect Box(int left, int top, int width, int height) {
    return TRect::FromBox(left, top, width, height);
}

std::vector<int32_t> Lefts(const std::vector<TRect>& boxes) {
    std::vector<int32_t> v;
    for (const TRect& r : boxes)
        v.push_back(r.Left);
    return v;
}

std::vector<int32_t> Tops(const std::vector<TRect>& boxes) {
    std::vector<int32_t> v;
    for (const TRect& r : boxes)
        v.push_back(r.Top);
    return v;
}

using TInts = std::vector<int32_t>;

TEST(AlignBoxes, SeveralLineUpOnTheBoxAroundThemKeepingSizesAndTheOtherAxis) {
    // Around them all: left 10, right 110, top 10, bottom 90.
    const std::vector<TRect> boxes{Box(10, 10, 40, 20), Box(50, 40, 60, 30), Box(30, 80, 20, 10)};
    struct TCase {
        TAlignEdge Edge;
        TInts Lefts, Tops;
    } cases[] = {
        {TAlignEdge::Left, {10, 10, 10}, {10, 40, 80}},
        {TAlignEdge::Right, {70, 50, 90}, {10, 40, 80}},
        {TAlignEdge::Center, {40, 30, 50}, {10, 40, 80}}, // centre 60
        {TAlignEdge::Top, {10, 50, 30}, {10, 10, 10}},
        {TAlignEdge::Bottom, {10, 50, 30}, {70, 60, 80}},
        {TAlignEdge::Middle, {10, 50, 30}, {40, 35, 45}}, // middle 50
    };
    for (const TCase& c : cases) {
        const std::vector<TRect> out = AlignBoxes(boxes, c.Edge, kLabel);
        SCOPED_TRACE(int(c.Edge));
        EXPECT_EQ(Lefts(out), c.Lefts);
        EXPECT_EQ(Tops(out), c.Tops);
        for (size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(out[i].Width(), boxes[i].Width());
            EXPECT_EQ(out[i].Height(), boxes[i].Height());
        }
    }
}

TEST(AlignBoxes, OneLinesUpOnTheLabel) {
    const std::vector<TRect> one{Box(50, 50, 40, 20)};
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Left, kLabel)[0], Box(2, 50, 40, 20));
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Right, kLabel)[0], Box(258, 50, 40, 20));
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Center, kLabel)[0], Box(130, 50, 40, 20));
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Top, kLabel)[0], Box(50, 2, 40, 20));
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Bottom, kLabel)[0], Box(50, 128, 40, 20));
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Middle, kLabel)[0], Box(50, 65, 40, 20));
    EXPECT_TRUE(AlignBoxes({}, TAlignEdge::Left, kLabel).empty());
}

TEST(AlignBoxes, HalfPixelCentresRoundToTheEvenPixel) {
    // Centre 60.5 around 10..111: a box of 20 starts at 50.5 -> 50, one of 22 at 49.5 -> 50.
    const std::vector<TRect> boxes{Box(10, 0, 101, 10), Box(20, 20, 20, 10), Box(20, 40, 22, 10)};
    EXPECT_EQ(Lefts(AlignBoxes(boxes, TAlignEdge::Center, kLabel)), (TInts{10, 50, 50}));
}

TEST(CentreOnLabel, TheSelectionMovesAsOneGroup) {
    // Around them 10..120, middle 65: both move by 85, keeping their distance.
    const std::vector<TRect> group{Box(10, 10, 20, 20), Box(100, 30, 20, 20)};
    EXPECT_EQ(Lefts(CentreOnLabel(group, TArrangeAxis::Horizontal, kLabel)), (TInts{95, 185}));
    // Around them 10..50, middle 30: both move by 45.
    EXPECT_EQ(Tops(CentreOnLabel(group, TArrangeAxis::Vertical, kLabel)), (TInts{55, 75}));
    // One box alone is centred on the label.
    EXPECT_EQ(CentreOnLabel({Box(7, 9, 40, 20)}, TArrangeAxis::Horizontal, kLabel)[0],
              Box(130, 9, 40, 20));
}

TEST(CentreOnLabel, OneBoxLandsWhereAlignCenterPutsIt) {
    // 168 - 95 / 2 = 120.5: both commands round the start, not the shift, to the even pixel.
    const TArrangeLabel label{{2, 2, 334, 190}, 168.0, 96.0};
    const std::vector<TRect> one{Box(29, 106, 95, 58)};
    EXPECT_EQ(CentreOnLabel(one, TArrangeAxis::Horizontal, label)[0].Left, 120);
    EXPECT_EQ(AlignBoxes(one, TAlignEdge::Center, label)[0].Left, 120);
}

TEST(CentreOnLabel, CentresOnTheLabelAsPrintedNotOnItsRoundedPixels) {
    SetScreenResolution(96, 96);
    TLabelDocument document;
    document.ChangeSheet([](TSheetSettings& s) {
        s.LabelWidth = 1.1; // 105.6 pixels, shown as 106
        s.LabelHeight = 1.0;
    });
    document.SetLabelSize(LabelPixelWidth(document.Sheet()), LabelPixelHeight(document.Sheet()));
    const TArrangeLabel label = ArrangeLabelOf(document);
    EXPECT_DOUBLE_EQ(label.CentreX, 52.8);
    EXPECT_EQ(label.Area, (TRect{2, 2, 104, 94}));
    // 52.8 - 9.5 = 43.3: on the 106 pixels it would be 53 - 9.5 = 43.5 -> 44, almost a pixel off.
    EXPECT_EQ(CentreOnLabel({Box(0, 10, 19, 10)}, TArrangeAxis::Horizontal, label)[0].Left, 43);

    // A label not sized from its sheet is centred on the pixels it has.
    document.SetLabelSize(300, 96);
    EXPECT_DOUBLE_EQ(ArrangeLabelOf(document).CentreX, 150.0);
}

TEST(CentreOnLabel, ABoxTallerThanTheLabelEndsAsTheSettersLeaveIt) {
    // 200 high on an area 2..148: the setters hold its bottom at 148.
    EXPECT_EQ(CentreOnLabel({Box(10, 10, 20, 200)}, TArrangeAxis::Vertical, kLabel)[0].Top, -52);
}

TEST(DistributeBoxes, EqualGapsInPositionOrderWithTheOuterBoxesKept) {
    // Selected out of order; by position: B 10..40, A 100..120, C 200..210. Room 140, gaps 70.
    const std::vector<TRect> boxes{Box(100, 10, 20, 10), Box(10, 30, 30, 10), Box(200, 50, 10, 10)};
    const std::vector<TRect> out = DistributeBoxes(boxes, TArrangeAxis::Horizontal, kLabel);
    EXPECT_EQ(Lefts(out), (TInts{110, 10, 200}));
    EXPECT_EQ(Tops(out), (TInts{10, 30, 50}));

    const std::vector<TRect> column{Box(0, 100, 10, 30), Box(0, 2, 10, 20), Box(0, 130, 10, 10)};
    // By position: 2..22, 100..130, 130..140. Room 130 - 22 - 30 = 78, gaps 39.
    EXPECT_EQ(Tops(DistributeBoxes(column, TArrangeAxis::Vertical, kLabel)), (TInts{61, 2, 130}));
}

TEST(DistributeBoxes, AnOddRemainderIsSharedSoTheLastBoxIsReachedExactly) {
    // Outer 10..20 and 100..110, three of 10 between: room 50 in 4 gaps: 13, 13, 12, 12.
    const std::vector<TRect> boxes{Box(70, 0, 10, 5), Box(100, 0, 10, 5), Box(25, 0, 10, 5),
                                   Box(10, 0, 10, 5), Box(40, 0, 10, 5)};
    const std::vector<TRect> out = DistributeBoxes(boxes, TArrangeAxis::Horizontal, kLabel);
    EXPECT_EQ(Lefts(out), (TInts{78, 100, 33, 10, 56}));
    // The gaps, in position order, add up to the room without a pixel lost.
    EXPECT_EQ(out[2].Left - out[3].Right, 13);
    EXPECT_EQ(out[4].Left - out[2].Right, 13);
    EXPECT_EQ(out[0].Left - out[4].Right, 12);
    EXPECT_EQ(out[1].Left - out[0].Right, 12);
}

TEST(DistributeBoxes, ManyBoxesWithOneSpareEachDoNotDrift) {
    // Eleven boxes of 1 between 2..3 and 132..133: room 118 in 12 gaps, 9.83 each. Rounded
    // share by share (10 each) the last box would be pushed 2 pixels; it must not move.
    std::vector<TRect> boxes{Box(2, 0, 1, 1)};
    for (int i = 0; i < 11; ++i)
        boxes.push_back(Box(3 + i, 0, 1, 1));
    boxes.push_back(Box(132, 0, 1, 1));
    const std::vector<TRect> out = DistributeBoxes(boxes, TArrangeAxis::Horizontal, kLabel);
    int previous = out[0].Right;
    TInts gaps;
    for (size_t i = 1; i < out.size(); ++i) {
        gaps.push_back(out[i].Left - previous);
        previous = out[i].Right;
    }
    EXPECT_EQ(gaps, (TInts{10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 9, 9}));
    EXPECT_EQ(out.back().Left, 132);
}

TEST(DistributeBoxes, TooFewBoxesAreLeftAlone) {
    const std::vector<TRect> two{Box(10, 10, 20, 20), Box(100, 10, 20, 20)};
    EXPECT_EQ(DistributeBoxes(two, TArrangeAxis::Horizontal, kLabel), two);
}

TEST(SameSize, EveryBoxTakesTheFirstBoxsSizeWhereTheLabelHasRoom) {
    const std::vector<TRect> boxes{Box(100, 10, 50, 30), Box(10, 60, 20, 10), Box(270, 120, 10, 5)};
    const std::vector<TRect> wide = SameSize(boxes, TArrangeAxis::Horizontal, kLabel);
    // The last one stops at the label's edge, 298, as the width setter stops it.
    EXPECT_EQ(wide, (std::vector<TRect>{Box(100, 10, 50, 30), Box(10, 60, 50, 10),
                                        Box(270, 120, 28, 5)}));
    const std::vector<TRect> tall = SameSize(boxes, TArrangeAxis::Vertical, kLabel);
    EXPECT_EQ(tall, (std::vector<TRect>{Box(100, 10, 50, 30), Box(10, 60, 20, 30),
                                        Box(270, 120, 10, 28)}));
    EXPECT_EQ(SameSize({boxes[1]}, TArrangeAxis::Horizontal, kLabel)[0], boxes[1]);
}
} // namespace
