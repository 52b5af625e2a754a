#include "document/widgets/CanvasLabel.h"
#include "../TestControls.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

// The label is driven as the user drives it: QTest mouse and key events on the offscreen widget.
class CanvasLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        label.SetLabelSize(300, 150); // area (2, 2, 298, 148)
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void Press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mousePress(&view, b, Qt::NoModifier, QPoint(x, y));
    }
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(&view, to);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, to);
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(&view, Qt::Key(key), mods);
    }
    TCanvasLabel view;
    TLabelDocument& label = view.Document();
};

TEST_F(CanvasLabelTest, PressWithinFivePixelsSelects) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    Press(200, 100);
    EXPECT_EQ(label.Selection(), nullptr);
    EXPECT_FALSE(c->Selected());
    Press(48, 28); // 2 pixels outside the top-left corner
    EXPECT_EQ(label.Selection(), c);
    EXPECT_TRUE(c->Selected());
    Press(44, 40); // 6 pixels left: missed
    EXPECT_EQ(label.Selection(), nullptr);
    Press(94, 54); // right and bottom edges are exclusive, 5 beyond is 95
    EXPECT_EQ(label.Selection(), c);
    Press(95, 40);
    EXPECT_EQ(label.Selection(), nullptr);
}

TEST_F(CanvasLabelTest, UpperControlWinsAndComesToFront) {
    TBlockControl* a = AddBlock(label, 50, 30, 40, 20);
    TBlockControl* b = AddBlock(label, 60, 35, 40, 20);
    Press(70, 40);
    EXPECT_EQ(label.Selection(), b);
    Press(52, 32); // only a is there
    EXPECT_EQ(label.Selection(), a);
    EXPECT_EQ(label.Controls().back().get(), a); // automatic bring to front
    label.AutoBringToFront = false;
    Press(98, 52); // only b
    EXPECT_EQ(label.Selection(), b);
    EXPECT_EQ(label.Controls().back().get(), a);
}

TEST_F(CanvasLabelTest, SelectionEventsAreRaised) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    std::vector<TLabelControl*> seen;
    QObject::connect(&label, &TLabelDocument::SelectionChanged,
                     [&](TLabelControl* s) { seen.push_back(s); });
    Press(60, 40);
    Press(250, 120);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], c);
    EXPECT_EQ(seen[1], nullptr);
}

TEST_F(CanvasLabelTest, HandleRectanglesExcludeTheirRightEdge) {
    const TRect box = TRect::FromBox(50, 30, 40, 20); // right 90, bottom 50
    EXPECT_EQ(HandleAt(box, 92, 40), dmRight);        // 2 right of the edge
    EXPECT_EQ(HandleAt(box, 93, 40), dmMove);         // 3 right: outside the handle
    EXPECT_EQ(HandleAt(box, 87, 40), dmRight);        // 3 inside
    EXPECT_EQ(HandleAt(box, 86, 40), dmMove);
    EXPECT_EQ(HandleAt(box, 89, 49), dmBottomRight);
    EXPECT_EQ(HandleAt(box, 92, 52), dmBottomRight);
    EXPECT_EQ(HandleAt(box, 93, 52), dmMove);
    EXPECT_EQ(HandleAt(box, 70, 52), dmBottom);
    EXPECT_EQ(HandleAt(box, 70, 47), dmBottom);
    EXPECT_EQ(HandleAt(box, 47, 40), dmLeft);
    EXPECT_EQ(HandleAt(box, 46, 40), dmMove);
    EXPECT_EQ(HandleAt(box, 52, 40), dmLeft);
    EXPECT_EQ(HandleAt(box, 53, 40), dmMove);
    EXPECT_EQ(HandleAt(box, 70, 27), dmTop);
    EXPECT_EQ(HandleAt(box, 70, 33), dmMove);
    EXPECT_EQ(HandleAt(box, 50, 30), dmMove); // the top-left corner has no handle
}

TEST_F(CanvasLabelTest, PressDecidesTheDragMode) {
    AddBlock(label, 50, 30, 40, 20);
    Press(92, 40);
    EXPECT_EQ(view.Controller().DragMode(), dmRight);
    QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, QPoint(92, 40));
    EXPECT_EQ(view.Controller().DragMode(), dmIdle);
    Press(93, 40);
    EXPECT_EQ(view.Controller().DragMode(), dmMove);
}

TEST_F(CanvasLabelTest, MovingStopsAtTheLabelEdges) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    Drag({60, 40}, {600, 40});
    EXPECT_EQ(c->Left() + c->Width(), 300 - 2);
    EXPECT_EQ(c->Width(), 40); // moving keeps the size
    Drag({270, 40}, {-100, 40});
    EXPECT_EQ(c->Left(), 2);
    Drag({10, 40}, {10, 500});
    EXPECT_EQ(c->Top() + c->Height(), 150 - 2);
    EXPECT_EQ(c->Height(), 20);
}

TEST_F(CanvasLabelTest, MovingKeepsTheGrabOffset) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    Drag({60, 35}, {110, 75});
    EXPECT_EQ(c->Left(), 100);
    EXPECT_EQ(c->Top(), 70);
}

TEST_F(CanvasLabelTest, ResizingFromTheCornerAndEdges) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    Drag({90, 50}, {120, 80}); // bottom-right corner
    EXPECT_EQ(c->Box(), TRect::FromBox(50, 30, 70, 50));
    Drag({120, 55}, {140, 100}); // right edge: only the width follows
    EXPECT_EQ(c->Box(), TRect::FromBox(50, 30, 90, 50));
    Drag({80, 80}, {500, 500}); // bottom edge past the label: clamped to the area
    EXPECT_EQ(c->Left(), 50);
    EXPECT_EQ(c->Width(), 90);
    EXPECT_EQ(c->Top() + c->Height(), 148);
    EXPECT_TRUE(c->Dirty() || c->DrawCount > 0);
}

TEST_F(CanvasLabelTest, ResizingBelowTheMinimumStopsAtIt) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    Drag({90, 50}, {20, 10});
    EXPECT_EQ(c->Width(), 10);
    EXPECT_EQ(c->Height(), 10);
}

TEST_F(CanvasLabelTest, TopAndLeftEdgesKeepTheOppositeEdge) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 40); // bottom 70, right 90
    Drag({70, 30}, {70, 20});                           // top edge up by 10
    EXPECT_EQ(c->Box(), TRect::FromBox(50, 20, 40, 50));
    Drag({70, 20}, {70, 65}); // would leave less than the minimum height: ignored
    EXPECT_EQ(c->Box(), TRect::FromBox(50, 20, 40, 50));
    Drag({50, 40}, {30, 40}); // left edge out by 20
    EXPECT_EQ(c->Box(), TRect::FromBox(30, 20, 60, 50));
}

TEST_F(CanvasLabelTest, HoverShowsTheHandlePointer) {
    AddBlock(label, 50, 30, 40, 20);
    QTest::mouseMove(&view, QPoint(91, 51));
    EXPECT_EQ(view.cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseMove(&view, QPoint(91, 40));
    EXPECT_EQ(view.cursor().shape(), Qt::SizeHorCursor);
    QTest::mouseMove(&view, QPoint(70, 29));
    EXPECT_EQ(view.cursor().shape(), Qt::SizeVerCursor);
    QTest::mouseMove(&view, QPoint(70, 40));
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CanvasLabelTest, KeysResizeAndMoveTheSelection) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(c->Width(), 41);
    EXPECT_EQ(c->Height(), 22);
    Key(Qt::Key_Left, Qt::ControlModifier);
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(c->Left(), 49);
    EXPECT_EQ(c->Top(), 29);
    Key(Qt::Key_Right); // plain arrows do nothing
    Key(Qt::Key_Down);
    EXPECT_EQ(c->Box(), TRect::FromBox(49, 29, 41, 22));
    c->SetLeft(2);
    Key(Qt::Key_Left, Qt::ControlModifier); // clamped at the area
    EXPECT_EQ(c->Left(), 2);
}

TEST_F(CanvasLabelTest, DeleteRemovesTheSelection) {
    AddBlock(label, 10, 10, 40, 20);
    TBlockControl* b = AddBlock(label, 80, 10, 40, 20);
    int noneEvents = 0;
    QObject::connect(&label, &TLabelDocument::SelectionChanged,
                     [&](TLabelControl* s) { noneEvents += s == nullptr; });
    ASSERT_EQ(label.Selection(), b);
    Key(Qt::Key_Delete);
    EXPECT_EQ(label.Controls().size(), 1u);
    EXPECT_EQ(label.Selection(), nullptr);
    EXPECT_EQ(noneEvents, 1); // announced once
    Key(Qt::Key_Delete);      // nothing selected: nothing happens
    EXPECT_EQ(label.Controls().size(), 1u);
}

TEST_F(CanvasLabelTest, TabBringsControlsForwardBottomFirst) {
    Key(Qt::Key_Tab); // empty label: nothing
    EXPECT_EQ(label.Selection(), nullptr);
    TBlockControl* a = AddBlock(label, 10, 10, 20, 20);
    TBlockControl* b = AddBlock(label, 40, 10, 20, 20);
    TBlockControl* c = AddBlock(label, 70, 10, 20, 20);
    Press(250, 120); // select nothing
    Key(Qt::Key_Tab);
    EXPECT_EQ(label.Selection(), a);
    EXPECT_EQ(label.Controls().back().get(), a);
    EXPECT_TRUE(a->Selected());
    Key(Qt::Key_Tab); // a is now last: the next index wraps to 0, which is b
    EXPECT_EQ(label.Selection(), b);
    EXPECT_FALSE(a->Selected());
    Key(Qt::Key_Tab);
    EXPECT_EQ(label.Selection(), c);
    Key(Qt::Key_Tab);
    EXPECT_EQ(label.Selection(), a);
    EXPECT_TRUE(view.hasFocus());
}

TEST_F(CanvasLabelTest, StackingOperations) {
    TBlockControl* a = AddBlock(label, 10, 10, 20, 20);
    TBlockControl* b = AddBlock(label, 40, 10, 20, 20);
    TBlockControl* c = AddBlock(label, 70, 10, 20, 20);
    label.SelectAt(45, 15);
    label.SendToBack();
    EXPECT_EQ(label.Controls()[0].get(), b);
    EXPECT_EQ(label.Controls()[1].get(), a);
    EXPECT_EQ(label.Controls()[2].get(), c);
    label.BringToFront();
    EXPECT_EQ(label.Controls()[2].get(), b);
    label.SelectAt(250, 120);
    label.BringToFront(); // nothing selected: nothing moves
    EXPECT_EQ(label.Controls()[2].get(), b);
}

TEST_F(CanvasLabelTest, EventsOnlyWhileReady) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    label.SelectAt(250, 120);
    view.Controller().Ready = false;
    QPoint busy;
    view.OnMouseDownWhileBusy = [&](int x, int y) { busy = QPoint(x, y); };
    Press(60, 40);
    EXPECT_EQ(label.Selection(), nullptr);
    EXPECT_EQ(busy, QPoint(60, 40));
    view.Controller().Ready = true;
    Press(60, 40);
    EXPECT_EQ(label.Selection(), c);
}

TEST_F(CanvasLabelTest, DoubleClickAndPopupMenu) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    TLabelControl* dbl = nullptr;
    int popups = 0;
    view.OnControlDblClick = [&](TLabelControl* s) { dbl = s; };
    view.OnPopupMenu = [&](const QPoint&) { ++popups; };
    QTest::mouseDClick(&view, Qt::LeftButton, Qt::NoModifier, QPoint(60, 40));
    EXPECT_EQ(dbl, c);
    Press(60, 40, Qt::RightButton);
    EXPECT_EQ(popups, 1);
    Press(250, 120, Qt::RightButton); // on nothing: no menu
    EXPECT_EQ(popups, 1);
}

TEST_F(CanvasLabelTest, FitControlsPullsControlsBackAfterAShrink) {
    TBlockControl* a = AddBlock(label, 200, 100, 60, 30);
    TBlockControl* b = AddBlock(label, 20, 20, 120, 40);
    label.SetLabelSize(100, 50);
    label.FitControls();
    // Moved to the label's far edge, then clamped into the area two pixels inside it.
    EXPECT_EQ(a->Box(), TRect::FromBox(40, 20, 58, 28));
    // Wider than the label: to the left edge, then clamped into the area.
    EXPECT_EQ(b->Box(), TRect::FromBox(2, 10, 96, 38));
    EXPECT_EQ(b->BoundsArea(), (TRect{2, 2, 98, 48}));
}

TEST_F(CanvasLabelTest, CloneCopiesTheCommonProperties) {
    TBlockControl* src = AddBlock(label, 50, 30, 60, 20, Qt::red);
    src->SetText("copy me");
    src->SetHAlign(haCenter);
    src->SetVAlign(vaBottom);
    src->SetTransparency(true);
    QFont f("Liberation Serif", 14);
    src->SetFont(f);
    src->SetAutoSizing(false);
    std::unique_ptr<TLabelControl> copy = label.CloneControl();
    ASSERT_TRUE(copy);
    auto* block = dynamic_cast<TBlockControl*>(copy.get());
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Colour, QColor(Qt::red));
    EXPECT_EQ(copy->Box(), TRect::FromBox(0, 0, 60, 20));
    EXPECT_EQ(copy->Text(), QString("copy me"));
    EXPECT_EQ(copy->HAlign(), haCenter);
    EXPECT_EQ(copy->VAlign(), vaBottom);
    EXPECT_TRUE(copy->Transparent());
    EXPECT_EQ(copy->Font(), f);
    EXPECT_FALSE(copy->AutoSize());
    EXPECT_EQ(copy->Owner(), nullptr); // not yet added
    EXPECT_TRUE(copy->Loading());
}

TEST_F(CanvasLabelTest, CloneOfARotatedControlTransposesItsBox) {
    TBlockControl* src = AddBlock(label, 50, 30, 60, 20);
    src->SetRotation(1); // box is now 20 x 60
    std::unique_ptr<TLabelControl> copy = label.CloneControl();
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->Rotation(), 1);
    EXPECT_EQ(copy->Box(), TRect::FromBox(0, 0, 60, 20));
    label.SelectAt(250, 120);
    EXPECT_EQ(label.CloneControl(), nullptr);
}
