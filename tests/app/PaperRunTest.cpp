// The paper chosen for a label in unattended runs, as another program starts them.
#include "CounterRuns.h"
#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"
#include "app/BatchPrint.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"
#include "merge/AdvancedField.h"
#include "platform/Printer.h"
#include "print/CommandLine.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <set>

namespace {
// The program under the C locale with no paper set for the system, unless papersize is given
// (the PAPERSIZE of libpaper).
TRun PaperRun(const QStringList& args, const QString& workDir, const QString& papersize = {}) {
    QProcessEnvironment env = ProgramEnvironment(workDir);
    for (const char* name : {"LANG", "LANGUAGE", "PAPERSIZE"})
        env.remove(name);
    env.insert("LC_ALL", "C");
    env.insert("PAPERCONF", workDir + "/no-papersize-here");
    if (!papersize.isEmpty())
        env.insert("PAPERSIZE", papersize);
    return RunProgram(args, workDir, env);
}

// What the first page of a printed PDF holds: its size in points and the labels on it.
struct TPage {
    std::string Size; // as pdfinfo gives it: "612 x 792"
    int Labels = 0;
    int Columns = 0;
};

TPage FirstPage(const QString& pdf) {
    TPage page;
    const auto size =
        QRegularExpression(R"(Page size:\s+([\d.]+ x [\d.]+) pts)").match(PdfInfo(pdf));
    page.Size = size.captured(1).toStdString();
    std::set<int> columns;
    for (const TPdfWord& w : PdfWords(pdf))
        if (w.Page == 1 && w.Text.startsWith('N')) {
            ++page.Labels;
            columns.insert(int(w.X));
        }
    page.Columns = int(columns.size());
    return page;
}

constexpr const char* kLetterSize = "612 x 792";
constexpr const char* kA4Size = "595 x 842";

class PaperRunTest : public ::testing::Test {
protected:
    // A sheet of 2.625 × 1 in labels that takes 3 columns and 10 rows on Letter but only 2
    // columns (and 11 rows) on A4; each label prints "N" and a counter.
    QString SheetLabel(const char* name, const char* paper) {
        TSheetSettings sheet;
        sheet.LabelWidth = 2.625;
        sheet.LabelHeight = 1.0;
        sheet.TopMargin = 0.5;
        sheet.LeftMargin = 0.1875;
        sheet.GapWidth = 0.125;
        if (paper)
            EXPECT_TRUE(ParsePaper(paper, sheet.Paper));
        TLabelDocument label;
        label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
        label.AddControl(CounterText(label));
        for (const auto& c : label.Controls())
            c->SetLoading(false);
        const QString path = scratch.File(name);
        label.SetSheet(sheet);
        WriteLabelDescription(path, label);
        return path;
    }
    TRun Print(const QString& label, const char* pdf, const QStringList& more = {},
               const QString& papersize = {}) {
        return PaperRun(QStringList{label, "-p", "-o", scratch.File(pdf)} + more, scratch.Path(),
                        papersize);
    }
    QString Pdf(const char* name) const { return scratch.File(name); }

    TScratchFolder scratch;
};

TEST_F(PaperRunTest, LetterLabelPrintsOnLetterWhateverTheLocale) {
    const QString label = SheetLabel("letter.lbl", "Letter");
    const TRun r = Print(label, "letter.pdf");
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
    const TPage page = FirstPage(Pdf("letter.pdf"));
    EXPECT_EQ(page.Size, kLetterSize);
    EXPECT_EQ(page.Columns, 3);
    EXPECT_EQ(page.Labels, 30);

    // The same across the page: 3 columns and 8 rows on 11 × 8.5 in.
    QFile file(SheetLabel("across.lbl", "Letter"));
    ASSERT_TRUE(file.exists());
    TLabelContents doc = ReadLabelDocument(file.fileName());
    doc.Sheet.Paper.Landscape = true;
    WriteLabelDocument(file.fileName(), doc.Sheet, doc.ShowGrid, doc.Controls);
    ASSERT_EQ(Print(file.fileName(), "across.pdf").Exit, 0);
    const TPage across = FirstPage(Pdf("across.pdf"));
    EXPECT_EQ(across.Size, "792 x 612");
    EXPECT_EQ(across.Columns, 3);
    EXPECT_EQ(across.Labels, 24);
}

TEST_F(PaperRunTest, PaperSwitchOverridesTheLabelForOneRun) {
    const QString label = SheetLabel("letter.lbl", "Letter");
    TRun r = Print(label, "a4.pdf", {"--paper", "a4"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    TPage page = FirstPage(Pdf("a4.pdf"));
    EXPECT_EQ(page.Size, kA4Size);
    EXPECT_EQ(page.Columns, 2);
    EXPECT_EQ(page.Labels, 22);

    r = Print(label, "photo.pdf", {"--paper", "4x6in"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    page = FirstPage(Pdf("photo.pdf"));
    EXPECT_EQ(page.Size, "288 x 432");
    EXPECT_EQ(page.Columns, 1);
    EXPECT_EQ(page.Labels, 5);

    // The counters were written back after each run; the paper of the label stayed its own.
    EXPECT_EQ(ReadLabelDocument(label).Sheet.Paper.Name, "Letter");
    ASSERT_EQ(Print(label, "again.pdf").Exit, 0);
    EXPECT_EQ(FirstPage(Pdf("again.pdf")).Labels, 30);

    // Without counters the file is not touched at all.
    const QString copy = scratch.File("copy.lbl");
    ASSERT_TRUE(QFile::copy(label, copy));
    const QByteArray before = FileBytes(copy);
    ASSERT_EQ(Print(copy, "kept.pdf", {"--paper", "Legal", "--no-save"}).Exit, 0);
    EXPECT_EQ(FileBytes(copy), before);
    EXPECT_EQ(FirstPage(Pdf("kept.pdf")).Size, "612 x 1008");
}

TEST_F(PaperRunTest, PaperThatIsNoPaperIsRefused) {
    const QString label = SheetLabel("letter.lbl", "Letter");
    const QByteArray before = FileBytes(label);
    for (const QStringList& paper : {QStringList{"--paper", "4x6"},
                                     QStringList{"--paper", "Napkin"}, QStringList{"--paper"}}) {
        const TRun r = Print(label, "none.pdf", paper);
        EXPECT_EQ(r.Exit, 1) << paper.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains("paper")) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Pdf("none.pdf")));
    }
    EXPECT_EQ(FileBytes(label), before);
}

TEST_F(PaperRunTest, LabelWithoutPaperTakesTheSystemsPaperThenTheLocales) {
    const QString label = SheetLabel("old.lbl", nullptr);
    ASSERT_FALSE(FileBytes(label).contains("PAPER"));
    // The C locale has no paper of its own: A4, and rows and columns come from it.
    TRun r = Print(label, "locale.pdf", {"--no-save"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    TPage page = FirstPage(Pdf("locale.pdf"));
    EXPECT_EQ(page.Size, kA4Size);
    EXPECT_EQ(page.Columns, 2);
    EXPECT_EQ(page.Labels, 22);

    r = Print(label, "letter.pdf", {"--no-save"}, "letter");
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    page = FirstPage(Pdf("letter.pdf"));
    EXPECT_EQ(page.Size, kLetterSize);
    EXPECT_EQ(page.Columns, 3);
    EXPECT_EQ(page.Labels, 30);

    r = Print(label, "a4.pdf", {"--no-save"}, "a4");
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(FirstPage(Pdf("a4.pdf")).Size, kA4Size);
}

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

TEST_F(PaperRunTest, PrinterWithoutThePaperPrintsOnItsOwnWithAWarning) {
    TCommandLineOptions options;
    options.StartFile = SheetLabel("legal.lbl", "Legal");
    options.Unattended = true;
    TPrinters::SetCurrent(std::make_unique<TLetterOnlyPrinter>());
    TLabelDocument label;
    testing::internal::CaptureStderr();
    LoadRunLabel(options, label);
    const QString warning = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(warning, "vellumtrace: warning: the printer Shelf has no Legal paper; printing on "
                       "its own paper, A4.\n");
    EXPECT_EQ(TPrinters::Current().Facts().PhysicalWidth, 4958);

    options.Paper = "letter"; // the printer has this one
    testing::internal::CaptureStderr();
    LoadRunLabel(options, label);
    EXPECT_TRUE(testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(TPrinters::Current().Facts().PhysicalWidth, 5100);
    TPrinters::Select(TPdfPrinter::DefaultName());
}
} // namespace
