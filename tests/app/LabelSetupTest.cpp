#include "MainWindowSupport.h"

#include "document/Sheet.h"
#include "document/widgets/FLabelSettings.h"
#include "files/SheetDefaults.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Answers the Label Settings dialog once it is up: types the label height, ticks "Save Label
// Settings as Default" when asked and presses OK.
void AnswerLabelSettings(const QString& height, bool saveAsDefault, int tries = 200) {
    QTimer::singleShot(tries == 200 ? 0 : 5, [=] {
        auto* dialog = qobject_cast<TFLabelSettings*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (tries > 0)
                AnswerLabelSettings(height, saveAsDefault, tries - 1);
            return;
        }
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("Edit3"));
        edit->clear();
        QTest::keyClicks(edit, height);
        if (saveAsDefault)
            dialog->findChild<QCheckBox*>(QStringLiteral("cbSaveDefault"))->click();
        dialog->findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
    });
}

class LabelSetupWindow : public ::testing::Test, public TMainWindowFixture {
protected:
    LabelSetupWindow() {
        // The user's own store lies in the scratch folder too, so that a write to it shows.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           Scratch.File(QStringLiteral("config")));
    }
    TSheetSettings StoredDefaults(const TPreferenceStore& store) {
        TSheetSettings stored;
        stored.LabelWidth = 7; // any value the load must replace
        LoadSheetDefaults(store, stored);
        return stored;
    }
};

TEST_F(LabelSetupWindow, SaveAsDefaultWritesIntoTheWindowsStore) {
    auto w = Window();
    AnswerLabelSettings(QStringLiteral("1.5"), false);
    w->Action("acSetupLabel")->trigger();
    ASSERT_DOUBLE_EQ(w->Document().Sheet().LabelHeight, 1.5);
    EXPECT_TRUE(StoredDefaults(*Store()) == TSheetSettings{}) << "nothing saved unasked";

    AnswerLabelSettings(QStringLiteral("1.25"), true);
    w->Action("acSetupLabel")->trigger();
    ASSERT_DOUBLE_EQ(w->Document().Sheet().LabelHeight, 1.25);
    const TSheetSettings stored = StoredDefaults(*Store());
    EXPECT_TRUE(stored == w->Document().Sheet());
    EXPECT_DOUBLE_EQ(stored.LabelHeight, 1.25);
    EXPECT_TRUE(StoredDefaults(TPreferenceStore()) == TSheetSettings{})
        << "the user's own store stays untouched";
    EXPECT_TRUE(Errors.isEmpty());

    // A new label starts from the saved defaults.
    w->Document().SetSheet(TSheetSettings{});
    w->SetModified(false);
    w->NewLabel();
    EXPECT_DOUBLE_EQ(w->Document().Sheet().LabelHeight, 1.25);
}
} // namespace
