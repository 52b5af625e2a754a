#include "PdfProbe.h"
#include "PrintDialogTestSupport.h"
#include "merge/DataImport.h"
#include "print/CommandLine.h"
#include "print/NextLabel.h"
#include "print/PrintU.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/FPrintProgress.h"
#include "print/dialogs/PagePreview.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

// The print dialog's copies from a data field, and its start where the last run stopped.

namespace {
// The import wizard as a user leaves it for comma data with a header line.
class TCommaImport : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings& settings, const QStringList&) override {
        settings.ImportFormat = TImportFormat::CommaDelimited;
        settings.IgnoreHeader = true;
        return true;
    }
};

class QuantityDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2); // ten labels
        pdf = scratch.File("labels.pdf");
        services.PdfAnswer = pdf;
        session.SetTextImportDialog(&wizard);
        dialog.PrintDialogServices() = services.Services();
    }
    void ChooseData(const QByteArray& bytes) {
        ASSERT_TRUE(session.ChooseDataFile(WriteFile(scratch.File("orders.csv"), bytes)));
    }
    void Open(TLabelKind kind) {
        label.ReplaceControls({});
        AddTextControl(label, kind);
        dialog.Prepare(label);
        ShowActive(&dialog);
    }
    // Runs the dialog as the Print command does, pressing "&Print".
    bool PrintFromDialog() {
        QMetaObject::invokeMethod(W<QPushButton>("OkayBtn"), "click", Qt::QueuedConnection);
        return dialog.RunPrintDialog(label, scratch.File("orders.lbl"), &progress);
    }
    template <class T> T* W(const char* name) { return FindIn<T>(&dialog, name); }
    QCheckBox* Box(const char* name) { return W<QCheckBox>(name); }
    // The label positions the page picture paints silver and aqua.
    std::pair<int, int> Painted() {
        QWidget* box = W<QWidget>("PaintBox1");
        const TPagePreview preview(label.Sheet(), dialog.Page(), box->size());
        const QImage image = box->grab().toImage();
        int silver = 0, aqua = 0;
        for (int n = 0; n < 10; ++n) {
            const QColor c = image.pixelColor(preview.LabelRect(n / 2, n % 2).center());
            silver += c == PreviewSkipped;
            aqua += c == PreviewStart;
        }
        return {silver, aqua};
    }

    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TCommaImport wizard;
    TDataImport session;
    TLabelDocument label;
    TFPrintDlg dialog{TCommandLineOptions(), session};
    TFPrintProgress progress;
    QString pdf;
};
} // namespace

TEST_F(QuantityDialogTest, CopiesFromAFieldShowTheHeadersNameAndReplaceDuplicates) {
    ChooseData("Name,Qty\r\nAnn,2\r\n");
    Open(TLabelKind::Imported);
    QCheckBox* fromField = Box("cbCopiesField");
    auto* number = W<QSpinBox>("eCopiesField");
    QCheckBox* byName = Box("cbCopiesByName");
    EXPECT_EQ(fromField->text(), "Copies from field #");
    EXPECT_TRUE(fromField->isVisible());
    EXPECT_FALSE(fromField->isChecked());
    EXPECT_FALSE(number->isEnabled());
    EXPECT_TRUE(W<QLineEdit>("eCopies")->isEnabled());
    EXPECT_EQ(dialog.Settings().CopiesField, 0);

    fromField->click();
    EXPECT_TRUE(number->isEnabled());
    EXPECT_FALSE(W<QLineEdit>("eCopies")->isEnabled()) << "Duplicates give way";
    number->setValue(2);
    EXPECT_EQ(byName->text(), "by its name: Qty");
    EXPECT_TRUE(byName->isEnabled());
    EXPECT_EQ(dialog.Settings().CopiesField, 2);
    EXPECT_TRUE(dialog.Settings().CopiesName.isEmpty());
    byName->click();
    EXPECT_EQ(dialog.Settings().CopiesName, "Qty");
    // A field the header has no name for cannot go by name.
    number->setValue(5);
    EXPECT_FALSE(byName->isEnabled());
    EXPECT_TRUE(dialog.Settings().CopiesName.isEmpty());
    EXPECT_EQ(dialog.Settings().CopiesField, 5);
    dialog.reject();

    // A label without imported fields has no data to take copies from.
    Open(TLabelKind::Counter);
    EXPECT_FALSE(fromField->isVisible());
    EXPECT_EQ(dialog.Settings().CopiesField, 0);
    EXPECT_TRUE(W<QLineEdit>("eCopies")->isEnabled());
}

TEST_F(QuantityDialogTest, ARunKeepsItsCopiesFieldAndWhereItStoppedWithTheLabel) {
    ChooseData("Name,Qty\r\nAnn,2\r\nBob,0\r\nCat,1\r\n");
    Open(TLabelKind::Imported);
    Box("cbCopiesField")->click();
    W<QSpinBox>("eCopiesField")->setValue(2);
    Box("cbCopiesByName")->click();
    QCheckBox* next = Box("cbContinue");
    EXPECT_EQ(next->text(), "Continue where the last run stopped");
    EXPECT_FALSE(next->isEnabled()) << "no run stopped part way yet";
    EXPECT_FALSE(next->toolTip().isEmpty());

    ASSERT_TRUE(PrintFromDialog()) << services.Errors.join("; ").toStdString();
    EXPECT_EQ(PageWords(PdfWords(pdf), 1), (QStringList{"Ann", "Ann", "Cat"}));
    EXPECT_EQ(label.Sheet().CopiesField, 2);
    EXPECT_EQ(label.Sheet().CopiesName, "Qty");
    EXPECT_EQ(label.Sheet().NextLabel, 3);

    // The next time the dialog offers to go on from there.
    dialog.Prepare(label);
    ShowActive(&dialog);
    EXPECT_TRUE(Box("cbCopiesField")->isChecked());
    EXPECT_TRUE(next->isEnabled());
    EXPECT_TRUE(next->toolTip().contains("label 4")) << next->toolTip().toStdString();
    next->click();
    EXPECT_EQ(dialog.SkipCount(), 3);
    EXPECT_EQ(W<QLabel>("LSkipLbl")->text(), "Skip 3 Labels");
    EXPECT_EQ(Painted(), std::make_pair(3, 1));
    // Picking another start label is no longer continuing.
    QTest::mouseClick(W<QToolButton>("sbRight"), Qt::LeftButton);
    EXPECT_FALSE(next->isChecked());
    next->click();
    EXPECT_EQ(dialog.SkipCount(), 3);

    // Printing on from there fills the page: nothing is left to continue from.
    ChooseData("Name,Qty\r\nDan,7\r\n");
    ASSERT_TRUE(PrintFromDialog()) << services.Errors.join("; ").toStdString();
    EXPECT_EQ(PageWords(PdfWords(pdf), 1).size(), 7);
    EXPECT_EQ(label.Sheet().NextLabel, 0);
    dialog.Prepare(label);
    EXPECT_FALSE(next->isEnabled());
    EXPECT_FALSE(next->isChecked());
}

TEST_F(QuantityDialogTest, AnotherSheetCannotContinue) {
    ChooseData("Name,Qty\r\nAnn,4\r\n");
    Open(TLabelKind::Imported);
    Box("cbCopiesField")->click();
    W<QSpinBox>("eCopiesField")->setValue(2);
    ASSERT_TRUE(PrintFromDialog()) << services.Errors.join("; ").toStdString();
    ASSERT_EQ(label.Sheet().NextLabel, 4);
    dialog.Prepare(label);
    EXPECT_TRUE(Box("cbContinue")->isEnabled());

    label.ChangeSheet([](TSheetSettings& s) { s.Rows = 4; });
    dialog.Prepare(label);
    ShowActive(&dialog);
    EXPECT_FALSE(Box("cbContinue")->isEnabled());
    EXPECT_TRUE(Box("cbContinue")->toolTip().contains("another sheet"))
        << Box("cbContinue")->toolTip().toStdString();
    EXPECT_EQ(dialog.SkipCount(), 0);
}

TEST_F(QuantityDialogTest, NextFromTheCommandLineChecksTheBox) {
    TCommandLineOptions options;
    options.SkipNext = true;
    TFPrintDlg fromLine(options, session);
    label.ReplaceControls({});
    AddTextControl(label, TLabelKind::Plain);
    label.ChangeSheet([&](TSheetSettings& s) {
        s.NextLabel = 6;
        s.NextSheet = "another page";
    });
    fromLine.Prepare(label);
    EXPECT_FALSE(FindIn<QCheckBox>(&fromLine, "cbContinue")->isChecked());
    EXPECT_EQ(fromLine.SkipCount(), 0);

    // The same sheet as a run on this printer would count it.
    TFPrintDlg again(options, session);
    TSheetSettings fitted = label.Sheet();
    TPrinterPage page;
    RefreshPrinterPage(fitted, page, TPrinters::Current().Facts());
    label.ChangeSheet([&](TSheetSettings& s) {
        s.NextSheet = NextLabelSheet(TPrintLayout{fitted, page, PagePrintScale(page)});
    });
    again.Prepare(label);
    EXPECT_TRUE(FindIn<QCheckBox>(&again, "cbContinue")->isChecked());
    EXPECT_EQ(again.SkipCount(), 6);
}
