// Several controls selected in the main window: with the mouse and the keyboard, moved, deleted,
// cut, copied, pasted and duplicated together, each command one step of the history.
#include "MainWindowSupport.h"

#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
using Ids = std::vector<TControlId>;
// Every control's id and box, bottom first: what undo must give back exactly.
using TLayout = std::vector<std::pair<TControlId, TRect>>;

class Selection : public ::testing::Test, public TMainWindowFixture {
protected:
    // Three shapes on the 2 by 1 inch label (192 by 96 pixels): a and c in a row, b below them.
    void SetUp() override {
        W = ActiveWindow();
        a = AddShape(TRect::FromBox(10, 10, 20, 20));
        b = AddShape(TRect::FromBox(40, 40, 20, 20));
        c = AddShape(TRect::FromBox(80, 10, 20, 20));
        A = a->Id(), B = b->Id(), C = c->Id();
        D().SelectNone();
        L().setFocus();
        Settle();
    }
    TCanvasLabel& L() { return W->Label(); }
    TLabelDocument& D() { return W->Document(); }
    void Settle() {
        // The release is handled after the label's own handling, the step after that.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    TLabelControl* AddShape(const TRect& box) {
        auto shape = std::make_unique<TShapeLabel>();
        shape->SetBox(box, true);
        TLabelControl* raw = shape.get();
        D().AddControl(std::move(shape));
        raw->SetLoading(false);
        Settle();
        return raw;
    }
    static QPoint Centre(const TLabelControl* control) {
        return {control->Left() + control->Width() / 2, control->Top() + control->Height() / 2};
    }
    static QPoint TopLeft(const TLabelControl* control) {
        return {control->Left(), control->Top()};
    }
    void Click(QPoint at, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(&L(), Qt::LeftButton, modifiers, at);
        Settle();
    }
    // Presses at from, moves to to in a few steps with the button held, and releases there.
    void Drag(QPoint from, QPoint to) {
        QTest::mousePress(&L(), Qt::LeftButton, {}, from);
        for (int i = 1; i <= 4; ++i) {
            const QPointF at = from + (to - from) * i / 4;
            QMouseEvent move(QEvent::MouseMove, at, L().mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&L(), &move);
            Settle();
        }
        QTest::mouseRelease(&L(), Qt::LeftButton, {}, to);
        Settle();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        Settle();
    }
    void Trigger(TActionName action) {
        W->Action(action)->trigger();
        Settle();
    }
    TLayout Layout() {
        TLayout layout;
        for (const auto& control : D().Controls())
            layout.emplace_back(control->Id(), control->Box());
        return layout;
    }
    int Steps() { return W->History().count(); }
    QString UndoText() { return W->Action("acUndo")->text().remove(QLatin1Char('&')); }
    QString Status(const char* panel) { return W->findChild<QLabel*>(panel)->text(); }
    bool Enabled(TActionName action) { return W->Action(action)->isEnabled(); }

    std::unique_ptr<TFMain> W;
    // Undo and redo bring back new objects under the same ids: after them, only ids hold.
    TLabelControl *a = nullptr, *b = nullptr, *c = nullptr;
    TControlId A = 0, B = 0, C = 0;
};

TEST_F(Selection, ShiftAndCtrlClicksBuildTheSelectionAndTheStatusBarShowsItsBounds) {
    EXPECT_FALSE(Enabled("acDuplicate")) << "nothing to duplicate";
    Click(Centre(a));
    ASSERT_EQ(D().SelectedIds(), Ids{a->Id()});
    EXPECT_EQ(Status("pPosition"), QStringLiteral("X:0.10  Y:0.10"));
    Click(Centre(c), Qt::ShiftModifier);
    Click(Centre(b), Qt::ControlModifier);
    EXPECT_EQ(D().SelectedIds(), (Ids{a->Id(), c->Id(), b->Id()}));
    for (const TLabelControl* control : {a, b, c})
        EXPECT_TRUE(control->Selected());
    // The box around all three: (10, 10) to (100, 60), at 96 pixels per inch.
    EXPECT_EQ(Status("pPosition"), QStringLiteral("X:0.10  Y:0.10"));
    EXPECT_EQ(Status("pSize"), QStringLiteral("W:0.94  H:0.52"));
    for (TActionName action :
         {TActionName("acDuplicate"), TActionName("acBringToFront"), TActionName("acSendToBack"),
          TActionName("acCut"), TActionName("acCopy"), TActionName("acSelectAll")})
        EXPECT_TRUE(Enabled(action));

    Click(Centre(c), Qt::ControlModifier);
    EXPECT_EQ(D().SelectedIds(), (Ids{a->Id(), b->Id()}));
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(Status("pSize"), QStringLiteral("W:0.52  H:0.52")) << "(10, 10) to (60, 60)";
    Click(Centre(b));
    EXPECT_EQ(D().SelectedIds(), Ids{b->Id()}) << "a plain click selects one";
    EXPECT_EQ(Status("pSize"), QStringLiteral("W:0.21  H:0.21"));
}

TEST_F(Selection, ARubberBandSelectsEveryControlItTouches) {
    const int steps = Steps();
    const QPoint from(5, 80), to(62, 5);
    QTest::mousePress(&L(), Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), L().mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&L(), &move);
    EXPECT_EQ(L().Controller().RubberBand(), QRect(QPoint(5, 5), QPoint(62, 80)));
    EXPECT_EQ(D().SelectedIds(), (Ids{a->Id(), b->Id()}));
    QTest::mouseRelease(&L(), Qt::LeftButton, {}, to);
    Settle();
    EXPECT_TRUE(L().Controller().RubberBand().isEmpty());
    EXPECT_EQ(D().SelectedIds(), (Ids{a->Id(), b->Id()}));
    EXPECT_FALSE(c->Selected());
    EXPECT_EQ(TopLeft(a), QPoint(10, 10)) << "a band moves nothing";
    EXPECT_EQ(Steps(), steps);
}

TEST_F(Selection, CtrlASelectsAllAndEscapeClearsAlsoFromTheTextBox) {
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(D().SelectedIds(), (Ids{a->Id(), b->Id(), c->Id()}));
    Key(Qt::Key_Escape);
    EXPECT_TRUE(D().SelectedIds().empty());
    EXPECT_FALSE(a->Selected());

    // A text control takes the keyboard into the text box; the two keys still reach the label.
    auto text = std::make_unique<TTextLabel>();
    text->SetText(QStringLiteral("Text"));
    text->SetLeft(120);
    text->SetTop(60);
    TTextLabel* t = text.get();
    D().AddControl(std::move(text));
    t->SetLoading(false);
    W->RefreshSelectionUI();
    Settle();
    QLineEdit* eText = W->findChild<QLineEdit*>("eText");
    ASSERT_TRUE(eText->hasFocus());
    Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(D().SelectedIds().size(), 4u);
    EXPECT_EQ(D().Selection(), t) << "what was selected stays first";
    Key(Qt::Key_Escape);
    EXPECT_TRUE(D().SelectedIds().empty());
    EXPECT_EQ(t->Text(), QStringLiteral("Text"));
}

TEST_F(Selection, DraggingOneOfSeveralMovesThemAllAsOneStep) {
    Click(Centre(a));
    Click(Centre(b), Qt::ShiftModifier);
    const TLayout before = Layout();
    const int steps = Steps();
    Drag(Centre(b), Centre(b) + QPoint(20, 5));
    EXPECT_EQ(TopLeft(a), QPoint(30, 15));
    EXPECT_EQ(TopLeft(b), QPoint(60, 45));
    EXPECT_EQ(TopLeft(c), QPoint(80, 10));
    EXPECT_EQ(D().SelectedIds(), (Ids{a->Id(), b->Id()}));
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Move"));
    const TLayout moved = Layout();
    Trigger("acUndo");
    EXPECT_EQ(Layout(), before);
    EXPECT_EQ(D().SelectedIds(), (Ids{A, B}));
    Trigger("acRedo");
    EXPECT_EQ(Layout(), moved);

    // A click on one of them without dragging leaves it selected alone.
    Click(Centre(D().Find(A)));
    EXPECT_EQ(D().SelectedIds(), Ids{A});
}

TEST_F(Selection, AGroupDragSnapsTheGroupsBoundsToTheGrid) {
    W->Action("acSnapGrid")->setChecked(true);
    Click(Centre(a));
    Click(Centre(b), Qt::ShiftModifier);
    // The bounds (10, 10) to (60, 60) dragged by 11 would stand at 21 to 71; the nearest grid
    // line within reach is 73, for the right and bottom edges, so the group moves by 13.
    Drag(Centre(b), Centre(b) + QPoint(11, 11));
    EXPECT_EQ(TopLeft(a), QPoint(23, 23));
    EXPECT_EQ(TopLeft(b), QPoint(53, 53));
    EXPECT_EQ(TopLeft(c), QPoint(80, 10));
}

TEST_F(Selection, CtrlArrowsMoveSeveralAsOneStep) {
    Click(Centre(a));
    Click(Centre(c), Qt::ShiftModifier);
    const TLayout before = Layout();
    const int steps = Steps();
    Key(Qt::Key_Right, Qt::ControlModifier, 3);
    Key(Qt::Key_Down, Qt::ControlModifier, 2);
    EXPECT_EQ(TopLeft(a), QPoint(13, 12));
    EXPECT_EQ(TopLeft(c), QPoint(83, 12));
    EXPECT_EQ(TopLeft(b), QPoint(40, 40));
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(a->Width(), 20) << "resizing stays a matter of one control";
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Move"));
    Trigger("acUndo");
    EXPECT_EQ(Layout(), before);
}

TEST_F(Selection, DeletingSeveralIsOneStepAndUndoBringsBackTheirIdsAndPlaces) {
    Click(Centre(c));
    Click(Centre(a), Qt::ShiftModifier);
    const TLayout before = Layout();
    const Ids selected = D().SelectedIds();
    const TControlId kept = b->Id();
    Key(Qt::Key_Delete);
    ASSERT_EQ(D().Controls().size(), 1u);
    EXPECT_EQ(D().Controls()[0]->Id(), kept);
    EXPECT_TRUE(D().SelectedIds().empty());
    Trigger("acUndo");
    EXPECT_EQ(Layout(), before);
    EXPECT_EQ(D().SelectedIds(), selected);
}

TEST_F(Selection, CutCopyAndPasteOfSeveralKeepTheirPlacesToEachOther) {
    Click(Centre(c));
    Click(Centre(a), Qt::ShiftModifier);
    Trigger("acCopy");
    EXPECT_EQ(W->ClipboardCount(), 2u);
    const TLayout before = Layout();

    Trigger("acPaste");
    ASSERT_EQ(D().Controls().size(), 5u);
    // At the visible corner, five pixels in; c stays 70 pixels right of a.
    TLabelControl* pastedA = D().Controls()[3].get();
    TLabelControl* pastedC = D().Controls()[4].get();
    EXPECT_EQ(TopLeft(pastedA), QPoint(5, 5));
    EXPECT_EQ(TopLeft(pastedC), QPoint(75, 5));
    EXPECT_EQ(D().SelectedIds(), (Ids{pastedC->Id(), pastedA->Id()}));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Paste"));
    Trigger("acPaste");
    EXPECT_EQ(D().Controls().size(), 7u) << "a second paste inserts further copies";
    Trigger("acUndo");
    Trigger("acUndo");
    EXPECT_EQ(Layout(), before);

    D().SelectIds({A, C});
    Settle();
    Trigger("acCut");
    ASSERT_EQ(D().Controls().size(), 1u);
    EXPECT_EQ(W->ClipboardCount(), 2u);
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Cut"));
    Trigger("acUndo");
    EXPECT_EQ(Layout(), before);
    EXPECT_EQ(D().SelectedIds(), (Ids{A, C}));
}

TEST_F(Selection, DuplicatePlacesCopiesOneGridStepOnAsOneStep) {
    Click(Centre(b));
    Click(Centre(a), Qt::ShiftModifier);
    const TLayout before = Layout();
    const int steps = Steps();
    Key(Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(D().Controls().size(), 5u);
    // A quarter inch at 96 pixels per inch.
    TLabelControl* copyA = D().Controls()[3].get();
    TLabelControl* copyB = D().Controls()[4].get();
    EXPECT_EQ(TopLeft(copyA), QPoint(34, 34));
    EXPECT_EQ(TopLeft(copyB), QPoint(64, 64));
    EXPECT_EQ(D().SelectedIds(), (Ids{copyB->Id(), copyA->Id()}));
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Duplicate"));
    Trigger("acUndo");
    EXPECT_EQ(Layout(), before);

    // On a metric grid the step is half a centimetre: 18.9 pixels, so 19.
    Trigger("acUnitMetric");
    D().SelectIds({A});
    Trigger("acDuplicate");
    EXPECT_EQ(TopLeft(D().Controls().back().get()), QPoint(29, 29));
}

TEST_F(Selection, StackingCommandsMoveTheWholeSelectionKeepingItsOrder) {
    const auto stack = [this] {
        Ids ids;
        for (const auto& control : D().Controls())
            ids.push_back(control->Id());
        return ids;
    };
    D().SelectIds({C, A});
    Settle();
    Trigger("acBringToFront");
    EXPECT_EQ(stack(), (Ids{B, A, C}));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Bring to Front"));
    Trigger("acSendToBack");
    EXPECT_EQ(stack(), (Ids{A, C, B}));
    EXPECT_EQ(UndoText(), QStringLiteral("Undo Send to Back"));
    Trigger("acUndo");
    Trigger("acUndo");
    EXPECT_EQ(stack(), (Ids{A, B, C}));
    EXPECT_EQ(D().SelectedIds(), (Ids{C, A}));
}
} // namespace
