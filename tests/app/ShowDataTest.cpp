// View > Show Data: a record of the data file on the label instead of the placeholders, stepped
// through with Next and Previous Record; and the red outline around what paper would cut.

#include "MainWindowSupport.h"

#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "document/LabelDocument.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "merge/DataImport.h"
#include "merge/ImportDialog.h"
#include "platform/Printer.h"
#include "print/PrintControls.h"
#include "print/dialogs/FPrintDlg.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QStatusBar>
#include <QToolTip>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {
// Takes every data file as it comes (the format its extension gives).
class TAcceptingWizard : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override { return true; }
};

// A printer of label printers' resolution.
class TThermalPrinter : public TPdfPrinter {
public:
    TPrinterFacts Facts() const override {
        TPrinterFacts f = TPdfPrinter::Facts();
        f.PixelsPerInchX = f.PixelsPerInchY = 203;
        return f;
    }
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

class ShowData : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        W = ActiveWindow();
        W->DataImport().SetTextImportDialog(&wizard);
    }
    void TearDown() override { TPrinters::Select(TPdfPrinter::DefaultName()); }

    TLabelDocument& D() { return W->Document(); }
    template <class T> T* Add(QPoint at, bool autoSize = true) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        c->SetBox(TRect::FromBox(at.x(), at.y(), 150, 40), true);
        c->SetAutoSizing(autoSize);
        D().AddControl(std::move(c));
        raw->SetLoading(false);
        D().DrawChanged();
        return raw;
    }
    // A control showing field n of the record.
    template <class T> T* Field(int n, QPoint at, bool autoSize = true) {
        T* c = Add<T>(at, autoSize);
        auto f = std::make_unique<TImportedField>();
        f->FieldNumber = n;
        c->Fields.push_back(std::move(f));
        c->SetAdvanced(true);
        D().DrawChanged();
        return c;
    }
    QString Data(const char* name, const QByteArray& lines) {
        QFile file(Scratch.File(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
        return file.fileName();
    }
    // The people file chosen as the print dialog or the field editor chooses it.
    QString ChoosePeople() {
        const QString file = Data("people.csv", "Name,Code\r\n"
                                                "Ada Lovelace of Byron,ABCDEFGHIJKLMNOPQRST\r\n"
                                                "Bo,222\r\n"
                                                "Cy,333\r\n");
        EXPECT_TRUE(W->DataImport().ChooseDataFile(file));
        return file;
    }
    QAction* A(TActionName name) { return W->Action(name); }
    QLabel* RecordPanel() { return W->findChild<QLabel*>("pRecord"); }
    QString StatusMessage() { return W->statusBar()->currentMessage(); }
    QString Shown(const TLabelControl* c) { return c->GetDisplayText(); }
    // The tool tip the label shows for a mouse resting at (x, y); empty when it shows none (the
    // event is then left to others).
    QString ToolTipAt(int x, int y) {
        QHelpEvent help(QEvent::ToolTip, QPoint(x, y), W->Label().mapToGlobal(QPoint(x, y)));
        QCoreApplication::sendEvent(&W->Label(), &help);
        return help.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    bool HasProblem(const TLabelControl* c) { return W->Label().HasProblem(*c); }
    // A label of this size in inches, shown at it.
    void LabelSize(double width, double height) {
        D().ChangeSheet([&](TSheetSettings& s) {
            s.LabelWidth = width;
            s.LabelHeight = height;
            s.Metric = false;
        });
        W->ApplyLabelSize();
        D().DrawChanged();
    }

    TAcceptingWizard wizard;
    std::unique_ptr<TFMain> W;
};

TEST_F(ShowData, WithoutADataFileTheStatusBarSaysWhereToChooseOne) {
    TTextLabel* name = Field<TTextLabel>(1, {10, 10});
    EXPECT_FALSE(A("acShowData")->isChecked()) << "off by default";
    EXPECT_FALSE(A("acNextRecord")->isEnabled());
    EXPECT_FALSE(A("acPrevRecord")->isEnabled());

    A("acShowData")->trigger();
    EXPECT_FALSE(A("acShowData")->isChecked());
    EXPECT_EQ(StatusMessage(),
              "Show Data needs a data file: choose one in Print or in Edit Fields.");
    EXPECT_TRUE(RecordPanel()->isHidden());
    EXPECT_EQ(Shown(name), "F_1");
}

TEST_F(ShowData, StepsThroughTheRecordsAndNamesTheOneShown) {
    TTextLabel* name = Field<TTextLabel>(1, {10, 10});
    TTextLabel* plain = Add<TTextLabel>({10, 60});
    plain->SetText("Plain");
    ChoosePeople();
    const int narrow = name->Width();

    A("acShowData")->trigger();
    ASSERT_TRUE(A("acShowData")->isChecked());
    EXPECT_EQ(Shown(name), "Ada Lovelace of Byron");
    EXPECT_EQ(Shown(plain), "Plain");
    EXPECT_GT(name->Width(), narrow) << "a text sizing itself takes the record's size";
    EXPECT_FALSE(RecordPanel()->isHidden());
    EXPECT_EQ(RecordPanel()->text(), "Record 1");
    EXPECT_TRUE(A("acNextRecord")->isEnabled());

    A("acNextRecord")->trigger();
    EXPECT_EQ(Shown(name), "Bo");
    EXPECT_EQ(RecordPanel()->text(), "Record 2");
    A("acNextRecord")->trigger();
    A("acNextRecord")->trigger(); // past the last record
    A("acNextRecord")->trigger();
    EXPECT_EQ(Shown(name), "Cy");
    EXPECT_EQ(RecordPanel()->text(), "Record 3");
    A("acPrevRecord")->trigger();
    EXPECT_EQ(Shown(name), "Bo");
    EXPECT_EQ(RecordPanel()->text(), "Record 2");
    A("acPrevRecord")->trigger();
    A("acPrevRecord")->trigger(); // before the first
    EXPECT_EQ(Shown(name), "Ada Lovelace of Byron");
    EXPECT_EQ(RecordPanel()->text(), "Record 1");

    A("acShowData")->trigger();
    EXPECT_EQ(Shown(name), "F_1");
    EXPECT_EQ(name->Width(), narrow);
    EXPECT_TRUE(RecordPanel()->isHidden());
    EXPECT_FALSE(A("acNextRecord")->isEnabled());
}

TEST_F(ShowData, AFileWithoutRecordsShowsEmptyFieldsAndSaysSo) {
    TTextLabel* name = Field<TTextLabel>(1, {10, 10});
    ASSERT_TRUE(W->DataImport().ChooseDataFile(Data("header.csv", "Name,Code\r\n")));
    A("acShowData")->trigger();
    EXPECT_TRUE(A("acShowData")->isChecked());
    EXPECT_EQ(Shown(name), QString()) << "the header is no record";
    EXPECT_EQ(RecordPanel()->text(), "No records");
    A("acNextRecord")->trigger();
    EXPECT_EQ(RecordPanel()->text(), "No records");
}

TEST_F(ShowData, CountersShowTheirValueAndNothingIsSavedOrChanged) {
    TTextLabel* name = Field<TTextLabel>(1, {10, 10});
    TTextLabel* serial = Add<TTextLabel>({10, 60});
    serial->Fields.push_back(std::make_unique<TTextField>("N"));
    auto counter = std::make_unique<TSequenceField>();
    counter->CurrentValue = 7;
    TSequenceField* sequence = counter.get();
    serial->Fields.push_back(std::move(counter));
    serial->SetAdvanced(true);
    ChoosePeople();
    const QString designed = Scratch.File("designed.lbl");
    FileNames = {designed};
    ASSERT_TRUE(W->SaveLabelAs());
    const int steps = W->History().count();

    A("acShowData")->trigger();
    A("acNextRecord")->trigger();
    A("acNextRecord")->trigger();
    EXPECT_EQ(Shown(serial), "N7");
    EXPECT_EQ(sequence->CurrentValue, 7) << "showing records does not step the counter";
    EXPECT_EQ(Shown(name), "Cy");
    EXPECT_FALSE(W->Modified());
    EXPECT_EQ(W->History().count(), steps) << "no step to undo";

    // Saved while a record shows, the label is the design, byte for byte.
    W->SetModified(true);
    const QString shown = Scratch.File("shown.lbl");
    FileNames = {shown};
    ASSERT_TRUE(W->SaveLabelAs());
    EXPECT_EQ(ReadAll(shown), ReadAll(designed));
    EXPECT_EQ(Shown(name), "Cy") << "the record shows again after saving";
    EXPECT_EQ(RecordPanel()->text(), "Record 3");
}

TEST_F(ShowData, ThePrintDialogSeesTheDesignedBoxes) {
    TTextLabel* name = Field<TTextLabel>(1, {10, 10});
    ChoosePeople();
    const int designed = name->Width();
    A("acShowData")->trigger();
    ASSERT_GT(name->Width(), designed);

    // Paper places a control by its box: a box sized for the record shown must not move it.
    bool showing = true;
    int width = 0;
    TFPrintDlg& dialog = W->PrintDialog();
    QMetaObject::invokeMethod(
        &dialog,
        [&] {
            showing = D().ShownData() != nullptr;
            width = name->Width();
            dialog.reject();
        },
        Qt::QueuedConnection);
    A("acPrint")->trigger();
    EXPECT_FALSE(showing);
    EXPECT_EQ(width, designed);
    EXPECT_EQ(Shown(name), "Ada Lovelace of Byron") << "the record shows again afterwards";
    EXPECT_EQ(RecordPanel()->text(), "Record 1");
}

TEST_F(ShowData, AMissingDataFileIsReportedAndThePlaceholdersReturn) {
    TTextLabel* name = Field<TTextLabel>(1, {10, 10});
    const QString file = ChoosePeople();
    W->SetModified(false);
    A("acShowData")->trigger();
    ASSERT_EQ(Shown(name), "Ada Lovelace of Byron");

    ASSERT_TRUE(QFile::remove(file));
    A("acNextRecord")->trigger();
    EXPECT_FALSE(A("acShowData")->isChecked());
    EXPECT_TRUE(StatusMessage().startsWith("Cannot open the data file \"" + file + "\""))
        << StatusMessage().toStdString();
    EXPECT_EQ(Shown(name), "F_1");
    EXPECT_TRUE(RecordPanel()->isHidden());
    EXPECT_FALSE(W->Modified());
}

TEST_F(ShowData, ABarcodeShowsAsLongAsThePrinterDrawsIt) {
    TPrinters::SetCurrent(std::make_unique<TThermalPrinter>());
    LabelSize(4, 2);
    TBarcodeLabel* code = Field<TBarcodeLabel>(2, {4, 4});
    ChoosePeople();
    A("acShowData")->trigger();
    ASSERT_EQ(Shown(code), "ABCDEFGHIJKLMNOPQRST");

    // On paper: whole printer pixels per module, two at 203 dpi for ten mils.
    const int32_t m = PrintModuleWidth(code->NarrowBarWidth(), true, btCode128, 203);
    const double paper = SymbolExtent(btCode128, "ABCDEFGHIJKLMNOPQRST", m) * 96.0 / 203;
    EXPECT_NEAR(code->Image().width(), paper, 1.0);
    EXPECT_EQ(code->Width(), code->Image().width());
    EXPECT_EQ(code->Text(), "F_2") << "the record is not the control's text";
}

TEST_F(ShowData, WhatPaperWouldCutIsOutlinedAndNamed) {
    LabelSize(1, 1);
    TBarcodeLabel* ean = Add<TBarcodeLabel>({2, 2});
    ean->SetBarcodeType(btEan13);
    ean->SetText("400638133393");
    D().DrawChanged();
    EXPECT_TRUE(HasProblem(ean)) << "an EAN 13 is 1.15 inches with its quiet zones";
    const QString tip = ToolTipAt(ean->Left() + 5, ean->Top() + 5);
    EXPECT_TRUE(tip.startsWith("the right edge of the label cuts the barcode \"400638133393\" by "))
        << tip.toStdString();
    EXPECT_TRUE(tip.endsWith(" in (quiet zone included)")) << tip.toStdString();

    // The answer follows the control: an EAN 8 fits, an EAN 13 again does not.
    ean->SetBarcodeType(btEan8);
    D().DrawChanged();
    EXPECT_FALSE(HasProblem(ean));
    ean->SetBarcodeType(btEan13);
    ean->SetText("400638133393"); // the EAN 8 kept seven digits of it
    D().DrawChanged();
    EXPECT_TRUE(HasProblem(ean));

    // On a two-inch label the same symbol fits: no outline, no tool tip.
    LabelSize(2, 1);
    EXPECT_FALSE(HasProblem(ean));
    EXPECT_EQ(ToolTipAt(ean->Left() + 5, ean->Top() + 5), QString());
}

TEST_F(ShowData, TheShownRecordIsMeasured) {
    LabelSize(2, 1);
    TTextLabel* name = Field<TTextLabel>(1, {4, 4}, false);
    name->SetBox(TRect::FromBox(4, 4, 60, 30), true);
    D().DrawChanged();
    EXPECT_FALSE(HasProblem(name)) << "F_1 fits its box";
    ChoosePeople();

    A("acShowData")->trigger();
    EXPECT_TRUE(HasProblem(name));
    const QString tip = ToolTipAt(10, 10);
    EXPECT_TRUE(tip.startsWith("text \"Ada Lovelace of Byron\" is ")) << tip.toStdString();
    EXPECT_TRUE(tip.endsWith("; paper would cut it")) << tip.toStdString();

    A("acNextRecord")->trigger();
    EXPECT_FALSE(HasProblem(name)) << "Bo fits";
    A("acShowData")->trigger();
    EXPECT_FALSE(HasProblem(name));
}
} // namespace

#include "document/GraphicLabel.h"

#include <QDir>

namespace {
TEST_F(ShowData, AnImageShowsThePictureItsRecordNames) {
    // Pictures beside the data file, in a folder the program was not started in.
    ASSERT_TRUE(QDir(Scratch.Path()).mkpath("shop/photos"));
    const QColor red(200, 0, 0), blue(0, 0, 200), own(0, 150, 0);
    QImage photo(40, 20, QImage::Format_RGB888);
    photo.fill(red);
    ASSERT_TRUE(photo.save(Scratch.File("shop/photos/a.bmp")));
    photo.fill(blue);
    ASSERT_TRUE(photo.save(Scratch.File("shop/photos/b.bmp")));
    QFile data(Scratch.File("shop/items.csv"));
    ASSERT_TRUE(data.open(QIODevice::WriteOnly));
    data.write("Key,Photo\r\nK1,a\r\nK2,b\r\nK3,gone\r\n");
    data.close();

    auto* image = Add<TGraphicLabel>({10, 10}, false);
    QImage picture(40, 20, QImage::Format_RGB888);
    picture.fill(own);
    image->SetPicture(picture);
    image->Fields.push_back(std::make_unique<TTextField>("photos/"));
    auto field = std::make_unique<TImportedField>();
    field->FieldNumber = 2;
    image->Fields.push_back(std::move(field));
    image->Fields.push_back(std::make_unique<TTextField>(".bmp"));
    image->SetAdvanced(true);
    D().DrawChanged();
    const auto shownColour = [&] { return QColor(image->Image().pixel(5, 5)); };
    EXPECT_EQ(shownColour(), own) << "the design shows the control's own picture";

    ASSERT_TRUE(W->DataImport().ChooseDataFile(data.fileName()));
    A("acShowData")->trigger();
    ASSERT_TRUE(A("acShowData")->isChecked());
    EXPECT_EQ(shownColour(), red);
    A("acNextRecord")->trigger();
    EXPECT_EQ(shownColour(), blue);
    A("acNextRecord")->trigger();
    EXPECT_EQ(shownColour(), QColor(Qt::white)) << "a missing picture shows empty, as on paper";
    A("acShowData")->trigger();
    EXPECT_EQ(shownColour(), own);
}
} // namespace
