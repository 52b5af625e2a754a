#include "PdfProbe.h"
#include "TestSupport.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "document/TextRendering.h"
#include "platform/Errors.h"
#include "platform/TempFiles.h"
#include "print/PrintU.h"
#include "print/SheetFit.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTextStream>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <new>

namespace {
class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

// Cancels after a given number of checks.
class TCancelAfter : public TPrintProgress {
public:
    explicit TCancelAfter(int labels) : m_left(labels) {}
    void Start(const QString& doc, const QString& printer) override {
        Document = doc;
        Printer = printer;
    }
    void Page(int32_t page) override { Pages.push_back(page); }
    bool Cancelled() override { return --m_left <= 0; }
    void Close() override { Closed = true; }
    QString Document, Printer;
    std::vector<int32_t> Pages;
    bool Closed = false;

private:
    int m_left;
};
} // namespace

// Labels with one text control whose text is composed from fields; the sheet is forced to a
// small grid so that page breaks come early.
class PrintEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        sheet = TSheetSettings();
        label.SetLabelSize(192, 96);
        out = scratch.File("out.pdf");
    }

    void ForceGrid(int rows, int columns) {
        sheet.ForcedCount = true;
        sheet.Rows = rows;
        sheet.Columns = columns;
    }
    // A text control showing "L" + a counter from 1 (or the record's field 1 when merging).
    TTextLabel* AddText(bool fromRecord) {
        auto c = std::make_unique<TTextLabel>();
        c->SetBox(TRect::FromBox(10, 10, 100, 30), true);
        if (fromRecord) {
            c->Fields.push_back(std::make_unique<TImportedField>());
        } else {
            c->Fields.push_back(std::make_unique<TTextField>("L"));
            auto seq = std::make_unique<TSequenceField>();
            seq->CurrentValue = 1;
            seq->MinValue = 1;
            c->Fields.push_back(std::move(seq));
        }
        c->SetAdvanced(true);
        TTextLabel* raw = c.get();
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    QString WriteData(const QStringList& records) {
        const QString path = scratch.File("data.csv");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Field\r\n"); // the header line, skipped
        for (const QString& r : records)
            f.write((r + "\r\n").toUtf8());
        f.close();
        FormatFromExtension(import, path, {});
        return path;
    }
    TPrintResult Print(TPrintSettings s, TPrintProgress* progress = nullptr) {
        s.Import = import;
        return PrintLabels(sheet, label.Controls(), s, printer, out, QString(), progress);
    }
    static QStringList Seq(const char* prefix, std::initializer_list<int> values) {
        QStringList out;
        for (int v : values)
            out << QString("%1%2").arg(prefix).arg(v);
        return out;
    }

    TScratchFolder scratch;
    TSheetSettings sheet;       // the sheet the runs print on
    TTextImportSettings import; // of the last data file written
    TLabelDocument label;
    TLetterPdf printer;
    QString out;
};

TEST_F(PrintEngineTest, SkipStartsTheFirstPageLater) {
    ForceGrid(3, 4);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 2;
    s.Skip = 5;
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Labels, 7 + 12);
    EXPECT_EQ(r.Pages, 2);
    const auto words = PdfWords(out);
    ASSERT_EQ(PageWords(words, 1), Seq("L", {1, 2, 3, 4, 5, 6, 7}));
    // The first label sits at row 1, column 1: one label width and height in from the margins.
    const TPdfWord& first = words.front();
    EXPECT_NEAR(first.X, 150 + 1200 + 10 * 600 / 96, 30);
    EXPECT_NEAR(first.Y, 150 + 600 + 10 * 600 / 96, 40);
    // The second page starts at row 0, column 0.
    const auto second =
        std::find_if(words.begin(), words.end(), [](const TPdfWord& w) { return w.Page == 2; });
    ASSERT_NE(second, words.end());
    EXPECT_EQ(second->Text, QString("L8"));
    EXPECT_NEAR(second->X, 150 + 10 * 600 / 96, 30);
    EXPECT_NEAR(second->Y, 150 + 10 * 600 / 96, 40);
}

TEST_F(PrintEngineTest, DuplicatesOfTwoRecordsFitOnePage) {
    ForceGrid(3, 4);
    AddText(true);
    TPrintSettings s;
    s.Duplicates = 3;
    s.DataFile = WriteData({"R1", "R2"});
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Pages, 1);
    EXPECT_EQ(PageWords(PdfWords(out), 1), QStringList({"R1", "R1", "R1", "R2", "R2", "R2"}));
}

TEST_F(PrintEngineTest, DuplicatesRunOnAcrossThePageBreak) {
    ForceGrid(5, 2);
    AddText(true);
    TPrintSettings s;
    s.Duplicates = 3;
    s.DataFile = WriteData({"R1", "R2", "R3", "R4"});
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Pages, 2);
    const auto words = PdfWords(out);
    EXPECT_EQ(PageWords(words, 1),
              QStringList({"R1", "R1", "R1", "R2", "R2", "R2", "R3", "R3", "R3", "R4"}));
    EXPECT_EQ(PageWords(words, 2), QStringList({"R4", "R4"}));
}

TEST_F(PrintEngineTest, LabelRangeWithSkip) {
    ForceGrid(4, 2);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 5;
    s.Skip = 2;
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Labels, 5);
    EXPECT_EQ(r.Pages, 1);
    const auto words = PdfWords(out);
    EXPECT_EQ(PageWords(words, 1), Seq("L", {1, 2, 3, 4, 5}));
    EXPECT_NEAR(words.front().Y, 150 + 600 + 10 * 600 / 96, 40); // position 2 is row 1
}

TEST_F(PrintEngineTest, PageRangeCountersAndDuplicates) {
    ForceGrid(4, 2);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 2;
    Print(s);
    auto words = PdfWords(out);
    EXPECT_EQ(PageWords(words, 1), Seq("L", {1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(PageWords(words, 2), Seq("L", {9, 10, 11, 12, 13, 14, 15, 16}));

    label.Controls().front()->Fields.at(1).reset(new TSequenceField());
    auto* seq = static_cast<TSequenceField*>(label.Controls().front()->Fields.at(1).get());
    seq->CurrentValue = seq->MinValue = 1;
    s.Duplicates = 2;
    Print(s);
    words = PdfWords(out);
    EXPECT_EQ(PageWords(words, 1), Seq("L", {1, 1, 2, 2, 3, 3, 4, 4}));
    EXPECT_EQ(PageWords(words, 2), Seq("L", {5, 5, 6, 6, 7, 7, 8, 8}));
}

TEST_F(PrintEngineTest, ThousandRecordsInOrderNoneLostOrRepeated) {
    AddText(true); // Letter: 4 x 10 labels of 2 x 1 in
    QStringList records;
    for (int i = 1; i <= 1000; ++i)
        records << QString("REC%1").arg(i, 4, 10, QChar('0'));
    TPrintSettings s;
    s.DataFile = WriteData(records);
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Labels, 1000);
    EXPECT_EQ(r.Pages, 25);
    EXPECT_EQ(PdfPageCount(out), 25);
    QStringList printed;
    for (const TPdfWord& w : PdfWords(out))
        printed << w.Text;
    EXPECT_EQ(printed, records);
}

TEST_F(PrintEngineTest, CancelDiscardsTheJob) {
    ForceGrid(3, 4);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 5;
    TCancelAfter progress(15);
    const TPrintResult r = Print(s, &progress);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_EQ(r.Labels, 15);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(progress.Closed);
    EXPECT_EQ(progress.Document, QString("Vellumtrace"));
    EXPECT_EQ(progress.Printer, QString("PDF file"));
    EXPECT_EQ(progress.Pages, (std::vector<int32_t>{1, 2}));
}

namespace {
// A queue of the system that does not exist: delivering to it must fail, cancelling must not try.
class TMissingQueue : public TPrinter {
public:
    QString Name() const override { return "vellumtrace-test-no-such-queue"; }
    bool IsPdf() const override { return false; }
    TPrinterFacts Facts() const override { return TLetterPdf().Facts(); }
};

QStringList JobFiles() {
    return QDir(TempFolder()).entryList({"job*"}, QDir::Files);
}
} // namespace

TEST_F(PrintEngineTest, CancelOnASystemPrinterSendsNothing) {
    ForceGrid(3, 4);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.PageCount = 3;
    TCancelAfter progress(5);
    const TPrintResult r =
        PrintLabels(sheet, label.Controls(), s, TMissingQueue(), QString(), QString(), &progress);
    EXPECT_TRUE(r.Cancelled); // no delivery was attempted, or it would have thrown
    EXPECT_TRUE(JobFiles().isEmpty());
}

TEST_F(PrintEngineTest, FailedDeliveryIsReportedAndCleanedUp) {
    ForceGrid(3, 4);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    try {
        PrintLabels(sheet, label.Controls(), s, TMissingQueue(), QString(), QString(), nullptr);
        FAIL() << "expected the delivery to fail";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains("vellumtrace-test-no-such-queue"))
            << e.Message().toStdString();
    }
    EXPECT_TRUE(JobFiles().isEmpty());
}

TEST_F(PrintEngineTest, RunsWithoutAnEndAreRefused) {
    AddText(false);
    TPrintSettings all; // ALL without a data file
    try {
        Print(all);
        FAIL() << "expected a refusal";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString(PrintText::NoEnd));
    }
    all.DataFile = WriteData({"a"}); // a data file but no imported field on the label
    EXPECT_THROW(Print(all), TUserError);
    ForceGrid(0, 4);
    TPrintSettings pages;
    pages.Range = TPrintRange::Pages;
    try {
        Print(pages);
        FAIL() << "expected a refusal";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString(PrintText::NoRoom));
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintEngineTest, UnreadableDataFileIsReportedBeforePrinting) {
    AddText(true);
    TPrintSettings s;
    s.DataFile = scratch.File("missing.csv");
    try {
        Print(s);
        FAIL() << "expected an error";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains("missing.csv"));
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(PrintEngineTest, DataFileWithoutRecordsIsRefused) {
    AddText(true);
    TPrintSettings s;
    s.DataFile = WriteData({}); // the header line only
    try {
        Print(s);
        FAIL() << "expected a refusal";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString(PrintText::NoRecords).arg(s.DataFile));
    }
    QFile::resize(s.DataFile, 0); // empty
    EXPECT_THROW(Print(s), TUserError);
    EXPECT_FALSE(QFile::exists(out));
    s.DataFile = WriteData({"only"});
    EXPECT_EQ(Print(s).Labels, 1);
}

TEST_F(PrintEngineTest, JobTitles) {
    EXPECT_EQ(JobTitle(QString()), QString("Vellumtrace"));
    EXPECT_EQ(JobTitle("/home/a/labels/shelf.lbl"), QString("shelf.lbl"));
    ForceGrid(1, 1);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    PrintLabels(sheet, label.Controls(), s, printer, out, "/x/y/orders.lbl", nullptr);
    EXPECT_TRUE(PdfInfo(out).contains("orders.lbl"));
}

namespace {
// Numbers in messages use the locale's decimal separator: these tests read them in C.
class TCLocale {
public:
    TCLocale() { QLocale::setDefault(QLocale::c()); }
    ~TCLocale() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};
} // namespace

// Letter at 600 dpi, labels 2.1 x 1 in from 0.25 in: columns start at 150, 1410, 2670, 3930
// (running past the paper's 5100) and 5190 (beyond it); rows every 600 from 150, the last of
// eleven at 6150.
TEST_F(PrintEngineTest, ForcedCountsBeyondThePaperAreRefused) {
    const TCLocale c;
    sheet.LabelWidth = 2.1;
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    const auto refusal = [&] {
        try {
            Print(s);
        } catch (const TUserError& e) {
            return e.Message();
        }
        return QString("printed");
    };
    ForceGrid(10, 6);
    EXPECT_EQ(refusal(),
              "The sheet has 6 columns, but only 4 fit on the paper (Letter, 8.5 × 11 in).");
    ForceGrid(12, 6);
    EXPECT_EQ(refusal(), "The sheet has 12 rows and 6 columns, but only 11 rows and 4 columns fit "
                         "on the paper (Letter, 8.5 × 11 in).");
    ForceGrid(2147483647, 1);
    EXPECT_EQ(refusal(),
              "The sheet has 2147483647 rows, but only 11 fit on the paper (Letter, 8.5 × 11 in).");
    sheet.LeftMargin = 9;
    ForceGrid(1, 1);
    EXPECT_EQ(refusal(),
              "The sheet has 1 column, but none fit on the paper (Letter, 8.5 × 11 in).");
    ConvertSheetToMetric(sheet);
    TPdfPrinter a4;
    a4.SetPaperSize(QPageSize::A4);
    try {
        PrintLabels(sheet, label.Controls(), s, a4, out, QString(), nullptr);
        ADD_FAILURE() << "printed";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(),
                  "The sheet has 1 column, but none fit on the paper (A4, 21 × 29.7 cm).");
    }
    // what a dialog shows
    EXPECT_EQ(SheetFitProblem(sheet, FitPrintLayout(sheet, printer.Facts()).Page), refusal());
    EXPECT_FALSE(QFile::exists(out));

    // The same label with counts that fit prints as before, the last column in part.
    sheet = TSheetSettings();
    sheet.LabelWidth = 2.1;
    ForceGrid(10, 4);
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Labels, 40);
    const auto words = PdfWords(out);
    EXPECT_EQ(PageWords(words, 1).size(), 40u);
    EXPECT_NEAR(words.at(3).X, 3930 + 10 * 600 / 96, 30);
}

TEST_F(PrintEngineTest, GiantFieldsPrintFromTheirStart) {
    ForceGrid(5, 1);
    AddText(true);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    s.DataFile = WriteData({"HEAD" + QString(4 * MaxDrawnTextLength, 'x'), "next"});
    const TPrintResult r = Print(s);
    EXPECT_EQ(r.Labels, 2);
    const QStringList printed = PageWords(PdfWords(out), 1);
    ASSERT_EQ(printed.size(), 2);
    EXPECT_TRUE(printed[0].startsWith("HEADxxxx"));
    EXPECT_EQ(printed[1], "next");
}

namespace {
// Stands for an allocation that fails in the middle of a page.
class TOutOfMemory : public TPrintProgress {
public:
    void Start(const QString&, const QString&) override {}
    void Page(int32_t) override {}
    bool Cancelled() override { throw std::bad_alloc(); }
    void Close() override {}
};
} // namespace

TEST_F(PrintEngineTest, RunningOutOfMemoryEndsTheRunWithAMessage) {
    ForceGrid(3, 4);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Pages;
    TOutOfMemory progress;
    try {
        Print(s, &progress);
        FAIL() << "printed";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString(PrintText::NoMemory));
    }
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_TRUE(JobFiles().isEmpty());
}

namespace {
// Does something to the data file once a number of labels are drawn, as another program might.
class TChangeDataAfter : public TPrintProgress {
public:
    TChangeDataAfter(int32_t labels, std::function<void()> change)
        : m_labels(labels), m_change(std::move(change)) {}
    void Start(const QString&, const QString&) override {}
    void Page(int32_t) override {}
    bool Cancelled() override { return false; }
    void Close() override {}
    void Labels(int32_t labels) override {
        if (labels == m_labels)
            m_change();
    }

private:
    int32_t m_labels;
    std::function<void()> m_change;
};

// A data file's worth of records, REC0001 to REC0100.
QStringList HundredRecords() {
    QStringList records;
    for (int i = 1; i <= 100; ++i)
        records << QString("REC%1").arg(i, 4, 10, QChar('0'));
    return records;
}

void Overwrite(const QString& path, const QByteArray& bytes) {
    QFile f(path); // truncated and written in place: the same file, other contents
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
} // namespace

TEST_F(PrintEngineTest, DataFileChangedInPlaceDuringTheRunPrintsNothing) {
    AddText(true);
    const QStringList records = HundredRecords();
    TPrintSettings s;
    s.DataFile = WriteData(records);
    const QByteArray other = "Field\r\nNEW1\r\nNEW2\r\n";
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"truncated", [&] { Overwrite(s.DataFile, {}); }},
        {"rewritten", [&] { Overwrite(s.DataFile, other); }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        s.DataFile = WriteData(records);
        TChangeDataAfter progress(3, change);
        try {
            Print(s, &progress);
            ADD_FAILURE() << "a mixture of two files was printed";
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), QString("The data file %1 changed while it was being printed; "
                                           "nothing was printed.")
                                       .arg(s.DataFile));
        }
        EXPECT_FALSE(QFile::exists(out));
        EXPECT_EQ(QDir(scratch.Path()).entryList(QDir::Files), QStringList{"data.csv"});
    }
}

TEST_F(PrintEngineTest, DataFileReplacedByRenameDuringTheRunPrintsTheOpenedOne) {
    AddText(true);
    const QStringList records = HundredRecords();
    TPrintSettings s;
    s.DataFile = WriteData(records);
    TChangeDataAfter progress(3, [&] {
        const QString next = scratch.File("next.csv");
        Overwrite(next, "Field\r\nNEW1\r\n");
        ASSERT_EQ(std::rename(QFile::encodeName(next).constData(),
                              QFile::encodeName(s.DataFile).constData()),
                  0);
    });
    const TPrintResult r = Print(s, &progress);
    EXPECT_EQ(r.Labels, 100);
    QStringList printed;
    for (const TPdfWord& w : PdfWords(out))
        printed << w.Text;
    EXPECT_EQ(printed, records);
}

TEST_F(PrintEngineTest, BeforeDeliveryRunsOnceThePagesAreDoneAndCanStopTheDelivery) {
    ForceGrid(3, 4);
    AddText(false);
    TPrintSettings s;
    s.Range = TPrintRange::Labels;
    s.LabelCount = 14;
    int calls = 0;
    const TBeforeDelivery look = [&](const TPrintResult& r) {
        ++calls;
        EXPECT_EQ(r.Labels, 14);
        EXPECT_EQ(r.Pages, 2);
        EXPECT_FALSE(QFile::exists(out)); // nothing delivered yet
    };
    PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr, look);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(PdfPageCount(out), 2);

    const QString refused = scratch.File("refused.pdf");
    const TBeforeDelivery refuse = [](const TPrintResult&) { throw TUserError("not now"); };
    EXPECT_THROW(
        PrintLabels(sheet, label.Controls(), s, printer, refused, QString(), nullptr, refuse),
        TUserError);
    EXPECT_FALSE(QFile::exists(refused));
    EXPECT_EQ(QDir(scratch.Path()).entryList(QDir::Files), QStringList{"out.pdf"});

    TCancelAfter cancel(3); // a cancelled run is never about to be delivered
    calls = 0;
    EXPECT_TRUE(PrintLabels(sheet, label.Controls(), s, printer, refused, QString(), &cancel, look)
                    .Cancelled);
    EXPECT_EQ(calls, 0);
}
