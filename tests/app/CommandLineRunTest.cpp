#include "CounterRuns.h"
#include "PdfProbe.h"
#include "ProgramRun.h"
#include "SheetTestFiles.h"
#include "TestSupport.h"
#include "app/BatchPrint.h"
#include "app/FMain.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "files/FileOperations.h"
#include "merge/AdvancedField.h"
#include "print/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

namespace {
// A run measured as the operating system sees it: its own peak memory, not the test's.
struct TMeasuredRun {
    int Exit = -1;
    QString Out, Err;
    long PeakKilobytes = 0;
    double Seconds = 0;
};

TMeasuredRun MeasuredVellumtrace(const QStringList& args, const QString& workDir) {
    const QString outPath = workDir + "/run.out", errPath = workDir + "/run.err";
    std::vector<std::string> argStrings{VT_PROGRAM};
    for (const QString& a : args)
        argStrings.push_back(a.toStdString());
    std::vector<char*> argv;
    for (std::string& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_CONFIG_HOME", workDir + "/config");
    env.insert("CUPS_SERVER", workDir + "/no-cups-here.sock");
    std::vector<std::string> envStrings;
    for (const QString& e : env.toStringList())
        envStrings.push_back(e.toStdString());
    std::vector<char*> envp;
    for (std::string& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, outPath.toLocal8Bit().constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&files, 2, errPath.toLocal8Bit().constData(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const QByteArray oldDir = QDir::currentPath().toLocal8Bit();
    QDir::setCurrent(workDir);
    TMeasuredRun run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, VT_PROGRAM, &files, nullptr, argv.data(), envp.data());
    QDir::setCurrent(QString::fromLocal8Bit(oldDir));
    posix_spawn_file_actions_destroy(&files);
    if (spawned != 0)
        return run;
    // A run that hangs is ended, so that the test fails instead of waiting with it.
    int status = 0;
    rusage usage{};
    pid_t waited = 0;
    while ((waited = wait4(pid, &status, WNOHANG, &usage)) == 0 &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(120))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (waited == 0) {
        kill(pid, SIGKILL);
        waited = wait4(pid, &status, 0, &usage);
    }
    if (waited != pid)
        return run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.Exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.PeakKilobytes = usage.ru_maxrss;
    QFile out(outPath), err(errPath);
    if (out.open(QIODevice::ReadOnly))
        run.Out = QString::fromLocal8Bit(out.readAll());
    if (err.open(QIODevice::ReadOnly))
        run.Err = QString::fromLocal8Bit(err.readAll());
    return run;
}

const QString kData = VT_EXAMPLES "/shipping.csv";
} // namespace

class CommandLineRunTest : public ::testing::Test {
protected:
    TScratchFolder scratch;
    // The example keeps its counters in its file: runs print a copy, so the example stays as
    // it is in the source tree.
    const QString kLabel = CopiedExample();
    QString Out(const char* name) { return scratch.File(name); }

private:
    QString CopiedExample() const {
        const QString copy = scratch.File("shipping.lbl");
        QFile::copy(VT_EXAMPLES "/shipping.lbl", copy);
        return copy;
    }
};

TEST_F(CommandLineRunTest, MergeIntoPdfPrintsEveryRecordInOrder) {
    const TRun r = Vellumtrace({kLabel, "-p", "-i", kData, "-o", Out("ship.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("printed 12 labels on 2 pages"));
    QStringList orders;
    for (const TPdfWord& w : PdfWords(Out("ship.pdf")))
        if (w.Text.startsWith("ORD"))
            orders << w.Text;
    QStringList expected;
    for (int i = 1; i <= 12; ++i)
        expected << QString("ORD%1").arg(1000 + i, 7, 10, QChar('0'));
    EXPECT_EQ(orders, expected);
}

TEST_F(CommandLineRunTest, RangesCopiesAndSkip) {
    TRun r = Vellumtrace({kLabel, "-p", "-r", "3", "labels", "-c", "2", "-o", Out("a.pdf")},
                         scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("printed 3 labels on 1 pages"));
    // Without a data file the counter steps once per two copies.
    QStringList parcels;
    for (const TPdfWord& w : PdfWords(Out("a.pdf")))
        if (w.Text.startsWith("00"))
            parcels << w.Text;
    EXPECT_EQ(parcels, QStringList({"001", "001", "002"}));
    r = Vellumtrace({kLabel, "-p", "-i", kData, "-s", "9", "-o", Out("b.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(r.Out.contains("printed 12 labels on 3 pages"));         // 1 + 10 + 1
    r = Vellumtrace({kLabel, "-p", "-o", Out("c.pdf")}, scratch.Path()); // one page by default
    EXPECT_TRUE(r.Out.contains("printed 10 labels on 1 pages"));
}

TEST_F(CommandLineRunTest, ErrorsGoToStderrWithAFailureStatus) {
    struct Row {
        QStringList args;
        const char* message;
    } rows[] = {
        {{"missing.lbl", "-p"}, "missing.lbl does not exist"},
        {{kLabel, "-p", "-i", "missing.csv"}, "missing.csv does not exist"},
        {{"-p", kLabel}, "Nothing to print"},
        {{kLabel, "-p", "-r", "all", "-o", "x.pdf"}, "printing all records needs a data file"},
        {{kLabel, "-p", "-d", "No Such Printer", "-o", "x.pdf"}, "no printer named"},
        {{kLabel, "-p", "-o", "/nonexistent-folder/x.pdf"}, "/nonexistent-folder/x.pdf"},
    };
    for (const Row& row : rows) {
        const TRun r = Vellumtrace(row.args, scratch.Path());
        EXPECT_EQ(r.Exit, 1) << row.args.join(' ').toStdString();
        EXPECT_TRUE(r.Err.contains(row.message)) << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(scratch.File("x.pdf")));
    }
    const TRun r = Vellumtrace({kLabel, "-p", "-d", "No Such Printer"}, scratch.Path());
    EXPECT_TRUE(r.Err.contains("PDF file")); // the available printers are listed
}

TEST_F(CommandLineRunTest, CheckListsProblemsWithoutPrintingOrSaving) {
    QFile original(kLabel);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();

    TRun r = Vellumtrace({kLabel, "--check", "-i", kData}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(r.Out, QString("checked 12 labels from 12 records: no problems\n"));

    // A broken row: an order number with a character Code 128 cannot carry, and an empty one.
    QFile data(kData);
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    QByteArray rows = data.readAll();
    rows += "Zoe Zeller,1 Elm St,Ashford 30215,ORD\xC2\xA7"
            "0001013,2 kg\r\n";
    rows += "Yan Yu,2 Elm St,Ashford 30215,,2 kg\r\n";
    const QString broken = scratch.File("broken.csv");
    QFile out(broken);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(rows);
    out.close();
    r = Vellumtrace({kLabel, "--check", "-i", broken}, scratch.Path());
    EXPECT_EQ(r.Exit, 3) << r.Err.toStdString();
    const QStringList lines = r.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << r.Out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("record 13 (line 14), label 13: barcode \"Order\" (Code 128): "
                                    "data \"ORD\u00A70001013\" has characters"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("record 14 (line 15), label 14: barcode \"Order\""))
        << lines[1].toStdString();
    EXPECT_EQ(lines[2], QString("checked 14 labels from 14 records: 2 problems in 2 records"));

    // A run that could not be checked.
    r = Vellumtrace({kLabel, "--check", "-i", "missing.csv"}, scratch.Path());
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("missing.csv does not exist")) << r.Err.toStdString();

    // The ranges and copies of a print run; nothing is printed and the counters stay in the file.
    r = Vellumtrace({kLabel, "--check", "-r", "3", "labels", "-c", "2", "-o", Out("c.pdf")},
                    scratch.Path());
    // Without data the order number is empty: each label would print without its barcode.
    EXPECT_EQ(r.Exit, 3) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.startsWith("label 1: barcode \"field 4\" (Code 128): no data to encode"))
        << r.Out.toStdString();
    EXPECT_TRUE(r.Out.endsWith("checked 3 labels: 3 problems on 3 labels\n"))
        << r.Out.toStdString();
    EXPECT_FALSE(QFile::exists(Out("c.pdf")));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    EXPECT_EQ(original.readAll(), before);
}

TEST_F(CommandLineRunTest, DamagedLabelFileIsReported) {
    QFile bad(scratch.File("bad.lbl"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("LBL\x01\x02 garbage that is no label");
    bad.close();
    const TRun r = Vellumtrace({bad.fileName(), "-p", "-o", Out("x.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 1);
    EXPECT_FALSE(r.Err.isEmpty());
    EXPECT_FALSE(QFile::exists(Out("x.pdf")));
}

TEST_F(CommandLineRunTest, HelpVersionAndNoDisplay) {
    TRun r = Vellumtrace({"--help"}, scratch.Path());
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(r.Out.contains("-o FILE.pdf"));
    // One version everywhere: the project's, and the window caption names its major.minor.
    r = Vellumtrace({"--version"}, scratch.Path());
    EXPECT_EQ(r.Exit, 0);
    EXPECT_EQ(r.Out, QStringLiteral("Vellumtrace " VT_PROJECT_VERSION "\n"));
    EXPECT_TRUE(QStringLiteral(VT_PROJECT_VERSION)
                    .startsWith(QString::fromLatin1(TFMain::Caption).section(" v", 1) + "."))
        << TFMain::Caption;
    r = Vellumtrace({kLabel}, scratch.Path()); // the designer needs a display
    EXPECT_EQ(r.Exit, 2);
    EXPECT_TRUE(r.Err.contains("no display"));
}

TEST_F(CommandLineRunTest, PdfPrinterWithoutOutputWritesIntoTheWorkingFolder) {
    const TRun r = Vellumtrace({kLabel, "-p"}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("shipping.pdf")) << r.Out.toStdString();
    EXPECT_EQ(PdfPageCount(scratch.File("shipping.pdf")), 1);
}

// Hostile input of the kind other programs may hand over. The bounds on time are far above what
// the runs take (a fraction of a second) and far below what they took before: hours for the
// sheet, a crash or most of a minute for the data.
TEST_F(CommandLineRunTest, RunawaySheetIsRefusedAtOnce) {
    QFile sheet(scratch.File("sheet.lbf"));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("[FORMAT]\r\nHEIGHT=65536\r\nWIDTH=2.5\r\nTOPMARGIN=0.5\r\nLEFTMARGIN=0.25\r\n"
                "BOTTOMMARGIN=0\r\nRIGHTMARGIN=0\r\nGAPHEIGHT=2147483648\r\nGAPWIDTH=0.25\r\n"
                "METRIC=0\r\nFORCEDMETRICS=1\r\nCOLUMNS=2147483647\r\nROWS=10\r\n");
    sheet.close();
    const TMeasuredRun r =
        MeasuredVellumtrace({sheet.fileName(), "-p", "-o", Out("out.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("describes a label of 2.5 by 65536 inches; labels can be at most "
                               "100 inches on a side."))
        << r.Err.toStdString();
    EXPECT_LT(r.Seconds, 10);
    EXPECT_FALSE(QFile::exists(Out("out.pdf")));
}

TEST_F(CommandLineRunTest, ColumnsThatDoNotFitAreRefusedAndFittingOnesPrint) {
    QFile example(kLabel);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray description = example.readAll(); // 2 columns of 3.9 in labels
    ASSERT_TRUE(description.contains("\nCOLUMNS=2"));
    QFile wide(scratch.File("wide.lbl"));
    ASSERT_TRUE(wide.open(QIODevice::WriteOnly));
    wide.write(QByteArray(description).replace("\nCOLUMNS=2", "\nCOLUMNS=6"));
    wide.close();
    TRun r =
        Vellumtrace({wide.fileName(), "-p", "-i", kData, "-o", Out("wide.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains(QRegularExpression("The sheet has 6 columns, but only 3 fit on "
                                                  "the paper \\((Letter|A4), .* in\\)\\.")))
        << r.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Out("wide.pdf")));
    r = Vellumtrace({kLabel, "-p", "-i", kData, "-o", Out("fits.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("printed 12 labels on 2 pages"));
}

TEST_F(CommandLineRunTest, GiantDataLinesPrintInBoundedTimeAndMemory) {
    // One text control printing field 1 as wide as it is, five labels to a page.
    QFile label(scratch.File("giant.lbl"));
    ASSERT_TRUE(label.open(QIODevice::WriteOnly));
    label.write("[FORMAT]\r\nHEIGHT=2\r\nWIDTH=3.9\r\nFORCEDMETRICS=1\r\nCOLUMNS=1\r\nROWS=5\r\n"
                "CONTROLS=1\r\n[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.3\r\nLEFT=0.15\r\nAUTOSIZE=1\r\n"
                "FONT_NAME=Liberation Sans\r\nFONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=1\r\n"
                "ADVTYPE_1=FIELD\r\nADVNUM_1=1\r\n");
    label.close();
    for (const int megabytes : {14, 28}) {
        SCOPED_TRACE(megabytes);
        QFile data(scratch.File("giant.csv"));
        ASSERT_TRUE(data.open(QIODevice::WriteOnly));
        data.write("Name\r\nHEAD");
        data.write(QByteArray(megabytes * 1024 * 1024, 'x'));
        data.write("\r\nsecond\r\n");
        data.close();
        const TMeasuredRun r = MeasuredVellumtrace(
            {label.fileName(), "-p", "-i", data.fileName(), "-o", Out("giant.pdf")},
            scratch.Path());
        EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_TRUE(r.Out.contains("printed 2 labels on 1 pages")) << r.Out.toStdString();
        EXPECT_LT(r.PeakKilobytes, 200 * 1024);
        EXPECT_LT(r.Seconds, 30);
        const std::vector<TPdfWord> words = PdfWords(Out("giant.pdf"));
        ASSERT_EQ(words.size(), 2u);
        EXPECT_TRUE(words[0].Text.startsWith("HEADxxx"));
        EXPECT_EQ(words[1].Text, "second");
    }
}

// A sheet of 100,000 rows is read as it prints, row by row, never whole.
TEST_F(CommandLineRunTest, LargeSheetPrintsInBoundedMemory) {
    constexpr int kRows = 100000;
    QByteArray rows = "<row><c t=\"inlineStr\"><is><t>Order</t></is></c><c t=\"inlineStr\">"
                      "<is><t>Name</t></is></c></row>";
    rows.reserve(kRows * 120);
    for (int i = 1; i <= kRows; ++i)
        rows += "<row><c><v>" + QByteArray::number(i) +
                "</v></c><c t=\"inlineStr\"><is><t>Customer " + QByteArray::number(i) +
                "</t></is></c></row>";
    const QString book = WriteZip(Out("orders.xlsx"), XlsxParts({{"Orders", rows}}));
    ASSERT_FALSE(book.isEmpty());
    rows.clear();
    QFile label(Out("orders.lbl"));
    ASSERT_TRUE(label.open(QIODevice::WriteOnly));
    label.write("[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=10\r\n"
                "CONTROLS=1\r\n[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\n"
                "FONT_NAME=Liberation Sans\r\nFONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=2\r\n"
                "ADVTYPE_1=FIELD\r\nADVNUM_1=2\r\nADVTYPE_2=FIELD\r\nADVNUM_2=1\r\n");
    label.close();
    const TMeasuredRun r = MeasuredVellumtrace(
        {label.fileName(), "-p", "-i", book, "-o", Out("orders.pdf")}, scratch.Path());
    EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("printed 100000 labels on 3334 pages")) << r.Out.toStdString();
    EXPECT_LT(r.PeakKilobytes, 150 * 1024);
}

namespace {
void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A plain description of twelve labels to a page: one text control "N" followed by a counter
// from 1, and a second text control holding text.
QByteArray PlainCounterLabel(const QByteArray& text) {
    return "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=4\r\n"
           "CONTROLS=3\r\n"
           "[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation "
           "Sans\r\n"
           "FONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=TEXT\r\nADVTXT_1=N\r\n"
           "ADVTYPE_2=SEQUENCE\r\nADVCUR_2=1\r\nADVMIN_2=1\r\n"
           "[CNT_2]\r\nTYPE=TEXT\r\nTOP=0.5\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation "
           "Sans\r\n"
           "FONT_SIZE=10\r\nTEXT=" +
           text +
           "\r\n"
           "[CNT_3]\r\nTYPE=GRAPHIC\r\nTOP=0.1\r\nLEFT=1.5\r\nWIDTH=0.3\r\nHEIGHT=0.3\r\n"
           "IMG_NAME=logo.bmp\r\n";
}
} // namespace

// The counters of a label continue from one unattended run to the next, as they do when the
// designer closes a label after printing.
class CountersRunTest : public CommandLineRunTest {
protected:
    // A label archive of twelve labels to a page whose one text control prints "N" and a
    // counter from 1.
    QString CounterLabel() {
        TSheetSettings sheet;
        sheet.Rows = 4;
        sheet.Columns = 3;
        sheet.ForcedCount = true;
        TLabelDocument label;
        label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
        label.AddControl(CounterText(label));
        for (const auto& c : label.Controls())
            c->SetLoading(false);
        const QString path = scratch.File("counter.lbl");
        label.SetSheet(sheet);
        WriteLabelDescription(path, label);
        return path;
    }
    TRun Print(const QString& label, const char* pdf, QStringList more = {}) {
        return Vellumtrace(QStringList{label, "-p", "-r", "12", "labels", "-o", Out(pdf)} + more,
                           scratch.Path());
    }
};

TEST_F(CountersRunTest, SecondRunContinuesWhereTheFirstStopped) {
    const QString label = CounterLabel();
    TRun r = Print(label, "first.pdf");
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString(); // no progress line off a terminal
    EXPECT_EQ(PrintedNumbers(Out("first.pdf")), NumberRange(1, 12));
    EXPECT_TRUE(FileBytes(label).startsWith("Vellumtrace")); // still an archive
    r = Print(label, "second.pdf");
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(PrintedNumbers(Out("second.pdf")), NumberRange(13, 24));
}

TEST_F(CountersRunTest, FailedOrTestRunsLeaveTheFileAsItWas) {
    const QString label = CounterLabel();
    const QByteArray before = FileBytes(label);
    TRun r = Vellumtrace({label, "-p", "-r", "12", "labels", "-d", "nosuch"}, scratch.Path());
    EXPECT_EQ(r.Exit, 1);
    EXPECT_TRUE(r.Err.contains("no printer named")) << r.Err.toStdString();
    EXPECT_EQ(FileBytes(label), before);
    // The output cannot be delivered: nothing was printed, so nothing is counted.
    r = Vellumtrace({label, "-p", "-o", "/nonexistent-folder/x.pdf"}, scratch.Path());
    EXPECT_EQ(r.Exit, 1);
    EXPECT_EQ(FileBytes(label), before);
    for (int run = 0; run < 2; ++run) {
        r = Print(label, "test.pdf", {"--no-save"});
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_EQ(PrintedNumbers(Out("test.pdf")), NumberRange(1, 12));
        EXPECT_EQ(FileBytes(label), before);
    }
}

TEST_F(CountersRunTest, PlainDescriptionIsWrittenBackPlainInItsEncoding) {
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::black);
    ASSERT_TRUE(logo.save(scratch.File("logo.bmp")));
    struct Row {
        const char* name;
        QByteArray bytes;
        QByteArray text; // the second control's text as the file holds it afterwards
    } rows[] = {
        {"ansi.lbl", PlainCounterLabel("M\xFCller"), "TEXT=M\xFCller\r\n"},
        // Every character would fit Windows-1252, yet the file stays UTF-8 as it came.
        {"utf8.lbl", "\xEF\xBB\xBF" + PlainCounterLabel("M\xC3\xBCller"), "TEXT=M\xC3\xBCller\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QString label = scratch.File(row.name);
        WriteBytes(label, row.bytes);
        TRun r = Print(label, "plain.pdf");
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_EQ(PrintedNumbers(Out("plain.pdf")), NumberRange(1, 12));
        const QByteArray after = FileBytes(label);
        EXPECT_TRUE(after.startsWith(row.bytes.left(9))); // "[FORMAT]" or the mark before it
        EXPECT_TRUE(after.contains(row.text));
        EXPECT_TRUE(after.contains("ADVCUR_2=13\r\n"));
        EXPECT_TRUE(after.contains("IMG_NAME=logo.bmp\r\n")); // the picture stays beside it
        r = Print(label, "plain.pdf");
        ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_EQ(PrintedNumbers(Out("plain.pdf")), NumberRange(13, 24));
        EXPECT_TRUE(r.Err.isEmpty()) << r.Err.toStdString(); // the picture was found
    }
}

TEST_F(CountersRunTest, TemplatesAndLabelsWithoutCountersAreNotWritten) {
    QFile example(VT_EXAMPLES "/shipping.lbl");
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray withCounter = example.readAll();
    // The example without its counter element prints a fixed text and has nothing to keep.
    QByteArray fixed = withCounter;
    fixed.replace("ADV_COUNT=2\r\nADVTYPE_1=TEXT", "ADV_COUNT=1\r\nADVTYPE_1=TEXT");
    ASSERT_NE(fixed, withCounter);
    const QString label = scratch.File("fixed.lbl");
    WriteBytes(label, fixed);
    const QString sheet = scratch.File("sheet.lbf");
    WriteBytes(sheet,
               "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=1\r\nROWS=2\r\n");
    for (const QString& path : {label, sheet}) {
        const QByteArray before = FileBytes(path);
        const TRun r = Vellumtrace({path, "-p", "-o", Out("x.pdf")}, scratch.Path());
        EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_EQ(FileBytes(path), before);
    }
}

// A sheet whose counts follow the paper is written back with the counts the run's paper takes,
// as the run laid it out: 2 x 1 in labels without margins, 2 across and 8 down on A5.
TEST_F(CountersRunTest, FittedCountsAreWrittenBackWithTheCounters) {
    const QString label = scratch.File("fitted.lbl");
    QByteArray bytes = PlainCounterLabel("fixed");
    bytes.replace("FORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=4",
                  "FORCEDMETRICS=0\r\nCOLUMNS=1\r\nROWS=1");
    bytes.replace("CONTROLS=3", "CONTROLS=2");
    WriteBytes(label, bytes);
    const TRun r = Print(label, "fitted.pdf", {"--paper", "A5"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_EQ(PrintedNumbers(Out("fitted.pdf")), NumberRange(1, 12));
    const TLabelContents written = ReadLabelDocument(label);
    EXPECT_FALSE(written.Sheet.ForcedCount);
    EXPECT_EQ(written.Sheet.Columns, 2);
    EXPECT_EQ(written.Sheet.Rows, 8);
    EXPECT_FALSE(written.Sheet.Paper.IsSet()) << "the run's paper is not the label's";
}

TEST(ConsoleProgressTest, LineAndKnownTotals) {
    EXPECT_EQ(ProgressLine(12, 250), QString("page 12 of 250"));
    EXPECT_EQ(ProgressLine(12, 0), QString("page 12"));

    TSheetSettings sheet; // 10 labels to a page
    sheet.Rows = 5;
    sheet.Columns = 2;
    TCommandLineOptions o;
    o.Count = 3;
    EXPECT_EQ(KnownPageTotal(o, sheet), 3); // 3 pages
    o.Range = TPrintRange::Labels;
    o.Count = 10;
    EXPECT_EQ(KnownPageTotal(o, sheet), 1);
    o.Count = 11;
    EXPECT_EQ(KnownPageTotal(o, sheet), 2);
    o.Skip = 9; // one label on the first page, ten on the second
    EXPECT_EQ(KnownPageTotal(o, sheet), 2);
    o.Skip = 10; // the first page stays empty
    EXPECT_EQ(KnownPageTotal(o, sheet), 3);
    o.Range = TPrintRange::All;
    EXPECT_EQ(KnownPageTotal(o, sheet), 0);
    o.Range = TPrintRange::Labels;
    o.DataFile = "data.csv"; // the data may end first
    EXPECT_EQ(KnownPageTotal(o, sheet), 0);
}
