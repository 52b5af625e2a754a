#include "merge/dialogs/FTextImport.h"
#include "DialogTestSupport.h"
#include "TestSupport.h"
#include "merge/ImportDialog.h"
#include "merge/dialogs/MergeDialogTexts.h"

#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>

#include <functional>

namespace {
// A comma file with a header line; the second record quotes a comma.
const QByteArray kOrders = "Name,Town,Order\r\n"
                           "Ada Okafor,Springfield,ORD1\r\n"
                           "Bruno,\"Ashford, Kent\",ORD2\r\n";
} // namespace

class FTextImportTest : public ::testing::Test {
protected:
    void SetUp() override { dialog.MergeDialogServices() = services.Services(); }
    QString File(const char* name, const QByteArray& bytes) {
        return WriteFile(scratch.File(QString::fromLatin1(name)), bytes);
    }

    // Opens path as the application does; user acts while the window is up, then button is
    // clicked. Returns what the opening returned.
    bool Open(const QString& path, const std::function<void()>& user = {},
              const char* button = "OkBtn") {
        bool shown = false;
        QTimer::singleShot(0, &dialog, [&] {
            shown = dialog.isVisible();
            if (user)
                user();
            QTest::mouseClick(FindIn<QPushButton>(&dialog, button), Qt::LeftButton);
            if (dialog.isVisible())
                dialog.reject(); // never leave a test waiting on the window
        });
        const bool confirmed = ExecuteImportDialog(path, settings, preview, dialog);
        EXPECT_TRUE(shown);
        return confirmed;
    }

    template <class T> T* Find(const char* name) { return FindIn<T>(&dialog, name); }
    QTableWidget* Grid() { return Find<QTableWidget>("sgPreview"); }
    void Click(const char* name) {
        QAbstractButton* button = Find<QAbstractButton>(name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    void TypeInto(const char* name, const QString& text) {
        QLineEdit* edit = Find<QLineEdit>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QStringList Headers() {
        QStringList headers;
        for (int c = 0; c < Grid()->columnCount(); ++c)
            headers << Grid()->horizontalHeaderItem(c)->text();
        return headers;
    }
    QStringList Row(int row) {
        QStringList cells;
        for (int c = 0; c < Grid()->columnCount(); ++c)
            cells << (Grid()->item(row, c) ? Grid()->item(row, c)->text() : QString());
        return cells;
    }
    // A right click at the middle of a grid cell (row -1: the header cell).
    void RightClick(int row, int column) {
        QHeaderView* header = Grid()->horizontalHeader();
        const int x = header->sectionViewportPosition(column) + header->sectionSize(column) / 2;
        QWidget* target = row < 0 ? header->viewport() : Grid()->viewport();
        const int y = row < 0 ? header->height() / 2
                              : Grid()->rowViewportPosition(row) + Grid()->rowHeight(row) / 2;
        RightClickAt(target, QPoint(x, y));
    }
    void RightClickAt(QWidget* target, QPoint at) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
    }
    QMenu* Menu() { return Find<QMenu>("pmColumns"); }
    void Choose(const char* item) {
        ASSERT_TRUE(Menu()->isVisible());
        Find<QAction>(item)->trigger();
        Menu()->hide();
    }

    TScratchFolder scratch;
    TServicesStandIn services;
    TTextImportSettings settings;
    QStringList preview;
    TFTextImport dialog;
};

TEST_F(FTextImportTest, ShowsTheFileItsLinesAndTheirFieldsInAMonospaceGrid) {
    const QString path = File("orders.csv", kOrders);
    EXPECT_TRUE(Open(path, [&] {
        EXPECT_EQ(dialog.windowTitle(), QString("Text Import Wizard"));
        EXPECT_EQ(dialog.minimumSize(), QSize(500, 350));
        EXPECT_FALSE(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_EQ(Find<QLabel>("lFile")->text(), QString("File: orders.csv"));
        QListWidget* lines = Find<QListWidget>("lbLines");
        ASSERT_EQ(lines->count(), 3);
        EXPECT_EQ(lines->item(2)->text(), QString("Bruno,\"Ashford, Kent\",ORD2"));

        EXPECT_EQ(QFontInfo(Grid()->font()).family(), QString("Liberation Mono"));
        EXPECT_EQ(Headers(), QStringList({"Field #1", "Field #2", "Field #3"}));
        ASSERT_EQ(Grid()->rowCount(), 2); // the header line is skipped
        EXPECT_EQ(Row(0), QStringList({"Ada Okafor", "Springfield", "ORD1"}));
        EXPECT_EQ(Row(1), QStringList({"Bruno", "Ashford, Kent", "ORD2"}));
        EXPECT_EQ(Grid()->rowHeight(0), 20);
        // Widths follow the widest text of each column, header included, plus 10 pixels.
        const QFontMetrics metrics(Grid()->font());
        const auto chars = [&](int n) { return metrics.horizontalAdvance(QString(n, u'x')) + 10; };
        EXPECT_EQ(Grid()->columnWidth(0), chars(10));
        EXPECT_EQ(Grid()->columnWidth(1), chars(13));
        EXPECT_EQ(Grid()->columnWidth(2), chars(8));
        EXPECT_TRUE(Grid()->toolTip().isEmpty()); // the hint belongs to the fixed field format
    }));
}

TEST_F(FTextImportTest, CsvFilesChooseCommaEachTimeOtherExtensionsKeepTheChoice) {
    const QString csv = File("orders.csv", kOrders);
    const QString other = File("orders.xyz", kOrders);
    Open(csv, [&] {
        EXPECT_TRUE(Find<QRadioButton>("rbCommaDelimited")->isChecked());
        Click("rbTabDelimited");
        EXPECT_EQ(settings.ImportFormat, TImportFormat::TabDelimited);
        EXPECT_EQ(Grid()->columnCount(), 1); // no tabs in the lines
    });
    Open(csv, [&] { EXPECT_TRUE(Find<QRadioButton>("rbCommaDelimited")->isChecked()); });
    Open(csv, [&] { Click("rbTabDelimited"); });
    Open(other, [&] { EXPECT_TRUE(Find<QRadioButton>("rbTabDelimited")->isChecked()); });
    EXPECT_EQ(settings.ImportFormat, TImportFormat::TabDelimited);
}

TEST_F(FTextImportTest, SeparatorBoxFollowsTheFormatAndTheCustomOneStartsFromAComma) {
    const QString path = File("orders.csv", "a;b,c\r\nd;e,f\r\n");
    Open(path, [&] {
        QLineEdit* separator = Find<QLineEdit>("eSeparator");
        EXPECT_EQ(separator->text(), QString(","));
        EXPECT_TRUE(separator->isReadOnly());
        EXPECT_EQ(separator->maxLength(), 1);
        EXPECT_EQ(separator->palette().color(QPalette::Text), QColor(Qt::gray));
        Click("rbTabDelimited");
        EXPECT_EQ(separator->text(), QString("tab"));
        EXPECT_TRUE(separator->isReadOnly());
        EXPECT_EQ(separator->maxLength(), 3);
        Click("rbCustomDelimiter");
        EXPECT_EQ(separator->text(), QString(","));
        EXPECT_FALSE(separator->isReadOnly());
        EXPECT_EQ(separator->palette().color(QPalette::Text), QColor(Qt::black));
        TypeInto("eSeparator", ";");
        EXPECT_EQ(settings.Separator, QString(";"));
        EXPECT_EQ(Row(0), QStringList({"d", "e,f"}));
        Click("rbCommaDelimited");
        Click("rbCustomDelimiter");
        EXPECT_EQ(separator->text(), QString(","));
        EXPECT_EQ(settings.Separator, QString(","));
        TypeInto("eSeparator", ";");
    });
    // Opened again while the custom delimiter is chosen: the typed separator is not offered.
    const QString dat = File("orders.dat", "a;b,c\r\nd;e,f\r\n");
    Open(dat, [&] {
        EXPECT_TRUE(Find<QRadioButton>("rbCustomDelimiter")->isChecked());
        EXPECT_EQ(Find<QLineEdit>("eSeparator")->text(), QString(","));
        EXPECT_EQ(Row(0), QStringList({"d;e", "f"}));
    });
    EXPECT_EQ(settings.Separator, QString(","));
}

TEST_F(FTextImportTest, BoxesShownInTheDelimitedAndTheFixedFieldFormats) {
    const QString path = File("orders.csv", kOrders);
    Open(path, [&] {
        const char* delimited[] = {"lSeparator", "eSeparator", "lQuoteChar", "eQuoteChar"};
        const char* fixed[] = {"lColumnSize", "eColumnSize", "cbLeftTrim", "cbRightTrim"};
        for (const char* name : delimited)
            EXPECT_TRUE(Find<QWidget>(name)->isVisible()) << name;
        for (const char* name : fixed)
            EXPECT_FALSE(Find<QWidget>(name)->isVisible()) << name;
        Click("rbFixedField");
        for (const char* name : delimited)
            EXPECT_FALSE(Find<QWidget>(name)->isVisible()) << name;
        for (const char* name : fixed)
            EXPECT_TRUE(Find<QWidget>(name)->isVisible()) << name;
        EXPECT_EQ(Grid()->toolTip(), QString("Right Click on Cell to Insert/Delete Columns"));
        EXPECT_TRUE(Find<QCheckBox>("cbIgnoreHeader")->isVisible());
        EXPECT_EQ(Find<QCheckBox>("cbIgnoreHeader")->text(),
                  QString("Ignore First Line (Column Header)"));
        EXPECT_EQ(Find<QLabel>("lColumnSize")->text(), QString("Column Size:"));
        EXPECT_EQ(Find<QLineEdit>("eColumnSize")->text(), QString("10"));
        EXPECT_EQ(Find<QLineEdit>("eColumnSize")->maxLength(), 2);
    });
}

TEST_F(FTextImportTest, QuoteHeaderAndTrimChangesRefreshTheGrid) {
    const QString path = File("orders.csv", kOrders);
    Open(path, [&] {
        TypeInto("eQuoteChar", "'");
        EXPECT_EQ(settings.QuoteChar, QString("'"));
        EXPECT_EQ(Row(1), QStringList({"Bruno", "\"Ashford", " Kent\""}));
        Find<QLineEdit>("eQuoteChar")->selectAll();
        QTest::keyClick(Find<QLineEdit>("eQuoteChar"), Qt::Key_Backspace);
        EXPECT_TRUE(settings.QuoteChar.isEmpty());
        Click("cbIgnoreHeader");
        EXPECT_FALSE(settings.IgnoreHeader);
        ASSERT_EQ(Grid()->rowCount(), 3);
        EXPECT_EQ(Row(0), QStringList({"Name", "Town", "Order"}));
    });
    const QString prn = File("people.prn", "  Ada     Okafor  \r\n  Ada     Okafor  \r\n");
    Open(prn, [&] {
        TypeInto("eColumnSize", "8");
        EXPECT_EQ(Row(0), QStringList({"Ada"}));
        Click("cbLeftTrim");
        EXPECT_FALSE(settings.TrimLeft);
        EXPECT_EQ(Row(0), QStringList({"  Ada"}));
        Click("cbRightTrim");
        EXPECT_EQ(Row(0), QStringList({"  Ada   "}));
    });
}

TEST_F(FTextImportTest, FixedFieldStartsFromOneColumnAsWideAsTheLongestLine) {
    const QString path = File("orders.csv", kOrders);
    settings.ColumnSizes = {3, 4};
    Open(path, [&] {
        Click("rbFixedField");
        EXPECT_EQ(settings.ColumnSizes, QList<int>({27})); // "Ada Okafor,Springfield,ORD1"
        EXPECT_EQ(Headers(), QStringList({"Field #1"}));
        EXPECT_EQ(Row(0), QStringList({"Ada Okafor,Springfield,ORD1"}));
    });
    const QString shortLines = File("short.prn", "abc\r\nde\r\n");
    Open(shortLines, [&] { EXPECT_EQ(settings.ColumnSizes, QList<int>({10})); });
    // Every opening in the fixed field format starts again from one column.
    settings.ColumnSizes = {2, 2};
    Open(File("short.xyz", "abc\r\nde\r\n"), [&] {
        EXPECT_EQ(settings.ColumnSizes, QList<int>({10}));
        EXPECT_EQ(Row(0), QStringList({"de"}));
    });
}

TEST_F(FTextImportTest, ASingleLineUnderTheHeaderCheckShowsOnlyTheHeaderRow) {
    const QString path = File("header.csv", "Name,Town,Order\r\n");
    Open(path, [&] {
        EXPECT_EQ(Headers(), QStringList({"Field #1", "Field #2", "Field #3"}));
        EXPECT_EQ(Grid()->rowCount(), 0);
        Click("cbIgnoreHeader");
        EXPECT_EQ(Grid()->rowCount(), 1);
    });
    const QString empty = File("empty.csv", "");
    Open(empty, [&] {
        EXPECT_EQ(Grid()->columnCount(), 0);
        EXPECT_EQ(Grid()->rowCount(), 0);
    });
}

TEST_F(FTextImportTest, ColumnSizeBoxTakesSizesOfTwoAndMoreForTheSelectedColumn) {
    const QString path = File("codes.prn", "0123456789ABCDEFGHIJ\r\n0123456789ABCDEFGHIJ\r\n");
    Open(path, [&] {
        QLineEdit* size = Find<QLineEdit>("eColumnSize");
        size->clear();
        QTest::keyClicks(size, "1");
        EXPECT_EQ(settings.ColumnSizes, QList<int>({20}));
        QTest::keyClicks(size, "2");
        EXPECT_EQ(settings.ColumnSizes, QList<int>({12}));
        EXPECT_EQ(Row(0), QStringList({"0123456789AB"}));
        // Only digits are typed into the box.
        size->clear();
        QTest::keyClicks(size, "x1-");
        EXPECT_EQ(size->text(), QString("1"));
        EXPECT_EQ(settings.ColumnSizes, QList<int>({12}));
    });
}

TEST_F(FTextImportTest, ContextMenuInsertsAndDeletesColumnsInTheFixedFieldFormat) {
    const QString path = File("codes.prn", "header\r\n0123456789ABCDEFGHIJ\r\n");
    Open(path, [&] {
        // Right click on the second data cell of the only column, then insert a 4 before it.
        services.InputAnswers = {QString("4")};
        RightClick(0, 0);
        Choose("miInsertColumn");
        ASSERT_EQ(services.Inputs.size(), 1u);
        EXPECT_EQ(services.Inputs[0].Caption, QString("Insert Column"));
        EXPECT_EQ(services.Inputs[0].Prompt, QString("Enter column size"));
        EXPECT_EQ(settings.ColumnSizes, QList<int>({4, 20}));
        EXPECT_EQ(Row(0), QStringList({"0123", "456789ABCDEFGHIJ"}));

        // Selecting a cell shows its column's size; that is no edit.
        Grid()->setCurrentCell(0, 1);
        EXPECT_EQ(Find<QLineEdit>("eColumnSize")->text(), QString("20"));
        EXPECT_EQ(settings.ColumnSizes, QList<int>({4, 20}));

        // An answer that is no number counts as 1; cancelling, 0 and below insert nothing.
        services.InputAnswers = {QString("many"), std::nullopt, QString("0"), QString("-3")};
        RightClick(-1, 1);
        EXPECT_EQ(dialog.SelectedColumn(), 1);
        Choose("miInsertColumn");
        EXPECT_EQ(settings.ColumnSizes, QList<int>({4, 1, 20}));
        for (int i = 0; i < 3; ++i) {
            RightClick(0, 0);
            Choose("miInsertColumn");
        }
        EXPECT_EQ(settings.ColumnSizes, QList<int>({4, 1, 20}));

        RightClick(0, 1);
        Choose("miDeleteColumn");
        RightClick(0, 0);
        Choose("miDeleteColumn");
        EXPECT_EQ(settings.ColumnSizes, QList<int>({20}));
        RightClick(0, 0);
        Choose("miDeleteColumn"); // the last column stays
        EXPECT_EQ(settings.ColumnSizes, QList<int>({20}));
        EXPECT_EQ(Headers(), QStringList({"Field #1"}));

        // To the right of the last column nothing happens.
        RightClickAt(Grid()->viewport(), QPoint(Grid()->viewport()->width() - 2, 5));
        EXPECT_FALSE(Menu()->isVisible());
    });
}

TEST_F(FTextImportTest, DelimitedFormatsOpenNoMenuAndBorderDragsKeepTheSizes) {
    const QString path = File("orders.csv", kOrders);
    Open(path, [&] {
        RightClick(0, 0);
        EXPECT_FALSE(Menu()->isVisible());
        Click("rbFixedField");
        const QList<int> sizes = settings.ColumnSizes;
        Grid()->horizontalHeader()->resizeSection(0, 300);
        EXPECT_EQ(settings.ColumnSizes, sizes);
        EXPECT_EQ(Grid()->columnWidth(0), 300);
    });
}

TEST_F(FTextImportTest, OkAndCancelBothKeepTheChangedSettings) {
    const QString path = File("orders.txt", kOrders);
    EXPECT_FALSE(Open(
        path, [&] { Click("rbCommaDelimited"); }, "CancelBtn"));
    EXPECT_EQ(settings.ImportFormat, TImportFormat::CommaDelimited);
    EXPECT_TRUE(Open(File("orders.xyz", kOrders), [&] {
        EXPECT_TRUE(Find<QRadioButton>("rbCommaDelimited")->isChecked());
        Click("cbIgnoreHeader");
    }));
    EXPECT_FALSE(settings.IgnoreHeader);
    EXPECT_TRUE(Open(File("orders.xyz", kOrders), [&] {
        EXPECT_FALSE(Find<QCheckBox>("cbIgnoreHeader")->isChecked());
        EXPECT_EQ(Grid()->rowCount(), 3);
    }));
}
