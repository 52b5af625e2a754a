#include "PdfProbe.h"
#include "PrintDialogTestSupport.h"
#include "TestSupport.h"
#include "merge/DataImport.h"
#include "print/CommandLine.h"
#include "print/dialogs/DesignerPrint.h"
#include "print/dialogs/FPrintDlg.h"

#include <QLabel>

// The print dialog lays the label out on the paper chosen for it, not on the printer's own.
TEST(PrintDialogPaper, SheetAndPrintFollowTheLabelsPaper) {
    UsePdfPrinter(QPageSize::A4);
    TLabelDocument label; // 2 × 1 in labels: 10 rows on Letter, 11 on A4
    label.ChangeSheet([](TSheetSettings& s) { ASSERT_TRUE(ParsePaper("Letter", s.Paper)); });
    AddTextControl(label, TLabelKind::Plain);
    TDataImport session;
    TFPrintDlg dialog{TCommandLineOptions(), session};
    dialog.Prepare(label);
    EXPECT_EQ(dialog.findChild<QLabel*>("lRows")->text(), "Rows: 10");
    EXPECT_EQ(dialog.findChild<QLabel*>("LLabels")->text(), "Labels per page: 40");

    TScratchFolder scratch;
    const QString pdf = scratch.File("letter.pdf");
    TPrintSettings settings;
    settings.Range = TPrintRange::Pages;
    ASSERT_EQ(PrintLabels(label.Sheet(), label.Controls(), settings, TPrinters::Current(), pdf,
                          QString(), nullptr)
                  .Labels,
              40);
    EXPECT_TRUE(PdfInfo(pdf).contains("612 x 792 pts")) << PdfInfo(pdf).toStdString();

    label.ChangeSheet([](TSheetSettings& s) { s.Paper = {}; }); // the printer's own A4 again
    dialog.Prepare(label);
    EXPECT_EQ(dialog.findChild<QLabel*>("lRows")->text(), "Rows: 11");
}

namespace {
// A printer whose tray holds Letter paper only; A4 when nothing is asked for.
class TLetterOnlyPrinter : public TPdfPrinter {
public:
    TLetterOnlyPrinter() { SetPaperSize(QPageSize::A4); }
    QString Name() const override { return QStringLiteral("Shelf"); }
    bool SetPaper(const TPaperChoice& paper) override {
        const bool has = !paper.IsSet() || paper.Name == "Letter";
        TPdfPrinter::SetPaper(has ? paper : TPaperChoice());
        return has;
    }
};
} // namespace

TEST(PrintDialogPaper, PrinterWithoutThePaperPrintsOnItsOwnWithAWarning) {
    TPrinters::SetCurrent(std::make_unique<TLetterOnlyPrinter>());
    TPrintServicesStandIn services;
    TScratchFolder scratch;
    services.PdfAnswer = scratch.File("shelf.pdf");
    TLabelDocument label;
    label.ChangeSheet([](TSheetSettings& s) { ASSERT_TRUE(ParsePaper("Legal", s.Paper)); });
    AddTextControl(label, TLabelKind::Plain);
    TPrintSettings settings;
    settings.Range = TPrintRange::Pages;
    EXPECT_TRUE(PrintFromDesigner(label.Sheet(), label.Controls(), settings, QString(), nullptr,
                                  services.Services()));
    EXPECT_EQ(services.Messages,
              QStringList{"The printer Shelf has no Legal paper; printing on its own "
                          "paper, A4."});
    EXPECT_TRUE(PdfInfo(services.PdfAnswer).contains("595 x 842 pts"));
    UsePdfPrinter(QPageSize::Letter);
}
