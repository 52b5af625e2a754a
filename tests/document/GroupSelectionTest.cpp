// Several controls selected at once, without any window: adding and taking out with Shift or
// Ctrl, the rubber band, selecting all, and the commands that act on the whole selection.
#include "TestControls.h"
#include "document/CanvasController.h"
#include "document/LabelDocument.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
using Ids = std::vector<TControlId>;

class GroupSelectionTest : public ::testing::Test {
protected:
    // Three blocks side by side, nothing selected; the label's area is (2, 2, 298, 148).
    void SetUp() override {
        label.SetLabelSize(300, 150);
        a = AddBlock(label, 10, 10, 20, 20);
        b = AddBlock(label, 50, 40, 30, 20);
        c = AddBlock(label, 100, 20, 20, 30);
        label.SelectNone();
    }
    Ids Stack() const {
        Ids ids;
        for (const auto& control : label.Controls())
            ids.push_back(control->Id());
        return ids;
    }
    void Click(QPoint p, Qt::KeyboardModifiers modifiers = {}) {
        controller.Press(p, Qt::LeftButton, modifiers);
        controller.Release(Qt::LeftButton);
    }
    static QPoint Centre(const TLabelControl* control) {
        const TRect r = control->Box();
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    static QPoint TopLeft(const TLabelControl* control) {
        return {control->Left(), control->Top()};
    }

    TLabelDocument label;
    TCanvasController controller{label};
    TBlockControl *a = nullptr, *b = nullptr, *c = nullptr;
};

TEST_F(GroupSelectionTest, ShiftAndCtrlClicksAddAndTakeOutInTheOrderMade) {
    const Ids stack = Stack();
    Click(Centre(c));
    ASSERT_EQ(label.SelectedIds(), Ids{c->Id()});
    Click(Centre(a), Qt::ShiftModifier);
    Click(Centre(b), Qt::ControlModifier);
    EXPECT_EQ(label.SelectedIds(), (Ids{c->Id(), a->Id(), b->Id()}));
    EXPECT_EQ(label.Selection(), c) << "the first selected stays first";
    for (const TLabelControl* control : {a, b, c})
        EXPECT_TRUE(control->Selected());
    EXPECT_EQ(Stack(), stack) << "adding to the selection restacks nothing";

    Click(Centre(c), Qt::ShiftModifier);
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), b->Id()}));
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(label.Selection(), a);

    Click({250, 120}, Qt::ControlModifier);
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), b->Id()})) << "a modified click on nothing keeps";
    Click(Centre(c));
    EXPECT_EQ(label.SelectedIds(), Ids{c->Id()}) << "a plain click selects one";
    EXPECT_FALSE(a->Selected());
    Click({250, 120});
    EXPECT_TRUE(label.SelectedIds().empty()) << "a plain click on nothing selects nothing";
}

TEST_F(GroupSelectionTest, ARubberBandSelectsWhatItTouchesAndShiftAddsToTheSelection) {
    QSignalSpy edits(&label, &TLabelDocument::Edited);
    // Drawn upwards: the band is normalised. Its right edge takes in b's leftmost column.
    controller.Press({5, 75}, Qt::LeftButton);
    EXPECT_TRUE(controller.RubberBand().isEmpty()) << "no band before the mouse moves";
    EXPECT_TRUE(controller.Move({50, 5}));
    EXPECT_EQ(controller.RubberBand(), QRect(QPoint(5, 5), QPoint(50, 75)));
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), b->Id()}));
    EXPECT_TRUE(a->Selected() && b->Selected());
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(controller.DragMode(), dmIdle) << "a band moves nothing";
    controller.Move({49, 5}); // one pixel short of b
    EXPECT_EQ(label.SelectedIds(), Ids{a->Id()});
    EXPECT_FALSE(b->Selected());
    controller.Release(Qt::LeftButton);
    EXPECT_TRUE(controller.RubberBand().isEmpty());
    EXPECT_EQ(label.SelectedIds(), Ids{a->Id()});
    EXPECT_EQ(edits.count(), 0) << "selecting is no edit";

    controller.Press({140, 5}, Qt::LeftButton, Qt::ShiftModifier);
    controller.Move({115, 45}, Qt::ShiftModifier);
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), c->Id()})) << "Shift keeps what was selected";
    controller.Release(Qt::LeftButton);

    controller.Press({140, 5}, Qt::LeftButton);
    controller.Move({115, 45});
    EXPECT_EQ(label.SelectedIds(), Ids{c->Id()}) << "without Shift the band starts afresh";
}

TEST_F(GroupSelectionTest, SelectAllKeepsTheSelectedFirstAndEscapeClears) {
    Click(Centre(b));
    label.SelectAll();
    EXPECT_EQ(label.SelectedIds(), (Ids{b->Id(), a->Id(), c->Id()}));
    for (const TLabelControl* control : {a, b, c})
        EXPECT_TRUE(control->Selected());
    EXPECT_EQ(controller.Key(Qt::Key_Escape, Qt::NoModifier), TCanvasController::TKey::Handled);
    EXPECT_TRUE(label.SelectedIds().empty());
    for (const TLabelControl* control : {a, b, c})
        EXPECT_FALSE(control->Selected());
    EXPECT_EQ(controller.Key(Qt::Key_Escape, Qt::NoModifier), TCanvasController::TKey::Ignored);
}

TEST_F(GroupSelectionTest, DraggingOneOfSeveralMovesThemAllAndStopsThemTogetherAtTheEdge) {
    label.SelectIds({a->Id(), b->Id()});
    const QPoint grab = Centre(b);
    controller.Press(grab, Qt::LeftButton);
    EXPECT_EQ(controller.DragMode(), dmMove);
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), b->Id()})) << "the press keeps the group";
    EXPECT_TRUE(controller.Move(grab + QPoint(15, 7)));
    EXPECT_EQ(TopLeft(a), QPoint(25, 17));
    EXPECT_EQ(TopLeft(b), QPoint(65, 47));
    EXPECT_EQ(TopLeft(c), QPoint(100, 20)) << "the unselected one stays";

    // Far past the bottom right: the group's bounds stop at the area's edges, so a is not
    // pushed on alone while b is held back.
    controller.Move(grab + QPoint(500, 500));
    EXPECT_EQ(b->Box().Right, 298);
    EXPECT_EQ(b->Box().Bottom, 148);
    EXPECT_EQ(TopLeft(b) - TopLeft(a), QPoint(40, 30));
    controller.Move(grab - QPoint(500, 500));
    EXPECT_EQ(TopLeft(a), QPoint(2, 2));
    EXPECT_EQ(TopLeft(b) - TopLeft(a), QPoint(40, 30));
    controller.Release(Qt::LeftButton);
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), b->Id()})) << "a drag keeps the group";
}

TEST_F(GroupSelectionTest, AClickOnOneOfSeveralWithoutDraggingSelectsItAlone) {
    label.SelectIds({a->Id(), b->Id()});
    EXPECT_EQ(controller.Press(Centre(b), Qt::RightButton), TCanvasController::TPress::PopupMenu);
    EXPECT_EQ(label.SelectedIds(), (Ids{a->Id(), b->Id()})) << "the menu acts on the group";
    Click(Centre(a));
    EXPECT_EQ(label.SelectedIds(), Ids{a->Id()});
    EXPECT_FALSE(b->Selected());
    EXPECT_EQ(label.Controls().back().get(), a) << "as a plain click, it comes to the front";
}

TEST_F(GroupSelectionTest, AGroupDragSnapsTheGroupsBoundsAndKeepsTheGuides) {
    std::vector<TRect> asked;
    controller.Snap = [&asked](const TRect& proposed, TDragMode) {
        asked.push_back(proposed);
        // To the next multiple of 10, with a guide at the snapped left edge.
        TRect r = TRect::FromBox((proposed.Left + 5) / 10 * 10, (proposed.Top + 5) / 10 * 10,
                                 proposed.Width(), proposed.Height());
        return TSnapResult{r, {QLine(r.Left, 0, r.Left, 150)}};
    };
    label.SelectIds({a->Id(), b->Id()});
    controller.Press({12, 12}, Qt::LeftButton); // 2, 2 inside the bounds (10, 10, 80, 60)
    controller.Move({26, 19});
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], TRect::FromBox(24, 17, 70, 50)) << "the group's bounds are proposed";
    EXPECT_EQ(TopLeft(a), QPoint(20, 20));
    EXPECT_EQ(TopLeft(b), QPoint(60, 50));
    ASSERT_EQ(controller.Guides().size(), 1u);
    EXPECT_EQ(controller.Guides()[0], QLine(20, 0, 20, 150));
    controller.Release(Qt::LeftButton);
    EXPECT_TRUE(controller.Guides().empty());
}

TEST_F(GroupSelectionTest, EveryHandleOfOneControlIsPulledBySnap) {
    // To the next multiple of 10 on each edge the drag moves.
    controller.Snap = [](const TRect& proposed, TDragMode) {
        const auto ten = [](int32_t v) { return (v + 5) / 10 * 10; };
        return TSnapResult{
            {ten(proposed.Left), ten(proposed.Top), ten(proposed.Right), ten(proposed.Bottom)}, {}};
    };
    // b is (50, 40) to (80, 60): grab its left edge and its top edge.
    controller.Press({50, 50}, Qt::LeftButton);
    ASSERT_EQ(controller.DragMode(), dmLeft);
    controller.Move({43, 50});
    controller.Release(Qt::LeftButton);
    EXPECT_EQ(b->Box(), (TRect{40, 40, 80, 60}));
    controller.Press({60, 40}, Qt::LeftButton);
    ASSERT_EQ(controller.DragMode(), dmTop);
    controller.Move({60, 33});
    controller.Release(Qt::LeftButton);
    EXPECT_EQ(b->Box(), (TRect{40, 30, 80, 60}));
    controller.Press({80, 60}, Qt::LeftButton);
    ASSERT_EQ(controller.DragMode(), dmBottomRight);
    controller.Move({87, 74});
    controller.Release(Qt::LeftButton);
    EXPECT_EQ(b->Box(), (TRect{40, 30, 90, 70}));
}

TEST_F(GroupSelectionTest, KeysMoveSeveralTogetherButResizeNone) {
    label.SelectIds({b->Id(), c->Id()});
    using K = TCanvasController::TKey;
    EXPECT_EQ(controller.Key(Qt::Key_Right, Qt::ControlModifier), K::Handled);
    EXPECT_EQ(controller.Key(Qt::Key_Up, Qt::ControlModifier), K::Handled);
    EXPECT_EQ(TopLeft(b), QPoint(51, 39));
    EXPECT_EQ(TopLeft(c), QPoint(101, 19));
    EXPECT_EQ(TopLeft(a), QPoint(10, 10));
    EXPECT_EQ(controller.Key(Qt::Key_Down, Qt::ShiftModifier), K::Handled);
    EXPECT_EQ(b->Height(), 20);
    EXPECT_EQ(c->Height(), 30);
    // c's top is 19: seventeen steps up reach the area's top, and b goes no further either.
    for (int i = 0; i < 20; ++i)
        controller.Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(c->Top(), 2);
    EXPECT_EQ(b->Top() - c->Top(), 20);
    EXPECT_EQ(controller.PointerShape({b->Box().Right, b->Box().Bottom}), Qt::ArrowCursor)
        << "several selected show no handles";
}

TEST_F(GroupSelectionTest, DeleteRemovesEverySelectedControlAsOneEdit) {
    label.SelectIds({c->Id(), a->Id()});
    QSignalSpy removed(&label, &TLabelDocument::ControlRemoved);
    QSignalSpy edits(&label, &TLabelDocument::Edited);
    QSignalSpy selections(&label, &TLabelDocument::SelectionChanged);
    const TControlId kept = b->Id();
    EXPECT_EQ(controller.Key(Qt::Key_Delete, Qt::NoModifier), TCanvasController::TKey::Handled);
    EXPECT_EQ(Stack(), Ids{kept});
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(edits.count(), 1);
    EXPECT_EQ(selections.count(), 1);
    EXPECT_TRUE(label.SelectedIds().empty());
    EXPECT_EQ(label.Find(kept), b);
}

TEST_F(GroupSelectionTest, StackingCommandsKeepTheSelectedInTheirOwnOrder) {
    TBlockControl* d = AddBlock(label, 200, 20, 20, 20);
    // Bottom to top: a b c d. Selected in the order d, b.
    label.SelectIds({d->Id(), b->Id()});
    QSignalSpy restacks(&label, &TLabelDocument::Restacked);
    label.SendToBack();
    EXPECT_EQ(Stack(), (Ids{b->Id(), d->Id(), a->Id(), c->Id()}));
    label.BringToFront();
    EXPECT_EQ(Stack(), (Ids{a->Id(), c->Id(), b->Id(), d->Id()}));
    EXPECT_EQ(restacks.count(), 2);
    label.BringToFront();
    EXPECT_EQ(restacks.count(), 2) << "already on top: nothing moves";
    EXPECT_EQ(label.SelectedIds(), (Ids{d->Id(), b->Id()}));
}

TEST_F(GroupSelectionTest, CopiesKeepTheirPlacesToEachOtherAndTheSelectionsOrder) {
    label.SelectIds({c->Id(), a->Id()});
    TControlCopies copies = label.CloneSelection();
    ASSERT_EQ(copies.Controls.size(), 2u);
    // a (10, 10) and c (100, 20): the corner of both at (0, 0).
    EXPECT_EQ(TopLeft(copies.Controls[0].get()), QPoint(0, 0));
    EXPECT_EQ(TopLeft(copies.Controls[1].get()), QPoint(90, 10));
    const std::vector<TLabelControl*> added = label.AddCopies(std::move(copies), 5, 5);
    ASSERT_EQ(added.size(), 2u);
    for (TLabelControl* copy : added) {
        EXPECT_NE(copy->Id(), 0u);
        copy->SetLoading(false);
    }
    EXPECT_EQ(TopLeft(added[0]), QPoint(5, 5));
    EXPECT_EQ(TopLeft(added[1]), QPoint(95, 15));
    EXPECT_EQ(label.Controls().size(), 5u);
    EXPECT_EQ(label.Controls()[3].get(), added[0]) << "copies on top in the originals' order";
    EXPECT_EQ(label.SelectedIds(), (Ids{added[1]->Id(), added[0]->Id()}))
        << "the copy of the first selected is the first selected";
    EXPECT_FALSE(a->Selected());

    // Placed near the far corner, the copies are pulled back as one.
    label.SelectIds({a->Id(), c->Id()});
    const std::vector<TLabelControl*> far = label.AddCopies(label.CloneSelection(), 250, 140);
    ASSERT_EQ(far.size(), 2u);
    EXPECT_EQ(far[1]->Box().Right, 298);
    EXPECT_EQ(far[1]->Box().Bottom, 148);
    EXPECT_EQ(TopLeft(far[1]) - TopLeft(far[0]), QPoint(90, 10));
}

TEST_F(GroupSelectionTest, AGroupMoveAnnouncesEachMovedControlOnceAsOneEdit) {
    TLabelDocument big;
    big.SetLabelSize(1000, 1000);
    for (int i = 0; i < 40; ++i)
        AddBlock(big, 10 + (i % 8) * 100, 10 + (i / 8) * 100, 30, 30);
    std::vector<TControlId> half;
    for (size_t i = 0; i < big.Controls().size(); i += 2)
        half.push_back(big.Controls()[i]->Id());
    big.SelectIds(half);
    QSignalSpy changed(&big, &TLabelDocument::ControlChanged);
    QSignalSpy batched(&big, &TLabelDocument::Batched);
    QSignalSpy edits(&big, &TLabelDocument::Edited);
    big.MoveSelected(3, 4);
    EXPECT_EQ(changed.count(), 20) << "each moved control once, with its old and new box";
    EXPECT_EQ(batched.count(), 1);
    EXPECT_EQ(edits.count(), 1);
    const auto* moved = static_cast<TBlockControl*>(big.Controls()[0].get());
    EXPECT_EQ(moved->OldBounds(), TRect::FromBox(10, 10, 30, 30));
    EXPECT_EQ(moved->Box(), TRect::FromBox(13, 14, 30, 30));
    EXPECT_EQ(TopLeft(big.Controls()[1].get()), QPoint(110, 10)) << "unselected: not moved";
}
} // namespace
