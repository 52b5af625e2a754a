#include "TestControls.h"

#include <gtest/gtest.h>

class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { label.SetLabelSize(200, 100); } // area (2, 2, 198, 98)
    TLabelDocument label;
};

TEST_F(ControlTest, BaseDefaults) {
    TLabelControl c;
    EXPECT_EQ(c.Kind(), ckBase);
    EXPECT_EQ(c.Width(), 20);
    EXPECT_EQ(c.Height(), 20);
    EXPECT_EQ(c.MinWidth(), 10);
    EXPECT_EQ(c.MinHeight(), 10);
    EXPECT_EQ(c.VAlign(), vaTop);
    EXPECT_EQ(c.HAlign(), haLeft);
    EXPECT_EQ(c.Attach(), atNone);
    EXPECT_TRUE(c.AutoSize());
    EXPECT_TRUE(c.Dirty());
    EXPECT_TRUE(c.Loading());
    EXPECT_EQ(c.Owner(), nullptr);
    EXPECT_EQ(c.CreateSameKind(), nullptr); // the base kind is never cloned
}

TEST_F(ControlTest, SizesBelowTheMinimumTakeTheMinimum) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 40);
    c->SetBoxWidth(5);
    EXPECT_EQ(c->Width(), 10);
    c->SetBoxHeight(-3);
    EXPECT_EQ(c->Height(), 10);
}

TEST_F(ControlTest, SettersClampIntoTheArea) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 20);
    c->SetLeft(500);
    EXPECT_EQ(c->Left(), 198 - 40);
    c->SetLeft(-30);
    EXPECT_EQ(c->Left(), 2);
    c->SetTop(90);
    EXPECT_EQ(c->Top(), 98 - 20);
    c->SetBoxWidth(1000); // clamped against the current left
    EXPECT_EQ(c->Left() + c->Width(), 198);
}

TEST_F(ControlTest, ControlTallerThanTheAreaEndsAboveIt) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 20);
    c->SetBox(TRect::FromBox(10, 10, 40, 20), true);
    // Size first against the top, then the top against the size: both clamps apply in turn.
    c->SetBoxHeight(200);
    EXPECT_EQ(c->Height(), 98 - 10);
    c->SetBox(TRect::FromBox(10, 0, 40, 150), true);
    EXPECT_LE(c->Top() + c->Height(), 98);
}

TEST_F(ControlTest, UnownedControlsAreNotClampedOnTheFarSide) {
    TBlockControl c;
    c.SetBox(TRect::FromBox(500, 400, 60, 30), true);
    EXPECT_EQ(c.Left(), 500);
    EXPECT_EQ(c.Top(), 400);
}

TEST_F(ControlTest, SettersRecordTheOldBoxAndNotify) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 20);
    int changes = 0;
    c->OnChange = [&](TLabelControl*) { ++changes; };
    c->Draw();
    EXPECT_FALSE(c->Dirty());
    c->SetLeft(30);
    EXPECT_EQ(c->OldBounds(), TRect::FromBox(10, 10, 40, 20));
    EXPECT_FALSE(c->Dirty()); // moving does not re-render
    EXPECT_EQ(changes, 1);
    c->SetBoxWidth(50);
    EXPECT_TRUE(c->Dirty()); // resizing does
    EXPECT_EQ(changes, 2);
    c->SetHAlign(haCenter);
    EXPECT_EQ(changes, 3);
}

TEST_F(ControlTest, AttachTable) {
    struct Row {
        uint8_t attach;
        TRect expected; // from a 40 x 20 box at (30, 30) in the area (2, 2, 198, 98)
    } rows[] = {
        {atLeft, TRect::FromBox(0, 0, 40, 96)},
        {atRight, TRect::FromBox(198 - 40, 0, 40, 96)},
        {atTop, TRect::FromBox(0, 0, 196, 20)},
        {atBottom, TRect::FromBox(0, 98 - 20, 196, 20)},
        {atWholeLabel, TRect::FromBox(0, 0, 196, 96)},
        {atUnused, TRect::FromBox(30, 30, 40, 20)},
        {atNone, TRect::FromBox(30, 30, 40, 20)},
    };
    for (const Row& r : rows) {
        TLabelDocument l;
        l.SetLabelSize(200, 100);
        TBlockControl* c = AddBlock(l, 30, 30, 40, 20);
        int placed = 0;
        c->OnPlaced = [&](TLabelControl*) { ++placed; };
        c->SetAttach(r.attach);
        EXPECT_EQ(c->Box(), r.expected) << int(r.attach);
        EXPECT_TRUE(c->AutoSize());
        EXPECT_EQ(placed, 1) << int(r.attach);
    }
}

TEST_F(ControlTest, AttachIsReappliedAfterEveryMove) {
    TBlockControl* c = AddBlock(label, 30, 30, 40, 20);
    c->SetAttach(atBottom);
    c->SetTop(5);
    EXPECT_EQ(c->Top(), 78);
    c->SetBoxWidth(20);
    EXPECT_EQ(c->Width(), 196);
}

TEST_F(ControlTest, RotationSwapsTheBoxAtTheSameCorner) {
    TBlockControl* c = AddBlock(label, 10, 12, 60, 20);
    c->SetRotation(1);
    EXPECT_EQ(c->Box(), TRect::FromBox(10, 12, 20, 60));
    EXPECT_EQ(c->Rotation(), 1);
    c->SetRotation(3); // 90 -> 270 keeps the orientation
    EXPECT_EQ(c->Box(), TRect::FromBox(10, 12, 20, 60));
    const int draws = c->DrawCount;
    c->SetRotation(2);
    EXPECT_EQ(c->Box(), TRect::FromBox(10, 12, 60, 20));
    EXPECT_GT(c->DrawCount, draws); // rendered again on the label's repaint
}

TEST_F(ControlTest, RotationNearTheEdgeIsClamped) {
    TBlockControl* c = AddBlock(label, 10, 60, 60, 20);
    // The corner stays where it is and the new height is clamped against it.
    c->SetRotation(1);
    EXPECT_EQ(c->Top(), 60);
    EXPECT_EQ(c->Height(), 98 - 60);
    EXPECT_EQ(c->Width(), 20);
}

TEST_F(ControlTest, TextOfAPlainControl) {
    TBlockControl* c = AddBlock(label, 10, 10, 40, 20);
    c->SetText("ABC 123");
    EXPECT_EQ(c->GetText(), QString("ABC 123"));
    EXPECT_EQ(c->GetDisplayText(), QString("ABC 123"));
}

TEST_F(ControlTest, BoundsAreaChangeReclampsTheBox) {
    TBlockControl* c = AddBlock(label, 150, 70, 40, 20);
    c->SetBoundsArea({2, 2, 100, 50});
    EXPECT_EQ(c->Left() + c->Width(), 100);
    EXPECT_EQ(c->Top() + c->Height(), 50);
}

TEST_F(ControlTest, ExtremeBoxesDoNotWrapRound) {
    const TRect r = TRect::FromBox(INT32_MAX - 5, INT32_MIN + 5, 100, -100);
    EXPECT_EQ(r.Right, INT32_MAX);
    EXPECT_EQ(r.Bottom, INT32_MIN);
    EXPECT_EQ((TRect{INT32_MIN, 0, INT32_MAX, 0}).Width(), INT32_MAX);
}
