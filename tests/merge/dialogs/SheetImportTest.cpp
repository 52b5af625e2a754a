#include "../SheetTestFiles.h"
#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "merge/ImportDialog.h"
#include "merge/dialogs/FTextImport.h"
#include "platform/Errors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <functional>

// The wizard over a spreadsheet: its sheets instead of lines.
class SheetImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.MergeDialogServices() = services.Services();
        book = scratch.File(QStringLiteral("stock.xlsx"));
        ASSERT_TRUE(QFile::copy(TestDataPath(QStringLiteral("sheets/workbook.xlsx")), book));
    }

    // Opens path as the application does; user acts while the window is up, then button is
    // clicked.
    bool Open(const QString& path, const std::function<void()>& user,
              const char* button = "OkBtn") {
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(dialog.isVisible());
            user();
            QTest::mouseClick(FindIn<QPushButton>(&dialog, button), Qt::LeftButton);
            if (dialog.isVisible())
                dialog.reject();
        });
        return ExecuteImportDialog(path, settings, preview, dialog);
    }

    template <class T> T* Find(const char* name) { return FindIn<T>(&dialog, name); }
    QTableWidget* Grid() { return Find<QTableWidget>("sgPreview"); }
    QComboBox* Sheets() { return Find<QComboBox>("cbSheet"); }
    QStringList Headers() {
        QStringList headers;
        for (int c = 0; c < Grid()->columnCount(); ++c)
            headers << Grid()->horizontalHeaderItem(c)->text();
        return headers;
    }
    QString Cell(int row, int column) {
        const QTableWidgetItem* item = Grid()->item(row, column);
        return item ? item->text() : QString();
    }
    void ChooseSheet(const QString& name) {
        Sheets()->setFocus();
        const int index = Sheets()->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        // Down arrows from the first entry, as the user picks it from the closed combo box.
        Sheets()->setCurrentIndex(0);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(Sheets(), Qt::Key_Down);
    }

    TScratchFolder scratch;
    TServicesStandIn services;
    TTextImportSettings settings;
    QStringList preview;
    TFTextImport dialog;
    QString book;
};

TEST_F(SheetImportTest, ShowsTheSheetsRecordsWithTheHeadersNames) {
    EXPECT_TRUE(Open(book, [&] {
        EXPECT_EQ(Find<QLabel>("lFile")->text(), "File: stock.xlsx");
        ASSERT_TRUE(Sheets()->isVisible());
        QStringList names;
        for (int i = 0; i < Sheets()->count(); ++i)
            names << Sheets()->itemText(i);
        EXPECT_EQ(names, QStringList({"Products", "Dates", "Gaps"}));
        EXPECT_EQ(Sheets()->currentText(), "Products");
        EXPECT_TRUE(Find<QCheckBox>("cbIgnoreHeader")->isVisible());
        // Nothing of the text format applies to a sheet.
        EXPECT_FALSE(Find<QListWidget>("lbLines")->isVisible());
        EXPECT_FALSE(Find<QGroupBox>("rgImportFormat")->isVisible());
        for (const char* name : {"eSeparator", "eQuoteChar", "eColumnSize"})
            EXPECT_FALSE(Find<QLineEdit>(name)->isVisible()) << name;
        for (const char* name : {"cbLeftTrim", "cbRightTrim"})
            EXPECT_FALSE(Find<QCheckBox>(name)->isVisible()) << name;

        const QStringList headers = Headers();
        ASSERT_EQ(headers.size(), 8);
        EXPECT_EQ(headers[0], QString::fromUtf8("1 – Code"));
        EXPECT_EQ(headers[7], QString::fromUtf8("8 – Note"));
        ASSERT_EQ(Grid()->rowCount(), 5); // the header row is not a record
        EXPECT_EQ(Cell(0, 0), "4006381333931");
        EXPECT_EQ(Cell(0, 1), "Widget, large");
        EXPECT_EQ(Cell(4, 1), QString::fromUtf8("München"));
        EXPECT_FALSE(Find<QLabel>("lProblem")->isVisible());
    }));
    EXPECT_TRUE(preview.isEmpty()) << "a sheet has no text lines";
    EXPECT_EQ(settings.Table, "Products");
}

TEST_F(SheetImportTest, AnotherSheetShowsAtOnceAndIsKeptOnOk) {
    EXPECT_TRUE(Open(book, [&] {
        ChooseSheet(QStringLiteral("Gaps"));
        EXPECT_EQ(settings.Table, "Gaps");
        // Gaps: row 1 is the (empty) header, then empty rows and two rows with cells.
        ASSERT_EQ(Grid()->rowCount(), 6);
        EXPECT_EQ(Cell(1, 2), "C3");
        EXPECT_EQ(Cell(5, 0), "A7");
        EXPECT_EQ(Cell(5, 4), "5");
        EXPECT_EQ(Headers().value(0), "Field #1") << "an empty header cell names nothing";

        ChooseSheet(QStringLiteral("Dates"));
        Find<QCheckBox>("cbIgnoreHeader")->click();
        ASSERT_EQ(Grid()->rowCount(), 1) << "without a header the first row is a record";
        EXPECT_EQ(Cell(0, 0), "2024-02-29");
        EXPECT_EQ(Headers().value(0), "Field #1");
    }));
    EXPECT_EQ(settings.Table, "Dates");
    EXPECT_FALSE(settings.IgnoreHeader);
}

TEST_F(SheetImportTest, StartsOnTheSheetTheSettingsName) {
    settings.Table = QStringLiteral("dates"); // as the reader finds it: ignoring case
    Open(
        book, [&] { EXPECT_EQ(Sheets()->currentText(), "Dates"); }, "CancelBtn");
    EXPECT_EQ(settings.Table, "Dates");

    settings.Table = QStringLiteral("Gone");
    Open(book, [&] { EXPECT_EQ(Sheets()->currentText(), "Products"); });
    EXPECT_EQ(settings.Table, "Products");
}

TEST_F(SheetImportTest, TextFileAfterASheetShowsTheTextOptionsAgain) {
    Open(book, [] {});
    const QString text =
        WriteFile(scratch.File(QStringLiteral("a.csv")), "Name,Town\r\nAda,Leeds\r\n");
    EXPECT_TRUE(Open(text, [&] {
        EXPECT_FALSE(Sheets()->isVisible());
        EXPECT_TRUE(Find<QListWidget>("lbLines")->isVisible());
        EXPECT_TRUE(Find<QGroupBox>("rgImportFormat")->isVisible());
        EXPECT_TRUE(Find<QLineEdit>("eQuoteChar")->isVisible());
        EXPECT_EQ(Headers(), QStringList({"Field #1", "Field #2"}));
        EXPECT_EQ(Cell(0, 1), "Leeds");
    }));
}

TEST_F(SheetImportTest, BrokenSpreadsheetIsReportedBeforeTheWizardShows) {
    const QString bad = WriteFile(scratch.File(QStringLiteral("bad.xlsx")), "Name,Town\r\n");
    bool shown = false;
    QTimer::singleShot(0, &dialog, [&] {
        shown = dialog.isVisible();
        dialog.reject();
    });
    EXPECT_THROW(ExecuteImportDialog(bad, settings, preview, dialog), TUserError);
    QTest::qWait(0);
    EXPECT_FALSE(shown);
}

TEST_F(SheetImportTest, SessionStoresTheChosenSheetWithTheLabel) {
    TDataImport session(&dialog);
    std::optional<TTextImportSettings> stored;
    session.SettingsChosen = [&](const TTextImportSettings& s) { stored = s; };
    QTimer::singleShot(0, &dialog, [&] {
        ChooseSheet(QStringLiteral("Dates"));
        QTest::mouseClick(Find<QPushButton>("OkBtn"), Qt::LeftButton);
    });
    ASSERT_TRUE(session.ChooseDataFile(book));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->Table, "Dates");
    EXPECT_EQ(session.ChosenDataFile(), book);
}

TEST_F(SheetImportTest, SheetThatCannotBeReadSaysWhyInTheWindow) {
    // The book lists two sheets; the second one's part is no XML.
    TParts parts = XlsxParts({{"Good", "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>Code</t>"
                                       "</is></c></row>"},
                              {"Bad", ""}});
    for (auto& [name, bytes] : parts)
        if (name == "xl/worksheets/sheet2.xml")
            bytes = "<worksheet><sheetData><row";
    const QString path = WriteZip(scratch.File(QStringLiteral("mixed.xlsx")), parts);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(Open(path, [&] {
        EXPECT_FALSE(Find<QLabel>("lProblem")->isVisible());
        ChooseSheet(QStringLiteral("Bad"));
        EXPECT_TRUE(Find<QLabel>("lProblem")->isVisible());
        EXPECT_TRUE(Find<QLabel>("lProblem")->text().contains("mixed.xlsx"))
            << Find<QLabel>("lProblem")->text().toStdString();
        EXPECT_EQ(Grid()->rowCount(), 0) << "nothing of the other sheet stays";
        EXPECT_EQ(Grid()->columnCount(), 0);
        ChooseSheet(QStringLiteral("Good"));
        EXPECT_FALSE(Find<QLabel>("lProblem")->isVisible());
        EXPECT_EQ(Headers().value(0), QString::fromUtf8("1 – Code"));
    }));
}
