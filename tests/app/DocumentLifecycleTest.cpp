#include "MainWindowSupport.h"

#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"
#include "merge/AdvancedField.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QString kQuestion = QStringLiteral("Confirm: Do you wish to save changes to this label?");

class DocumentLifecycle : public ::testing::Test, public TMainWindowFixture {
protected:
    TTextLabel* AddText(TFMain& w, const QString& text) {
        auto c = std::make_unique<TTextLabel>();
        c->SetText(text);
        TTextLabel* raw = c.get();
        w.Document().AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    void AddSequence(TFMain& w) {
        TTextLabel* c = AddText(w, QString());
        c->Fields.push_back(std::make_unique<TSequenceField>());
        c->SetAdvanced(true);
    }
    // A saved label file holding one text control.
    QString SavedLabel(const QString& name, const QString& text) {
        auto w = Window();
        AddText(*w, text);
        const QString path = Scratch.File(name);
        WriteLabelDescription(path, w->Document());
        return path;
    }
};

// One row of the save question's decisions.
struct TQuerySaveRow {
    bool Modified;
    bool Sequence;
    bool FileName;
    std::optional<TAnswer> Answer; // none: no question expected
    bool Result;
    bool Saved;
};

TEST_F(DocumentLifecycle, QuerySaveMatrix) {
    const TQuerySaveRow rows[] = {
        // unchanged, no counter: nothing to ask
        {false, false, false, std::nullopt, true, false},
        {false, false, true, std::nullopt, true, false},
        // changed: asked; Yes saves (to the file or through Save As), No discards, Cancel stops
        {true, false, true, TAnswer::Yes, true, true},
        {true, false, false, TAnswer::Yes, true, true},
        {true, false, true, TAnswer::No, true, false},
        {true, false, false, TAnswer::Cancel, false, false},
        // a counter with a file: saved at once without a question, changed or not
        {false, true, true, std::nullopt, true, true},
        {true, true, true, std::nullopt, true, true},
        // a counter without a file: asked even when nothing changed
        {false, true, false, TAnswer::Yes, true, true},
        {false, true, false, TAnswer::No, true, false},
        {false, true, false, TAnswer::Cancel, false, false},
    };
    int index = 0;
    for (const TQuerySaveRow& row : rows) {
        SCOPED_TRACE(index++);
        Questions.clear();
        FileDialogs.clear();
        auto w = Window();
        const QString path = Scratch.File(QStringLiteral("row%1.lbl").arg(index));
        if (row.Sequence)
            AddSequence(*w);
        else
            AddText(*w, QStringLiteral("x"));
        if (row.FileName) {
            FileNames = {path};
            ASSERT_TRUE(w->SaveLabelAs());
            QFile::remove(path);
            FileDialogs.clear();
        }
        w->SetModified(row.Modified);
        if (row.Answer)
            Answers = {*row.Answer};
        if (!row.FileName)
            FileNames = {path};
        EXPECT_EQ(w->QuerySave(), row.Result);
        EXPECT_EQ(Questions.size(), row.Answer ? 1 : 0);
        if (row.Answer) {
            EXPECT_EQ(Questions.value(0), kQuestion);
        }
        EXPECT_EQ(QFile::exists(path), row.Saved);
        if (row.Saved) {
            EXPECT_FALSE(w->Modified());
        }
    }
}

TEST_F(DocumentLifecycle, CancelledSaveDialogStillLetsTheCallerGoOn) {
    auto w = Window();
    AddText(*w, QStringLiteral("x"));
    Answers = {TAnswer::Yes};
    FileNames = {QString()}; // the user cancels the save dialog
    EXPECT_TRUE(w->QuerySave());
    EXPECT_EQ(FileDialogs, QStringList({"Save Label"}));
}

// Each window asks through the services it was given: another window's answers stay its own.
TEST_F(DocumentLifecycle, EachWindowAsksThroughItsOwnServices) {
    auto first = Window();
    QStringList asked;
    Services.Question = [&asked](QWidget*, const QString&, const QString& text) {
        asked << text;
        return TAnswer::No;
    };
    auto second = Window();
    AddText(*first, QStringLiteral("x"));
    AddText(*second, QStringLiteral("y"));
    Answers = {TAnswer::Cancel};
    EXPECT_FALSE(first->QuerySave()) << "the fixture's queue answered Cancel";
    EXPECT_EQ(Questions.size(), 1);
    EXPECT_TRUE(asked.isEmpty());
    EXPECT_TRUE(second->QuerySave()) << "the second window's own answer: No";
    EXPECT_EQ(asked.size(), 1);
    EXPECT_EQ(Questions.size(), 1);
}

TEST_F(DocumentLifecycle, FailedSaveKeepsTheLabelAndTheWindow) {
    auto w = Window();
    w->show();
    AddText(*w, QStringLiteral("precious"));
    Answers = {TAnswer::Yes};
    FileNames = {Scratch.File("no/such/folder/label.lbl")};
    EXPECT_FALSE(w->close());
    EXPECT_EQ(Errors.size(), 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(w->Document().Controls().size(), 1u);
}

TEST_F(DocumentLifecycle, CancelKeepsTheWindowOpen) {
    auto w = Window();
    w->show();
    AddText(*w, QStringLiteral("x"));
    Answers = {TAnswer::Cancel};
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Document().Controls().size(), 1u);
    Answers = {TAnswer::No};
    EXPECT_TRUE(w->close());
}

TEST_F(DocumentLifecycle, NewLabelAsksFirstAndResets) {
    auto w = Window();
    AddText(*w, QStringLiteral("x"));
    w->Document().ChangeSheet([&](TSheetSettings& s) { s.LabelWidth = 4; });
    Answers = {TAnswer::Cancel};
    w->Action("acNewLabel")->trigger();
    EXPECT_EQ(Questions.size(), 1);
    EXPECT_EQ(w->Document().Controls().size(), 1u) << "Cancel keeps the label";
    Answers = {TAnswer::No};
    w->Action("acNewLabel")->trigger();
    EXPECT_TRUE(w->Document().Controls().empty());
    EXPECT_DOUBLE_EQ(w->Document().Sheet().LabelWidth, 2.0) << "the stored defaults come back";
    EXPECT_FALSE(w->Modified());
    EXPECT_TRUE(w->DocumentFileName().isEmpty());
}

TEST_F(DocumentLifecycle, SaveNewOpenRoundTrip) {
    auto w = Window();
    AddText(*w, QStringLiteral("Round trip"));
    w->Document().ChangeSheet([&](TSheetSettings& s) { s.LabelWidth = 3; });
    w->Document().ChangeSheet([&](TSheetSettings& s) { s.LabelHeight = 2; });
    w->ApplyLabelSize();
    const QString path = Scratch.File("trip.lbl");
    FileNames = {path};
    w->Action("acSaveLabel")->trigger();
    EXPECT_EQ(FileDialogs, QStringList({"Save Label"}));
    EXPECT_EQ(w->DocumentFileName(), path);
    EXPECT_FALSE(w->Modified());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("trip.lbl[*] - Vellumtrace v2.1"));

    w->Action("acNewLabel")->trigger();
    EXPECT_TRUE(Questions.isEmpty()) << "nothing changed since the save";
    EXPECT_EQ(w->Label().width(), 192);

    FileNames = {path};
    w->Action("acOpenLabel")->trigger();
    EXPECT_EQ(FileDialogs.last(), QStringLiteral(" Load Label"));
    ASSERT_EQ(w->Document().Controls().size(), 1u);
    EXPECT_EQ(w->Document().Controls()[0]->Text(), QStringLiteral("Round trip"));
    EXPECT_EQ(w->Label().width(), 288);
    EXPECT_EQ(w->Label().height(), 192);
    EXPECT_EQ(w->Document().Selection(), nullptr);
    EXPECT_FALSE(w->Modified());
    EXPECT_EQ(w->DocumentFileName(), path);
}

TEST_F(DocumentLifecycle, DamagedFileLeavesEverythingAsItWas) {
    auto w = Window();
    const QString good = SavedLabel("good.lbl", "Good");
    w->OpenLabelFile(good);
    AddText(*w, QStringLiteral("unsaved"));
    ASSERT_TRUE(w->Modified());
    const QString bad = Scratch.File("bad.lbl");
    {
        QFile f(bad);
        f.open(QIODevice::WriteOnly);
        f.write("PK\x03\x04 this is not a label archive at all");
    }
    const TSheetSettings before = w->Document().Sheet();
    w->OpenLabelFile(bad);
    ASSERT_EQ(Errors.size(), 1);
    EXPECT_FALSE(Errors[0].isEmpty());
    EXPECT_EQ(w->DocumentFileName(), good);
    EXPECT_TRUE(w->Modified());
    EXPECT_EQ(w->Document().Controls().size(), 2u);
    EXPECT_TRUE(w->Document().Sheet() == before);
    // A missing file is ignored without a message.
    w->OpenLabelFile(Scratch.File("missing.lbl"));
    EXPECT_EQ(Errors.size(), 1);
}

TEST_F(DocumentLifecycle, ModifiedFollowsEveryChange) {
    auto w = Window();
    w->show();
    TTextLabel* c = AddText(*w, QStringLiteral("x"));
    EXPECT_TRUE(w->Modified()) << "adding a control";
    w->SetModified(false);

    // A press on the label counts, even on empty label area.
    QTest::mousePress(&w->Label(), Qt::LeftButton, {}, QPoint(150, 80));
    QTest::mouseRelease(&w->Label(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_TRUE(w->Modified());
    w->SetModified(false);

    // Selecting without a press is no change (with one control nothing is restacked).
    w->Document().SelectNone();
    w->Document().SelectNext();
    EXPECT_FALSE(w->Modified());

    // Keyboard moves and resizes.
    QTest::keyClick(&w->Label(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_TRUE(w->Modified());
    w->SetModified(false);
    QTest::keyClick(&w->Label(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_TRUE(w->Modified());
    w->SetModified(false);

    // Typing into the text box.
    w->Document().SelectNone();
    w->Document().SelectNext();
    w->SetModified(false);
    QTest::keyClicks(w->findChild<QLineEdit*>("eText"), QStringLiteral("yz"));
    EXPECT_EQ(c->Text(), QStringLiteral("xyz"));
    EXPECT_TRUE(w->Modified());
    w->SetModified(false);

    // Deleting.
    QTest::keyClick(&w->Label(), Qt::Key_Delete);
    EXPECT_TRUE(w->Document().Controls().empty());
    EXPECT_TRUE(w->Modified());
    w->SetModified(false);

    // A template with another sheet.
    TSheetSettings other;
    other.LabelWidth = 4;
    const QString lbf = Scratch.File("four.lbf");
    WriteTemplate(lbf, other);
    w->ImportTemplateFile(lbf);
    EXPECT_TRUE(w->Modified());
    w->SetModified(false);

    // Exporting it is no change.
    FileNames = {Scratch.File("out.lbf")};
    w->ExportTemplate();
    EXPECT_TRUE(QFile::exists(Scratch.File("out.lbf")));
    EXPECT_EQ(w->TemplateFileName(), Scratch.File("out.lbf"));
    EXPECT_FALSE(w->Modified());
}

TEST_F(DocumentLifecycle, SaveEnabledOnlyWhileModified) {
    auto w = Window();
    EXPECT_FALSE(w->Action("acSaveLabel")->isEnabled());
    AddText(*w, QStringLiteral("x"));
    EXPECT_TRUE(w->Action("acSaveLabel")->isEnabled());
    EXPECT_TRUE(w->isWindowModified());
}

TEST_F(DocumentLifecycle, RecentLabelsRememberedAndMissingOnesDropped) {
    const QString a = SavedLabel("a.lbl", "A"), b = SavedLabel("b.lbl", "B");
    {
        auto w = Window();
        w->show();
        w->OpenLabelFile(a);
        w->OpenLabelFile(b);
        EXPECT_TRUE(w->close());
    }
    QFile::remove(a);
    auto w = Window();
    EXPECT_EQ(w->Preferences().RecentLabels, QStringList({b}));
    QMenu* recent = w->findChild<QMenu*>("mnRecent");
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("b.lbl"));
    recent->actions()[0]->trigger();
    EXPECT_EQ(w->DocumentFileName(), b);
}
} // namespace
