#include "print/dialogs/PrintPreview.h"
#include "PdfProbe.h"
#include "PrintDialogTestSupport.h"
#include "merge/DataImport.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"
#include "print/dialogs/FPrintDlg.h"
#include "print/dialogs/FPrintPreview.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

class PrintPreviewTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2); // ten labels a page
    }
    QString WriteData(int records) {
        QByteArray bytes = "Name\r\n";
        for (int i = 1; i <= records; ++i)
            bytes += "Parcel" + QByteArray::number(i) + "\r\n";
        const QString path = WriteFile(scratch.File("data.csv"), bytes);
        return path;
    }
    // A label with field 1 of the record at the top and "N" + a counter below it.
    void MergedLabel() {
        AddTextControl(label, TLabelKind::Imported);
        AddTextControl(label, TLabelKind::Counter);
        label.Controls()[1]->SetBox(TRect::FromBox(10, 50, 150, 30), true);
    }
    int32_t Counter() const {
        for (const auto& c : label.Controls())
            for (const auto& f : c->Fields)
                if (const auto* seq = dynamic_cast<const TSequenceField*>(f.get()))
                    return seq->CurrentValue;
        return -1;
    }
    // The preview's pages drawn into a PDF so that their texts can be read back.
    TPrintResult PreviewIntoPdf(const TPrintSettings& s, const QString& pdf) {
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return PaintPreview(printer, label.Sheet(), label.Controls(), s,
                            TPrinters::Current().Facts());
    }
    void ExpectSamePages(const QString& preview, const QString& printed) {
        ASSERT_EQ(PdfPageCount(preview), PdfPageCount(printed));
        const std::vector<TPdfWord> a = PdfWords(preview), b = PdfWords(printed);
        for (int page = 1; page <= PdfPageCount(printed); ++page)
            EXPECT_EQ(PageWords(a, page), PageWords(b, page)) << "page " << page;
    }

    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TLabelDocument label;
};

TEST_F(PrintPreviewTest, PagesMatchThePrintedPdfAndCountersStay) {
    MergedLabel();
    TPrintSettings s;
    s.DataFile = WriteData(12);
    FormatFromExtension(s.Import, s.DataFile, {});
    s.Skip = 3;
    s.Duplicates = 2;
    const QString preview = scratch.File("preview.pdf"), printed = scratch.File("printed.pdf");
    const TPrintResult shown = PreviewIntoPdf(s, preview);
    EXPECT_EQ(shown.Labels, 24);
    EXPECT_EQ(shown.Pages, 3); // 7 after the skip, then 10, then 7
    EXPECT_EQ(Counter(), 1) << "the preview stepped the label's own counter";
    const TPrintResult run = PrintLabels(label.Sheet(), label.Controls(), s, TPrinters::Current(),
                                         printed, QString(), nullptr);
    EXPECT_EQ(run.Pages, shown.Pages);
    ExpectSamePages(preview, printed);
    const QStringList first = PageWords(PdfWords(printed), 1);
    ASSERT_GE(first.size(), 4);
    EXPECT_EQ(first.mid(0, 4), (QStringList{"Parcel1", "N1", "Parcel1", "N1"}));
    EXPECT_EQ(Counter(), 13) << "the real run counts as before";
}

TEST_F(PrintPreviewTest, PageAndLabelRangesPreviewAsTheyPrint) {
    AddTextControl(label, TLabelKind::Counter);
    for (const TPrintRange range : {TPrintRange::Pages, TPrintRange::Labels}) {
        TPrintSettings s;
        s.Range = range;
        s.PageCount = 2;
        s.LabelCount = 13;
        s.Skip = 1;
        const QString preview = scratch.File("preview.pdf"), printed = scratch.File("printed.pdf");
        const int32_t before = Counter();
        PreviewIntoPdf(s, preview);
        EXPECT_EQ(Counter(), before);
        PrintLabels(label.Sheet(), label.Controls(), s, TPrinters::Current(), printed, QString(),
                    nullptr);
        ExpectSamePages(preview, printed);
        EXPECT_GT(Counter(), before);
    }
}

TEST_F(PrintPreviewTest, RefusedRunDrawsNothing) {
    AddTextControl(label, TLabelKind::Plain);
    const QString preview = scratch.File("preview.pdf");
    try {
        PreviewIntoPdf(TPrintSettings(), preview); // all records without a data file
        ADD_FAILURE() << "no error";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString::fromLatin1(PrintText::NoEnd));
    }
    EXPECT_FALSE(QFile::exists(preview));
}

TEST_F(PrintPreviewTest, WindowPagesThroughAndZooms) {
    AddTextControl(label, TLabelKind::Counter);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 3;
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    TFPrintPreview window(printer, [&](QPrinter& p) {
        PaintPreview(p, label.Sheet(), label.Controls(), s, TPrinters::Current().Facts());
    });
    window.show();
    ASSERT_EQ(window.PageCount(), 3);
    EXPECT_EQ(window.CurrentPage(), 1);
    window.PreviousPage();
    EXPECT_EQ(window.CurrentPage(), 1);
    QTest::mouseClick(FindIn<QPushButton>(&window, "NextBtn"), Qt::LeftButton);
    EXPECT_EQ(window.CurrentPage(), 2);
    EXPECT_EQ(FindIn<QLabel>(&window, "LPreviewPage")->text(), "Page 2 of 3");
    window.NextPage();
    window.NextPage();
    EXPECT_EQ(window.CurrentPage(), 3);
    const double zoom = window.ZoomFactor();
    QTest::mouseClick(FindIn<QPushButton>(&window, "ZoomInBtn"), Qt::LeftButton);
    EXPECT_GT(window.ZoomFactor(), zoom);
    EXPECT_EQ(Counter(), 1);
}

TEST_F(PrintPreviewTest, PreviewButtonShowsTheDialogsRunAndStaysOpen) {
    AddTextControl(label, TLabelKind::Counter);
    TCommandLineOptions options;
    options.Range = TPrintRange::Pages;
    options.Count = 3;
    TDataImport session;
    TFPrintDlg dialog(options, session);
    dialog.PrintDialogServices() = services.Services();
    dialog.Prepare(label);
    ShowActive(&dialog);
    auto* preview = FindIn<QPushButton>(&dialog, "PreviewBtn");
    ASSERT_NE(preview, nullptr);
    QTest::mouseClick(preview, Qt::LeftButton);
    EXPECT_EQ(services.PreviewPages, std::vector<int>{3});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(services.PdfProposals.isEmpty()) << "a preview asks for no PDF";
    EXPECT_EQ(Counter(), 1);

    // What "&Print" refuses, the preview refuses with the same message.
    label.ReplaceControls({});
    AddTextControl(label, TLabelKind::Imported);
    dialog.Prepare(label);
    FindIn<QLineEdit>(&dialog, "eFile")->clear();
    QTest::mouseClick(preview, Qt::LeftButton);
    EXPECT_EQ(services.PreviewPages.size(), 1u);
    EXPECT_EQ(services.Messages.size(), 1);
}
