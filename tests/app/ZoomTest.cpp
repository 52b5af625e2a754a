#include "MainWindowSupport.h"

#include "app/DesignArea.h"
#include "document/LabelDocument.h"
#include "document/ShapeLabel.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

// Zooming the design surface through the window: the View menu's commands, Ctrl with the wheel,
// the rulers and scroll bars, the mouse at a zoom, and the zoom kept among the preferences.
namespace {
class Zoom : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override { W = Open(); }
    // A window showing a label of 4 x 3 inches (384 x 288 pixels).
    std::unique_ptr<TFMain> Open() {
        auto w = Window();
        w->resize(800, 600);
        w->show();
        QApplication::setActiveWindow(w.get());
        w->Document().ChangeSheet([](TSheetSettings& s) {
            s.LabelWidth = 4;
            s.LabelHeight = 3;
        });
        w->ApplyLabelSize();
        w->SetModified(false);
        return w;
    }
    TCanvasLabel& L() { return W->Label(); }
    TLabelDocument& D() { return W->Document(); }
    QString Status() { return W->findChild<QLabel*>("pZoom")->text(); }
    void Run(TActionName action) { W->Action(action)->trigger(); }
    TShapeLabel* AddShape(QRect box) {
        auto c = std::make_unique<TShapeLabel>();
        TShapeLabel* raw = c.get();
        c->SetBox(TRect::FromBox(box.x(), box.y(), box.width(), box.height()), true);
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    void Wheel(QPoint at, int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent wheel(at, L().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&L(), &wheel);
    }

    std::unique_ptr<TFMain> W;
};

TEST_F(Zoom, CommandsWalkTheStepsAndTheStatusShowsThem) {
    EXPECT_EQ(Status(), QStringLiteral("100%"));
    EXPECT_EQ(L().size(), QSize(384, 288));
    const std::vector<int> in = {150, 200, 300, 400, 600, 800, 800};
    for (int step : in) {
        Run("acZoomIn");
        EXPECT_EQ(W->ZoomPercent(), step);
        EXPECT_EQ(Status(), QString::number(step) + QLatin1Char('%'));
    }
    EXPECT_EQ(L().size(), QSize(384 * 8, 288 * 8));
    Run("acZoomActual");
    EXPECT_EQ(Status(), QStringLiteral("100%"));
    EXPECT_EQ(L().size(), QSize(384, 288));
    const std::vector<int> out = {67, 50, 33, 25, 25};
    for (int step : out) {
        Run("acZoomOut");
        EXPECT_EQ(W->ZoomPercent(), step);
    }
    EXPECT_EQ(L().size(), QSize(96, 72));
    // The keys: Ctrl+= as well as Ctrl++ zooms in, Ctrl+0 is true size.
    QTest::keyClick(W.get(), Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(W->ZoomPercent(), 33);
    QTest::keyClick(W.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(W->ZoomPercent(), 100);
}

TEST_F(Zoom, ZoomToFitShowsTheWholeLabelAndStepsGoOnFromThere) {
    const QWidget& panel = W->DesignArea().Panel();
    Run("acZoomIn");
    W->DesignArea().HorzScrollBar().setValue(50);
    Run("acZoomFit");
    const int fit = W->ZoomPercent();
    EXPECT_EQ(Status(), QString::number(fit) + QLatin1Char('%'));
    EXPECT_EQ(L().pos(), QPoint(0, 0));
    EXPECT_LE(L().width(), panel.width());
    EXPECT_LE(L().height(), panel.height());
    // One side fills the panel to within a percent.
    EXPECT_TRUE(L().width() > panel.width() * 0.98 || L().height() > panel.height() * 0.98)
        << fit << "% in " << panel.width() << " x " << panel.height();
    Run("acZoomIn");
    const int next = W->ZoomPercent();
    EXPECT_GT(next, fit);
    EXPECT_LE(next - fit, 100); // the next step, not the largest
    Run("acZoomFit");
    Run("acZoomOut");
    EXPECT_LT(W->ZoomPercent(), fit);
}

TEST_F(Zoom, CtrlWheelKeepsThePointUnderThePointer) {
    // A label of 8 x 6 inches: larger than the panel at every zoom used here.
    D().ChangeSheet([](TSheetSettings& s) {
        s.LabelWidth = 8;
        s.LabelHeight = 6;
    });
    W->ApplyLabelSize();
    W->ZoomTo(200);
    W->DesignArea().HorzScrollBar().setValue(100);
    W->DesignArea().VertScrollBar().setValue(60);
    const QPoint pointer(300, 200); // on the label widget
    const QPoint inPanel = L().pos() + pointer;
    const QPoint before = L().ToLabel(pointer);
    Wheel(pointer, 120, Qt::ControlModifier);
    EXPECT_EQ(W->ZoomPercent(), 300);
    EXPECT_EQ(Status(), QStringLiteral("300%"));
    QPoint after = L().ToLabel(inPanel - L().pos());
    EXPECT_LE((after - before).manhattanLength(), 1) << after.x() << "," << after.y();
    Wheel(inPanel - L().pos(), -240, Qt::ControlModifier); // two notches out
    EXPECT_EQ(W->ZoomPercent(), 150);
    after = L().ToLabel(inPanel - L().pos());
    EXPECT_LE((after - before).manhattanLength(), 1) << after.x() << "," << after.y();
    // Without Ctrl the wheel does not zoom.
    Wheel(inPanel - L().pos(), 120, Qt::NoModifier);
    EXPECT_EQ(W->ZoomPercent(), 150);
}

TEST_F(Zoom, RulersAndScrollRangesFollowTheZoom) {
    TDesignArea& area = W->DesignArea();
    // The black rows of column x of the horizontal ruler.
    const auto marks = [&area] {
        const QImage ruler = area.HorzRuler().grab().toImage();
        std::vector<int> length(ruler.width(), 0);
        for (int x = 0; x < ruler.width(); ++x)
            for (int y = 0; y < ruler.height(); ++y)
                length[x] += ruler.pixel(x, y) == qRgb(0, 0, 0);
        return length;
    };
    const std::vector<int> one = marks();
    W->ZoomTo(200);
    area.ShowTopLeftCorner();
    const std::vector<int> two = marks();
    ASSERT_GT(two.size(), 400u);
    // At 200 % an inch is 192 screen pixels: the inch, half-inch and eighth marks of true size
    // stand at twice their columns, and the columns between are bare.
    EXPECT_GT(one[12], 0);
    for (int x : {12, 48, 96, 192})
        EXPECT_EQ(two[2 * x], one[x]) << x;
    for (int x : {12, 36, 100, 200})
        EXPECT_EQ(two[x], 0) << x;
    EXPECT_NE(two[96], one[96]); // half an inch now, not an inch
    // The scroll ranges: the zoomed label and one inch of screen beyond it.
    EXPECT_EQ(area.HorzScrollBar().maximum(), 768 + 96 - area.Panel().width());
    EXPECT_EQ(area.VertScrollBar().maximum(), 576 + 96 - area.Panel().height());
}

TEST_F(Zoom, ADragAt400MovesByAQuarterOfTheMouseWay) {
    TShapeLabel* c = AddShape(QRect(20, 20, 60, 40));
    D().SelectNone();
    W->ZoomTo(400);
    const QPoint grab(4 * 40, 4 * 30);
    QTest::mousePress(&L(), Qt::LeftButton, {}, grab);
    ASSERT_EQ(D().Selection(), c);
    QTest::mouseMove(&L(), grab + QPoint(40, 20));
    QTest::mouseRelease(&L(), Qt::LeftButton, {}, grab + QPoint(40, 20));
    EXPECT_EQ(QPoint(c->Left(), c->Top()), QPoint(30, 25));
    EXPECT_EQ(QSize(c->Width(), c->Height()), QSize(60, 40));
}

TEST_F(Zoom, NewAndPastedControlsLandWhereTheZoomedLabelShows) {
    W->ZoomTo(400);
    W->Action("acAddShape")->trigger();
    QTest::mousePress(&L(), Qt::LeftButton, {}, QPoint(400, 200));
    QTest::mouseRelease(&L(), Qt::LeftButton, {}, QPoint(400, 200));
    ASSERT_EQ(D().Controls().size(), 1u);
    TLabelControl* placed = D().Controls()[0].get();
    EXPECT_EQ(QPoint(placed->Left(), placed->Top()), QPoint(100, 50));

    W->DesignArea().HorzScrollBar().setValue(200);
    W->DesignArea().VertScrollBar().setValue(120);
    ASSERT_EQ(L().pos(), QPoint(-200, -120));
    W->Action("acCopy")->trigger();
    W->Action("acPaste")->trigger();
    ASSERT_EQ(D().Controls().size(), 2u);
    const TLabelControl* pasted = D().Controls()[1].get();
    // Five label pixels inside the visible corner: (200 / 4 + 5, 120 / 4 + 5).
    EXPECT_EQ(QPoint(pasted->Left(), pasted->Top()), QPoint(55, 35));
}

TEST_F(Zoom, TheZoomIsAPreferenceAndNeverPartOfTheLabel) {
    AddShape(QRect(20, 20, 60, 40));
    W->ZoomTo(300);
    FileNames = {Scratch.File(QStringLiteral("at300.lbl"))};
    ASSERT_TRUE(W->SaveLabelAs());
    W->ZoomTo(100);
    FileNames = {Scratch.File(QStringLiteral("at100.lbl"))};
    ASSERT_TRUE(W->SaveLabelAs());
    QFile a(Scratch.File(QStringLiteral("at300.lbl"))),
        b(Scratch.File(QStringLiteral("at100.lbl")));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());

    W->ZoomTo(300);
    Answers = {TAnswer::No};
    ASSERT_TRUE(W->close());
    W.reset();
    W = Open();
    EXPECT_EQ(W->ZoomPercent(), 300);
    EXPECT_EQ(Status(), QStringLiteral("300%"));
    EXPECT_EQ(L().size(), QSize(3 * 384, 3 * 288));

    // A stored value beyond the steps is held to them.
    Answers = {TAnswer::No};
    ASSERT_TRUE(W->close());
    W.reset();
    Store()->WriteInteger(QStringLiteral("Zoom"), 5000);
    W = Open();
    EXPECT_EQ(W->ZoomPercent(), 800);
}
} // namespace

TEST_F(Zoom, APressFindsAControlWithinFiveScreenPixelsAtAnyZoom) {
    TShapeLabel* c = AddShape(QRect(40, 40, 20, 20));
    D().SelectNone();
    W->ZoomTo(400);
    // Three label pixels left of the box are twelve screen pixels away: too far at 400 %.
    QTest::mouseClick(&L(), Qt::LeftButton, {}, QPoint(4 * 37, 4 * 50));
    EXPECT_EQ(D().Selection(), nullptr);
    // One label pixel is four screen pixels: close enough.
    QTest::mouseClick(&L(), Qt::LeftButton, {}, QPoint(4 * 39, 4 * 50));
    EXPECT_EQ(D().Selection(), c);
    D().SelectNone();
    W->ZoomTo(50);
    // Eight label pixels left are four screen pixels at 50 %.
    QTest::mouseClick(&L(), Qt::LeftButton, {}, QPoint((40 - 8) / 2, 50 / 2));
    EXPECT_EQ(D().Selection(), c);
}

TEST_F(Zoom, TheWheelOverThePanelZoomsWithCtrlAndScrollsWithout) {
    QWidget& panel = W->DesignArea().Panel();
    const QPoint outside(L().width() + 40, 30); // on the panel, right of the label
    ASSERT_TRUE(panel.rect().contains(outside));
    const auto wheel = [&](QPoint at, QPoint delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(at, panel.mapToGlobal(at), QPoint(), delta, Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&panel, &event);
    };
    wheel(outside, QPoint(0, 120), Qt::ControlModifier);
    EXPECT_EQ(Status(), QStringLiteral("150%"));

    W->ZoomTo(400);
    QScrollBar& down = W->DesignArea().VertScrollBar();
    QScrollBar& across = W->DesignArea().HorzScrollBar();
    down.setValue(0);
    across.setValue(0);
    wheel(QPoint(5, 5), QPoint(0, -120), Qt::NoModifier);
    EXPECT_GT(down.value(), 0) << "the wheel scrolls the label down";
    wheel(QPoint(5, 5), QPoint(0, -120), Qt::ShiftModifier);
    EXPECT_GT(across.value(), 0) << "Shift with the wheel scrolls it across";
    EXPECT_EQ(Status(), QStringLiteral("400%")) << "without Ctrl nothing zooms";
}
