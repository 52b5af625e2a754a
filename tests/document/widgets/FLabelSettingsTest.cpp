#include "document/widgets/FLabelSettings.h"
#include "TestSupport.h"
#include "document/widgets/LabelSettingsTexts.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
// Letter paper at 600 dots per inch with a quarter inch unprintable at the top and bottom and
// an eighth at the sides.
TPrinterFacts LetterFacts() {
    TPrinterFacts f;
    f.PixelsPerInchX = f.PixelsPerInchY = 600;
    f.PhysicalWidth = 5100;
    f.PhysicalHeight = 6600;
    f.OffsetX = 75;
    f.OffsetY = 150;
    f.PrintableWidth = 4950;
    f.PrintableHeight = 6300;
    return f;
}
} // namespace

class FLabelSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        facts = LetterFacts();
        RefreshPrinterPage(sheet, page, facts); // 4 columns, 10 rows of the default labels
        previousHandler = SetMessageHandler([this](const QString& text) { messages << text; });
        dialog = std::make_unique<TFLabelSettings>(sheet, page, [this] { return facts; });
        dialog->show();
    }
    void TearDown() override {
        dialog.reset();
        SetMessageHandler(std::move(previousHandler));
    }

    template <class T> T* Find(const char* name) {
        T* widget = dialog->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            ADD_FAILURE() << "no widget " << name;
        return widget;
    }
    QLineEdit* Edit(const char* name) { return Find<QLineEdit>(name); }
    QString Text(const char* name) { return Edit(name)->text(); }
    QString Caption(const char* name) { return Find<QLabel>(name)->text(); }

    // Shows the page holding widget, as a user would before clicking it.
    void ShowPageOf(QWidget* widget) {
        auto* pages = Find<QTabWidget>("PageControl1");
        for (int i = 0; i < pages->count(); ++i)
            if (pages->widget(i)->isAncestorOf(widget))
                pages->setCurrentIndex(i);
    }
    void Click(const char* name) {
        auto* widget = Find<QWidget>(name);
        ShowPageOf(widget);
        // Radio buttons and check boxes take clicks on their indicator and caption only.
        const bool indicator =
            qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget);
        const QPoint at = indicator ? QPoint(6, widget->height() / 2) : widget->rect().center();
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    }
    // Replaces a field's text by typing, then presses Enter.
    void Type(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        ShowPageOf(edit);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    // Replaces a field's text by typing, then moves the focus on with reason.
    void TypeAndLeave(const char* name, const QString& text,
                      Qt::FocusReason reason = Qt::TabFocusReason) {
        QLineEdit* edit = Edit(name);
        edit->clear();
        QTest::keyClicks(edit, text);
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(edit, &out);
    }
    void ChooseEntry(const char* name, int index) {
        auto* combo = Find<QComboBox>(name);
        ShowPageOf(combo);
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
        ASSERT_EQ(combo->currentIndex(), index) << name;
    }
    bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }

    TSheetSettings sheet;
    TPrinterPage page;
    TPrinterFacts facts;
    QStringList messages;
    TMessageHandler previousHandler;
    std::unique_ptr<TFLabelSettings> dialog;
};

TEST_F(FLabelSettingsTest, OpeningFillsTheFieldsOnTheFirstPage) {
    EXPECT_EQ(dialog->windowTitle(), QString("Custom Label Settings"));
    auto* pages = Find<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), QString("Label Setup"));
    EXPECT_EQ(pages->tabText(1), QString("Page Margins"));
    EXPECT_EQ(pages->tabText(2), QString("Label Borders"));
    EXPECT_EQ(pages->tabText(3), QString("Page Info"));
    EXPECT_EQ(Find<QPushButton>("PrintSetupBtn")->text(), QString("&Print Setup"));
    EXPECT_EQ(Find<QRadioButton>("rbRounded")->text(), QString("Rounded Retangle"));

    EXPECT_EQ(Text("Edit3"), QString("1.0"));
    EXPECT_EQ(Text("Edit4"), QString("2.0"));
    EXPECT_EQ(Text("Edit1"), QString("0.25"));
    EXPECT_EQ(Text("Edit8"), QString("0.0"));
    EXPECT_EQ(Text("eCols"), QString("4"));
    EXPECT_EQ(Text("eRows"), QString("10"));
    EXPECT_EQ(Text("eRoundPct"), QString("10.0"));
    EXPECT_TRUE(Find<QRadioButton>("rbInches")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("rbAuto")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("rbRectangle")->isChecked());
    EXPECT_EQ(Caption("LTop"), QString("Top: 0.25\""));
    EXPECT_EQ(Caption("LRight"), QString("Right: 0.125\""));
    EXPECT_EQ(Caption("LHeight"), QString("Height: 11\""));
    EXPECT_EQ(Caption("LWidth"), QString("Width: 8.5\""));

    // Every showing starts again from the sheet: metric and forced, on the first page.
    pages->setCurrentIndex(2);
    Find<QCheckBox>("cbSaveDefault")->setChecked(true);
    dialog->hide();
    sheet.Metric = true;
    sheet.ForcedCount = true;
    sheet.LabelWidth = 5.0;
    sheet.Columns = 2;
    sheet.BorderStyle = 1;
    sheet.BorderSize = 3;
    sheet.BorderShape = 1;
    dialog->show();
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_FALSE(Find<QCheckBox>("cbSaveDefault")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("rbCentimeters")->isChecked());
    EXPECT_EQ(Text("Edit4"), QString("5.0")) << "shown as stored, not converted";
    EXPECT_TRUE(Find<QRadioButton>("rbManual")->isChecked());
    EXPECT_EQ(Text("eCols"), QString("2"));
    EXPECT_EQ(Find<QComboBox>("cbBorderStyle")->currentIndex(), 1);
    EXPECT_EQ(Find<QComboBox>("cbBorderSize")->currentIndex(), 3);
    EXPECT_TRUE(Find<QRadioButton>("rbRounded")->isChecked());
    EXPECT_EQ(Caption("LWidth"), QString("Width: 21.59 cm"));
}

TEST_F(FLabelSettingsTest, MinimumLabelSizeMessagesInInchesAndCentimetres) {
    Type("Edit4", "0.04");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString("Minimum label width is 0.05\" wide!"));
    EXPECT_EQ(Text("Edit4"), QString("0.25"));

    TypeAndLeave("Edit3", "0.01");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], QString("Minimum label height is 0.05 tall!"));
    EXPECT_EQ(Text("Edit3"), QString("0.25"));

    Click("rbCentimeters");
    Type("Edit3", "0,09");
    Type("Edit4", "");
    ASSERT_EQ(messages.size(), 4);
    EXPECT_EQ(messages[2], QString("Minimum label height is 0.10 centimeter tall!"));
    EXPECT_EQ(messages[3], QString("Minimum label width is 0.10 centimeter wide!"));
    EXPECT_EQ(Text("Edit3"), QString("1.0"));
    EXPECT_EQ(Text("Edit4"), QString("1.0"));

    // A margin has no minimum; its text is rewritten and the counts follow it.
    Type("Edit1", "0,5");
    EXPECT_EQ(messages.size(), 4);
    EXPECT_EQ(Text("Edit1"), QString("0.5"));
    EXPECT_EQ(Text("eRows"), QString("27")) << "0.5 + 27 * 1 cm <= 27.94 cm";

    // Another window taking the focus (the message box itself) does not leave the field.
    TypeAndLeave("Edit4", "0.01", Qt::ActiveWindowFocusReason);
    EXPECT_EQ(messages.size(), 4);
    EXPECT_EQ(Text("Edit4"), QString("0.01"));
}

TEST_F(FLabelSettingsTest, UnitSwitchRoundTripsTheTexts) {
    Type("Edit6", "0.125");
    Type("Edit3", "1.1875");
    EXPECT_EQ(Text("eCols"), QString("3"));
    const char* lengths[] = {"Edit1", "Edit2", "Edit3", "Edit4",
                             "Edit5", "Edit6", "Edit7", "Edit8"};
    QStringList before;
    for (const char* name : lengths)
        before << Text(name);

    Click("rbCentimeters");
    EXPECT_EQ(Text("Edit4"), QString("5.08"));
    EXPECT_EQ(Text("Edit6"), QString("0.3175"));
    EXPECT_EQ(Text("Edit1"), QString("0.635"));
    EXPECT_EQ(Text("eCols"), QString("3")) << "the same sheet in centimetres";
    EXPECT_EQ(Caption("LTop"), QString("Top: 0.635 cm"));
    EXPECT_EQ(Caption("LHeight"), QString("Height: 27.94 cm"));

    Click("rbInches");
    QStringList after;
    for (const char* name : lengths)
        after << Text(name);
    EXPECT_EQ(after, before);
    EXPECT_EQ(Caption("LTop"), QString("Top: 0.25\""));
}

TEST_F(FLabelSettingsTest, ManualCountsStayAndAutoRecalculates) {
    EXPECT_FALSE(Enabled("eCols"));
    EXPECT_FALSE(Enabled("eRows"));
    Click("rbManual");
    EXPECT_TRUE(Enabled("eCols"));
    EXPECT_TRUE(Enabled("eRows"));

    Type("eCols", "7");
    Type("Edit4", "1");
    EXPECT_EQ(Text("eCols"), QString("7")) << "manual: what the user typed stays";
    Type("eRows", "0");
    EXPECT_EQ(Text("eRows"), QString("1"));
    Type("eRows", "");
    EXPECT_EQ(Text("eRows"), QString("1"));
    Type("eRows", "12");

    Click("rbAuto");
    EXPECT_FALSE(Enabled("eCols"));
    EXPECT_EQ(Text("eCols"), QString("8")) << "0.25 + 8 * 1 <= 8.5";
    EXPECT_EQ(Text("eRows"), QString("10"));

    Click("rbManual");
    Type("eCols", "3");
    Click("OkBtn");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(sheet.ForcedCount);
    EXPECT_EQ(sheet.Columns, 3);
    EXPECT_EQ(sheet.Rows, 10);
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 1.0);
}

TEST_F(FLabelSettingsTest, KeyFilterAndLengthLimits) {
    QLineEdit* height = Edit("Edit3");
    height->clear();
    QTest::keyClicks(height, "1a.5 e-,x");
    EXPECT_EQ(height->text(), QString("1.5-,"));
    height->clear();
    QTest::keyClicks(height, "123456789");
    EXPECT_EQ(height->text(), QString("1234567"));
    height->selectAll();
    QTest::keyClicks(height, "9");
    EXPECT_EQ(height->text(), QString("9")) << "typing over a selection at the limit";
    QTest::keyClick(height, Qt::Key_Backspace);
    EXPECT_EQ(height->text(), QString());

    Click("rbManual");
    QLineEdit* cols = Edit("eCols");
    cols->clear();
    QTest::keyClicks(cols, "3.x-4,56");
    EXPECT_EQ(cols->text(), QString("3456"));
    QTest::keyClicks(cols, "7");
    EXPECT_EQ(cols->text(), QString("3456")) << "four characters at most";

    // Texts the dialog writes itself are not cut to the typing limit.
    dialog->hide();
    sheet.LabelWidth = 10.12345;
    dialog->show();
    EXPECT_EQ(Text("Edit4"), QString("10.12345"));
}

TEST_F(FLabelSettingsTest, BorderEnablingRules) {
    EXPECT_FALSE(Enabled("cbBorderSize"));
    EXPECT_FALSE(Enabled("rbRectangle"));
    EXPECT_FALSE(Enabled("rbRounded"));
    EXPECT_FALSE(Enabled("eRoundPct"));
    EXPECT_FALSE(Enabled("LPercent"));

    ChooseEntry("cbBorderStyle", 1); // Solid
    EXPECT_TRUE(Enabled("cbBorderSize"));
    EXPECT_TRUE(Enabled("rbRectangle"));
    EXPECT_TRUE(Enabled("rbRounded"));
    EXPECT_FALSE(Enabled("eRoundPct"));
    ChooseEntry("cbBorderSize", 3);

    Click("rbRounded");
    EXPECT_TRUE(Enabled("eRoundPct"));
    EXPECT_TRUE(Enabled("LPercent"));
    Click("rbRectangle");
    EXPECT_FALSE(Enabled("eRoundPct"));
    Click("rbRounded");

    ChooseEntry("cbBorderStyle", 3); // Dot: always one unit wide
    EXPECT_FALSE(Enabled("cbBorderSize"));
    EXPECT_EQ(Find<QComboBox>("cbBorderSize")->currentIndex(), 0);
    EXPECT_TRUE(Enabled("eRoundPct"));

    ChooseEntry("cbBorderStyle", 0);
    EXPECT_FALSE(Enabled("rbRounded"));
    EXPECT_FALSE(Enabled("eRoundPct"));
    EXPECT_FALSE(Enabled("LPercent"));
}

TEST_F(FLabelSettingsTest, OkStoresEveryField) {
    Click("rbCentimeters");
    Type("Edit3", "3");
    Type("Edit5", "0.2");
    Type("Edit2", "1,5");
    Type("Edit7", "0.5");
    ChooseEntry("cbBorderStyle", 1);
    ChooseEntry("cbBorderSize", 2);
    Click("rbRounded");
    Type("eRoundPct", "150");
    EXPECT_EQ(Text("eRoundPct"), QString("100.0"));
    EXPECT_TRUE(dialog->isVisible()) << "Enter in a field does not close the dialog";
    Type("eRoundPct", "-4");
    EXPECT_EQ(Text("eRoundPct"), QString("0.0"));
    // Typed but not left when OK is chosen: the field's rule still applies.
    QLineEdit* pct = Edit("eRoundPct");
    pct->setFocus();
    pct->clear();
    QTest::keyClicks(pct, "255");

    Click("OkBtn");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(sheet.Metric);
    EXPECT_FALSE(sheet.ForcedCount);
    EXPECT_DOUBLE_EQ(sheet.LabelHeight, 3.0);
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 5.08);
    EXPECT_DOUBLE_EQ(sheet.GapHeight, 0.2);
    EXPECT_DOUBLE_EQ(sheet.LeftMargin, 1.5);
    EXPECT_DOUBLE_EQ(sheet.BottomMargin, 0.5);
    EXPECT_DOUBLE_EQ(sheet.TopMargin, 0.635);
    EXPECT_EQ(sheet.Columns, 3) << "1.5 + 3 * 5.08 <= 21.59";
    EXPECT_EQ(sheet.Rows, 8) << "0.635 + 0.5 + 8 * 3 + 7 * 0.2 <= 27.94";
    EXPECT_EQ(sheet.BorderStyle, 1);
    EXPECT_EQ(sheet.BorderSize, 2);
    EXPECT_EQ(sheet.BorderShape, 1);
    EXPECT_DOUBLE_EQ(sheet.BorderPct, 100.0);
}

TEST_F(FLabelSettingsTest, OkWithATooSmallLabelNotYetLeftShowsTheCorrectionFirst) {
    QLineEdit* width = Edit("Edit4");
    width->clear();
    QTest::keyClicks(width, "0.01");
    Click("OkBtn");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QString("Minimum label width is 0.05\" wide!"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(width->text(), QString("0.25"));
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 2.0);

    Click("OkBtn");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(messages.size(), 1);
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 0.25);
}

TEST_F(FLabelSettingsTest, CancelChangesNothing) {
    const TSheetSettings before = sheet;
    Click("rbCentimeters");
    Click("rbManual");
    Type("Edit4", "3");
    Type("eCols", "9");
    ChooseEntry("cbBorderStyle", 2);
    Click("rbRounded");
    Click("CancelBtn");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(sheet == before);

    dialog->show();
    QTest::keyClick(Edit("Edit4"), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(sheet == before);
}

TEST_F(FLabelSettingsTest, SaveAsDefaultHandsTheSettingsToTheCaller) {
    std::vector<TSheetSettings> saved;
    dialog->SetDefaultsSaver([&](const TSheetSettings& s) { saved.push_back(s); });

    Type("Edit4", "2.625");
    Click("OkBtn");
    EXPECT_TRUE(saved.empty()) << "nothing saved without the check";

    dialog->show();
    Type("Edit3", "1.5");
    ChooseEntry("cbBorderStyle", 4);
    Click("cbSaveDefault");
    Click("OkBtn");
    ASSERT_DOUBLE_EQ(sheet.LabelHeight, 1.5);
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(saved[0] == sheet);
    EXPECT_DOUBLE_EQ(saved[0].LabelWidth, 2.625);
    EXPECT_EQ(saved[0].BorderStyle, 4);
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FLabelSettingsTest, DefaultsThatCannotBeSavedAreReportedAndOkStillApplies) {
    dialog->SetDefaultsSaver(
        [](const TSheetSettings&) { throw TUserError(QStringLiteral("The store is read-only.")); });
    Type("Edit3", "1.5");
    Click("cbSaveDefault");
    Click("OkBtn");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(sheet.LabelHeight, 1.5);
    EXPECT_EQ(messages, QStringList{QStringLiteral("The store is read-only.")});
}

TEST_F(FLabelSettingsTest, PrintSetupRecalculatesAfterConfirmation) {
    EXPECT_FALSE(Enabled("PrintSetupBtn")) << "nothing to run";
    int runs = 0;
    bool confirm = false;
    dialog->SetPrinterSetup([&] {
        ++runs;
        facts.PhysicalWidth = 4961; // A4
        facts.PhysicalHeight = 7016;
        return confirm;
    });
    EXPECT_TRUE(Enabled("PrintSetupBtn"));
    Click("PrintSetupBtn");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(Caption("LWidth"), QString("Width: 8.5\"")) << "cancelled: fields unchanged";

    confirm = true;
    Click("PrintSetupBtn");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(Caption("LWidth"), QString("Width: 8.27\""));
    EXPECT_EQ(Caption("LHeight"), QString("Height: 11.69\""));
    EXPECT_EQ(Text("eRows"), QString("11"));
    EXPECT_EQ(Text("eCols"), QString("4"));
}
