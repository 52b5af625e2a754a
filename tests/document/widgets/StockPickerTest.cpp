#include "TestSupport.h"
#include "document/LabelStockPicture.h"
#include "document/StockLibrary.h"
#include "document/widgets/FLabelSettings.h"
#include "document/widgets/FStockPicker.h"
#include "platform/Messages.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// Three stocks in the template format: an address label sheet, a staggered sheet (two
// layouts) and round labels on A4.
const char* kTemplates = R"(<?xml version="1.0"?>
<Templates>
  <Template brand="Avery" part="5160" size="US-Letter" _description="Address Labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="2.625in" height="1in" round="0.0625in">
      <Layout nx="3" ny="10" x0="0.15625in" y0="0.5in" dx="2.78125in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="77" size="US-Letter" _description="Staggered Tags">
    <Meta category="label"/>
    <Label-rectangle id="0" width="2in" height="1in" round="0in">
      <Layout nx="3" ny="5" x0="0.25in" y0="0.5in" dx="2.5in" dy="2in"/>
      <Layout nx="3" ny="5" x0="0.75in" y0="1.5in" dx="2.5in" dy="2in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="R40" size="A4" _description="Round Seals">
    <Meta category="label"/>
    <Label-round id="0" radius="20mm">
      <Layout nx="4" ny="6" x0="15mm" y0="20mm" dx="45mm" dy="45mm"/>
    </Label-round>
  </Template>
</Templates>
)";

const char* kPapers = R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" pwg_size="iso_a4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" pwg_size="na_letter" width="8.5in" height="11in"/>
</Glabels-paper-sizes>
)";

void Write(const QString& path, const char* text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

TPrinterFacts LetterFacts() {
    TPrinterFacts f;
    f.PixelsPerInchX = f.PixelsPerInchY = 600;
    f.PhysicalWidth = 5100;
    f.PhysicalHeight = 6600;
    f.PrintableWidth = 5100;
    f.PrintableHeight = 6600;
    return f;
}
} // namespace

class StockPickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        Write(scratch.File("test-templates.xml"), kTemplates);
        Write(scratch.File("paper-sizes.xml"), kPapers);
        QStringList problems;
        library = TStockLibrary::Load({scratch.Path()}, &problems);
        ASSERT_EQ(library.Stocks().size(), 3u) << problems.join('\n').toStdString();
        previousHandler = SetMessageHandler([this](const QString& text) { messages << text; });
    }
    void TearDown() override {
        dialog.reset();
        SetMessageHandler(std::move(previousHandler));
    }

    void OpenDialog() {
        dialog = std::make_unique<TFLabelSettings>(sheet, page, [] { return LetterFacts(); });
        dialog->SetStockLibrary(&library);
        dialog->show();
    }
    template <class T> static T* Find(QWidget* in, const char* name) {
        T* widget = in->findChild<T*>(QString::fromLatin1(name));
        if (!widget)
            ADD_FAILURE() << "no widget " << name;
        return widget;
    }
    QString Text(const char* name) { return Find<QLineEdit>(dialog.get(), name)->text(); }
    QString StockCaption() { return Find<QLabel>(dialog.get(), "lStock")->text(); }
    static void Click(QWidget* in, const char* name) {
        QTest::mouseClick(Find<QPushButton>(in, name), Qt::LeftButton);
    }
    // Selects the first line of the list whose text holds part.
    static void Select(TFStockPicker& picker, const QString& part) {
        auto* list = Find<QListWidget>(&picker, "lbStocks");
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->text().contains(part)) {
                list->setCurrentRow(i);
                return;
            }
        ADD_FAILURE() << "no stock " << part.toStdString();
    }
    // Clicks "Stock..." and lets work act on the picker it opens.
    void WithPicker(std::function<void(TFStockPicker&)> work) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* picker = qobject_cast<TFStockPicker*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            seen = true;
            work(*picker);
            if (picker->isVisible())
                picker->reject();
        });
        Click(dialog.get(), "StockBtn");
        EXPECT_TRUE(seen);
    }
    void ChooseStock(const QString& search, const QString& part) {
        WithPicker([&](TFStockPicker& picker) {
            QTest::keyClicks(Find<QLineEdit>(&picker, "eSearch"), search);
            Select(picker, part);
            Click(&picker, "OkBtn");
        });
    }
    void TypeAndEnter(const char* name, const QString& text) {
        auto* edit = Find<QLineEdit>(dialog.get(), name);
        Find<QTabWidget>(dialog.get(), "PageControl1")->setCurrentIndex(0);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    TScratchFolder scratch;
    TStockLibrary library;
    TSheetSettings sheet;
    TPrinterPage page;
    QStringList messages;
    TMessageHandler previousHandler;
    std::unique_ptr<TFLabelSettings> dialog;
};

TEST_F(StockPickerTest, SearchNarrowsTheListAsTyped) {
    TFStockPicker picker(library);
    picker.show();
    auto* list = Find<QListWidget>(&picker, "lbStocks");
    EXPECT_EQ(list->count(), 3);
    QTest::keyClicks(Find<QLineEdit>(&picker, "eSearch"), "acme");
    ASSERT_EQ(list->count(), 2);
    EXPECT_FALSE(list->item(0)->text().contains("5160"));
    QTest::keyClicks(Find<QLineEdit>(&picker, "eSearch"), " seals");
    ASSERT_EQ(list->count(), 1);
    EXPECT_TRUE(list->item(0)->text().startsWith(library.Find("Acme R40")->Summary()));
    Find<QLineEdit>(&picker, "eSearch")->clear();
    EXPECT_EQ(list->count(), 3);
}

TEST_F(StockPickerTest, AStaggeredStockIsShownWithItsReasonButCannotBeChosen) {
    TFStockPicker picker(library);
    picker.show();
    const TStock* staggered = library.Find("Acme 77");
    ASSERT_NE(staggered, nullptr);
    ASSERT_FALSE(staggered->NotApplicable().isEmpty());

    Select(picker, "77");
    auto* list = Find<QListWidget>(&picker, "lbStocks");
    EXPECT_TRUE(list->currentItem()->text().contains(staggered->NotApplicable()));
    EXPECT_EQ(picker.Chosen(), nullptr);
    EXPECT_FALSE(Find<QPushButton>(&picker, "OkBtn")->isEnabled());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       list->visualItemRect(list->currentItem()).center());
    EXPECT_TRUE(picker.isVisible());
    EXPECT_NE(picker.result(), QDialog::Accepted);

    Select(picker, "5160");
    EXPECT_EQ(picker.Chosen(), library.Find("Avery 5160"));
    EXPECT_TRUE(Find<QPushButton>(&picker, "OkBtn")->isEnabled());
    Click(&picker, "OkBtn");
    EXPECT_EQ(picker.result(), QDialog::Accepted);
}

TEST_F(StockPickerTest, ChoosingAStockFillsTheFieldsAndNamesIt) {
    OpenDialog();
    EXPECT_EQ(StockCaption(), QString("Stock: Custom"));
    ChooseStock("5160", "5160");
    EXPECT_EQ(StockCaption(), QString("Stock: Avery 5160"));
    EXPECT_DOUBLE_EQ(Text("Edit4").toDouble(), 2.625);
    EXPECT_DOUBLE_EQ(Text("Edit3").toDouble(), 1.0);
    EXPECT_EQ(Text("eCols"), QString("3"));
    EXPECT_EQ(Text("eRows"), QString("10"));

    TSheetSettings expected = sheet;
    ASSERT_TRUE(ApplyStock(*library.Find("Avery 5160"), expected));
    Click(dialog.get(), "OkBtn");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(sheet.StockMaker, QString("Avery"));
    EXPECT_EQ(sheet.StockPart, QString("5160"));
    EXPECT_TRUE(sheet.ForcedCount);
    EXPECT_EQ(sheet.Paper, expected.Paper);
    EXPECT_NEAR(sheet.LabelWidth, expected.LabelWidth, 1e-3);
    EXPECT_NEAR(sheet.LeftMargin, expected.LeftMargin, 1e-3);
    EXPECT_NEAR(sheet.GapWidth, expected.GapWidth, 1e-3);
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
}

TEST_F(StockPickerTest, AStockFillsACentimetreSheetInCentimetres) {
    sheet.Metric = true;
    OpenDialog();
    ChooseStock("R40", "R40");
    EXPECT_EQ(StockCaption(), QString("Stock: Acme R40"));
    EXPECT_NEAR(Text("Edit4").toDouble(), 4.0, 0.01);
    EXPECT_EQ(Text("eCols"), QString("4"));
    Click(dialog.get(), "OkBtn");
    EXPECT_TRUE(sheet.Metric);
    EXPECT_NEAR(sheet.LabelHeight, 4.0, 0.01);
}

TEST_F(StockPickerTest, EditingASizeOrCountMakesTheSheetCustom) {
    OpenDialog();
    ChooseStock("5160", "5160");
    // Leaving a field as it was keeps the stock.
    TypeAndEnter("Edit3", Text("Edit3"));
    EXPECT_EQ(StockCaption(), QString("Stock: Avery 5160"));
    TypeAndEnter("Edit3", "1.5");
    EXPECT_EQ(StockCaption(), QString("Stock: Custom"));
    Click(dialog.get(), "OkBtn");
    EXPECT_TRUE(sheet.StockMaker.isEmpty());
    EXPECT_TRUE(sheet.StockPart.isEmpty());
    EXPECT_DOUBLE_EQ(sheet.LabelHeight, 1.5);

    // A count likewise.
    dialog->show();
    ChooseStock("5160", "5160");
    TypeAndEnter("eRows", "9");
    EXPECT_EQ(StockCaption(), QString("Stock: Custom"));
}

TEST_F(StockPickerTest, CancelKeepsTheSheetAsItWas) {
    OpenDialog();
    const TSheetSettings before = sheet;
    ChooseStock("5160", "5160");
    ASSERT_EQ(StockCaption(), QString("Stock: Avery 5160"));
    Click(dialog.get(), "CancelBtn");
    EXPECT_EQ(sheet, before);

    // Cancelling the picker leaves the fields alone.
    dialog->show();
    const QString width = Text("Edit4");
    WithPicker([&](TFStockPicker& picker) {
        Select(picker, "R40");
        Click(&picker, "CancelBtn");
    });
    EXPECT_EQ(Text("Edit4"), width);
    EXPECT_EQ(StockCaption(), QString("Stock: Custom"));
}

TEST_F(StockPickerTest, TheSheetPictureHoldsEveryLabelWhereTheLayoutPutsIt) {
    const TStock* seals = library.Find("Acme R40");
    ASSERT_NE(seals, nullptr);
    const TStockPicture picture = StockPicture(*seals);
    EXPECT_NEAR(picture.Paper.width(), 210 / 25.4, 1e-3);
    EXPECT_NEAR(picture.Paper.height(), 297 / 25.4, 1e-3);
    ASSERT_EQ(picture.Labels.size(), 24);
    EXPECT_NEAR(picture.Labels.first().left(), 15 / 25.4, 1e-3);
    EXPECT_NEAR(picture.Labels.first().width(), 40 / 25.4, 1e-3);
    // The last label: fourth column, sixth row.
    EXPECT_NEAR(picture.Labels.last().left(), (15 + 3 * 45) / 25.4, 1e-3);
    EXPECT_NEAR(picture.Labels.last().top(), (20 + 5 * 45) / 25.4, 1e-3);

    // A roll has no paper of its own: the picture's paper just holds its labels.
    TStock roll = *seals;
    roll.PaperWidth = roll.PaperHeight = 0;
    roll.Layouts = {TStockLayout{1, 3, 0.1, 0.2, 0, 2}};
    const TStockPicture rollPicture = StockPicture(roll);
    ASSERT_EQ(rollPicture.Labels.size(), 3);
    EXPECT_NEAR(rollPicture.Paper.height(), 0.2 + 2 * 2 + 40 / 25.4, 1e-3);
    EXPECT_NEAR(rollPicture.Paper.width(), 0.1 + 40 / 25.4, 1e-3);
}
