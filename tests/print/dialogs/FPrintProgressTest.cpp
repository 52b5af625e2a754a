#include "print/dialogs/FPrintProgress.h"
#include "PrintDialogTestSupport.h"

#include <QLabel>
#include <QPushButton>

namespace {
QString Line(const TFPrintProgress& w, const char* name) {
    const QLabel* l = FindIn<QLabel>(&w, name);
    return l ? l->text() : QString();
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
