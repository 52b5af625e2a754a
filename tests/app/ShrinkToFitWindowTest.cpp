// The palette's "Shrink to Fit" box in the main window: it follows the selected texts, sets
// every one of them, and each change is one step back and forth.

#include "MainWindowSupport.h"

#include "app/FControlSettings.h"
#include "barcode/BarcodeLabel.h"
#include "document/LabelDocument.h"
#include "document/TextLabel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {
class ShrinkToFitBox : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        W = ActiveWindow();
        Settle();
        text = Add<TTextLabel>(10, 10)->Id();
        memo = Add<TMemoLabel>(10, 60)->Id();
        barcode = Add<TBarcodeLabel>(150, 10)->Id();
    }
    TLabelDocument& D() { return W->Document(); }
    void Settle() { QCoreApplication::processEvents(); }
    template <typename T> T* Add(int left, int top) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        c->SetLeft(left);
        c->SetTop(top);
        c->SetText(QStringLiteral("Lilli"));
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        Settle();
        return raw;
    }
    void Select(std::vector<TControlId> ids) {
        D().SelectIds(ids);
        Settle();
    }
    bool Shrinks(TControlId id) { return D().Find(id)->ShrinkToFit(); }
    QCheckBox* Box() {
        auto* box = W->Palette().findChild<QCheckBox*>(QStringLiteral("cbShrinkToFit"));
        EXPECT_NE(box, nullptr);
        return box;
    }
    void Click() {
        Box()->click();
        Settle();
    }
    int Steps() { return W->History().count(); }
    void UndoStep() {
        W->Action("acUndo")->trigger();
        Settle();
    }
    void RedoStep() {
        W->Action("acRedo")->trigger();
        Settle();
    }

    std::unique_ptr<TFMain> W;
    TControlId text = 0, memo = 0, barcode = 0;
};

TEST_F(ShrinkToFitBox, SetsTheSelectedTextAsOneStep) {
    Select({text});
    ASSERT_TRUE(Box()->isEnabled());
    EXPECT_EQ(Box()->text(), QStringLiteral("Shrink to Fit"));
    EXPECT_EQ(Box()->checkState(), Qt::Unchecked);
    const int before = Steps();
    Click();
    EXPECT_TRUE(Shrinks(text));
    EXPECT_FALSE(Shrinks(memo));
    EXPECT_EQ(Steps(), before + 1);
    EXPECT_TRUE(W->Modified());

    UndoStep();
    EXPECT_FALSE(Shrinks(text));
    RedoStep();
    EXPECT_TRUE(Shrinks(text));
    Select({memo});
    EXPECT_EQ(Box()->checkState(), Qt::Unchecked);
    Select({text});
    EXPECT_EQ(Box()->checkState(), Qt::Checked);
    Click();
    EXPECT_FALSE(Shrinks(text));
}

TEST_F(ShrinkToFitBox, TextsThatDifferGoOnTogetherOtherKindsAreLeftAlone) {
    Select({text});
    Click();
    Select({memo, text, barcode});
    EXPECT_TRUE(Box()->isEnabled());
    EXPECT_EQ(Box()->checkState(), Qt::PartiallyChecked);
    const int before = Steps();
    Click();
    EXPECT_TRUE(Shrinks(text));
    EXPECT_TRUE(Shrinks(memo));
    EXPECT_FALSE(Shrinks(barcode));
    EXPECT_EQ(Box()->checkState(), Qt::Checked);
    EXPECT_EQ(Steps(), before + 1);

    Select({barcode});
    EXPECT_FALSE(Box()->isEnabled()) << "a barcode has no text to shrink";
    Select({});
    EXPECT_FALSE(Box()->isEnabled());
}
} // namespace
