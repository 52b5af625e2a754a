#include "print/dialogs/FPrintDlg.h"
#include "PrintDialogTestSupport.h"
#include "merge/DataImport.h"
#include "print/CommandLine.h"
#include "print/dialogs/PagePreview.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
// The import wizard's answer, and the files it was shown.
class TImportStandIn : public TTextImportDialog {
public:
    bool Execute(const QString& fileName, TTextImportSettings&, const QStringList&) override {
        Files << fileName;
        return Answer;
    }
    QStringList Files;
    bool Answer = true;
};
} // namespace

class FPrintDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2); // ten labels
        dialog.PrintDialogServices() = services.Services();
        data = WriteFile(scratch.File("data.csv"), "Name\r\nAda\r\n");
    }

    // Prepares the dialog for a label of kind and shows it.
    void Open(TLabelKind kind) {
        label.ReplaceControls({});
        AddTextControl(label, kind);
        dialog.Prepare(label);
        ShowActive(&dialog);
    }
    template <class T> T* W(const char* name) { return FindIn<T>(&dialog, name); }
    QLineEdit* Edit(const char* name) { return W<QLineEdit>(name); }
    bool Checked(const char* name) { return W<QRadioButton>(name)->isChecked(); }
    // Moves the focus to another field, as a click there would.
    void Leave(QLineEdit* edit) {
        edit->setFocus(Qt::MouseFocusReason);
        W<QLineEdit>(edit == Edit("ePages") ? "eLabels" : "ePages")->setFocus(Qt::MouseFocusReason);
    }
    void ClickPrint() { QTest::mouseClick(W<QPushButton>("OkayBtn"), Qt::LeftButton); }
    bool Accepted() { return !dialog.isVisible() && dialog.result() == QDialog::Accepted; }

    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TImportStandIn import;
    TDataImport session{&import};
    TLabelDocument label;
    TFPrintDlg dialog{TCommandLineOptions(), session};
    QString data;
};

TEST_F(FPrintDlgTest, EveryWidgetCarriesItsNameAndText) {
    Open(TLabelKind::Imported);
    EXPECT_EQ(dialog.windowTitle(), "Print Options");
    EXPECT_EQ(W<QPushButton>("BrowseBtn")->text(), "Browse");
    EXPECT_EQ(W<QRadioButton>("rbAllRange")->text(), "All");
    EXPECT_EQ(W<QRadioButton>("rbPageRange")->text(), "Pages");
    EXPECT_EQ(W<QRadioButton>("rbLabelRange")->text(), "Labels");
    EXPECT_EQ(W<QLabel>("LCopies")->text(), "Duplicates");
    EXPECT_EQ(W<QPushButton>("BitBtn3")->text(), "Printer &Setup");
    EXPECT_EQ(W<QPushButton>("OkayBtn")->text(), "&Print");
    EXPECT_EQ(W<QPushButton>("CancelBtn")->text(), "&Cancel");
    EXPECT_EQ(W<QLabel>("LSelectLbl")->text(), "Select Start Label");
    EXPECT_EQ(W<QLabel>("LSkipLbl")->text(), "Skip 0 Labels");
    EXPECT_EQ(W<QWidget>("PaintBox1")->size(), QSize(167, 185));
    EXPECT_TRUE(W<QToolButton>("sbLeft") && W<QToolButton>("sbRight") && W<QWidget>("pImport"));
    EXPECT_EQ(Edit("ePages")->maxLength(), 4);
    EXPECT_EQ(Edit("eLabels")->maxLength(), 9);
    EXPECT_EQ(Edit("eCopies")->maxLength(), 4);
    EXPECT_EQ(W<QLabel>("lRows")->text(), "Rows: 5");
    EXPECT_EQ(W<QLabel>("lColumns")->text(), "Columns: 2");
    EXPECT_EQ(W<QLabel>("LLabels")->text(), "Labels per page: 10");
}

TEST_F(FPrintDlgTest, LabelWithoutImportedFieldsHidesTheDataPanelAndAll) {
    Open(TLabelKind::Imported);
    ASSERT_TRUE(Checked("rbAllRange"));
    dialog.reject();
    Open(TLabelKind::Plain);
    EXPECT_FALSE(W<QWidget>("pImport")->isVisible());
    EXPECT_FALSE(Edit("eFile")->isEnabled());
    EXPECT_FALSE(W<QRadioButton>("rbAllRange")->isEnabled());
    EXPECT_TRUE(Checked("rbPageRange"));
    EXPECT_EQ(dialog.height(), 276);
    EXPECT_EQ(dialog.Settings().Range, TPrintRange::Pages);
}

TEST_F(FPrintDlgTest, LabelWithImportedFieldsChecksAllEveryTime) {
    Open(TLabelKind::Imported);
    EXPECT_TRUE(W<QWidget>("pImport")->isVisible());
    EXPECT_TRUE(Edit("eFile")->isEnabled());
    EXPECT_EQ(dialog.height(), 333);
    QTest::mouseClick(W<QRadioButton>("rbLabelRange"), Qt::LeftButton);
    ASSERT_TRUE(Checked("rbLabelRange"));
    dialog.reject();
    dialog.Prepare(label);
    EXPECT_TRUE(Checked("rbAllRange"));
}

TEST_F(FPrintDlgTest, DuplicatesOnlyForAdvancedLabels) {
    Open(TLabelKind::Counter);
    EXPECT_TRUE(Edit("eCopies")->isVisible());
    EXPECT_TRUE(W<QLabel>("LCopies")->isVisible());
    Edit("eCopies")->setText("3");
    EXPECT_EQ(dialog.Settings().Duplicates, 3);
    dialog.reject();
    Open(TLabelKind::Plain);
    EXPECT_FALSE(Edit("eCopies")->isVisible());
    EXPECT_FALSE(W<QLabel>("LCopies")->isVisible());
    EXPECT_EQ(dialog.Settings().Duplicates, 1) << "each label printed once";
}

TEST_F(FPrintDlgTest, ClickingTheFourthLabelSkipsThreeAndPaintsThem) {
    Open(TLabelKind::Plain);
    QWidget* box = W<QWidget>("PaintBox1");
    const TPagePreview preview(label.Sheet(), dialog.Page(), box->size());
    QTest::mouseClick(box, Qt::LeftButton, {}, preview.LabelRect(1, 1).center());
    EXPECT_EQ(dialog.SkipCount(), 3);
    EXPECT_EQ(W<QLabel>("LSkipLbl")->text(), "Skip 3 Labels");

    const QImage image = box->grab().toImage();
    int silver = 0, aqua = 0;
    for (int n = 0; n < 10; ++n) {
        const QColor c = image.pixelColor(preview.LabelRect(n / 2, n % 2).center());
        silver += c == QColor(192, 192, 192);
        aqua += c == QColor(0, 255, 255);
    }
    EXPECT_EQ(silver, 3);
    EXPECT_EQ(aqua, 1);
    EXPECT_EQ(image.pixelColor(preview.LabelRect(1, 1).center()), QColor(0, 255, 255));
    // The focus outline breaks the start label's black top edge into dots.
    const QRect start = preview.LabelRect(1, 1);
    int broken = 0;
    for (int x = start.left() + 3; x < start.left() + start.width() - 3; ++x)
        broken += image.pixelColor(x, start.top()) != QColor(Qt::black);
    EXPECT_GT(broken, start.width() / 4);
    // The captions follow the paper: "Select Start Label" above it, the count 3 pixels below.
    const int paperTop = box->y() + preview.PageRect().top();
    EXPECT_EQ(W<QLabel>("LSelectLbl")->geometry().bottom() + 1, paperTop);
    EXPECT_EQ(W<QLabel>("LSkipLbl")->y(), box->y() + preview.PageRect().bottom() + 3);
    EXPECT_EQ(W<QToolButton>("sbLeft")->y(), W<QLabel>("LSkipLbl")->y());
}

TEST_F(FPrintDlgTest, ArrowsStopAtTheSheetsEnds) {
    Open(TLabelKind::Plain);
    auto* left = W<QToolButton>("sbLeft");
    auto* right = W<QToolButton>("sbRight");
    QTest::mouseClick(left, Qt::LeftButton);
    EXPECT_EQ(dialog.SkipCount(), 0);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(W<QLabel>("LSkipLbl")->text(), "Skip 1 Label");
    dialog.SetSkipCount(9);
    QTest::mouseClick(right, Qt::LeftButton);
    EXPECT_EQ(dialog.SkipCount(), 9);
    EXPECT_EQ(W<QLabel>("LSkipLbl")->text(), "Skip 9 Labels");
    QTest::mouseClick(left, Qt::LeftButton);
    EXPECT_EQ(dialog.Settings().Skip, 8);
}

TEST_F(FPrintDlgTest, CountFieldsTakeDigitsAndNeverStayEmpty) {
    Open(TLabelKind::Counter);
    for (const char* name : {"ePages", "eLabels", "eCopies"}) {
        QLineEdit* e = Edit(name);
        e->setFocus(Qt::MouseFocusReason);
        e->selectAll();
        QTest::keyClicks(e, "a-.");
        EXPECT_EQ(e->text(), "1") << name;
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, "4x2");
        EXPECT_EQ(e->text(), "42") << name;
        e->clear();
        Leave(e);
        EXPECT_EQ(e->text(), "1") << name;
        e->setText("0");
        Leave(e);
        EXPECT_EQ(e->text(), "1") << name;
    }
}

TEST_F(FPrintDlgTest, PrintRefusesAllWithoutAFile) {
    Open(TLabelKind::Imported);
    ClickPrint();
    ASSERT_EQ(services.Messages.size(), 1);
    EXPECT_EQ(services.Messages[0],
              "You cannot print \"All\" without\n\rselecting a file to import from.");
    EXPECT_TRUE(dialog.isVisible());
    Edit("eFile")->setText(data);
    ClickPrint();
    EXPECT_TRUE(Accepted());
    EXPECT_EQ(dialog.Settings().DataFile, data);
}

// Each dialog asks through the services it holds: another dialog's answers stay its own.
TEST_F(FPrintDlgTest, AnotherDialogAsksThroughItsOwnServices) {
    TPrintServicesStandIn otherServices;
    TDataImport otherSession;
    TFPrintDlg other(TCommandLineOptions(), otherSession);
    other.PrintDialogServices() = otherServices.Services();
    Open(TLabelKind::Imported);
    other.Prepare(label);
    ShowActive(&other);
    QTest::mouseClick(FindIn<QPushButton>(&other, "OkayBtn"), Qt::LeftButton);
    other.hide();
    EXPECT_EQ(otherServices.Messages.size(), 1);
    EXPECT_TRUE(services.Messages.isEmpty());
    ShowActive(&dialog);
    ClickPrint();
    EXPECT_EQ(services.Messages.size(), 1);
    EXPECT_EQ(otherServices.Messages.size(), 1);
}

TEST_F(FPrintDlgTest, StaleDataFileOfAnEarlierLabelStopsThePrint) {
    Open(TLabelKind::Imported);
    const QString gone = scratch.File("gone.csv");
    Edit("eFile")->setText(gone);
    dialog.reject();
    Open(TLabelKind::Plain);
    ASSERT_FALSE(W<QWidget>("pImport")->isVisible());
    ClickPrint();
    EXPECT_EQ(services.Messages, QStringList{gone + "\n\rfile does not exist!"});
    EXPECT_TRUE(dialog.isVisible());
    Edit("eFile")->clear();
    ClickPrint();
    EXPECT_TRUE(Accepted());
}

TEST_F(FPrintDlgTest, SheetThatDoesNotFitThePaperIsRefused) {
    ForceSheet(label, 1, 6); // six 2-inch columns on 8.5-inch paper
    Open(TLabelKind::Plain);
    ClickPrint();
    ASSERT_EQ(services.Messages.size(), 1);
    EXPECT_TRUE(services.Messages[0].startsWith("The sheet has 6 columns"))
        << services.Messages[0].toStdString();
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(FPrintDlgTest, LeavingTheFileFieldRunsTheImportWizard) {
    Open(TLabelKind::Imported);
    QLineEdit* file = Edit("eFile");
    file->setFocus(Qt::MouseFocusReason);
    file->setText(data);
    Edit("ePages")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(import.Files, QStringList{data});
    EXPECT_EQ(file->text(), data);
    EXPECT_EQ(session.ChosenDataFile(), data);

    // The file already chosen keeps its settings: leaving the field again asks nothing.
    import.Answer = false;
    file->setFocus(Qt::MouseFocusReason);
    Edit("ePages")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(import.Files.size(), 1);
    EXPECT_EQ(file->text(), data);

    const QString other = WriteFile(scratch.File("other.csv"), "Name\r\nBo\r\n");
    file->setFocus(Qt::MouseFocusReason);
    file->setText(other);
    Edit("ePages")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(file->text(), "") << "a cancelled import empties the field";
    EXPECT_EQ(session.ChosenDataFile(), data) << "and keeps the choice";

    const QString gone = scratch.File("gone.csv");
    file->setFocus(Qt::MouseFocusReason);
    file->setText(gone);
    Edit("ePages")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(services.Messages, QStringList{gone + "\n\rfile does not exist!"});
    EXPECT_TRUE(file->hasFocus());
    EXPECT_EQ(file->selectedText(), gone);
    EXPECT_EQ(import.Files.size(), 2);
}

TEST_F(FPrintDlgTest, BrowseRunsTheWizardOnTheChosenFile) {
    Open(TLabelKind::Imported);
    QTest::mouseClick(W<QPushButton>("BrowseBtn"), Qt::LeftButton);
    ASSERT_EQ(services.FileRequests.size(), 1);
    EXPECT_EQ(services.FileRequests[0].Title, "Select Import File");
    EXPECT_EQ(services.FileRequests[0].DefaultExtension, "txt");
    EXPECT_TRUE(import.Files.isEmpty()) << "cancelled: no wizard";

    services.FileAnswer = data;
    import.Answer = false;
    Edit("eFile")->setText("kept.csv");
    QTest::mouseClick(W<QPushButton>("BrowseBtn"), Qt::LeftButton);
    EXPECT_EQ(Edit("eFile")->text(), "kept.csv") << "a cancelled wizard leaves the field";
    import.Answer = true;
    QTest::mouseClick(W<QPushButton>("BrowseBtn"), Qt::LeftButton);
    EXPECT_EQ(Edit("eFile")->text(), data);
    // Browsing to the file in use asks for its settings again, so a wrong choice can be mended.
    QTest::mouseClick(W<QPushButton>("BrowseBtn"), Qt::LeftButton);
    EXPECT_EQ(import.Files, (QStringList{data, data, data}));
    EXPECT_EQ(Edit("eFile")->text(), data);
}

TEST_F(FPrintDlgTest, PrinterSetupRewritesTheSheetLines) {
    label.SetSheet(TSheetSettings()); // 2 × 1 inch labels, worked out from the paper
    Open(TLabelKind::Plain);
    EXPECT_EQ(W<QLabel>("lRows")->text(), "Rows: 10");
    QTest::mouseClick(W<QPushButton>("BitBtn3"), Qt::LeftButton);
    EXPECT_EQ(services.PrinterSetups, 1);
    services.PrinterSetupAnswer = true;
    services.OnPrinterSetup = [] { UsePdfPrinter(QPageSize::A4); };
    QTest::mouseClick(W<QPushButton>("BitBtn3"), Qt::LeftButton);
    EXPECT_EQ(W<QLabel>("lRows")->text(), "Rows: 11");
    EXPECT_EQ(W<QLabel>("LLabels")->text(), "Labels per page: 44");
}

TEST_F(FPrintDlgTest, CommandLineOptionsAreTheFirstValues) {
    TCommandLineOptions o;
    o.Range = TPrintRange::Labels;
    o.Count = 25;
    o.Copies = 3;
    o.Skip = 4;
    o.DataFile = data;
    TFPrintDlg fresh(o, session);
    EXPECT_TRUE(FindIn<QRadioButton>(&fresh, "rbLabelRange")->isChecked());
    EXPECT_EQ(FindIn<QLineEdit>(&fresh, "eLabels")->text(), "25");
    EXPECT_EQ(FindIn<QLineEdit>(&fresh, "ePages")->text(), "1");
    EXPECT_EQ(FindIn<QLineEdit>(&fresh, "eCopies")->text(), "3");
    EXPECT_EQ(FindIn<QLineEdit>(&fresh, "eFile")->text(), data);
    EXPECT_EQ(fresh.SkipCount(), 4);
    EXPECT_EQ(FindIn<QLabel>(&fresh, "LSkipLbl")->text(), "Skip 4 Labels");

    o.Range = TPrintRange::Pages;
    o.Count = 7;
    TFPrintDlg pages(o, session);
    EXPECT_TRUE(FindIn<QRadioButton>(&pages, "rbPageRange")->isChecked());
    EXPECT_EQ(pages.Settings().PageCount, 7);
}

TEST_F(FPrintDlgTest, ValuesStayBetweenOpenings) {
    Open(TLabelKind::Counter);
    Edit("ePages")->setText("7");
    Edit("eCopies")->setText("2");
    dialog.SetSkipCount(5);
    dialog.reject();
    Open(TLabelKind::Counter);
    EXPECT_EQ(Edit("ePages")->text(), "7");
    EXPECT_EQ(Edit("eCopies")->text(), "2");
    EXPECT_EQ(dialog.SkipCount(), 5);
}
