#include "PdfProbe.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {
struct TRun {
    int Exit = -1;
    QString Out, Err;
};

// Runs the program as another program would: no display, its own config folder.
TRun Vellumtrace(const QStringList& args, const QString& workDir) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    env.insert("XDG_CONFIG_HOME", workDir + "/config");
    // No print server: the tests never reach a real printer, and the PDF printer is current.
    env.insert("CUPS_SERVER", workDir + "/no-cups-here.sock");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(workDir);
    p.start(VT_PROGRAM, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

const QString kLabel = VT_EXAMPLES "/shipping.lbl";
const QString kData = VT_EXAMPLES "/shipping.csv";
} // namespace

class CommandLineRunTest : public ::testing::Test {
protected:
    TScratchFolder scratch;
    QString Out(const char* name) { return scratch.File(name); }
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
    r = Vellumtrace({"--version"}, scratch.Path());
    EXPECT_EQ(r.Exit, 0);
    EXPECT_TRUE(r.Out.startsWith("Vellumtrace "));
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
