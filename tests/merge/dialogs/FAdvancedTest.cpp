#include "merge/dialogs/FAdvanced.h"
#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "merge/FieldEvaluation.h"
#include "merge/dialogs/FieldEdit.h"
#include "merge/dialogs/FieldListView.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

namespace {
QDateTime SampleTime() {
    return QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9));
}

TDateSource FixedDates() {
    return {SampleTime, QLocale::c()};
}

std::unique_ptr<TTextField> Text(const char* text) {
    return std::make_unique<TTextField>(QString::fromLatin1(text));
}

template <class T> T& As(const TFieldList& fields, size_t i) {
    return dynamic_cast<T&>(*fields.at(i));
}
} // namespace

class FAdvancedTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.SetDateSource(FixedDates());
        dialog.MergeDialogServices() = services.Services();
    }

    void Begin() {
        dialog.BeginEditing(fields);
        ShowActive(&dialog);
    }

    template <class T> T* Find(const char* name) { return FindIn<T>(&dialog, name); }
    TFieldEdit* Box(const char* name) { return Find<TFieldEdit>(name); }
    QTreeWidget* List() { return Find<QTreeWidget>("lvFields"); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    QStringList Lines() {
        QStringList lines;
        for (int i = 0; i < List()->topLevelItemCount(); ++i)
            lines << List()->topLevelItem(i)->text(0);
        return lines;
    }
    int Selected() {
        const QList<QTreeWidgetItem*> items = List()->selectedItems();
        return items.isEmpty() ? -1 : List()->indexOfTopLevelItem(items.first());
    }
    void SelectLine(int line) {
        QTreeWidgetItem* item = List()->topLevelItem(line);
        QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                          List()->visualItemRect(item).center());
    }
    // Puts the focus into a box, replaces its text by typing and stays there.
    void Type(const char* name, const QString& text) {
        TFieldEdit* box = Box(name);
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        if (text.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        else
            QTest::keyClicks(box, text);
    }
    // Types into a box and leaves it for the list.
    void TypeAndLeave(const char* name, const QString& text) {
        Type(name, text);
        List()->setFocus(Qt::TabFocusReason);
    }
    void TypeAndEnter(const char* name, const QString& text) {
        Type(name, text);
        QTest::keyClick(Box(name), Qt::Key_Return);
    }
    QString Panel() { return Find<QStackedWidget>("pEdit")->currentWidget()->objectName(); }
    bool PanelShown() { return Find<QWidget>("pEdit")->isVisible(); }

    TServicesStandIn services;
    TFieldList fields;
    TDataImport import;
    TFAdvanced dialog{import};
};

TEST_F(FAdvancedTest, AnEmptyEditorShowsNoPanelAndReturnsFalse) {
    Begin();
    EXPECT_EQ(dialog.windowTitle(), QString("Advanced Fields"));
    EXPECT_EQ(dialog.minimumSize(), QSize(308, 350));
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_EQ(List()->headerItem()->text(0), QString("Advanced Fields"));
    EXPECT_EQ(List()->header()->sectionSize(0), dialog.width() - 30);
    EXPECT_EQ(List()->topLevelItemCount(), 0);
    EXPECT_FALSE(PanelShown());
    EXPECT_FALSE(Find<QAction>("acRemoveField")->isEnabled());
    EXPECT_FALSE(Find<QAction>("acRemoveAll")->isEnabled());
    EXPECT_TRUE(List()->hasFocus());
    dialog.hide();
    EXPECT_FALSE(dialog.EndEditing());

    // The whole modal run: Ok closes, and what is left decides the flag.
    QTimer::singleShot(0, &dialog,
                       [&] { QTest::mouseClick(Find<QPushButton>("OkBtn"), Qt::LeftButton); });
    EXPECT_FALSE(dialog.EditAdvancedFields(fields));
    QTimer::singleShot(0, &dialog, [&] {
        Trigger("acAddText");
        QTest::keyClicks(Box("eTextString"), "Order ");
        QTest::mouseClick(Find<QPushButton>("OkBtn"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.EditAdvancedFields(fields));
    ASSERT_EQ(fields.size(), 1u);
    EXPECT_EQ(As<TTextField>(fields, 0).LiteralText, QString("Order "));
    EXPECT_EQ(List()->topLevelItemCount(), 0); // the list is emptied after each use
}

TEST_F(FAdvancedTest, ToolBarAndContextMenuCarryTheSixActions) {
    Begin();
    struct TRow {
        const char* Name;
        const char* Hint;
        const char* MenuText;
    };
    const TRow rows[] = {
        {"acAddText", "Add Text Field", "Add Text Field"},
        {"acAddImport", "Add Import from File Field", "Add Import Field"},
        {"acAddSequence", "Add Sequence Field", "Add Sequence Field"},
        {"acAddDate", "Add Date/Time Field", "Add Date/Time Field"},
        {"acRemoveField", "Remove Advanced Field", "Remove Selected Field"},
        {"acRemoveAll", "Remove All Advanced Fields", "Remove All Fields"},
    };
    QStringList bar;
    for (QAction* action : Find<QToolBar>("tbFields")->actions())
        bar << (action->isSeparator() ? QString("|") : action->objectName());
    EXPECT_EQ(bar, QStringList({"acAddText", "acAddImport", "acAddSequence", "acAddDate", "|",
                                "acRemoveField", "acRemoveAll"}));
    for (const TRow& row : rows) {
        QAction* action = Find<QAction>(row.Name);
        EXPECT_EQ(action->toolTip(), QString(row.Hint)) << row.Name;
        EXPECT_EQ(action->text(), QString(row.MenuText)) << row.Name;
        EXPECT_FALSE(action->icon().isNull()) << row.Name;
        EXPECT_EQ(Find<QToolBar>("tbFields")->widgetForAction(action)->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(Find<QAction>("acRemoveField")->shortcut(), QKeySequence("Ctrl+Del"));
    QStringList menu;
    for (QAction* action : List()->actions())
        menu << (action->isSeparator() ? QString("|") : action->text());
    EXPECT_EQ(menu,
              QStringList({"Remove Selected Field", "Remove All Fields", "|", "Add Text Field",
                           "Add Import Field", "Add Sequence Field", "Add Date/Time Field"}));
    EXPECT_EQ(List()->contextMenuPolicy(), Qt::ActionsContextMenu);
}

TEST_F(FAdvancedTest, PanelsHoldTheirCaptionsLimitsAndDefaults) {
    Begin();
    struct TRow {
        const char* Name;
        const char* Caption;
        int MaxLength;
        const char* Initial;
    };
    const TRow rows[] = {
        {"eTextString", "Enter Text String", 99, ""},
        {"eFieldNumber", "Field #", 2, "1"},
        {"eFieldSize", "Minimum Size", 2, "0"},
        {"ePadChar", "Pad Character", 1, " "},
        {"eCurrentValue", "Current Value", 9, "0"},
        {"eMinValue", "Range", 9, "0"},
        {"eMaxValue", "to", 9, "999999999"},
        {"eSequenceSize", "Minimum Size", 1, "0"},
        {"eDateFormat", "Date Format", 32767, "yyyymmdd"},
    };
    for (const TRow& row : rows) {
        TFieldEdit* box = Box(row.Name);
        EXPECT_EQ(box->maxLength(), row.MaxLength) << row.Name;
        EXPECT_EQ(box->text(), QString(row.Initial)) << row.Name;
        QStringList captions;
        for (QLabel* label : dialog.findChildren<QLabel*>())
            if (label->buddy() == box)
                captions << label->text();
        EXPECT_EQ(captions, QStringList({row.Caption})) << row.Name;
    }
    EXPECT_TRUE(Find<QRadioButton>("rbPadRight")->isChecked());
    EXPECT_EQ(Find<QRadioButton>("rbPadRight")->text(), QString("Right"));
    EXPECT_EQ(Find<QRadioButton>("rbPadLeft")->text(), QString("Left"));
    EXPECT_EQ(Find<QCheckBox>("cbResetOnPrint")->text(), QString("Reset Value on Print"));
    EXPECT_EQ(Find<QCheckBox>("cbResetOnPrint")->toolTip(),
              QString("Reset Current Value to Minimum on Print"));
    EXPECT_FALSE(Find<QCheckBox>("cbResetOnPrint")->isChecked());
    auto* help = Find<QToolButton>("sbDateHelp");
    EXPECT_EQ(help->text(), QString("?"));
    EXPECT_EQ(help->toolTip(), QString("Date Format Help"));
    EXPECT_TRUE(help->font().bold());
    EXPECT_EQ(help->palette().color(QPalette::ButtonText), QColor(Qt::red));
}

TEST_F(FAdvancedTest, AddingTakesTheBoxesSelectsTheLineAndFocusesItsFirstBox) {
    Begin();
    const struct {
        const char* Action;
        const char* Panel;
        const char* FirstBox;
    } adds[] = {{"acAddText", "pText", "eTextString"},
                {"acAddImport", "pField", "eFieldNumber"},
                {"acAddSequence", "pSequence", "eCurrentValue"},
                {"acAddDate", "pDate", "eDateFormat"}};
    for (const auto& add : adds) {
        Trigger(add.Action);
        EXPECT_EQ(Selected(), List()->topLevelItemCount() - 1) << add.Action;
        EXPECT_TRUE(PanelShown());
        EXPECT_EQ(Panel(), QString(add.Panel));
        EXPECT_TRUE(Box(add.FirstBox)->hasFocus()) << add.Action;
        if (QString(add.Action) == "acAddText")
            QTest::keyClicks(Box("eTextString"), "Order ");
    }
    EXPECT_EQ(Lines(),
              QStringList({"TEXT FIELD [\"Order \"]",
                           "IMPORTED FIELD [Field #1, Min Size=0, Pad Char=\" \"]",
                           "SEQUENCE [0...999999999]", "DATE [Format=\"yyyymmdd\",20261206]"}));
    EXPECT_TRUE(Find<QAction>("acRemoveField")->isEnabled());
    EXPECT_TRUE(Find<QAction>("acRemoveAll")->isEnabled());
    // Typing into the date format changes the element at once.
    QTest::keyClicks(Box("eDateFormat"), " hh:nn");
    EXPECT_EQ(Lines().last(), QString("DATE [Format=\"yyyymmdd hh:nn\",20261206 14:05]"));
    dialog.hide();
    EXPECT_TRUE(dialog.EndEditing());
    ASSERT_EQ(fields.size(), 4u);
    EXPECT_EQ(EvaluateAdvancedFields(fields, nullptr, false, FixedDates()),
              QString("Order 020261206 14:05"));
}

TEST_F(FAdvancedTest, FieldValuesCarryIntoTheNextFieldElement) {
    Begin();
    Trigger("acAddImport");
    TypeAndLeave("eFieldNumber", "12");
    TypeAndLeave("eFieldSize", "5");
    TypeAndLeave("ePadChar", "*");
    QTest::mouseClick(Find<QRadioButton>("rbPadLeft"), Qt::LeftButton, {},
                      QPoint(6, Find<QRadioButton>("rbPadLeft")->height() / 2));
    Trigger("acAddImport");
    ASSERT_EQ(fields.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const auto& field = As<TImportedField>(fields, i);
        EXPECT_EQ(field.FieldNumber, 12);
        EXPECT_EQ(field.MinSize, 5);
        EXPECT_EQ(field.PadChar, '*');
        EXPECT_TRUE(field.PadLeft);
    }
    EXPECT_EQ(Lines()[1], QString("IMPORTED FIELD [Field #12, Min Size=5, Pad Char=\"*\"]"));

    // Selecting a line shows that element's values.
    TypeAndEnter("eFieldNumber", "7");
    QTest::mouseClick(Find<QRadioButton>("rbPadRight"), Qt::LeftButton, {},
                      QPoint(6, Find<QRadioButton>("rbPadRight")->height() / 2));
    EXPECT_FALSE(As<TImportedField>(fields, 1).PadLeft);
    SelectLine(0);
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("12"));
    EXPECT_TRUE(Find<QRadioButton>("rbPadLeft")->isChecked());
    SelectLine(1);
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("7"));
    EXPECT_TRUE(Find<QRadioButton>("rbPadRight")->isChecked());
}

TEST_F(FAdvancedTest, BoxesTakeOnlyTheirCharactersAndEnteringSelectsNumbers) {
    Begin();
    Trigger("acAddImport");
    Type("eFieldNumber", "a1b2");
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("12"));
    Type("ePadChar", "#");
    EXPECT_EQ(Box("ePadChar")->text(), QString("#"));
    Box("eFieldSize")->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(Box("eFieldSize")->selectedText(), QString("0"));

    Trigger("acAddDate");
    Type("eDateFormat", "YYyy-MM/dd hh:nn Q");
    EXPECT_EQ(Box("eDateFormat")->text(), QString("yy-/dd hh:nn "));
    EXPECT_EQ(As<TDateField>(fields, 1).DateFormat, QString("yy-/dd hh:nn "));
    Trigger("acAddSequence");
    Type("eCurrentValue", "-4x2");
    EXPECT_EQ(Box("eCurrentValue")->text(), QString("42"));
}

TEST_F(FAdvancedTest, LeavingABoxFillsWhatWasLeftEmpty) {
    Begin();
    Trigger("acAddImport");
    TypeAndLeave("eFieldNumber", "");
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("1"));
    TypeAndLeave("eFieldNumber", "0");
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("1"));
    // Two zeros stay: such an element reads no field.
    TypeAndLeave("eFieldNumber", "00");
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("00"));
    EXPECT_EQ(As<TImportedField>(fields, 0).FieldNumber, 0);
    TypeAndLeave("eFieldSize", "");
    EXPECT_EQ(Box("eFieldSize")->text(), QString("0"));
    TypeAndLeave("ePadChar", "");
    EXPECT_EQ(Box("ePadChar")->text(), QString(" "));
    EXPECT_EQ(As<TImportedField>(fields, 0).PadChar, ' ');

    Trigger("acAddDate");
    TypeAndLeave("eDateFormat", "");
    EXPECT_EQ(Box("eDateFormat")->text(), QString("yyyymmdd"));
    EXPECT_EQ(As<TDateField>(fields, 1).DateFormat, QString("yyyymmdd"));

    Trigger("acAddSequence");
    TypeAndLeave("eSequenceSize", "");
    EXPECT_EQ(Box("eSequenceSize")->text(), QString("0"));
    TypeAndLeave("eMaxValue", "");
    EXPECT_EQ(Box("eMaxValue")->text(), QString("999999999"));
    TypeAndLeave("eMinValue", "");
    EXPECT_EQ(Box("eMinValue")->text(), QString("0"));
    TypeAndLeave("eMinValue", "3"); // raises the current value
    TypeAndLeave("eCurrentValue", "");
    EXPECT_EQ(Box("eCurrentValue")->text(), QString("3"));
    EXPECT_TRUE(services.Messages.isEmpty());
}

TEST_F(FAdvancedTest, SequenceBoundsRaiseOrResetTheCurrentValueSilently) {
    Begin();
    Trigger("acAddSequence");
    TypeAndLeave("eMinValue", "5");
    EXPECT_EQ(Box("eCurrentValue")->text(), QString("5"));
    TypeAndLeave("eCurrentValue", "50");
    TypeAndLeave("eMaxValue", "20");
    EXPECT_EQ(Box("eCurrentValue")->text(), QString("5"));
    const auto& counter = As<TSequenceField>(fields, 0);
    EXPECT_EQ(counter.CurrentValue, 5);
    EXPECT_EQ(counter.MinValue, 5);
    EXPECT_EQ(counter.MaxValue, 20);
    EXPECT_TRUE(services.Messages.isEmpty());
    EXPECT_EQ(Lines()[0], QString("SEQUENCE [5...20]"));
}

TEST_F(FAdvancedTest, SequenceMessagesAreExactAndTheTypedValueIsKept) {
    Begin();
    Trigger("acAddSequence");
    const auto& counter = As<TSequenceField>(fields, 0);
    TypeAndLeave("eMinValue", "10"); // the current value follows to 10
    TypeAndLeave("eMaxValue", "20");
    ASSERT_TRUE(services.Messages.isEmpty());

    TypeAndLeave("eCurrentValue", "5");
    EXPECT_EQ(services.Messages,
              QStringList({"You must enter a value greater or equal to\n\rthe minimum sequence "
                           "value 10."}));
    EXPECT_TRUE(Box("eCurrentValue")->hasFocus());
    EXPECT_EQ(counter.CurrentValue, 5);

    TypeAndLeave("eCurrentValue", "25");
    EXPECT_EQ(services.Messages.last(), QString("You must enter a value less than or equal\n\rto "
                                                "the maximum sequence value 20."));
    EXPECT_TRUE(Box("eCurrentValue")->hasFocus());
    EXPECT_EQ(counter.CurrentValue, 25);

    TypeAndLeave("eCurrentValue", "20");
    TypeAndLeave("eMinValue", "20");
    EXPECT_EQ(services.Messages.last(), QString("You must enter a value less than the\n\rthe "
                                                "maximum sequence value 20."));
    EXPECT_TRUE(Box("eMinValue")->hasFocus());
    EXPECT_EQ(counter.MinValue, 20);

    TypeAndLeave("eMinValue", "10");
    TypeAndLeave("eCurrentValue", "10");
    TypeAndLeave("eMaxValue", "10");
    EXPECT_EQ(services.Messages.last(), QString("You must enter a value greater than the\n\rthe "
                                                "minimum sequeunce value 10."));
    EXPECT_TRUE(Box("eMaxValue")->hasFocus());
    EXPECT_EQ(counter.MaxValue, 10);
    EXPECT_EQ(services.Messages.size(), 4);
}

TEST_F(FAdvancedTest, NumberBoxesHoldingNoNumberChangeNothing) {
    Begin();
    Trigger("acAddSequence");
    TypeAndEnter("eCurrentValue", "7");
    const auto& counter = As<TSequenceField>(fields, 0);
    ASSERT_EQ(counter.CurrentValue, 7);
    // With the minimum emptied, a changed current value is not stored either.
    Type("eMinValue", "");
    Box("eCurrentValue")->setText("8");
    QTest::keyClick(Box("eMinValue"), Qt::Key_Return);
    EXPECT_EQ(services.Messages, QStringList({"\"\" is not a valid number for Range."}));
    EXPECT_EQ(counter.CurrentValue, 7);
    EXPECT_EQ(counter.MinValue, 0);
    EXPECT_EQ(Lines()[0], QString("SEQUENCE [7...999999999]"));

    // An add action meeting the empty box adds nothing.
    Trigger("acAddSequence");
    EXPECT_EQ(services.Messages.size(), 2);
    EXPECT_EQ(fields.size(), 1u);
    EXPECT_EQ(List()->topLevelItemCount(), 1);

    Trigger("acAddImport");
    TypeAndEnter("eFieldSize", "");
    EXPECT_EQ(services.Messages.last(), QString("\"\" is not a valid number for Minimum Size."));
    EXPECT_EQ(As<TImportedField>(fields, 1).MinSize, 0);
}

TEST_F(FAdvancedTest, RemovingSelectsTheLastRemainingLine) {
    fields.push_back(Text("A"));
    fields.push_back(Text("B"));
    fields.push_back(Text("C"));
    Begin();
    EXPECT_EQ(Selected(), 2); // showing selects the last line
    SelectLine(0);
    Trigger("acRemoveField");
    EXPECT_EQ(Lines(), QStringList({"TEXT FIELD [\"B\"]", "TEXT FIELD [\"C\"]"}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Box("eTextString")->text(), QString("C"));
    ASSERT_EQ(fields.size(), 2u);
    SelectLine(0);
    QTest::keyClick(List(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Lines(), QStringList({"TEXT FIELD [\"C\"]"}));
    EXPECT_EQ(Selected(), 0);
    Trigger("acRemoveAll");
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_TRUE(fields.empty());
    EXPECT_FALSE(PanelShown());
    EXPECT_FALSE(Find<QAction>("acRemoveField")->isEnabled());
    EXPECT_FALSE(Find<QAction>("acRemoveAll")->isEnabled());
    dialog.hide();
    EXPECT_FALSE(dialog.EndEditing());
}

TEST_F(FAdvancedTest, DraggingTheFirstOfThreeOntoTheThirdPutsItSecond) {
    fields.push_back(Text("A"));
    fields.push_back(Text("B"));
    fields.push_back(Text("C"));
    Begin();
    auto* view = Find<TFieldListView>("lvFields");
    EXPECT_EQ(view->dragDropMode(), QAbstractItemView::InternalMove);
    SelectLine(0);
    view->DropSelectedLine(2);
    EXPECT_EQ(Lines(),
              QStringList({"TEXT FIELD [\"B\"]", "TEXT FIELD [\"A\"]", "TEXT FIELD [\"C\"]"}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Box("eTextString")->text(), QString("A"));
    EXPECT_EQ(Find<QLabel>("lResult")->text(), QString("Result: \"BAC\""));
    // Dropped on empty space, a line goes to the end.
    SelectLine(0);
    view->DropSelectedLine(-1);
    dialog.hide();
    EXPECT_TRUE(dialog.EndEditing());
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(EvaluateAdvancedFields(fields, nullptr, false), QString("ACB"));
}

TEST_F(FAdvancedTest, ReleasingTheMouseOverTheListWithNothingSelectedSelectsTheLastLine) {
    fields.push_back(Text("A"));
    fields.push_back(Text("B"));
    Begin();
    SelectLine(0);
    const QPoint below(10, List()->viewport()->height() - 3);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      List()->visualItemRect(List()->topLevelItem(0)).center());
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(Selected(), 1);
    EXPECT_TRUE(PanelShown());
}

TEST_F(FAdvancedTest, LoadedElementsShowTheirDescriptionsPicturesAndValues) {
    fields.push_back(Text("Order "));
    auto imported = std::make_unique<TImportedField>();
    imported->FieldNumber = 2;
    imported->MinSize = 5;
    imported->PadChar = '_';
    imported->PadLeft = true;
    fields.push_back(std::move(imported));
    auto counter = std::make_unique<TSequenceField>();
    counter->CurrentValue = 7;
    counter->MinValue = 1;
    counter->MaxValue = 500;
    counter->MinSize = 3;
    counter->ResetOnPrint = true;
    fields.push_back(std::move(counter));
    fields.push_back(std::make_unique<TDateField>());
    Begin();
    EXPECT_EQ(Lines(),
              QStringList({"TEXT FIELD [\"Order \"]",
                           "IMPORTED FIELD [Field #2, Min Size=5, Pad Char=\"_\"]",
                           "SEQUENCE [007...500]", "DATE [Format=\"yyyymmdd\",20261206]"}));
    QList<QImage> pictures;
    for (int i = 0; i < 4; ++i) {
        pictures << List()->topLevelItem(i)->icon(0).pixmap(16, 16).toImage();
        for (int j = 0; j < i; ++j)
            EXPECT_NE(pictures[i], pictures[j]) << "kinds " << i << " and " << j;
    }
    SelectLine(1);
    EXPECT_EQ(Panel(), QString("pField"));
    EXPECT_EQ(Box("eFieldNumber")->text(), QString("2"));
    EXPECT_EQ(Box("eFieldSize")->text(), QString("5"));
    EXPECT_EQ(Box("ePadChar")->text(), QString("_"));
    EXPECT_TRUE(Find<QRadioButton>("rbPadLeft")->isChecked());
    SelectLine(2);
    EXPECT_EQ(Panel(), QString("pSequence"));
    EXPECT_EQ(Box("eCurrentValue")->text(), QString("7"));
    EXPECT_EQ(Box("eMinValue")->text(), QString("1"));
    EXPECT_EQ(Box("eMaxValue")->text(), QString("500"));
    EXPECT_EQ(Box("eSequenceSize")->text(), QString("3"));
    EXPECT_TRUE(Find<QCheckBox>("cbResetOnPrint")->isChecked());
    EXPECT_EQ(Find<QLabel>("lResult")->text(), QString("Result: \"Order _____00720261206\""));
}

TEST_F(FAdvancedTest, ValuesFromALabelFileAreNotCutByTheBoxLimits) {
    const QString longText(120, u'a');
    fields.push_back(std::make_unique<TTextField>(longText));
    auto imported = std::make_unique<TImportedField>();
    imported->FieldNumber = 123;
    imported->PadChar = 0; // no padding
    fields.push_back(std::move(imported));
    fields.push_back(Text("short"));
    Begin();
    SelectLine(0);
    Box("eTextString")->setFocus(Qt::TabFocusReason);
    List()->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(As<TTextField>(fields, 0).LiteralText, longText);
    SelectLine(1);
    TypeAndEnter("eFieldSize", "4");
    Box("eFieldNumber")->setFocus(Qt::TabFocusReason);
    List()->setFocus(Qt::TabFocusReason);
    const auto& field = As<TImportedField>(fields, 1);
    EXPECT_EQ(field.FieldNumber, 123);
    EXPECT_EQ(field.MinSize, 4);
    EXPECT_EQ(field.PadChar, 0);
    // Typing keeps to the limits again once an ordinary element is shown.
    SelectLine(2);
    EXPECT_EQ(Box("eTextString")->maxLength(), 99);
}
