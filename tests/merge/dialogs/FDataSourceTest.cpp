#include "merge/dialogs/FDataSource.h"
#include "../SqliteFixture.h"
#include "DialogTestSupport.h"
#include "TestSupport.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

class FDataSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.MergeDialogServices() = services.Services();
        shop = scratch.File(QStringLiteral("shop.db"));
        QStringList statements = {"CREATE TABLE items (sku TEXT, town TEXT)"};
        for (int i = 1; i <= 12; ++i)
            statements << QStringLiteral("INSERT INTO items VALUES ('S%1', 'Town %1')").arg(i);
        MakeSqliteFile(shop, statements);
    }
    template <class T> T* Find(const char* name) { return FindIn<T>(&dialog, name); }
    void Type(const char* name, const QString& text) {
        QLineEdit* edit = Find<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void TypeQuery(const QString& text) {
        QPlainTextEdit* edit = Find<QPlainTextEdit>("eQuery");
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void Click(const char* name) { QTest::mouseClick(Find<QPushButton>(name), Qt::LeftButton); }
    QTableWidget* Grid() { return Find<QTableWidget>("gPreview"); }
    QString Message() {
        QLabel* line = Find<QLabel>("lMessage");
        return line->isVisible() ? line->text() : QString();
    }

    TScratchFolder scratch;
    TServicesStandIn services;
    TFDataSource dialog;
    QString shop;
};

TEST_F(FDataSourceTest, PreviewShowsColumnNamesAndTheFirstTenRows) {
    dialog.Load({});
    ShowActive(&dialog);
    EXPECT_EQ(dialog.windowTitle(), "Data Source");
    EXPECT_TRUE(Find<QLineEdit>("eConnection")->placeholderText().contains("PGPASSWORD"));
    EXPECT_TRUE(Find<QLineEdit>("eConnection")->placeholderText().contains("~/.pgpass"));
    Type("eConnection", shop);
    TypeQuery(QStringLiteral("SELECT town AS Town, sku FROM items ORDER BY rowid"));
    Click("PreviewBtn");
    EXPECT_TRUE(Message().isEmpty()) << Message().toStdString();
    ASSERT_EQ(Grid()->columnCount(), 2);
    EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text(), "Town");
    EXPECT_EQ(Grid()->horizontalHeaderItem(1)->text(), "sku");
    ASSERT_EQ(Grid()->rowCount(), 10);
    EXPECT_EQ(Grid()->item(0, 0)->text(), "Town 1");
    EXPECT_EQ(Grid()->item(9, 1)->text(), "S10");

    // A table read whole when the query is empty.
    TypeQuery(QString());
    Find<QPlainTextEdit>("eQuery")->clear();
    Type("eTable", QStringLiteral("items"));
    Click("PreviewBtn");
    EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text(), "sku");
}

TEST_F(FDataSourceTest, FailuresShowInTheWindowAndEmptyTheGrid) {
    dialog.Load({shop, QStringLiteral("SELECT sku FROM items"), QString()});
    ShowActive(&dialog);
    Click("PreviewBtn");
    ASSERT_EQ(Grid()->rowCount(), 10);
    TypeQuery(QStringLiteral("SELECT price FROM items"));
    Click("PreviewBtn");
    EXPECT_TRUE(Message().contains("price")) << Message().toStdString();
    EXPECT_EQ(Grid()->rowCount(), 0);
    EXPECT_EQ(Grid()->columnCount(), 0);

    Type("eConnection", scratch.File(QStringLiteral("missing.db")));
    Click("PreviewBtn");
    EXPECT_TRUE(Message().contains("missing.db")) << Message().toStdString();
    EXPECT_TRUE(services.Errors.isEmpty() && services.Messages.isEmpty()) << "no box pops up";
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(FDataSourceTest, OkNeedsAConnectionAndAQueryOrTable) {
    TDataSourceChoice choice;
    QTimer::singleShot(0, &dialog, [&] {
        Click("OkBtn");
        EXPECT_TRUE(dialog.isVisible()) << "nothing to read yet";
        EXPECT_FALSE(Message().isEmpty());
        Type("eConnection", shop);
        Click("OkBtn");
        EXPECT_TRUE(dialog.isVisible()) << "neither query nor table";
        Type("eTable", QStringLiteral(" items "));
        Click("OkBtn");
        if (dialog.isVisible())
            dialog.reject();
    });
    ASSERT_TRUE(dialog.Execute(choice));
    EXPECT_EQ(choice.Connection, shop);
    EXPECT_EQ(choice.Table, "items");
    EXPECT_TRUE(choice.Query.isEmpty());
}

TEST_F(FDataSourceTest, BrowsePutsTheFileInTheConnectionCancelKeepsTheChoice) {
    TDataSourceChoice choice{QStringLiteral("postgresql://ann@db:5432/shop"),
                             QStringLiteral("SELECT 1"), QString()};
    services.FileAnswer = shop;
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_EQ(Find<QLineEdit>("eConnection")->text(), "postgresql://ann@db:5432/shop");
        EXPECT_EQ(Find<QPlainTextEdit>("eQuery")->toPlainText(), "SELECT 1");
        Click("ConnectionBrowseBtn");
        EXPECT_EQ(Find<QLineEdit>("eConnection")->text(), shop);
        Click("CancelBtn");
    });
    EXPECT_FALSE(dialog.Execute(choice));
    ASSERT_EQ(services.FileRequests.size(), 1u);
    EXPECT_EQ(services.FileRequests[0].InitialName, "postgresql://ann@db:5432/shop");
    EXPECT_EQ(choice.Connection, "postgresql://ann@db:5432/shop");
}
