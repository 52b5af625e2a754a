#include "print/dialogs/FPrintProgress.h"
#include "PrintDialogTestSupport.h"
#include "print/dialogs/DesignerPrint.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {
QString Line(const TFPrintProgress& w, const char* name) {
    const QLabel* l = FindIn<QLabel>(&w, name);
    return l ? l->text() : QString();
}
const QProgressBar* Bar(const TFPrintProgress& w) {
    return FindIn<QProgressBar>(&w, "pbProgress");
}
} // namespace

TEST(FPrintProgress, ShowsDocumentPrinterAndPage) {
    TFPrintProgress window;
    EXPECT_EQ(window.windowTitle(), "Printing...");
    EXPECT_EQ(Line(window, "LPage"), "Page 1");
    EXPECT_EQ(FindIn<QPushButton>(&window, "CancelBtn")->text(), "&Cancel");

    TPrintProgress& progress = window;
    progress.Start("shipping.lbl", "PDF file");
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "Vellumtrace");
    EXPECT_EQ(Line(window, "LDocName"), "shipping.lbl");
    EXPECT_EQ(Line(window, "LPrinterName"), "PDF file");
    EXPECT_TRUE((window.windowFlags() & Qt::WindowStaysOnTopHint) != 0);
    progress.Page(12);
    EXPECT_EQ(Line(window, "LPage"), "Page 12");
    EXPECT_EQ(window.PageNumber(), 12);
    progress.Close();
    EXPECT_FALSE(window.isVisible());
}

TEST(FPrintProgress, CancelIsSeenWhenThePageChangesAndClearedOnTheNextRun) {
    TFPrintProgress window;
    TPrintProgress& progress = window;
    progress.Start("a", "b");
    auto* cancel = FindIn<QPushButton>(&window, "CancelBtn");
    // A click waiting in the event queue, as when the user clicks during a run.
    QMetaObject::invokeMethod(cancel, "click", Qt::QueuedConnection);
    EXPECT_FALSE(progress.Cancelled());
    progress.Page(2);
    EXPECT_TRUE(progress.Cancelled());
    progress.Close();
    progress.Start("a", "b");
    EXPECT_FALSE(progress.Cancelled());
    EXPECT_EQ(Line(window, "LPage"), "Page 1");
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(progress.Cancelled()) << "Escape cancels instead of hiding the window";
    EXPECT_TRUE(window.isVisible());
    progress.Close();
}

TEST(FPrintProgress, BarFollowsAKnownLengthInPagesOrLabels) {
    TFPrintProgress window;
    TPrintProgress& progress = window;
    progress.Start("a", "b");
    ASSERT_NE(Bar(window), nullptr);
    EXPECT_FALSE(Bar(window)->isVisible()) << "no bar before the length is known";
    EXPECT_EQ(Line(window, "LLabels"), "Labels: 0");
    progress.Total(TPrintRange::Pages, 4);
    EXPECT_TRUE(Bar(window)->isVisible());
    EXPECT_EQ(Bar(window)->maximum(), 4);
    EXPECT_EQ(Bar(window)->value(), 1);
    progress.Labels(25);
    progress.Page(3);
    EXPECT_EQ(Bar(window)->value(), 3) << "pages, not labels, fill a page range's bar";
    EXPECT_EQ(Line(window, "LLabels"), "Labels: 25");
    progress.Close();

    progress.Start("a", "b");
    EXPECT_FALSE(Bar(window)->isVisible()) << "the last run's length is forgotten";
    EXPECT_EQ(Line(window, "LLabels"), "Labels: 0");
    progress.Total(TPrintRange::Labels, 30);
    progress.Page(2);
    progress.Labels(12);
    EXPECT_EQ(Bar(window)->maximum(), 30);
    EXPECT_EQ(Bar(window)->value(), 12);
    progress.Close();
}

class ProgressRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        UsePdfPrinter(QPageSize::Letter);
        ForceSheet(label, 5, 2);
        services.PdfAnswer = scratch.File("labels.pdf");
    }
    TScratchFolder scratch;
    TPrintServicesStandIn services;
    TLabelDocument label;
    TFPrintProgress window;
};

TEST_F(ProgressRunTest, LabelRangeFillsTheBarAndCountsTheLabels) {
    AddTextControl(label, TLabelKind::Counter);
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 13;
    ASSERT_TRUE(PrintFromDesigner(label.Sheet(), label.Controls(), s, QString(), &window,
                                  services.Services()));
    EXPECT_FALSE(Bar(window)->isHidden());
    EXPECT_EQ(Bar(window)->maximum(), 13);
    EXPECT_EQ(Bar(window)->value(), 13);
    EXPECT_EQ(Line(window, "LLabels"), "Labels: 13");
    EXPECT_EQ(window.PageNumber(), 2);
}

TEST_F(ProgressRunTest, RunToTheEndOfTheDataHasNoBar) {
    AddTextControl(label, TLabelKind::Imported);
    const QString data = WriteFile(scratch.File("data.csv"), "Name\r\nA\r\nB\r\nC\r\n");
    TPrintSettings s;
    FormatFromExtension(s.Import, data, {});
    s.DataFile = data;
    s.Duplicates = 2;
    ASSERT_TRUE(PrintFromDesigner(label.Sheet(), label.Controls(), s, QString(), &window,
                                  services.Services()));
    EXPECT_TRUE(Bar(window)->isHidden());
    EXPECT_EQ(Line(window, "LLabels"), "Labels: 6");
}
