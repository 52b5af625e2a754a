#include "MainWindowSupport.h"

#include "document/GraphicLabel.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"
#include "files/FileOperations.h"
#include "files/IniFile.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {
class Undo : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        W = ActiveWindow();
        Settle();
    }
    TCanvasLabel& L() { return W->Label(); }
    TLabelDocument& D() { return W->Document(); }
    // Steps are recorded once the event that made the change is done.
    void Settle() { QCoreApplication::processEvents(); }
    TTextLabel* AddText(const QString& text, QPoint at = {10, 10}) {
        auto c = std::make_unique<TTextLabel>();
        c->SetText(text);
        c->SetLeft(at.x());
        c->SetTop(at.y());
        TTextLabel* raw = c.get();
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        Settle();
        return raw;
    }
    // What the Edit menu shows for a command, without its accelerator mark.
    QString Shown(TActionId action) { return W->Action(action)->text().remove(QLatin1Char('&')); }
    std::vector<TControlId> Ids() {
        std::vector<TControlId> ids;
        for (const auto& c : D().Controls())
            ids.push_back(c->Id());
        return ids;
    }
    void Type(const QString& text) {
        QLineEdit* eText = W->findChild<QLineEdit*>("eText");
        eText->setFocus();
        eText->end(false);
        QTest::keyClicks(eText, text);
        Settle();
    }
    void Nudge(Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(&L(), key, Qt::ControlModifier);
        Settle();
    }
    // The control with this id; a test whose control lost its id stops here.
    const TLabelControl& Control(TControlId id) {
        const TLabelControl* c = D().Find(id);
        if (!c)
            throw std::runtime_error("no control with id " + std::to_string(id));
        return *c;
    }
    void UndoStep() { W->Action("acUndo")->trigger(); }
    void RedoStep() { W->Action("acRedo")->trigger(); }
    int Steps() { return W->History().count(); }
    QString TextAt(size_t i) { return D().Controls().at(i)->Text(); }
    // The label's description as a saved file holds it.
    QByteArray Saved(const QString& name) {
        L().grab(); // sizes that depend on drawing are settled as on screen
        const QString path = Scratch.File(name);
        WriteLabelDescription(path, L().Document());
        const TLabelContents doc = ReadLabelDocument(path);
        QStringList files;
        return DescribeLabel(doc.Sheet, doc.ShowGrid, doc.Controls, files).ToBytes();
    }

    std::unique_ptr<TFMain> W;
};

TEST_F(Undo, AddingAControlIsOneStepBackAndForth) {
    EXPECT_FALSE(W->Action("acUndo")->isEnabled());
    AddText(QStringLiteral("one"));
    EXPECT_EQ(Steps(), 1);
    EXPECT_TRUE(W->Action("acUndo")->isEnabled());
    UndoStep();
    EXPECT_TRUE(D().Controls().empty());
    EXPECT_FALSE(W->Modified()) << "back at the state of the new label";
    RedoStep();
    ASSERT_EQ(D().Controls().size(), 1u);
    EXPECT_EQ(TextAt(0), QStringLiteral("one"));
    EXPECT_TRUE(W->Modified());
}

TEST_F(Undo, TypingForOneControlIsOneStep) {
    AddText(QStringLiteral("Hello"));
    const int before = Steps();
    QLineEdit* eText = W->findChild<QLineEdit*>("eText");
    eText->setFocus();
    eText->end(false);
    QTest::keyClicks(eText, QStringLiteral(" world"));
    Settle();
    EXPECT_EQ(TextAt(0), QStringLiteral("Hello world"));
    EXPECT_EQ(Steps(), before + 1);
    UndoStep();
    EXPECT_EQ(TextAt(0), QStringLiteral("Hello"));
    RedoStep();
    EXPECT_EQ(TextAt(0), QStringLiteral("Hello world"));
}

TEST_F(Undo, ArrowKeyMovesOfOneControlAreOneStep) {
    TTextLabel* c = AddText(QStringLiteral("move"), {20, 20});
    const int before = Steps();
    L().setFocus();
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&L(), Qt::Key_Right, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(c->Left(), 25);
    EXPECT_EQ(Steps(), before + 1);
    UndoStep();
    EXPECT_EQ(D().Controls()[0]->Left(), 20);
}

TEST_F(Undo, AMouseDragIsOneStep) {
    TTextLabel* c = AddText(QStringLiteral("drag"), {20, 20});
    const int before = Steps();
    const QPoint grab(c->Left() + 5, c->Top() + 5);
    QTest::mousePress(&L(), Qt::LeftButton, {}, grab);
    for (int dx = 1; dx <= 30; dx += 3) {
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(dx, 1)),
                         L().mapToGlobal(QPointF(grab + QPoint(dx, 1))), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&L(), &move);
        Settle();
    }
    QTest::mouseRelease(&L(), Qt::LeftButton, {}, grab + QPoint(28, 1));
    Settle();
    const int moved = D().Controls()[0]->Left();
    ASSERT_NE(moved, 20);
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Move"));
    UndoStep();
    EXPECT_EQ(D().Controls()[0]->Left(), 20);
}

TEST_F(Undo, ADeletedPictureComesBack) {
    auto image = std::make_unique<TGraphicLabel>();
    TGraphicLabel* raw = image.get();
    D().AddControl(std::move(image));
    raw->SetLoading(false);
    const QString bmp = Scratch.File("red.bmp");
    QImage red(8, 6, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(bmp, "BMP"));
    FileNames = {bmp};
    W->ImportImage();
    Settle();
    ASSERT_EQ(raw->Picture().size(), QSize(8, 6));
    D().DeleteSelected();
    Settle();
    EXPECT_TRUE(D().Controls().empty());
    UndoStep();
    ASSERT_EQ(D().Controls().size(), 1u);
    auto* back = dynamic_cast<TGraphicLabel*>(D().Controls()[0].get());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Picture().size(), QSize(8, 6));
    EXPECT_EQ(back->Picture().pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_TRUE(QFile::exists(back->ImageFile()));
}

TEST_F(Undo, SheetChangesAndTheUnitSwitchAreSteps) {
    TSheetSettings wide;
    wide.LabelWidth = 4;
    const QString lbf = Scratch.File("wide.lbf");
    WriteTemplate(lbf, wide);
    W->ImportTemplateFile(lbf);
    Settle();
    EXPECT_EQ(L().width(), 384);
    W->Action("acUnitMetric")->trigger();
    Settle();
    EXPECT_TRUE(D().Sheet().Metric);
    UndoStep();
    EXPECT_FALSE(D().Sheet().Metric);
    UndoStep();
    EXPECT_DOUBLE_EQ(D().Sheet().LabelWidth, 2.0);
    EXPECT_EQ(L().width(), 192);
}

TEST_F(Undo, UndoingBackToTheSavedStateClearsModifiedAndMatchesTheFile) {
    AddText(QStringLiteral("kept"));
    FileNames = {Scratch.File("saved.lbl")};
    ASSERT_TRUE(W->SaveLabelAs());
    const QByteArray saved = Saved("a.lbl");
    AddText(QStringLiteral("later"), {60, 40});
    D().Controls()[0]->SetText(QStringLiteral("changed"));
    Settle();
    EXPECT_TRUE(W->Modified());
    UndoStep();
    UndoStep();
    EXPECT_FALSE(W->Modified());
    const QByteArray now = Saved("b.lbl");
    EXPECT_EQ(now, saved) << now.toStdString() << "\n----\n" << saved.toStdString();
    RedoStep();
    EXPECT_TRUE(W->Modified());
}

TEST_F(Undo, NewAndOpenStartAFreshHistory) {
    AddText(QStringLiteral("x"));
    ASSERT_GT(Steps(), 0);
    Answers = {TAnswer::No};
    W->Action("acNewLabel")->trigger();
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(W->Action("acUndo")->isEnabled());
    EXPECT_EQ(W->Action("acRedo")->shortcuts().size(), 2) << "Ctrl+Shift+Z and Ctrl+Y";
}

TEST_F(Undo, TheEditMenuNamesTheStepToUndoAndRedo) {
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo"));
    EXPECT_EQ(Shown(TActionId::Redo), QStringLiteral("Redo"));
    EXPECT_EQ(W->Action("acUndo")->text(), QStringLiteral("&Undo")) << "the caption keeps its key";
    TTextLabel* c = AddText(QStringLiteral("menu"), {20, 20});
    c->SetAutoSizing(false); // so that it can be resized
    Settle();
    const TControlId id = c->Id();
    L().setFocus();
    Nudge(Qt::Key_Right, 2);
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Move"));
    EXPECT_EQ(W->Action("acUndo")->text(), QStringLiteral("&Undo Move"));
    QTest::keyClick(&L(), Qt::Key_Right, Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Resize"));
    Type(QStringLiteral("!"));
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Change Text"));
    UndoStep();
    EXPECT_EQ(Shown(TActionId::Redo), QStringLiteral("Redo Change Text"));
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Resize"));
    RedoStep();
    EXPECT_EQ(Shown(TActionId::Redo), QStringLiteral("Redo"));
    EXPECT_FALSE(W->Action("acRedo")->isEnabled());
    D().SelectIds({id});
    QTest::keyClick(&L(), Qt::Key_Delete);
    Settle();
    ASSERT_TRUE(D().Controls().empty());
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Delete Control"));
    UndoStep();
    EXPECT_EQ(Shown(TActionId::Redo), QStringLiteral("Redo Delete Control"));
    EXPECT_EQ(W->Action("acUndo")->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(W->Action("acRedo")->shortcuts().size(), 2);
}

TEST_F(Undo, TheCommandsNameTheirSteps) {
    AddText(QStringLiteral("front"), {10, 10});
    AddText(QStringLiteral("back"), {60, 40});
    W->Action("acSendToBack")->trigger();
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Send to Back"));
    W->Action("acBringToFront")->trigger();
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Bring to Front"));
    W->Action("acRotate90")->trigger();
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Rotate"));
    W->Action("acCopy")->trigger();
    W->Action("acCut")->trigger();
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Cut"));
    L().setFocus();
    W->Action("acPaste")->trigger();
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Paste"));
    W->Action("acUnitMetric")->trigger();
    Settle();
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Change Unit"));
}

TEST_F(Undo, UndoAndRedoBringBackTheSelectionOfTheirStep) {
    TTextLabel* a = AddText(QStringLiteral("a"), {10, 10});
    TTextLabel* b = AddText(QStringLiteral("b"), {80, 60});
    const TControlId idA = a->Id(), idB = b->Id();
    // A is moved while selected; B is selected afterwards without a change.
    D().SelectIds({idA});
    L().setFocus();
    Nudge(Qt::Key_Down, 3);
    D().SelectIds({idB});
    UndoStep();
    EXPECT_EQ(D().SelectedIds(), std::vector<TControlId>{idA}) << "the selection of the move";
    EXPECT_EQ(Control(idA).Top(), 10);
    RedoStep();
    EXPECT_EQ(D().SelectedIds(), std::vector<TControlId>{idA});
    EXPECT_EQ(Control(idA).Top(), 13);

    // A deleted control comes back selected; redoing the delete leaves nothing selected.
    D().SelectIds({idB});
    QTest::keyClick(&L(), Qt::Key_Delete);
    Settle();
    ASSERT_EQ(D().Find(idB), nullptr);
    UndoStep();
    ASSERT_NE(D().Find(idB), nullptr);
    EXPECT_EQ(D().SelectedIds(), std::vector<TControlId>{idB});
    EXPECT_EQ(D().Selection(), D().Find(idB));
    EXPECT_TRUE(Control(idB).Selected());
    EXPECT_EQ(W->findChild<QLineEdit*>("eText")->text(), QStringLiteral("b"))
        << "the window shows the selection brought back";
    RedoStep();
    EXPECT_TRUE(D().SelectedIds().empty());
    EXPECT_EQ(D().Selection(), nullptr);
}

TEST_F(Undo, ControlsKeepTheirIdsAcrossUndoAndRedo) {
    AddText(QStringLiteral("one"), {10, 10});
    AddText(QStringLiteral("two"), {60, 10});
    AddText(QStringLiteral("three"), {10, 60});
    const std::vector<TControlId> ids = Ids();
    ASSERT_EQ(ids.size(), 3u);
    D().SelectIds({ids[0]});
    QTest::keyClick(&L(), Qt::Key_Delete);
    Settle();
    EXPECT_EQ(Ids(), (std::vector<TControlId>{ids[1], ids[2]}));
    UndoStep();
    EXPECT_EQ(Ids(), ids) << "the deleted control comes back under its id, in its place";
    EXPECT_EQ(Control(ids[0]).Text(), QStringLiteral("one"));
    RedoStep();
    EXPECT_EQ(Ids(), (std::vector<TControlId>{ids[1], ids[2]}));
    UndoStep();
    UndoStep();
    EXPECT_EQ(Ids(), (std::vector<TControlId>{ids[0], ids[1]}));
    RedoStep();
    EXPECT_EQ(Ids(), ids);
    // A control added later gets an id of its own.
    TTextLabel* four = AddText(QStringLiteral("four"), {60, 60});
    EXPECT_EQ(std::count(ids.begin(), ids.end(), four->Id()), 0);
}

TEST_F(Undo, TypingMergesPerControlAndSwitchingControlStartsAStep) {
    TTextLabel* a = AddText(QStringLiteral("A"), {10, 10});
    TTextLabel* b = AddText(QStringLiteral("B"), {80, 60});
    const TControlId idA = a->Id(), idB = b->Id();
    const int before = Steps();
    D().SelectIds({idA});
    Type(QStringLiteral("1"));
    Type(QStringLiteral("2"));
    EXPECT_EQ(Steps(), before + 1) << "typing on one control is one step";
    D().SelectIds({idB});
    Type(QStringLiteral("3"));
    EXPECT_EQ(Steps(), before + 2) << "another control starts a step";
    D().SelectIds({idA});
    Type(QStringLiteral("4"));
    EXPECT_EQ(Steps(), before + 3) << "and coming back starts another";
    UndoStep();
    EXPECT_EQ(Control(idA).Text(), QStringLiteral("A12"));
    UndoStep();
    EXPECT_EQ(Control(idB).Text(), QStringLiteral("B"));
    UndoStep();
    EXPECT_EQ(Control(idA).Text(), QStringLiteral("A"));
}

TEST_F(Undo, ARunOfNudgesMergesByControlNotByObject) {
    TTextLabel* a = AddText(QStringLiteral("a"), {20, 20});
    a->SetAutoSizing(false);
    Settle();
    const TControlId idA = a->Id();
    L().setFocus();
    Nudge(Qt::Key_Right);
    const int steps = Steps();
    // Undo and redo build the control anew; the run of nudges on it goes on all the same.
    UndoStep();
    RedoStep();
    Nudge(Qt::Key_Right, 2);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(Control(idA).Left(), 23);
    UndoStep();
    EXPECT_EQ(Control(idA).Left(), 20);
    // Moving is not resizing: a resize of the same control is a step of its own.
    RedoStep();
    QTest::keyClick(&L(), Qt::Key_Down, Qt::ShiftModifier);
    Settle();
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Resize"));
}

TEST_F(Undo, ADragOnAHandleIsAResize) {
    TTextLabel* c = AddText(QStringLiteral("grow"), {20, 20});
    c->SetAutoSizing(false);
    Settle();
    const int width = c->Width();
    const QPoint corner(c->Left() + c->Width() - 2, c->Top() + c->Height() - 2);
    QTest::mousePress(&L(), Qt::LeftButton, {}, corner);
    for (int d = 2; d <= 12; d += 5) {
        const QPointF to(corner + QPoint(d, d));
        QMouseEvent move(QEvent::MouseMove, to, L().mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&L(), &move);
        Settle();
    }
    QTest::mouseRelease(&L(), Qt::LeftButton, {}, corner + QPoint(12, 12));
    Settle(); // the release is handled after the label's own handling,
    Settle(); // and the step is recorded after that
    ASSERT_GT(D().Controls()[0]->Width(), width);
    EXPECT_EQ(Shown(TActionId::Undo), QStringLiteral("Undo Resize"));
    UndoStep();
    EXPECT_EQ(D().Controls()[0]->Width(), width);
}
} // namespace
