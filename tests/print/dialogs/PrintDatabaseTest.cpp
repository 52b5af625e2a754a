#include "../../merge/SqliteFixture.h"
#include "PrintDialogTestSupport.h"
#include "merge/DataImport.h"
#include "merge/dialogs/FDataSource.h"
#include "print/CommandLine.h"
#include "print/dialogs/FPrintDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {
// The import wizard, which a database must never bring up.
class TWizardStandIn : public TTextImportDialog {
public:
    bool Execute(const QString& fileName, TTextImportSettings&, const QStringList&) override {
        Files << fileName;
        return true;
    }
    QStringList Files;
};
} // namespace

// A database as the data of a print run, chosen in the print dialog.
class PrintDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2);
        dialog.PrintDialogServices() = services.Services();
        session.SettingsChosen = [this](const TTextImportSettings& s) { stored = s; };
        shop = scratch.File("shop.db");
        MakeSqliteFile(shop, {"CREATE TABLE items (sku TEXT)", "INSERT INTO items VALUES ('A1')"});
        AddTextControl(label, TLabelKind::Imported);
        dialog.Prepare(label);
        ShowActive(&dialog);
    }
    template <class T> T* W(const char* name) { return FindIn<T>(&dialog, name); }
    QLineEdit* FileEdit() { return W<QLineEdit>("eFile"); }
    // Clicks "Database..." and lets user act in the data source dialog while it is up.
    void ChooseDatabase(const std::function<void(TFDataSource&)>& user) {
        bool shown = false;
        QTimer::singleShot(0, &dialog, [&] {
            auto* source = qobject_cast<TFDataSource*>(QApplication::activeModalWidget());
            shown = source != nullptr;
            if (!source)
                return;
            user(*source);
            if (source->isVisible())
                source->reject();
        });
        QTest::mouseClick(W<QPushButton>("DatabaseBtn"), Qt::LeftButton);
        EXPECT_TRUE(shown) << "no data source dialog";
    }
    static void Fill(TFDataSource& source, const QString& connection, const QString& query) {
        FindIn<QLineEdit>(&source, "eConnection")->setText(connection);
        FindIn<QPlainTextEdit>(&source, "eQuery")->setPlainText(query);
    }

    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TWizardStandIn wizard;
    TDataImport session{&wizard};
    std::optional<TTextImportSettings> stored;
    TLabelDocument label;
    TFPrintDlg dialog{TCommandLineOptions(), session};
    QString shop;
};

TEST_F(PrintDatabaseTest, DatabaseChosenInItsDialogIsTheRunsDataWithItsQuery) {
    EXPECT_EQ(W<QPushButton>("DatabaseBtn")->text(), "Database...");
    const QString query = QStringLiteral("SELECT sku FROM items");
    ChooseDatabase([&](TFDataSource& source) {
        Fill(source, shop, query);
        QTest::mouseClick(FindIn<QPushButton>(&source, "OkBtn"), Qt::LeftButton);
    });
    EXPECT_EQ(FileEdit()->text(), shop);
    EXPECT_EQ(session.ChosenDataFile(), shop);
    ASSERT_TRUE(stored.has_value()) << "the label keeps the query";
    EXPECT_EQ(stored->Query, query);
    EXPECT_TRUE(wizard.Files.isEmpty());

    QTest::mouseClick(W<QPushButton>("OkayBtn"), Qt::LeftButton);
    EXPECT_TRUE(services.Messages.isEmpty()) << services.Messages.join("|").toStdString();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Settings().DataFile, shop);
    EXPECT_EQ(dialog.Settings().Import.Query, query);
}

TEST_F(PrintDatabaseTest, ServerAddressIsTakenAsItIs) {
    const QString address = QStringLiteral("postgresql://ann@db.example:5432/shop");
    ChooseDatabase([&](TFDataSource& source) {
        Fill(source, address, QStringLiteral("SELECT sku FROM items"));
        QTest::mouseClick(FindIn<QPushButton>(&source, "OkBtn"), Qt::LeftButton);
    });
    ASSERT_EQ(FileEdit()->text(), address);
    // Leaving the field and printing: no file to find on the disk, no wizard.
    FileEdit()->setFocus(Qt::MouseFocusReason);
    W<QLineEdit>("ePages")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(FileEdit()->text(), address);
    QTest::mouseClick(W<QPushButton>("OkayBtn"), Qt::LeftButton);
    EXPECT_TRUE(services.Messages.isEmpty()) << services.Messages.join("|").toStdString();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(wizard.Files.isEmpty());
    EXPECT_EQ(dialog.Settings().DataFile, address);
}

TEST_F(PrintDatabaseTest, AddressTypedInTheFieldNeedsNoFile) {
    const QString address = QStringLiteral("postgresql://ann@db.example/shop");
    FileEdit()->setFocus(Qt::MouseFocusReason);
    FileEdit()->setText(address);
    W<QLineEdit>("ePages")->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(services.Messages.isEmpty()) << services.Messages.join("|").toStdString();
    EXPECT_EQ(FileEdit()->text(), address);
    EXPECT_EQ(session.ChosenDataFile(), address);
    QTest::mouseClick(W<QPushButton>("OkayBtn"), Qt::LeftButton);
    EXPECT_TRUE(services.Messages.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PrintDatabaseTest, DialogStartsFromTheChoiceAndCancelChangesNothing) {
    session.ChooseDatabase(shop, QStringLiteral("SELECT sku FROM items"), QString());
    FileEdit()->setText(shop);
    stored.reset();
    const QString other = scratch.File("other.db");
    MakeSqliteFile(other, {"CREATE TABLE t (a)"});
    services.FileAnswer = other;
    ChooseDatabase([&](TFDataSource& source) {
        EXPECT_EQ(FindIn<QLineEdit>(&source, "eConnection")->text(), shop);
        EXPECT_EQ(FindIn<QPlainTextEdit>(&source, "eQuery")->toPlainText(),
                  "SELECT sku FROM items");
        // Its file dialog is the print dialog's.
        QTest::mouseClick(FindIn<QPushButton>(&source, "ConnectionBrowseBtn"), Qt::LeftButton);
        EXPECT_EQ(FindIn<QLineEdit>(&source, "eConnection")->text(), other);
        QTest::mouseClick(FindIn<QPushButton>(&source, "CancelBtn"), Qt::LeftButton);
    });
    EXPECT_EQ(services.FileRequests.size(), 1u);
    EXPECT_EQ(FileEdit()->text(), shop);
    EXPECT_EQ(session.ChosenDataFile(), shop);
    EXPECT_FALSE(stored.has_value());
}

TEST_F(PrintDatabaseTest, BrowsingToADatabaseAsksForItsQuery) {
    services.FileAnswer = shop;
    bool asked = false;
    QTimer::singleShot(0, &dialog, [&] {
        auto* source = qobject_cast<TFDataSource*>(QApplication::activeModalWidget());
        asked = source != nullptr;
        if (!source)
            return;
        EXPECT_EQ(FindIn<QLineEdit>(source, "eConnection")->text(), shop);
        FindIn<QLineEdit>(source, "eTable")->setText(QStringLiteral("items"));
        QTest::mouseClick(FindIn<QPushButton>(source, "OkBtn"), Qt::LeftButton);
        if (source->isVisible())
            source->reject();
    });
    QTest::mouseClick(W<QPushButton>("BrowseBtn"), Qt::LeftButton);
    EXPECT_TRUE(asked) << "the data source dialog did not open";
    EXPECT_TRUE(wizard.Files.isEmpty()) << "a database went through the text wizard";
    EXPECT_EQ(FileEdit()->text(), shop);
    EXPECT_EQ(session.TextImportSettings().Table, "items");
}
