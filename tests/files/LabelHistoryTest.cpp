#include "files/LabelHistory.h"

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"

#include <QUndoStack>
#include <gtest/gtest.h>

#include <vector>

namespace {
// The history on a document of its own, noting changes as the editor does: when the document
// announces them.
class History : public ::testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&D, &TLabelDocument::Edited, [this] { H.Note(Kind, Key); });
        H.Reset();
    }

    TControlId Add(const QString& text, int32_t left) {
        auto c = std::make_unique<TTextLabel>();
        c->SetText(text);
        c->SetLeft(left);
        c->SetTop(10);
        TTextLabel* raw = c.get();
        Step(TStepKind::AddControl, [&] { D.AddControl(std::move(c)); });
        raw->SetLoading(false);
        return raw->Id();
    }
    // Makes a change as a step of this kind, recorded once it is done.
    template <typename F> void Step(TStepKind kind, F&& change, TControlId key = 0) {
        Kind = kind;
        Key = key;
        change();
        H.Commit();
        Kind = TStepKind::ChangeProperties;
        Key = 0;
    }
    void MoveBy(TControlId id, int32_t dx, TControlId key) {
        Step(
            TStepKind::Move, [&] { D.Find(id)->SetLeft(D.Find(id)->Left() + dx); }, key);
    }
    std::vector<TControlId> Ids() const {
        std::vector<TControlId> ids;
        for (const auto& c : D.Controls())
            ids.push_back(c->Id());
        return ids;
    }
    int Steps() const { return H.Stack().count(); }

    TLabelDocument D;
    TLabelHistory H{D};
    TStepKind Kind = TStepKind::ChangeProperties;
    TControlId Key = 0;
};

TEST_F(History, StepsComeBackWithTheirIdsSelectionAndText) {
    const TControlId a = Add(QStringLiteral("a"), 10);
    const TControlId b = Add(QStringLiteral("b"), 80);
    EXPECT_EQ(H.Stack().undoText(), QStringLiteral("Add Control"));
    D.SelectIds({a});
    Step(TStepKind::DeleteControl, [&] { D.DeleteSelected(); });
    EXPECT_EQ(H.Stack().undoText(), QStringLiteral("Delete Control"));
    ASSERT_EQ(Ids(), std::vector<TControlId>{b});

    H.Undo();
    EXPECT_EQ(Ids(), (std::vector<TControlId>{a, b})) << "back under its id, in its place";
    EXPECT_EQ(D.SelectedIds(), std::vector<TControlId>{a}) << "selected as before the delete";
    ASSERT_NE(D.Find(a), nullptr);
    EXPECT_TRUE(D.Find(a)->Selected());
    EXPECT_FALSE(D.Find(b)->Selected());
    EXPECT_EQ(D.Find(a)->Text(), QStringLiteral("a"));
    EXPECT_EQ(H.Stack().redoText(), QStringLiteral("Delete Control"));

    H.Redo();
    EXPECT_EQ(Ids(), std::vector<TControlId>{b});
    EXPECT_TRUE(D.SelectedIds().empty());
    EXPECT_FALSE(D.Find(b)->Selected());

    H.Undo();
    H.Undo();
    EXPECT_EQ(Ids(), std::vector<TControlId>{a});
    EXPECT_EQ(D.SelectedIds(), std::vector<TControlId>{a}) << "a was selected before b came";
}

TEST_F(History, ARunOnOneControlMergesByIdAndNothingElseDoes) {
    const TControlId a = Add(QStringLiteral("a"), 10);
    const TControlId b = Add(QStringLiteral("b"), 80);
    const int start = Steps();
    MoveBy(a, 1, a);
    MoveBy(a, 1, a);
    EXPECT_EQ(Steps(), start + 1);
    // Taking the step back and bringing it again builds new objects: the run goes on by id.
    H.Undo();
    H.Redo();
    MoveBy(a, 1, a);
    EXPECT_EQ(Steps(), start + 1);
    MoveBy(b, 1, b);
    EXPECT_EQ(Steps(), start + 2) << "another control";
    Step(
        TStepKind::ChangeText, [&] { D.Find(b)->SetText(QStringLiteral("bb")); }, b);
    EXPECT_EQ(Steps(), start + 3) << "another kind";
    MoveBy(b, 1, 0);
    MoveBy(b, 1, 0);
    EXPECT_EQ(Steps(), start + 5) << "moves without a key (drags) stay apart";
    H.Undo();
    H.Undo();
    H.Undo();
    H.Undo();
    EXPECT_EQ(D.Find(b)->Left(), 80);
    H.Undo();
    EXPECT_EQ(D.Find(a)->Left(), 10);
    EXPECT_EQ(Steps(), start + 5);
}

TEST_F(History, TheSheetComesBackAndAnUnchangedLabelRecordsNothing) {
    Add(QStringLiteral("a"), 10);
    const int start = Steps();
    Step(TStepKind::LabelSetup, [] {});
    EXPECT_EQ(Steps(), start) << "nothing changed";
    const double width = D.Sheet().LabelWidth;
    H.Note(TStepKind::LabelSetup);
    TSheetSettings wide = D.Sheet();
    wide.LabelWidth = width * 2;
    D.SetSheet(wide);
    D.SetLabelSize(LabelPixelWidth(wide), D.LabelHeight());
    H.Commit();
    EXPECT_EQ(H.Stack().undoText(), QStringLiteral("Label Setup"));
    H.Undo();
    EXPECT_DOUBLE_EQ(D.Sheet().LabelWidth, width);
    EXPECT_EQ(D.LabelWidth(), LabelPixelWidth(D.Sheet()));
    H.Redo();
    EXPECT_DOUBLE_EQ(D.Sheet().LabelWidth, width * 2);
    EXPECT_EQ(D.LabelWidth(), LabelPixelWidth(D.Sheet()));
    H.Reset();
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(H.Stack().canUndo());
}
} // namespace
