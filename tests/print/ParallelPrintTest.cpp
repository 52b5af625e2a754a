// Printing on several threads: two print runs of different labels at the same time, each
// printing exactly what it prints alone without touching its caller's sheet; and one run whose
// pages are drawn on worker threads printing exactly what it prints on one.

#include "PdfProbe.h"
#include "PlaceControl.h"
#include "StopAfter.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "platform/Errors.h"
#include "platform/Printer.h"
#include "platform/TempFiles.h"
#include "print/PrintU.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <thread>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

std::unique_ptr<TImportedField> Imported(int32_t field) {
    auto f = std::make_unique<TImportedField>();
    f->FieldNumber = field;
    return f;
}

std::unique_ptr<TSequenceField> Counter(int32_t first) {
    auto f = std::make_unique<TSequenceField>();
    f->CurrentValue = f->MinValue = first;
    return f;
}

void Finish(TLabelControl& c) {
    c.SetAdvanced(true);
    c.SetLoading(false);
}

// One label with its sheet, its data file and the settings of its run.
struct TJob {
    TSheetSettings Sheet;
    TControlList Controls;
    TPrintSettings Settings;
};

QString WriteData(const QString& path, const QString& header, const QStringList& records) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write((header + "\r\n").toUtf8());
    for (const QString& r : records)
        f.write((r + "\r\n").toUtf8());
    return path;
}

// Orders: a text of the order number and a counter that steps once per order, and a Code 128 of
// the parcel code with its text; every order printed twice, on a sheet fitted to the paper.
TJob Orders(const TScratchFolder& scratch) {
    TJob job;
    auto& text = Add<TTextLabel>(job.Controls, 6, 4, 150, 24);
    text.Fields.push_back(std::make_unique<TTextField>("Order "));
    text.Fields.push_back(Imported(1));
    text.Fields.push_back(std::make_unique<TTextField>(" #"));
    text.Fields.push_back(Counter(1));
    Finish(text);
    auto& code = Add<TBarcodeLabel>(job.Controls, 6, 32, 170, 56);
    code.SetBarcodeType(btCode128);
    code.SetInterpret(true);
    code.Fields.push_back(Imported(2));
    Finish(code);
    QStringList records;
    for (int i = 1; i <= 36; ++i)
        records << QStringLiteral("A%1,PARCEL%2").arg(i).arg(1000 + i);
    job.Settings.DataFile = WriteData(scratch.File("orders.csv"), "Order,Parcel", records);
    job.Settings.Duplicates = 2;
    return job;
}

// Bins: a forced grid of large labels, each with a formatted text of two columns, a serial
// counter from 500 and a Code 39 of the bin with its text.
TJob Bins(const TScratchFolder& scratch) {
    TJob job;
    job.Sheet.LabelWidth = 3;
    job.Sheet.LabelHeight = 1.5;
    job.Sheet.ForcedCount = true;
    job.Sheet.Rows = 3;
    job.Sheet.Columns = 2;
    auto& memo = Add<TMemoLabel>(job.Controls, 6, 4, 260, 60);
    memo.Fields.push_back(Imported(2));
    memo.Fields.push_back(std::make_unique<TTextField>(" in "));
    memo.Fields.push_back(Imported(3));
    Finish(memo);
    auto& serial = Add<TTextLabel>(job.Controls, 6, 90, 200, 24);
    serial.Fields.push_back(std::make_unique<TTextField>("S"));
    serial.Fields.push_back(Counter(500));
    Finish(serial);
    auto& code = Add<TBarcodeLabel>(job.Controls, 6, 40, 200, 40);
    code.SetBarcodeType(btCode39);
    code.SetInterpret(true);
    code.Fields.push_back(Imported(3));
    Finish(code);
    QStringList records;
    for (int i = 1; i <= 30; ++i)
        records << QStringLiteral("B%1,Item%1,Bin%2").arg(i).arg(40 + i % 7);
    job.Settings.DataFile = WriteData(scratch.File("bins.csv"), "Key,Item,Bin", records);
    return job;
}

void ChooseImport(TJob& job) {
    FormatFromExtension(job.Settings.Import, job.Settings.DataFile, {});
}

struct TPrinted {
    TPrintResult Result;
    QString Error;
};

TPrinted Print(const TJob& job, const QString& pdf) {
    TPrinted out;
    try {
        const TLetterPdf printer;
        out.Result =
            PrintLabels(job.Sheet, job.Controls, job.Settings, printer, pdf, QString(), nullptr);
    } catch (const std::exception& e) {
        out.Error = QString::fromLocal8Bit(e.what());
    } catch (...) {
        out.Error = QStringLiteral("refused");
    }
    return out;
}

// The words of each page, page by page.
std::vector<QStringList> Pages(const QString& pdf) {
    const std::vector<TPdfWord> words = PdfWords(pdf);
    std::vector<QStringList> pages;
    for (int page = 1; page <= PdfPageCount(pdf); ++page)
        pages.push_back(PageWords(words, page));
    return pages;
}
} // namespace

class ParallelPrintTest : public ::testing::Test {
protected:
    // A fresh pair of jobs: each run steps its own label's counters.
    void MakeJobs() {
        orders = Orders(scratch);
        bins = Bins(scratch);
        ChooseImport(orders);
        ChooseImport(bins);
    }

    TScratchFolder scratch;
    TJob orders, bins;
};

TEST_F(ParallelPrintTest, TwoRunsAtOnceEachPrintWhatTheyPrintAlone) {
    // At once first, so that nothing either run remembers was filled in by an earlier run.
    MakeJobs();
    TPrinted ordersAtOnce, binsAtOnce;
    std::thread first([&] { ordersAtOnce = Print(orders, scratch.File("orders-at-once.pdf")); });
    std::thread second([&] { binsAtOnce = Print(bins, scratch.File("bins-at-once.pdf")); });
    first.join();
    second.join();
    ASSERT_EQ(ordersAtOnce.Error, QString());
    ASSERT_EQ(binsAtOnce.Error, QString());

    MakeJobs();
    const TPrinted ordersAlone = Print(orders, scratch.File("orders-alone.pdf"));
    const TPrinted binsAlone = Print(bins, scratch.File("bins-alone.pdf"));
    ASSERT_EQ(ordersAlone.Error, QString());
    ASSERT_EQ(binsAlone.Error, QString());
    // 36 orders twice on 40 labels a page; 30 bins on 6 a page.
    EXPECT_EQ(ordersAlone.Result.Labels, 72);
    EXPECT_EQ(ordersAlone.Result.Pages, 2);
    EXPECT_EQ(binsAlone.Result.Labels, 30);
    EXPECT_EQ(binsAlone.Result.Pages, 5);

    EXPECT_EQ(ordersAtOnce.Result.Labels, ordersAlone.Result.Labels);
    EXPECT_EQ(ordersAtOnce.Result.Pages, ordersAlone.Result.Pages);
    EXPECT_EQ(binsAtOnce.Result.Labels, binsAlone.Result.Labels);
    EXPECT_EQ(binsAtOnce.Result.Pages, binsAlone.Result.Pages);

    const std::vector<QStringList> ordersPages = Pages(scratch.File("orders-alone.pdf"));
    const std::vector<QStringList> binsPages = Pages(scratch.File("bins-alone.pdf"));
    ASSERT_EQ(ordersPages.size(), 2u);
    ASSERT_EQ(binsPages.size(), 5u);
    EXPECT_EQ(Pages(scratch.File("orders-at-once.pdf")), ordersPages);
    EXPECT_EQ(Pages(scratch.File("bins-at-once.pdf")), binsPages);

    // What was printed is what each label asked for: the counter steps once per order, after
    // its second copy, and the bins' serials run on from 500.
    const QStringList first40 = ordersPages[0];
    EXPECT_EQ(first40.mid(0, 4), QStringList({"Order", "A1", "#1", "PARCEL1001"}));
    EXPECT_EQ(first40.mid(4, 4), QStringList({"Order", "A1", "#1", "PARCEL1001"}));
    EXPECT_EQ(first40.mid(8, 4), QStringList({"Order", "A2", "#2", "PARCEL1002"}));
    EXPECT_TRUE(ordersPages[1].contains("#36"));
    EXPECT_EQ(binsPages[0].mid(0, 4), QStringList({"Item1", "in", "Bin41", "S500"}));
    EXPECT_TRUE(binsPages[4].contains("S529"));
}

TEST_F(ParallelPrintTest, ARunFitsItsOwnCopyOfTheSheet) {
    MakeJobs();
    // Not forced: the run fits 4 columns and 10 rows of 2 x 1 in labels on Letter, while the
    // caller's sheet keeps the counts it had.
    orders.Sheet.Rows = 1;
    orders.Sheet.Columns = 1;
    const TSheetSettings before = orders.Sheet;
    const TPrinted printed = Print(orders, scratch.File("orders.pdf"));
    ASSERT_EQ(printed.Error, QString());
    EXPECT_EQ(printed.Result.Pages, 2);
    EXPECT_EQ(PageWords(PdfWords(scratch.File("orders.pdf")), 1).count("Order"), 40);
    EXPECT_TRUE(orders.Sheet == before);

    const TPrintLayout layout = FitPrintLayout(orders.Sheet, TLetterPdf().Facts());
    EXPECT_EQ(layout.Sheet.Rows, 10);
    EXPECT_EQ(layout.Sheet.Columns, 4);
    EXPECT_EQ(layout.Page.PhysicalWidth, 5100);
    EXPECT_TRUE(orders.Sheet == before);
}

namespace {
// The counters' values as a run leaves them, control by control.
std::vector<int64_t> CounterValues(const TControlList& controls) {
    std::vector<int64_t> values;
    for (const auto& c : controls)
        for (const auto& f : c->Fields)
            if (const auto* s = dynamic_cast<const TSequenceField*>(f.get()))
                values.push_back(s->CurrentValue);
    return values;
}

QString PageSizes(const QString& pdf) {
    QStringList sizes;
    for (const QString& line : PdfInfo(pdf).split('\n'))
        if (line.startsWith("Page size:") || line.startsWith("Pages:"))
            sizes << line.simplified();
    return sizes.join('\n');
}

QStringList PartFiles(const QString& folder) {
    return QDir(folder).entryList({"part*"}, QDir::Files);
}

} // namespace

// A run drawn on several threads, a page or a label to a chunk so that the chunks are many and
// finish out of order, prints the same pages with the same texts and leaves the counters where
// one thread leaves them: with duplicates, counters, skipped positions and each kind of range.
TEST_F(ParallelPrintTest, ManyThreadsPrintWhatOneThreadPrints) {
    struct TCase {
        const char* name;
        std::function<void(TJob&)> adjust;
        bool bins;
    };
    const TCase cases[] = {
        {"all records, two copies, skip 5", [](TJob& j) { j.Settings.Skip = 5; }, false},
        {"150 labels, skip 3",
         [](TJob& j) {
             j.Settings.Range = TPrintRange::Labels;
             j.Settings.LabelCount = 150;
             j.Settings.Skip = 3;
             j.Settings.DataFile.clear();
         },
         false},
        {"3 pages of a forced grid",
         [](TJob& j) {
             j.Settings.Range = TPrintRange::Pages;
             j.Settings.PageCount = 3;
         },
         true},
        {"all records of a forced grid, skip 4", [](TJob& j) { j.Settings.Skip = 4; }, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int64_t> counters;
        std::vector<TPrintResult> results;
        std::vector<QString> pdfs;
        for (const int32_t threads : {1, 3}) {
            MakeJobs();
            TJob& job = c.bins ? bins : orders;
            c.adjust(job);
            job.Settings.Threads = threads;
            job.Settings.ChunkLabels = threads == 1 ? 0 : 1;
            pdfs.push_back(scratch.File(QStringLiteral("%1-%2.pdf").arg(c.bins).arg(threads)));
            const TPrinted printed = Print(job, pdfs.back());
            ASSERT_EQ(printed.Error, QString());
            results.push_back(printed.Result);
            if (threads == 1)
                counters = CounterValues(job.Controls);
            else
                EXPECT_EQ(CounterValues(job.Controls), counters);
        }
        EXPECT_EQ(results[1].Labels, results[0].Labels);
        EXPECT_EQ(results[1].Pages, results[0].Pages);
        EXPECT_GT(results[0].Pages, 1);
        const std::vector<QStringList> one = Pages(pdfs[0]);
        EXPECT_EQ(int(one.size()), results[0].Pages);
        EXPECT_EQ(Pages(pdfs[1]), one);
        EXPECT_EQ(PageSizes(pdfs[1]), PageSizes(pdfs[0]));
        EXPECT_EQ(PdfInfo(pdfs[1]).contains("Title:"), PdfInfo(pdfs[0]).contains("Title:"));
    }
    EXPECT_EQ(PartFiles(TempFolder()), QStringList()); // no part is left behind
}

// A cancel while the workers draw stops them all; nothing is written and no part is left.
TEST_F(ParallelPrintTest, ACancelledThreadedRunLeavesNoFile) {
    MakeJobs();
    orders.Settings.Threads = 2;
    orders.Settings.ChunkLabels = 1;
    const QString pdf = scratch.File("cancelled.pdf");
    TStopAfter stop(50);
    const TLetterPdf printer;
    const TPrintResult r =
        PrintLabels(orders.Sheet, orders.Controls, orders.Settings, printer, pdf, QString(), &stop);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(PartFiles(TempFolder()), QStringList());
}

// A cancel while the threads draw the last pages, after every label was planned, stops them
// as well: the progress window stays alive to the end of the drawing.
TEST_F(ParallelPrintTest, ACancelWhileTheLastPagesAreDrawnLeavesNoFile) {
    MakeJobs();
    orders.Settings.Threads = 2;
    const QString pdf = scratch.File("cancelled-late.pdf");
    // Asked once a label while labels are planned: cancels at the first question after them.
    class TCancelAfterPlanning : public TStopAfter {
    public:
        TCancelAfterPlanning() : TStopAfter(0) {}
        bool Cancelled() override { return ++m_asked > 72; }
        int m_asked = 0;
    } late;
    const TLetterPdf printer;
    const TPrintResult r =
        PrintLabels(orders.Sheet, orders.Controls, orders.Settings, printer, pdf, QString(), &late);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_EQ(r.Labels, 72);
    EXPECT_GT(late.m_asked, 72);
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(PartFiles(TempFolder()), QStringList());
}

// A chunk that fails fails the run as a one-thread run fails: with its message, and the file
// that was there before stays as it was.
TEST_F(ParallelPrintTest, AFailedChunkFailsTheRunAndKeepsTheOldFile) {
    MakeJobs();
    orders.Settings.Threads = 2;
    orders.Settings.ChunkLabels = 1;
    const QString pdf = scratch.File("kept.pdf");
    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the last run's labels");
    }
    // The parts' folder vanishes under the run: the next chunks cannot be written.
    const QString folder = TempFolder();
    TStopAfter vanish(20, [&] { QDir(folder).removeRecursively(); });
    const TLetterPdf printer;
    try {
        PrintLabels(orders.Sheet, orders.Controls, orders.Settings, printer, pdf, QString(),
                    &vanish);
        ADD_FAILURE() << "the run went on without its parts";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains("temporary file")) << e.Message().toStdString();
    }
    QFile kept(pdf);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("the last run's labels"));
}
