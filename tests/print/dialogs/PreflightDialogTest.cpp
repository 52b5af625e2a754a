// The print dialog's "Chec&k": the same run checked, its results shown, and the choice to print
// anyway or go back.

#include "PrintDialogTestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "merge/DataImport.h"
#include "print/CommandLine.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/PreflightResults.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {
// The import wizard, confirmed as it stands.
class TAcceptImport : public TTextImportDialog {
public:
    bool Execute(const QString&, TTextImportSettings&, const QStringList&) override { return true; }
};
} // namespace

class PreflightDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2);
        // An EAN 13 from field 1 of the record.
        auto c = std::make_unique<TBarcodeLabel>();
        c->SetBarcodeType(btEan13);
        c->SetBox(TRect::FromBox(10, 10, 150, 40), true);
        c->Fields.push_back(std::make_unique<TImportedField>());
        c->SetAdvanced(true);
        TBarcodeLabel* raw = c.get();
        label.AddControl(std::move(c));
        raw->SetLoading(false);
    }
    QString WriteData(const QByteArrayList& rows) {
        QByteArray bytes = "GTIN\r\n";
        for (const QByteArray& r : rows)
            bytes += r + "\r\n";
        const QString path = WriteFile(scratch.File("data.csv"), bytes);
        session.FormatFromExtension(path);
        return path;
    }
    // The dialog prepared for the label with the data file, shown.
    std::unique_ptr<TFPrintDlg> Dialog(const QString& data) {
        auto dialog = std::make_unique<TFPrintDlg>(TCommandLineOptions(), session);
        dialog->PrintDialogServices() = services.Services();
        dialog->Prepare(label);
        FindIn<QLineEdit>(dialog.get(), "eFile")->setText(data);
        ShowActive(dialog.get());
        return dialog;
    }

    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TLabelDocument label;
    TAcceptImport import;
    TDataImport session{&import};
};

TEST_F(PreflightDialogTest, CheckShowsTheProblemsAndGoesBackOrPrints) {
    const QString data = WriteData({"400638133393", "40123455", "400638133393", "4006381333932"});
    auto dialog = Dialog(data);
    auto* check = FindIn<QPushButton>(dialog.get(), "CheckBtn");
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->text(), QString("Chec&k"));

    services.PrintAfterCheck = false; // "&Back"
    QTest::mouseClick(check, Qt::LeftButton);
    ASSERT_EQ(services.Checks.size(), 1u) << services.Messages.join("; ").toStdString();
    const TPreflightReport& report = services.Checks.front();
    EXPECT_EQ(report.Result.Labels, 4);
    ASSERT_EQ(report.Problems.size(), 2u);
    EXPECT_EQ(report.Problems[0].Record, 2);
    EXPECT_EQ(report.Problems[0].Line, 3);
    EXPECT_EQ(report.Problems[0].Control, QString("barcode \"GTIN\" (EAN 13)"));
    EXPECT_EQ(report.Problems[1].Record, 4);
    EXPECT_TRUE(report.Problems[1].Problem.contains("check digit 2"));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), 0);

    services.PrintAfterCheck = true; // "&Print Anyway"
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(services.Checks.size(), 2u);
    EXPECT_EQ(dialog->result(), int(QDialog::Accepted));
}

TEST_F(PreflightDialogTest, AProblemOfEveryLabelIsListedPastAFullList) {
    // Without data the EAN 13 has nothing to encode on any label: more problems than the list
    // keeps. A Code 128 too wide for its label is a problem of the design, listed all the same.
    auto wide = std::make_unique<TBarcodeLabel>();
    wide->SetBarcodeType(btCode128);
    wide->SetText("VT-1000-WIDE-PAST-THE-LABEL");
    wide->SetAutoSizing(true);
    wide->SetBox(TRect::FromBox(10, 60, 40, 30), true);
    TBarcodeLabel* raw = wide.get();
    label.AddControl(std::move(wide));
    raw->SetLoading(false);
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = int32_t(MaxListedProblems) + 5;
    const TPreflightReport report =
        RunPreflight(label.Sheet(), label.Controls(), s, TPrinters::Current(), nullptr);
    EXPECT_TRUE(report.Truncated);
    ASSERT_EQ(report.Problems.size(), MaxListedProblems + 1);
    const TPreflightProblem& last = report.Problems.back();
    EXPECT_TRUE(last.Grouped());
    EXPECT_EQ(last.Labels.Count(), s.LabelCount);
    EXPECT_TRUE(last.Problem.startsWith("the right edge of the label cuts the barcode"))
        << last.Problem.toStdString();
}

TEST_F(PreflightDialogTest, WhatPrintRefusesTheCheckRefusesToo) {
    auto dialog = Dialog(QString());
    FindIn<QLineEdit>(dialog.get(), "eFile")->clear();
    QTest::mouseClick(FindIn<QPushButton>(dialog.get(), "CheckBtn"), Qt::LeftButton);
    EXPECT_TRUE(services.Checks.empty());
    EXPECT_EQ(services.Messages.size(), 1); // "All" without a file
}

TEST(PreflightResultsTest, ListsEveryProblemAndDefaultsToGoingBack) {
    TPreflightReport report;
    report.Result.Labels = 3;
    report.Result.Records = 3;
    report.Result.HasData = true;
    report.Result.Problems = 2;
    report.Result.RecordsWithProblems = 1;
    report.Problems = {{2, 2, 3, "barcode \"GTIN\" (EAN 13)", "data \"1\" has 1 digits"},
                       {2, 2, 3, "text \"Name\"", "text \"x\" is 2.00 in wide"}};
    TFPreflightResults dialog(report);
    ShowActive(&dialog);
    EXPECT_EQ(dialog.windowTitle(), QString("Check Labels"));
    EXPECT_EQ(FindIn<QLabel>(&dialog, "lSummary")->text(),
              QString("Checked 3 labels from 3 records: 2 problems in 1 record"));
    auto* list = FindIn<QTreeWidget>(&dialog, "lvProblems");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0), QString("2 (line 3)"));
    EXPECT_EQ(list->topLevelItem(1)->text(2), QString("text \"Name\""));
    auto* print = FindIn<QPushButton>(&dialog, "PrintAnywayBtn");
    auto* back = FindIn<QPushButton>(&dialog, "BackBtn");
    EXPECT_EQ(print->text(), QString("&Print Anyway"));
    EXPECT_TRUE(back->isDefault());
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), int(QDialog::Rejected));

    TPreflightReport clean;
    clean.Result.Labels = 12;
    TFPreflightResults ok(clean);
    ShowActive(&ok);
    EXPECT_FALSE(FindIn<QTreeWidget>(&ok, "lvProblems")->isVisible());
    EXPECT_EQ(FindIn<QPushButton>(&ok, "PrintAnywayBtn")->text(), QString("&Print"));
    QTest::mouseClick(FindIn<QPushButton>(&ok, "PrintAnywayBtn"), Qt::LeftButton);
    EXPECT_EQ(ok.result(), int(QDialog::Accepted));
}

TEST(PreflightResultsTest, AProblemOfEveryLabelIsOneRowNamingThem) {
    TPreflightReport report;
    report.Result.Labels = 176;
    report.Result.Problems = 2;
    report.Result.RecordsWithProblems = 176;
    TPreflightProblem once;
    once.Label = 1;
    once.Control = "barcode \"VT-1000-WIDE\" (Code 128)";
    once.Problem = "the right edge of the label cuts the barcode \"VT-1000-WIDE\" by 0.71 in "
                   "(quiet zone included)";
    for (int32_t l = 1; l <= 176; ++l)
        once.Labels.Add(l);
    once.Checked = 176;
    TPreflightProblem some = once;
    some.Labels = TLabelSet();
    for (int32_t l : {3, 4, 5, 9})
        some.Labels.Add(l);
    report.Problems = {{7, 0, 0, "text \"N\"", "text \"10000\" is 0.90 in wide"}, once, some};
    TFPreflightResults dialog(report);
    ShowActive(&dialog);
    EXPECT_EQ(FindIn<QLabel>(&dialog, "lSummary")->text(),
              QString("Checked 176 labels: 2 problems on 176 labels"));
    auto* list = FindIn<QTreeWidget>(&dialog, "lvProblems");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QString("7"));
    EXPECT_EQ(list->topLevelItem(1)->text(0), QString());
    EXPECT_EQ(list->topLevelItem(1)->text(1), QString("all 176"));
    EXPECT_EQ(list->topLevelItem(1)->text(3), once.Problem);
    EXPECT_EQ(list->topLevelItem(2)->text(1), QString("3\u20135, 9"));
}
