#include "MainWindowSupport.h"

#include "app/PrinterSetup.h"
#include "document/Sheet.h"
#include "files/FileOperations.h"
#include "platform/Printer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
// The width of the page the current printer gives the window's label, in printer pixels.
int32_t PageWidth(const TFMain& w) {
    TSheetSettings sheet = w.Document().Sheet();
    return RefreshPrinterPage(sheet).PhysicalWidth;
}

// What the Print Setup dialog showed when it opened.
struct TShown {
    QString Paper, Orientation;
};

// Answers the Print Setup dialog once it is up: notes what it shows, picks paper and
// orientation when given and presses OK or Cancel.
void AnswerPrintSetup(const QString& paper, const QString& orientation, bool ok, TShown* shown,
                      int tries = 200) {
    QTimer::singleShot(tries == 200 ? 0 : 5, [=] {
        auto* dialog = qobject_cast<TFPrinterSetup*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (tries > 0)
                AnswerPrintSetup(paper, orientation, ok, shown, tries - 1);
            return;
        }
        auto* paperBox = dialog->findChild<QComboBox*>("cbPaper");
        auto* orientationBox = dialog->findChild<QComboBox*>("cbOrientation");
        if (shown)
            *shown = {paperBox->currentText(), orientationBox->currentText()};
        if (!paper.isEmpty())
            paperBox->setCurrentIndex(paperBox->findText(paper));
        if (!orientation.isEmpty())
            orientationBox->setCurrentIndex(orientationBox->findText(orientation));
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
    });
}

class PrintSetupWindow : public ::testing::Test, public TMainWindowFixture {
protected:
    PrintSetupWindow() {
        TPrinters::Select(TPdfPrinter::DefaultName());
        TPrinters::Pdf().SetPaperSize(QPageSize::A4);
    }
    ~PrintSetupWindow() override { TPrinters::Current().SetPaper({}); }
    void PrintSetup(TFMain& w, const QString& paper, const QString& orientation, bool ok,
                    TShown* shown = nullptr) {
        AnswerPrintSetup(paper, orientation, ok, shown);
        w.Action("acPrintSetup")->trigger();
    }
};

TEST_F(PrintSetupWindow, ChosenPaperIsAChangeSavedWithTheLabel) {
    auto w = Window();
    TShown shown;
    PrintSetup(*w, "Legal", "Landscape", true, &shown);
    EXPECT_EQ(shown.Paper, "A4") << "a label without a choice shows the printer's own paper";
    EXPECT_EQ(shown.Orientation, "Portrait");
    EXPECT_TRUE(w->Modified());
    const TPrinterFacts legal = TPrinters::Current().Facts();
    EXPECT_EQ(legal.PhysicalWidth, 8400) << "Legal across, at 600 dpi";
    EXPECT_EQ(legal.PhysicalHeight, 5100);

    const QString path = Scratch.File("legal.lbl");
    FileNames = {path};
    w->Action("acSaveLabel")->trigger();
    ASSERT_FALSE(w->Modified());
    const TPaperChoice saved = ReadLabelDocument(path).Sheet.Paper;
    EXPECT_EQ(saved.Name, "Legal");
    EXPECT_TRUE(saved.Landscape);

    // Cancel, or the same paper again, is no change.
    PrintSetup(*w, "A5", "Portrait", false);
    EXPECT_FALSE(w->Modified());
    PrintSetup(*w, {}, {}, true, &shown);
    EXPECT_EQ(shown.Paper, "Legal");
    EXPECT_EQ(shown.Orientation, "Landscape");
    EXPECT_FALSE(w->Modified());

    // A new label has no choice; opening the saved one brings its paper back to the printer.
    w->Action("acNewLabel")->trigger();
    EXPECT_FALSE(w->Document().Sheet().Paper.IsSet());
    EXPECT_EQ(PageWidth(*w), 4958) << "the printer's own A4";
    FileNames = {path};
    w->Action("acOpenLabel")->trigger();
    EXPECT_EQ(w->Document().Sheet().Paper, saved);
    EXPECT_EQ(PageWidth(*w), 8400);
    PrintSetup(*w, {}, {}, false, &shown);
    EXPECT_EQ(shown.Paper, "Legal");
    EXPECT_EQ(shown.Orientation, "Landscape");
}

TEST_F(PrintSetupWindow, UndoTakesTheChoiceBack) {
    auto w = Window();
    PrintSetup(*w, "Letter", "Portrait", true);
    ASSERT_EQ(w->Document().Sheet().Paper.Name, "Letter");
    QCoreApplication::processEvents(); // the step is recorded once the command is done
    w->Action("acUndo")->trigger();
    EXPECT_FALSE(w->Document().Sheet().Paper.IsSet());
    EXPECT_FALSE(w->Modified());
}
} // namespace
