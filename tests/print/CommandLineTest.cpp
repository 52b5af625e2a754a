#include "print/CommandLine.h"
#include "TestSupport.h"
#include "platform/Errors.h"
#include "print/ParallelPages.h"
#include "print/PrintU.h"

#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>

// Each row is an example of the documented command line, with the files made real where the
// switch needs them to exist.
class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        label = scratch.File("label.lbl");
        data = scratch.File("data.csv");
        for (const QString& p : {label, data}) {
            QFile f(p);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
    }
    TCommandLineOptions Parse(QStringList args) {
        args.prepend("vellumtrace");
        for (QString& a : args) {
            if (a == "LABEL")
                a = label;
            else if (a == "DATA")
                a = data;
        }
        return ParseCommandLine(args);
    }
    TScratchFolder scratch;
    QString label, data;
};

TEST_F(CommandLineTest, Defaults) {
    const TCommandLineOptions o = Parse({});
    EXPECT_EQ(o, TCommandLineOptions());
    EXPECT_EQ(o.Range, TPrintRange::Pages);
    EXPECT_EQ(o.Count, 1);
    EXPECT_EQ(o.Copies, 1);
    EXPECT_EQ(o.Skip, 0);
    EXPECT_FALSE(o.Unattended);
}

TEST_F(CommandLineTest, UnattendedPrintsOnePageByDefault) {
    const TCommandLineOptions o = Parse({"LABEL", "-p"});
    EXPECT_EQ(o.StartFile, label);
    EXPECT_TRUE(o.Unattended);
    EXPECT_EQ(o.Range, TPrintRange::Pages);
    EXPECT_EQ(o.Count, 1);
}

TEST_F(CommandLineTest, DataFileMakesTheRangeAll) {
    const TCommandLineOptions o = Parse({"LABEL", "-p", "-i", "DATA"});
    EXPECT_EQ(o.DataFile, data);
    EXPECT_EQ(o.Range, TPrintRange::All);
}

TEST_F(CommandLineTest, MissingFilesAreNotTakenButRemembered) {
    TCommandLineOptions o = Parse({"LABEL", "-p", "-i", "nothere.csv"});
    EXPECT_TRUE(o.DataFile.isEmpty());
    EXPECT_EQ(o.Range, TPrintRange::Pages);
    EXPECT_EQ(o.MissingDataFile, QString("nothere.csv"));
    o = Parse({"nolabel.lbl", "-p"});
    EXPECT_TRUE(o.StartFile.isEmpty());
    EXPECT_EQ(o.MissingStartFile, QString("nolabel.lbl"));
}

TEST_F(CommandLineTest, Ranges) {
    struct Row {
        QStringList args;
        TPrintRange range;
        int count;
    } rows[] = {
        {{"LABEL", "-r", "3", "PAGES"}, TPrintRange::Pages, 3},
        {{"LABEL", "-r", "25", "labels"}, TPrintRange::Labels, 25},
        {{"LABEL", "-r", "all"}, TPrintRange::All, 1},
        {{"LABEL", "-r", "2.5", "PAGES"}, TPrintRange::Pages, 2}, // halves to even
        {{"LABEL", "-r", "3.5", "PAGES"}, TPrintRange::Pages, 4},
        {{"LABEL", "-r", "0", "PAGES"}, TPrintRange::Pages, 1},
        {{"LABEL", "-r", "x", "LABELS"}, TPrintRange::Labels, 1},
        {{"LABEL", "-r", "PAGES", "3"}, TPrintRange::Pages, 1}, // the word first is not recognised
        {{"LABEL", "-r", "7"}, TPrintRange::Pages, 1},
        {{"LABEL", "-r"}, TPrintRange::Pages, 1},
        {{"LABEL", "-i", "DATA", "-r", "4", "PAGES"}, TPrintRange::Pages, 4},
        {{"LABEL", "-i", "DATA", "-r", "bogus"}, TPrintRange::All, 1},
    };
    for (const Row& r : rows) {
        const TCommandLineOptions o = Parse(r.args);
        EXPECT_EQ(o.Range, r.range) << r.args.join(' ').toStdString();
        EXPECT_EQ(o.Count, r.count) << r.args.join(' ').toStdString();
    }
}

TEST_F(CommandLineTest, CopiesAndSkip) {
    EXPECT_EQ(Parse({"LABEL", "-c", "0"}).Copies, 1);
    EXPECT_EQ(Parse({"LABEL", "-c", "x"}).Copies, 1);
    EXPECT_EQ(Parse({"LABEL", "-c", "3"}).Copies, 3);
    EXPECT_EQ(Parse({"LABEL", "-C", "2,5"}).Copies, 2);
    EXPECT_EQ(Parse({"LABEL", "-s", "-4"}).Skip, 0);
    EXPECT_EQ(Parse({"LABEL", "-s", "5"}).Skip, 5);
    EXPECT_EQ(Parse({"LABEL", "-s", "100"}).Skip, 100); // not limited to one page here
}

TEST_F(CommandLineTest, CopiesFieldAndNextSkip) {
    const TCommandLineOptions next = Parse({"LABEL", "-s", "Next"});
    EXPECT_TRUE(next.SkipNext);
    EXPECT_EQ(next.Skip, 0);
    EXPECT_FALSE(Parse({"LABEL", "-s", "5"}).SkipNext);
    EXPECT_EQ(Parse({"LABEL", "--copies-field", "Qty"}).CopiesField, QString("Qty"));
    EXPECT_FALSE(Parse({"LABEL"}).CopiesField.has_value());

    // The switch wins over the label's choice: a number by number, anything else by name.
    TSheetSettings label;
    label.CopiesField = 2;
    label.CopiesName = "Qty";
    TPrintSettings s;
    UseCopiesField(s, Parse({"LABEL"}), label);
    EXPECT_EQ(s.CopiesField, 2);
    EXPECT_EQ(s.CopiesName, QString("Qty"));
    UseCopiesField(s, Parse({"LABEL", "--copies-field", "5"}), label);
    EXPECT_EQ(s.CopiesField, 5);
    EXPECT_TRUE(s.CopiesName.isEmpty());
    UseCopiesField(s, Parse({"LABEL", "--copies-field", "Boxes"}), label);
    EXPECT_EQ(s.CopiesField, 0);
    EXPECT_EQ(s.CopiesName, QString("Boxes"));
    for (const char* bad : {"0", "-2", " "})
        EXPECT_THROW(UseCopiesField(s, Parse({"LABEL", "--copies-field", bad}), label), TUserError)
            << bad;
    EXPECT_THROW(UseCopiesField(s, Parse({"LABEL", "--copies-field"}), label), TUserError);
}

TEST_F(CommandLineTest, SwitchBeforeTheLabelTakesNoStartFile) {
    const TCommandLineOptions o = Parse({"-p", "LABEL"});
    EXPECT_TRUE(o.StartFile.isEmpty());
    EXPECT_TRUE(o.Unattended);
    EXPECT_TRUE(o.MissingStartFile.isEmpty()); // a switch is not a missing file
}

TEST_F(CommandLineTest, OnlyTheFirstOccurrenceCounts) {
    const TCommandLineOptions o = Parse({"LABEL", "-c", "2", "-c", "5", "-s", "1", "-S", "3"});
    EXPECT_EQ(o.Copies, 2);
    EXPECT_EQ(o.Skip, 1);
}

TEST_F(CommandLineTest, FindSwitchPositions) {
    const QStringList p = {"prog", "a.lbl", "-P", "-i"};
    EXPECT_EQ(FindSwitch(p, "-p"), 2);
    EXPECT_EQ(FindSwitch(p, "-I"), 3);
    EXPECT_EQ(FindSwitch(p, "-r"), 0);
    EXPECT_EQ(FindSwitch(p, "prog"), 0); // the program itself is not a parameter
}

TEST_F(CommandLineTest, OwnSwitches) {
    const TCommandLineOptions o =
        Parse({"LABEL", "-p", "-o", "out.pdf", "-d", "Office Laser", "--version"});
    EXPECT_EQ(o.OutputPdf, QString("out.pdf"));
    EXPECT_EQ(o.PrinterName, QString("Office Laser"));
    EXPECT_TRUE(o.Version);
    EXPECT_FALSE(o.Help);
    EXPECT_FALSE(o.NoSave);
    EXPECT_TRUE(Parse({"--HELP"}).Help);
    EXPECT_TRUE(CommandLineHelp().contains("-o FILE.pdf"));
}

TEST_F(CommandLineTest, NoSaveKeepsTheOtherSwitches) {
    const TCommandLineOptions o = Parse({"LABEL", "-p", "--no-save", "-r", "2", "labels"});
    EXPECT_TRUE(o.NoSave);
    EXPECT_TRUE(o.Unattended);
    EXPECT_EQ(o.StartFile, label);
    EXPECT_EQ(o.Range, TPrintRange::Labels);
    EXPECT_EQ(o.Count, 2);
    EXPECT_TRUE(Parse({"LABEL", "--NO-SAVE", "-p"}).NoSave);
    EXPECT_FALSE(Parse({"LABEL", "-p", "--no-saves"}).NoSave);
    EXPECT_TRUE(CommandLineHelp().contains("--no-save"));
}

// --threads picks the threads of this run; without it the engine decides (the cores, or the
// environment), and a value that is no thread count is refused with the value named.
TEST_F(CommandLineTest, ThreadsOfARun) {
    EXPECT_EQ(RunThreads(Parse({"LABEL", "-p"})), 0);
    EXPECT_EQ(RunThreads(Parse({"LABEL", "-p", "--threads", "1"})), 1);
    EXPECT_EQ(RunThreads(Parse({"LABEL", "--THREADS", "3", "-p"})), 3);
    EXPECT_EQ(RunThreads(Parse({"LABEL", "-p", "--threads", "64"})), MaxPrintThreads);
    for (const char* bad : {"0", "-2", "two", "1.5"}) {
        try {
            RunThreads(Parse({"LABEL", "-p", "--threads", bad}));
            ADD_FAILURE() << bad << " was taken";
        } catch (const TUserError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("\"%1\"").arg(bad)));
        }
    }
    EXPECT_THROW(RunThreads(Parse({"LABEL", "-p", "--threads"})), TUserError);
    EXPECT_TRUE(CommandLineHelp().contains("--threads N"));

    // The engine's own choice: the environment's number when it is one, else the cores.
    qputenv("VELLUMTRACE_THREADS", "3");
    EXPECT_EQ(PrintThreads(0), 3);
    EXPECT_EQ(PrintThreads(2), 2); // the switch wins
    qputenv("VELLUMTRACE_THREADS", "many");
    EXPECT_EQ(PrintThreads(0), std::clamp(QThread::idealThreadCount(), 1, MaxPrintThreads));
    qunsetenv("VELLUMTRACE_THREADS");
    EXPECT_EQ(PrintThreads(0), std::clamp(QThread::idealThreadCount(), 1, MaxPrintThreads));
    EXPECT_EQ(PrintThreads(100), MaxPrintThreads);
}

// How a run reads its data, switch by switch; a server's address is data without a file.
TEST_F(CommandLineTest, DataSwitches) {
    const TCommandLineOptions none = Parse({"LABEL", "-p", "-i", "DATA"});
    EXPECT_EQ(none.Import, TImportOverrides{});
    const TCommandLineOptions o =
        Parse({"LABEL", "-p", "-i", "DATA", "--delimiter", ";", "--QUOTE", "none", "--encoding",
               "utf-16", "--table", "Orders", "--query", "SELECT 1", "--no-header"});
    EXPECT_EQ(o.Import.Delimiter, QString(";"));
    EXPECT_EQ(o.Import.Quote, QString("none"));
    EXPECT_EQ(o.Import.Encoding, QString("utf-16"));
    EXPECT_EQ(o.Import.Table, QString("Orders"));
    EXPECT_EQ(o.Import.Query, QString("SELECT 1"));
    EXPECT_EQ(o.Import.Header, false);
    EXPECT_EQ(Parse({"LABEL", "--fixed", "10,25,8"}).Import.Fixed, QString("10,25,8"));
    EXPECT_EQ(Parse({"LABEL", "--header"}).Import.Header, true);
    // Both given: the later one counts.
    EXPECT_EQ(Parse({"LABEL", "--header", "--no-header"}).Import.Header, false);
    EXPECT_EQ(Parse({"LABEL", "--no-header", "--header"}).Import.Header, true);
    // A value missing at the end is an empty value, which applying refuses.
    EXPECT_EQ(Parse({"LABEL", "--delimiter"}).Import.Delimiter, QString());

    const QString server = "postgresql://ann@localhost:5432/shop";
    const TCommandLineOptions db = Parse({"LABEL", "-p", "-i", server, "--table", "orders"});
    EXPECT_EQ(db.DataFile, server);
    EXPECT_TRUE(db.MissingDataFile.isEmpty());
    EXPECT_EQ(db.Range, TPrintRange::All);
    for (const char* help : {"--delimiter", "--quote", "--no-header", "--encoding", "--fixed",
                             "--table", "--query", "postgresql://"})
        EXPECT_TRUE(CommandLineHelp().contains(help)) << help;
}
