// The Format menu's arranging commands and the snapping of drags, through the main window: the
// commands on known layouts, their steps in the history, their enabling, and real mouse drags.
#include "MainWindowSupport.h"

#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <vector>

namespace {
using TInts = std::vector<int32_t>;

class Arrange : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override { Open(); }
    void Open() {
        W = ActiveWindow();
        // 4 x 2 inches: 384 x 192 pixels, controls kept within (2, 2, 382, 190).
        W->Document().ChangeSheet([](TSheetSettings& s) {
            s.LabelWidth = 4;
            s.LabelHeight = 2;
        });
        W->ApplyLabelSize();
        Settle();
    }
    TCanvasLabel& L() { return W->Label(); }
    TLabelDocument& D() { return W->Document(); }
    void Settle() { QCoreApplication::processEvents(); }
    TControlId Shape(int left, int top, int width, int height) {
        auto c = std::make_unique<TShapeLabel>();
        c->SetBox(TRect::FromBox(left, top, width, height), true);
        TShapeLabel* raw = c.get();
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        Settle();
        return raw->Id();
    }
    TRect BoxOf(TControlId id) { return D().Find(id)->Box(); }
    TInts Lefts(const std::vector<TControlId>& ids) {
        TInts v;
        for (TControlId id : ids)
            v.push_back(BoxOf(id).Left);
        return v;
    }
    TInts Tops(const std::vector<TControlId>& ids) {
        TInts v;
        for (TControlId id : ids)
            v.push_back(BoxOf(id).Top);
        return v;
    }
    std::vector<TRect> Boxes(const std::vector<TControlId>& ids) {
        std::vector<TRect> v;
        for (TControlId id : ids)
            v.push_back(BoxOf(id));
        return v;
    }
    void Run(TActionName action) {
        W->Action(action)->trigger();
        Settle();
    }
    QString UndoText() { return W->Action("acUndo")->text().remove(QLatin1Char('&')); }
    void UndoStep() {
        W->Action("acUndo")->trigger();
        Settle();
    }
    // A drag with the left button from one label point to another; modifiers on the moves.
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mousePress(&L(), Qt::LeftButton, {}, from);
        QTest::mouseEvent(QTest::MouseMove, &L(), Qt::NoButton, modifiers, (from + to) / 2);
        QTest::mouseEvent(QTest::MouseMove, &L(), Qt::NoButton, modifiers, to);
        Settle();
    }
    void Drop(QPoint at) {
        QTest::mouseRelease(&L(), Qt::LeftButton, {}, at);
        Settle();
    }

    std::unique_ptr<TFMain> W;
};

TEST_F(Arrange, EachAlignCommandLinesUpTheSelectionAndIsOneStepUndone) {
    // Around them: left 20, right 140, top 20, bottom 130.
    const std::vector<TControlId> ids{Shape(20, 20, 40, 20), Shape(80, 60, 60, 30),
                                      Shape(50, 120, 20, 10)};
    const std::vector<TRect> before = Boxes(ids);
    struct TCase {
        TActionName Action;
        QString Text;
        TInts Lefts, Tops;
    } cases[] = {
        {"acArrangeLeft", "Undo Align Left", {20, 20, 20}, {20, 60, 120}},
        {"acArrangeCenter", "Undo Align Center", {60, 50, 70}, {20, 60, 120}},
        {"acArrangeRight", "Undo Align Right", {100, 80, 120}, {20, 60, 120}},
        {"acArrangeTop", "Undo Align Top", {20, 80, 50}, {20, 20, 20}},
        {"acArrangeMiddle", "Undo Align Middle", {20, 80, 50}, {65, 60, 70}},
        {"acArrangeBottom", "Undo Align Bottom", {20, 80, 50}, {110, 100, 120}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Text.toStdString());
        D().SelectIds(ids);
        const int steps = W->History().index();
        Run(c.Action);
        EXPECT_EQ(Lefts(ids), c.Lefts);
        EXPECT_EQ(Tops(ids), c.Tops);
        EXPECT_EQ(W->History().index(), steps + 1) << "one step";
        EXPECT_EQ(UndoText(), c.Text);
        UndoStep();
        EXPECT_EQ(Boxes(ids), before);
    }
}

TEST_F(Arrange, OneControlAlignsAndCentresOnTheLabel) {
    const TControlId id = Shape(20, 30, 40, 20);
    D().SelectIds({id});
    Run("acArrangeRight");
    EXPECT_EQ(BoxOf(id), TRect::FromBox(342, 30, 40, 20)) << "against the right edge, 382";
    Run("acArrangeCenter");
    EXPECT_EQ(BoxOf(id).Left, 172);
    Run("acArrangeBottom");
    EXPECT_EQ(BoxOf(id).Top, 170);
    Run("acArrangeLeft");
    Run("acArrangeTop");
    EXPECT_EQ(BoxOf(id), TRect::FromBox(2, 2, 40, 20));
    Run("acCenterHorz");
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Center on Label Horizontally"));
    Run("acCenterVert");
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Center on Label Vertically"));
    EXPECT_EQ(BoxOf(id), TRect::FromBox(172, 86, 40, 20)) << "centred on 192, 96";
}

TEST_F(Arrange, DistributeSpacesThreeOrMoreEquallyKeepingTheOuterOnes) {
    // Selected out of order. By position: 10..30, 50..65, 70..95, 200..210. Room 130 in three
    // gaps: 44, 43, 43.
    const TControlId s = Shape(200, 10, 10, 10), q = Shape(50, 40, 15, 10),
                     p = Shape(10, 70, 20, 10), r = Shape(70, 100, 25, 10);
    D().SelectIds({s, q, p, r});
    Run("acDistributeHorz");
    EXPECT_EQ(Lefts({p, q, r, s}), (TInts{10, 74, 132, 200}));
    EXPECT_EQ(Tops({p, q, r, s}), (TInts{70, 40, 100, 10}));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Distribute Horizontally"));
    UndoStep();
    EXPECT_EQ(Lefts({p, q, r, s}), (TInts{10, 50, 70, 200}));

    // Down: 10..20, 40..50, 70..80, 100..110. Room 60 in three gaps: 20 each.
    Run("acDistributeVert");
    EXPECT_EQ(Tops({s, q, p, r}), (TInts{10, 40, 70, 100})) << "already even: nothing moves";
    D().Find(q)->SetTop(25);
    Run("acDistributeVert");
    EXPECT_EQ(Tops({s, q, p, r}), (TInts{10, 40, 70, 100}));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Distribute Vertically"));
}

TEST_F(Arrange, SameWidthAndHeightFollowTheFirstSelected) {
    const TControlId a = Shape(20, 20, 40, 20), b = Shape(80, 60, 60, 30),
                     edge = Shape(360, 150, 10, 10);
    D().SelectIds({b, a, edge});
    Run("acSameWidth");
    EXPECT_EQ(BoxOf(a), TRect::FromBox(20, 20, 60, 20));
    EXPECT_EQ(BoxOf(b), TRect::FromBox(80, 60, 60, 30));
    EXPECT_EQ(BoxOf(edge), TRect::FromBox(360, 150, 22, 10)) << "stops at the label's edge";
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Make Same Width"));
    Run("acSameHeight");
    EXPECT_EQ(BoxOf(a), TRect::FromBox(20, 20, 60, 30));
    EXPECT_EQ(BoxOf(edge), TRect::FromBox(360, 150, 22, 30));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Make Same Height"));
    UndoStep();
    UndoStep();
    EXPECT_EQ(BoxOf(a), TRect::FromBox(20, 20, 40, 20));
    EXPECT_EQ(BoxOf(edge), TRect::FromBox(360, 150, 10, 10));
}

TEST_F(Arrange, CommandsAreEnabledOnlyWhenTheyCanAct) {
    const TActionName align[] = {"acArrangeLeft", "acArrangeCenter", "acArrangeRight",
                                 "acArrangeTop",  "acArrangeMiddle", "acArrangeBottom",
                                 "acCenterHorz",  "acCenterVert"};
    const TActionName distribute[] = {"acDistributeHorz", "acDistributeVert"};
    const TActionName size[] = {"acSameWidth", "acSameHeight"};
    const auto expect = [&](bool aligns, bool sizes, bool distributes) {
        for (TActionName name : align)
            EXPECT_EQ(W->Action(name)->isEnabled(), aligns)
                << W->Action(name)->objectName().toStdString();
        for (TActionName name : size)
            EXPECT_EQ(W->Action(name)->isEnabled(), sizes)
                << W->Action(name)->objectName().toStdString();
        for (TActionName name : distribute)
            EXPECT_EQ(W->Action(name)->isEnabled(), distributes)
                << W->Action(name)->objectName().toStdString();
    };
    {
        SCOPED_TRACE("nothing on the label");
        expect(false, false, false);
    }
    const TControlId a = Shape(20, 20, 40, 20), b = Shape(80, 60, 60, 30),
                     c = Shape(50, 120, 20, 10);
    {
        SCOPED_TRACE("one selected");
        D().SelectIds({a});
        expect(true, false, false);
    }
    {
        SCOPED_TRACE("two selected");
        D().SelectIds({a, b});
        expect(true, true, false);
    }
    {
        SCOPED_TRACE("three selected");
        D().SelectIds({a, b, c});
        expect(true, true, true);
    }
    {
        SCOPED_TRACE("selection deleted");
        D().SelectIds({c});
        D().DeleteSelected();
        expect(false, false, false);
    }
}

TEST_F(Arrange, ADragSnapsToTheGridUnlessAltIsHeld) {
    EXPECT_FALSE(W->Action("acSnapGrid")->isChecked()) << "off by default";
    const TControlId id = Shape(30, 30, 40, 20);
    // Grabbed 15, 10 inside; dropped at 65, 62 it would stand at 50, 52.
    Drag({45, 40}, {65, 62});
    Drop({65, 62});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(50, 52, 40, 20));
    UndoStep();

    Run("acSnapGrid");
    // Quarter inches: the left edge 50 goes to the line 49, the bottom 72 to the line 73.
    Drag({45, 40}, {65, 62});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(49, 53, 40, 20));
    Drop({65, 62});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(49, 53, 40, 20));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Move"));
    UndoStep();

    Drag({45, 40}, {65, 62}, Qt::AltModifier);
    Drop({65, 62});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(50, 52, 40, 20)) << "Alt lets the box go free";

    // Half centimetres when the window shows centimetres: lines at 39, 58, 77. Across nothing is
    // within reach; down the middle 62 goes to 58.
    UndoStep();
    L().MetricGrid = true;
    Drag({45, 40}, {65, 62});
    Drop({65, 62});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(50, 48, 40, 20));
}

TEST_F(Arrange, ADragSnapsToAnotherControlsEdgeAndShowsAGuideWhileItHolds) {
    const TControlId other = Shape(150, 100, 40, 20);
    const TControlId id = Shape(30, 30, 40, 20);
    Run("acSnapControls");
    // Dropped at 123, 75 the right edge would be 148: 2 short of the other's left edge.
    Drag({45, 40}, {123, 75});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(110, 65, 40, 20));
    EXPECT_EQ(L().Controller().Guides(), (std::vector<QLine>{QLine(150, 65, 150, 120)}));
    Drop({123, 75});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(110, 65, 40, 20));
    EXPECT_TRUE(L().Controller().Guides().empty()) << "the guides go with the drag";
    EXPECT_EQ(BoxOf(other), TRect::FromBox(150, 100, 40, 20));
}

TEST_F(Arrange, TheSnapSwitchesAreKeptInThePreferences) {
    Run("acSnapGrid");
    Run("acSnapControls");
    Answers = {TAnswer::No}; // the label's sheet was changed
    EXPECT_TRUE(W->close());
    W.reset();
    Open();
    EXPECT_TRUE(W->Action("acSnapGrid")->isChecked());
    EXPECT_TRUE(W->Action("acSnapControls")->isChecked());
    // And they act: the same drag as above snaps at once.
    const TControlId id = Shape(30, 30, 40, 20);
    Drag({45, 40}, {65, 62});
    Drop({65, 62});
    EXPECT_EQ(BoxOf(id), TRect::FromBox(49, 53, 40, 20));

    Run("acSnapGrid");
    Run("acSnapControls");
    Answers = {TAnswer::No};
    EXPECT_TRUE(W->close());
    W.reset();
    Open();
    EXPECT_FALSE(W->Action("acSnapGrid")->isChecked());
    EXPECT_FALSE(W->Action("acSnapControls")->isChecked());
}
} // namespace
