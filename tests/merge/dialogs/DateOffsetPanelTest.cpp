#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "merge/FieldEvaluation.h"
#include "merge/dialogs/FAdvanced.h"
#include "merge/dialogs/FieldEdit.h"

#include <QAction>
#include <QLabel>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTreeWidget>

// The date panel's "Add months" and "Add days" boxes, and the example that follows them.

namespace {
TDateSource ClockAt(QDate date) {
    return {[date] { return QDateTime(date, QTime(8, 15)); }, QLocale::c()};
}

std::unique_ptr<TDateField> Date(int32_t months, int32_t days) {
    auto date = std::make_unique<TDateField>();
    date->DateFormat = "dd/mm/yyyy";
    date->AddMonths = months;
    date->AddDays = days;
    return date;
}
} // namespace

class DateOffsetPanel : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.SetDateSource(ClockAt(QDate(2026, 1, 8)));
        dialog.MergeDialogServices() = services.Services();
    }
    void Begin() {
        dialog.BeginEditing(fields);
        ShowActive(&dialog);
    }

    template <class T> T* Find(const char* name) { return FindIn<T>(&dialog, name); }
    QSpinBox* Months() { return Find<QSpinBox>("sbAddMonths"); }
    QSpinBox* Days() { return Find<QSpinBox>("sbAddDays"); }
    QString Example() { return Find<QLabel>("lDateExample")->text(); }
    QString Line(int line) { return Find<QTreeWidget>("lvFields")->topLevelItem(line)->text(0); }
    void SelectLine(int line) {
        auto* list = Find<QTreeWidget>("lvFields");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(line)).center());
    }
    // Replaces a number box's text by typing, as the user does.
    void Type(QSpinBox* box, const QString& text) {
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, text);
    }
    const TDateField& DateAt(size_t i) { return dynamic_cast<const TDateField&>(*fields.at(i)); }

    TServicesStandIn services;
    TFieldList fields;
    TDataImport import;
    TFAdvanced dialog{import};
};

TEST_F(DateOffsetPanel, TheDatePanelHoldsBothOffsetsAtZero) {
    Begin();
    Find<QAction>("acAddDate")->trigger();
    ASSERT_EQ(Find<QStackedWidget>("pEdit")->currentWidget()->objectName(), QString("pDate"));
    EXPECT_TRUE(Months()->isVisible());
    EXPECT_TRUE(Days()->isVisible());
    EXPECT_EQ(Months()->value(), 0);
    EXPECT_EQ(Days()->value(), 0);
    EXPECT_EQ(Example(), QString("Example: 20260108"));
    EXPECT_EQ(Line(0), QString("DATE [Format=\"yyyymmdd\",20260108]"));
    // The boxes take whole numbers within a hundred years either way.
    Type(Days(), "-99999");
    EXPECT_GE(Days()->value(), -36500);
    EXPECT_LT(Days()->value(), 0);
    EXPECT_EQ(DateAt(0).AddDays, Days()->value());
}

TEST_F(DateOffsetPanel, TypingAnOffsetStoresItAndUpdatesTheExampleAndTheLine) {
    Begin();
    Find<QAction>("acAddDate")->trigger();
    Type(Days(), "30");
    EXPECT_EQ(DateAt(0).AddDays, 30);
    EXPECT_EQ(Example(), QString("Example: 20260108 + 30 days = 20260207"));
    EXPECT_EQ(Line(0), QString("DATE [Format=\"yyyymmdd\", Add Days=30,20260207]"));
    EXPECT_EQ(Find<QLabel>("lResult")->text(), QString("Result: \"20260207\""));

    Type(Months(), "-1");
    EXPECT_EQ(DateAt(0).AddMonths, -1);
    EXPECT_EQ(Example(), QString("Example: 20260108 - 1 month + 30 days = 20260107"));

    // The example follows the format as it is typed.
    auto* format = Find<TFieldEdit>("eDateFormat");
    format->setFocus(Qt::TabFocusReason);
    format->selectAll();
    QTest::keyClicks(format, "dd/mm/yy");
    EXPECT_EQ(Example(), QString("Example: 08/01/26 - 1 month + 30 days = 07/01/26"));
    EXPECT_EQ(EvaluateAdvancedFields(fields, nullptr, false, ClockAt(QDate(2026, 1, 8))),
              QString("07/01/26"));
}

TEST_F(DateOffsetPanel, SelectingADateShowsItsOffsetsAndNewDatesTakeTheBoxes) {
    fields.push_back(Date(1, 0));
    fields.push_back(Date(0, 0));
    dialog.SetDateSource(ClockAt(QDate(2027, 1, 31)));
    Begin();
    EXPECT_EQ(Line(0), QString("DATE [Format=\"dd/mm/yyyy\", Add Months=1,28/02/2027]"));
    SelectLine(0);
    EXPECT_EQ(Months()->value(), 1);
    EXPECT_EQ(Days()->value(), 0);
    EXPECT_EQ(Example(), QString("Example: 31/01/2027 + 1 month = 28/02/2027"));
    SelectLine(1);
    EXPECT_EQ(Months()->value(), 0);
    EXPECT_EQ(Example(), QString("Example: 31/01/2027"));
    // Loading a line changed nothing in the elements.
    EXPECT_EQ(DateAt(0).AddMonths, 1);
    EXPECT_EQ(DateAt(1).AddMonths, 0);

    Type(Days(), "14");
    Find<QAction>("acAddDate")->trigger();
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(DateAt(2).AddDays, 14);
    EXPECT_EQ(DateAt(2).AddMonths, 0);
    EXPECT_EQ(DateAt(0).AddDays, 0);
}
