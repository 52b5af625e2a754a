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

namespace {
class Undo : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        W = Window();
        W->show();
        QApplication::setActiveWindow(W.get());
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
} // namespace
