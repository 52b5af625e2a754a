// The label document and its controller driven without any window: ids, selection, the
// announcements a view and the history follow, and the gestures of the design surface.
#include "document/LabelDocument.h"
#include "TestControls.h"
#include "document/CanvasController.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
class LabelDocumentTest : public ::testing::Test {
protected:
    void SetUp() override { label.SetLabelSize(300, 150); } // area (2, 2, 298, 148)
    std::vector<TControlId> Ids() const {
        std::vector<TControlId> ids;
        for (const auto& c : label.Controls())
            ids.push_back(c->Id());
        return ids;
    }
    TLabelDocument label;
    TCanvasController controller{label};
};

TEST_F(LabelDocumentTest, IdsAreGivenOnceAndNeverReused) {
    TBlockControl* a = AddBlock(label, 10, 10, 20, 20);
    TBlockControl* b = AddBlock(label, 40, 10, 20, 20);
    EXPECT_EQ(Ids(), (std::vector<TControlId>{1, 2}));
    EXPECT_EQ(label.Find(2), b);
    label.SelectAt(45, 15);
    label.DeleteSelected();
    EXPECT_EQ(label.Find(2), nullptr);
    TBlockControl* c = AddBlock(label, 70, 10, 20, 20);
    EXPECT_EQ(c->Id(), 3u) << "a deleted control's id is not handed out again";
    label.SelectAt(15, 15); // brings a to the front: ids follow the controls, not the places
    EXPECT_EQ(label.Controls().back().get(), a);
    EXPECT_EQ(Ids(), (std::vector<TControlId>{3, 1}));
}

TEST_F(LabelDocumentTest, ReplacingKeepsTheIdsControlsCarryAndLoadingNumbersAfresh) {
    AddBlock(label, 10, 10, 20, 20);
    AddBlock(label, 40, 10, 20, 20);
    TControlList restored;
    for (TControlId id : {7u, 2u, 0u}) {
        restored.push_back(std::make_unique<TBlockControl>());
        restored.back()->SetId(id);
    }
    label.ReplaceControls(std::move(restored));
    EXPECT_EQ(Ids(), (std::vector<TControlId>{7, 2, 8})) << "the one without an id comes after";
    for (const auto& c : label.Controls())
        EXPECT_EQ(c->Owner(), &label);

    TControlList read;
    for (int i = 0; i < 3; ++i) {
        read.push_back(std::make_unique<TBlockControl>());
        read.back()->SetId(40 + i);
    }
    label.LoadControls(std::move(read));
    EXPECT_EQ(Ids(), (std::vector<TControlId>{1, 2, 3})) << "a file read twice gives the same ids";
}

TEST_F(LabelDocumentTest, SelectionIsKeptAsIdsAndRestoredByThem) {
    TBlockControl* a = AddBlock(label, 10, 10, 20, 20);
    TBlockControl* b = AddBlock(label, 40, 10, 20, 20);
    EXPECT_EQ(label.SelectedIds(), (std::vector<TControlId>{b->Id()}))
        << "an added control is selected";
    QSignalSpy selections(&label, &TLabelDocument::SelectionChanged);
    label.SelectIds({a->Id()});
    EXPECT_EQ(label.Selection(), a);
    EXPECT_TRUE(a->Selected());
    EXPECT_FALSE(b->Selected());
    label.SelectIds({99});
    EXPECT_EQ(label.Selection(), nullptr) << "an id no longer there selects nothing";
    EXPECT_FALSE(a->Selected());
    EXPECT_EQ(selections.count(), 2);
}

TEST_F(LabelDocumentTest, EditsAreAnnouncedAndSelectingIsNot) {
    QSignalSpy edits(&label, &TLabelDocument::Edited);
    QSignalSpy restacks(&label, &TLabelDocument::Restacked);
    TBlockControl* a = AddBlock(label, 10, 10, 20, 20);
    AddBlock(label, 40, 10, 20, 20);
    EXPECT_EQ(edits.count(), 2);
    label.SelectAt(45, 15); // the top one: selecting alone
    EXPECT_EQ(edits.count(), 2);
    EXPECT_EQ(restacks.count(), 0);
    label.SelectAt(15, 15); // a comes to the front: a change of the stacking order
    EXPECT_EQ(restacks.count(), 1);
    EXPECT_EQ(edits.count(), 3);
    a->SetLeft(30);
    EXPECT_EQ(edits.count(), 4);

    QSignalSpy sheets(&label, &TLabelDocument::SheetChanged);
    TSheetSettings sheet = label.Sheet();
    sheet.Rows = 7;
    label.SetSheet(sheet, TLabelDocument::TSheetChange::Fit);
    EXPECT_EQ(sheets.count(), 1);
    EXPECT_EQ(edits.count(), 4) << "fitting the rows to the printer is not the user's edit";
    sheet.LabelWidth = 3;
    label.SetSheet(sheet);
    EXPECT_EQ(sheets.count(), 2);
    EXPECT_EQ(edits.count(), 5);
    label.SetSheet(sheet);
    EXPECT_EQ(sheets.count(), 2) << "the same sheet again changes nothing";
}

TEST_F(LabelDocumentTest, ChangedControlsAreDrawnWithoutAView) {
    TBlockControl* c = AddBlock(label, 10, 10, 20, 20);
    c->Draw();
    const int draws = c->DrawCount;
    c->SetRotation(2); // marks it out of date
    EXPECT_FALSE(c->Dirty()) << "the document draws what changed, shown or not";
    EXPECT_GT(c->DrawCount, draws);
}

// --- the controller ------------------------------------------------------------------------

TEST_F(LabelDocumentTest, PressSelectsAndGrabsAHandle) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    label.SelectNone();
    EXPECT_EQ(controller.Press({200, 100}, Qt::LeftButton), TCanvasController::TPress::None);
    EXPECT_EQ(label.Selection(), nullptr);
    controller.Press({92, 40}, Qt::LeftButton);
    EXPECT_EQ(label.Selection(), c);
    EXPECT_EQ(controller.DragMode(), dmRight);
    EXPECT_EQ(controller.PointerShape({92, 40}), Qt::SizeHorCursor);
    controller.Release(Qt::LeftButton);
    EXPECT_EQ(controller.DragMode(), dmIdle);
    EXPECT_EQ(controller.Press({60, 40}, Qt::RightButton), TCanvasController::TPress::PopupMenu);
    EXPECT_EQ(controller.Press({250, 120}, Qt::RightButton), TCanvasController::TPress::None);
}

TEST_F(LabelDocumentTest, DragsMoveAndResizeWithinTheLabel) {
    TBlockControl* c = AddBlock(label, 50, 30, 40, 20);
    controller.Press({60, 40}, Qt::LeftButton); // grabbed 10, 10 inside
    EXPECT_TRUE(controller.Move({110, 70}));
    EXPECT_EQ(c->Box(), TRect::FromBox(100, 60, 40, 20));
    controller.Move({400, 400}); // held inside the label's area
    EXPECT_EQ(c->Box().Right, 298);
    EXPECT_EQ(c->Box().Bottom, 148);
    controller.Release(Qt::LeftButton);
    EXPECT_FALSE(controller.Move({10, 10})) << "no button, no drag";

    TBlockControl* d = AddBlock(label, 20, 20, 40, 20);
    controller.Press({61, 41}, Qt::LeftButton); // the bottom-right handle
    EXPECT_EQ(controller.DragMode(), dmBottomRight);
    controller.Move({80, 70});
    EXPECT_EQ(d->Box(), TRect::FromBox(20, 20, 60, 50));
}

TEST_F(LabelDocumentTest, KeysNudgeResizeDeleteAndTab) {
    TBlockControl* a = AddBlock(label, 10, 10, 20, 20);
    TBlockControl* b = AddBlock(label, 50, 10, 20, 20);
    using K = TCanvasController::TKey;
    EXPECT_EQ(controller.Key(Qt::Key_Right, Qt::ControlModifier), K::Handled);
    EXPECT_EQ(b->Left(), 51);
    EXPECT_EQ(controller.Key(Qt::Key_Down, Qt::ShiftModifier), K::Handled);
    EXPECT_EQ(b->Height(), 21);
    EXPECT_EQ(controller.Key(Qt::Key_Left, Qt::NoModifier), K::Handled) << "plain arrows are eaten";
    EXPECT_EQ(b->Left(), 51);
    EXPECT_EQ(controller.Key(Qt::Key_A, Qt::NoModifier), K::Ignored);
    EXPECT_EQ(controller.Key(Qt::Key_Tab, Qt::NoModifier), K::Tabbed);
    EXPECT_EQ(label.Selection(), a) << "Tab goes round to the bottom control";
    EXPECT_EQ(controller.Key(Qt::Key_Delete, Qt::NoModifier), K::Handled);
    EXPECT_EQ(label.Controls().size(), 1u);
    EXPECT_EQ(label.Selection(), nullptr);
    EXPECT_EQ(controller.Key(Qt::Key_Right, Qt::ControlModifier), K::Ignored);
}

TEST_F(LabelDocumentTest, AnAddToolTakesThePressAndNothingIsSelected) {
    AddBlock(label, 50, 30, 40, 20);
    label.SelectNone();
    controller.Ready = false;
    EXPECT_EQ(controller.Press({60, 40}, Qt::LeftButton), TCanvasController::TPress::AddTool);
    EXPECT_EQ(label.Selection(), nullptr);
    EXPECT_EQ(controller.Key(Qt::Key_Tab, Qt::NoModifier), TCanvasController::TKey::Ignored);
}
} // namespace
