#include "../SqliteFixture.h"
#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "merge/dialogs/FAdvanced.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

namespace {
// Confirms the wizard without showing it.
class TWizardYes : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override { return true; }
};
} // namespace

// Imported fields found by their column's name, chosen in the field editor.
class FieldByNameTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.MergeDialogServices() = services.Services();
        book = scratch.File(QStringLiteral("stock.xlsx"));
        ASSERT_TRUE(QFile::copy(TestDataPath(QStringLiteral("sheets/workbook.xlsx")), book));
    }
    void TearDown() override {
        dialog.hide();
        dialog.EndEditing();
    }
    void Begin(int number, const QString& name = {}) {
        auto field = std::make_unique<TImportedField>();
        field->FieldNumber = number;
        field->FieldName = name;
        fields.push_back(std::move(field));
        dialog.BeginEditing(fields);
        ShowActive(&dialog);
        QTreeWidget* list = FindIn<QTreeWidget>(&dialog, "lvFields");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(0)).center());
    }
    TImportedField& Field() { return dynamic_cast<TImportedField&>(*fields.front()); }
    QCheckBox* ByName() { return FindIn<QCheckBox>(&dialog, "cbByName"); }
    QString ShownName() { return FindIn<QLabel>(&dialog, "lFieldName")->text(); }
    QString Line() { return FindIn<QTreeWidget>(&dialog, "lvFields")->topLevelItem(0)->text(0); }
    void ClickByName() {
        QTest::mouseClick(ByName(), Qt::LeftButton, {}, QPoint(6, ByName()->height() / 2));
    }
    void TypeNumber(const QString& number) {
        QLineEdit* box = FindIn<QLineEdit>(&dialog, "eFieldNumber");
        box->setFocus(Qt::TabFocusReason);
        box->selectAll();
        QTest::keyClicks(box, number);
        QTest::keyClick(box, Qt::Key_Return);
    }

    TScratchFolder scratch;
    TServicesStandIn services;
    TWizardYes wizard;
    TDataImport session{&wizard};
    TFieldList fields;
    TFAdvanced dialog{session};
    QString book;
};

TEST_F(FieldByNameTest, SheetsHeaderNamesTheColumnAndIsKeptWhenAsked) {
    ASSERT_TRUE(session.ChooseDataFile(book)); // the first sheet, Products, with its header row
    Begin(2);
    EXPECT_EQ(ShownName(), "Name") << "known from the session's data, before any preview";
    EXPECT_EQ(ByName()->text(), "Find the column by its name");
    EXPECT_FALSE(ByName()->isChecked());

    ClickByName();
    EXPECT_EQ(Field().FieldName, "Name");
    EXPECT_EQ(Line(), "IMPORTED FIELD [Field #2 \"Name\", Min Size=0, Pad Char=\" \"]");

    TypeNumber(QStringLiteral("3"));
    EXPECT_EQ(ShownName(), "Price");
    EXPECT_EQ(Field().FieldName, "Price") << "the name follows the number";

    ClickByName();
    EXPECT_TRUE(Field().FieldName.isEmpty());
    EXPECT_EQ(Field().FieldNumber, 3);
    EXPECT_EQ(Line(), "IMPORTED FIELD [Field #3, Min Size=0, Pad Char=\" \"]");
}

TEST_F(FieldByNameTest, AnotherSheetOfTheSameFileNamesItsOwnColumns) {
    ASSERT_TRUE(session.ChooseDataFile(book));
    Begin(2);
    ASSERT_EQ(ShownName(), "Name");
    dialog.hide();
    dialog.EndEditing();
    // The same file again with its third sheet, as a review in the print dialog leaves it.
    session.TextImportSettings().Table = QStringLiteral("Gaps");
    session.TextImportSettings().IgnoreHeader = false;
    dialog.BeginEditing(fields);
    ShowActive(&dialog);
    EXPECT_TRUE(ShownName().isEmpty()) << "the names of the sheet shown before";
}

TEST_F(FieldByNameTest, NamedFieldShowsCheckedAndKeepsItsNameWithoutData) {
    Begin(4, QStringLiteral("Town"));
    EXPECT_TRUE(ByName()->isChecked());
    EXPECT_TRUE(ShownName().isEmpty());
    EXPECT_EQ(Line(), "IMPORTED FIELD [Field #4 \"Town\", Min Size=0, Pad Char=\" \"]");
    // No data chosen: nothing to look the name up in, so the one it has stays.
    TypeNumber(QStringLiteral("5"));
    EXPECT_EQ(Field().FieldNumber, 5);
    EXPECT_EQ(Field().FieldName, "Town");
}

TEST_F(FieldByNameTest, NumberBeyondTheHeaderKeepsNoName) {
    ASSERT_TRUE(session.ChooseDataFile(book));
    Begin(1, QStringLiteral("Code"));
    ASSERT_TRUE(ByName()->isChecked());
    TypeNumber(QStringLiteral("12"));
    EXPECT_TRUE(ShownName().isEmpty());
    EXPECT_TRUE(Field().FieldName.isEmpty()) << "a stale name would win over the number";
}

TEST_F(FieldByNameTest, DatabaseColumnsNameTheFields) {
    const QString shop = scratch.File(QStringLiteral("shop.db"));
    MakeSqliteFile(shop, {"CREATE TABLE items (sku TEXT, town TEXT)",
                          "INSERT INTO items VALUES ('A1', 'Leeds')"});
    session.ChooseDatabase(shop, QStringLiteral("SELECT town, sku FROM items"), QString());
    Begin(2);
    EXPECT_EQ(ShownName(), "sku");
    ClickByName();
    EXPECT_EQ(Field().FieldName, "sku");
}
