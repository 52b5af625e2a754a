#include "print/dialogs/DesignerPrint.h"
#include "PdfProbe.h"
#include "PrintDialogTestSupport.h"
#include "merge/DataImport.h"
#include "print/CommandLine.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/FPrintProgress.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The import wizard as a user leaves it for semicolon separated data.
class TSemicolonImport : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings& settings, const QStringList&) override {
        settings.ImportFormat = TImportFormat::CustomDelimiter;
        settings.Separator = QStringLiteral(";");
        return true;
    }
};
} // namespace

class DesignerPrintTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2);
        pdf = scratch.File("labels.pdf");
        services.PdfAnswer = pdf;
    }
    QString WriteData(int records) {
        QByteArray bytes = "Name\r\n";
        for (int i = 1; i <= records; ++i)
            bytes += "Parcel" + QByteArray::number(i) + "\r\n";
        const QString path = WriteFile(scratch.File("data.csv"), bytes);
        return path;
    }
    QStringList Words(int page) { return PageWords(PdfWords(pdf), page); }

    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TLabelDocument label;
    TDataImport session;
    QString pdf;
};

TEST_F(DesignerPrintTest, ThePdfIsNamedAfterTheLabel) {
    EXPECT_EQ(ProposedPdfPath("/labels/shipping.lbl"), "/labels/shipping.pdf");
    EXPECT_EQ(ProposedPdfPath("/labels/ship.v2.lbl"), "/labels/ship.v2.pdf");
    EXPECT_EQ(ProposedPdfPath(""), QDir::current().filePath("Vellumtrace.pdf"));
}

TEST_F(DesignerPrintTest, MergedRunFromTheDialogIntoAPdf) {
    AddTextControl(label, TLabelKind::Imported);
    TCommandLineOptions options;
    options.DataFile = WriteData(12);
    options.Range = TPrintRange::All;
    TFPrintDlg dialog(options, session);
    dialog.PrintDialogServices() = services.Services();
    TFPrintProgress progress;
    dialog.Prepare(label); // the skip is counted on this label's sheet
    dialog.SetSkipCount(3);
    auto* ok = FindIn<QPushButton>(&dialog, "OkayBtn");
    QMetaObject::invokeMethod(ok, "click", Qt::QueuedConnection);
    const QString labelFile = scratch.File("shipping.lbl");
    ASSERT_TRUE(dialog.RunPrintDialog(label, labelFile, &progress));
    EXPECT_EQ(services.PdfProposals, QStringList{scratch.File("shipping.pdf")});
    EXPECT_TRUE(services.Errors.isEmpty()) << services.Errors.join("; ").toStdString();
    // Three positions skipped: seven records on the first page, five on the second.
    EXPECT_EQ(PdfPageCount(pdf), 2);
    QStringList first;
    for (int i = 1; i <= 7; ++i)
        first << QString("Parcel%1").arg(i);
    EXPECT_EQ(Words(1), first);
    EXPECT_EQ(Words(2).size(), 5);
    EXPECT_EQ(Words(2).last(), "Parcel12");
    EXPECT_FALSE(progress.isVisible());
}

// The dialog's run reads the data file the way the session's import settings say, not as its
// extension alone would.
TEST_F(DesignerPrintTest, TheDialogsRunCutsTheDataWithTheSessionsSettings) {
    AddTextControl(label, TLabelKind::Imported);
    const QString data =
        WriteFile(scratch.File("orders.csv"), "Name;Town\r\nAda;Paris\r\nBo;Rome\r\n");
    TSemicolonImport wizard;
    session.SetTextImportDialog(&wizard);
    ASSERT_TRUE(session.ChooseDataFile(data));
    TFPrintDlg dialog(TCommandLineOptions(), session);
    dialog.PrintDialogServices() = services.Services();
    TFPrintProgress progress;
    QMetaObject::invokeMethod(FindIn<QPushButton>(&dialog, "OkayBtn"), "click",
                              Qt::QueuedConnection);
    ASSERT_TRUE(dialog.RunPrintDialog(label, QString(), &progress));
    EXPECT_EQ(FindIn<QLineEdit>(&dialog, "eFile")->text(), data) << "the session's choice";
    EXPECT_EQ(Words(1), (QStringList{"Ada", "Bo"}));
    EXPECT_TRUE(services.Errors.isEmpty()) << services.Errors.join("; ").toStdString();
}

TEST_F(DesignerPrintTest, CancelFromTheProgressWindowLeavesNoFile) {
    AddTextControl(label, TLabelKind::Counter);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 50;
    TFPrintProgress progress;
    QMetaObject::invokeMethod(FindIn<QPushButton>(&progress, "CancelBtn"), "click",
                              Qt::QueuedConnection);
    EXPECT_FALSE(PrintFromDesigner(label.Sheet(), label.Controls(), s, QString(), &progress,
                                   services.Services()));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(services.Errors.isEmpty());
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(DesignerPrintTest, NoFileNameNoRun) {
    AddTextControl(label, TLabelKind::Plain, "Hello");
    services.PdfAnswer.clear();
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    EXPECT_FALSE(PrintFromDesigner(label.Sheet(), label.Controls(), s, QString(), nullptr,
                                   services.Services()));
    EXPECT_EQ(services.PdfProposals.size(), 1);
    EXPECT_FALSE(QFile::exists(pdf));
    services.PdfAnswer = pdf;
    EXPECT_TRUE(PrintFromDesigner(label.Sheet(), label.Controls(), s, QString(), nullptr,
                                  services.Services()));
    EXPECT_EQ(Words(1).count("Hello"), 10);
}

TEST_F(DesignerPrintTest, RefusedRunsAreReportedAndPrintNothing) {
    AddTextControl(label, TLabelKind::Plain);
    TPrintSettings s; // all records, but there is no data file
    EXPECT_FALSE(PrintFromDesigner(label.Sheet(), label.Controls(), s, QString(), nullptr,
                                   services.Services()));
    ASSERT_EQ(services.Errors.size(), 1);
    EXPECT_EQ(services.Errors[0], QString::fromLatin1(PrintText::NoEnd));
    EXPECT_FALSE(QFile::exists(pdf));
}
