#include "CounterRuns.h"
#include "MergeTestFiles.h"
#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cmath>

// Unattended runs that take each record's copies from a field of its data, and runs that go on
// where the last one left a sheet of labels.

namespace {
const QByteArray kData = "[DATA]\r\nFORMAT=COMMA\r\nHEADER=1\r\n";

// Thirty 2 x 1 in labels to a page (3 across, 10 down) with the text controls given.
QByteArray SheetLabel(const QByteArray& controls, int count, const QByteArray& extra = {}) {
    return "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nTOPMARGIN=0.5\r\nLEFTMARGIN=0.25\r\n"
           "FORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=10\r\nCONTROLS=" +
           QByteArray::number(count) + "\r\n" + extra + controls;
}

QByteArray TextControl(int n, const QByteArray& top, const QByteArray& fields) {
    return "[CNT_" + QByteArray::number(n) + "]\r\nTYPE=TEXT\r\nTOP=" + top +
           "\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation Sans\r\nFONT_SIZE=10\r\n" + fields;
}

// Field 1 of the record, as one word.
const QByteArray kName = TextControl(1, "0.1",
                                     "ADVANCED=1\r\nADV_COUNT=1\r\nADVTYPE_1=FIELD\r\n"
                                     "ADVNUM_1=1\r\n");
// "N" and a counter from 1.
const QByteArray kCounter = TextControl(
    2, "0.5",
    "ADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=TEXT\r\nADVTXT_1=N\r\nADVTYPE_2=SEQUENCE\r\n"
    "ADVCUR_2=1\r\nADVMIN_2=1\r\nADVMAX_2=999\r\n");
// A plain text: no data, no counters.
const QByteArray kPlain = TextControl(1, "0.1", "TEXT=L\r\n");

class QuantityRunTest : public ::testing::Test {
protected:
    TScratchFolder scratch;

    QString Write(const char* name, const QByteArray& bytes) {
        const QString path = scratch.File(name);
        EXPECT_FALSE(WriteBytes(path, bytes).isEmpty());
        return path;
    }
    // The words a run printed, in order; empty when it failed (see last).
    std::vector<TPdfWord> Run(const QStringList& args) {
        const QString out = scratch.File("out.pdf");
        QFile::remove(out);
        last =
            Vellumtrace(QStringList{args.first(), "-p", "-o", out} + args.mid(1), scratch.Path());
        return last.Exit == 0 ? PdfWords(out) : std::vector<TPdfWord>();
    }
    QStringList Words(const QStringList& args) {
        QStringList words;
        for (const TPdfWord& w : Run(args))
            words << w.Text;
        return words;
    }
    // The label position (from 0, row by row) of each word, from where the page's first
    // position would put it.
    QList<int> Positions(const std::vector<TPdfWord>& words, const TPdfWord& first) {
        QList<int> positions;
        for (const TPdfWord& w : words) {
            const int column = int(std::lround((w.X - first.X) / 1200.0));
            const int row = int(std::lround((w.Y - first.Y) / 600.0));
            positions << row * 3 + column;
        }
        return positions;
    }
    QString LabelText(const QString& path) { return QString::fromLatin1(FileBytes(path)); }
    TRun last;
};
} // namespace

TEST_F(QuantityRunTest, EachRecordPrintsAsManyLabelsAsItsFieldSays) {
    const QString label = Write("q.lbl", SheetLabel(kName, 1, "COPIESFIELD=2\r\n") + kData);
    const QString good = Write("good.csv", "Name,Qty\r\nAnn,0\r\nBob,1\r\nCat, 3 \r\nDan,2\r\n");
    EXPECT_EQ(Words({label, "-i", good, "--no-save"}),
              (QStringList{"Bob", "Cat", "Cat", "Cat", "Dan", "Dan"}));
    // Duplicates give way to the field.
    EXPECT_EQ(Words({label, "-i", good, "-c", "5", "--no-save"}).size(), 6);

    // One bad value anywhere stops the run before anything is printed, naming its line.
    const QString bad = Write("orders.csv", "Name,Qty\r\nAnn,1\r\nBob,x\r\nCat,10000\r\n");
    const QString out = scratch.File("out.pdf");
    EXPECT_TRUE(Words({label, "-i", bad, "--no-save"}).isEmpty());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_TRUE(last.Err.contains("Record on line 3 of orders.csv asks for \"x\" copies"))
        << last.Err.toStdString();
    EXPECT_TRUE(last.Err.contains("whole number from 0 to 9,999"));
    EXPECT_FALSE(QFile::exists(out));
    const QString large = Write("large.csv", "Name,Qty\r\nAnn,1\r\nBob,10000\r\n");
    EXPECT_TRUE(Words({label, "-i", large, "--no-save"}).isEmpty());
    EXPECT_TRUE(last.Err.contains("line 3 of large.csv asks for \"10000\""))
        << last.Err.toStdString();
    const QString shortLine = Write("short.csv", "Name,Qty\r\nAnn,1\r\nBob\r\n");
    EXPECT_TRUE(Words({label, "-i", shortLine, "--no-save"}).isEmpty());
    EXPECT_TRUE(last.Err.contains("line 3 of short.csv has no field 2")) << last.Err.toStdString();

    // The check lists every such record instead of stopping at the first.
    const TRun check = Vellumtrace({label, "-i", bad, "--check", "--no-read-back"}, scratch.Path());
    EXPECT_EQ(check.Exit, 3) << check.Err.toStdString();
    EXPECT_TRUE(check.Out.contains("record 2 (line 3)")) << check.Out.toStdString();
    EXPECT_TRUE(check.Out.contains("asks for \"x\" copies"));
    EXPECT_TRUE(check.Out.contains("record 3 (line 4)"));
    EXPECT_TRUE(check.Out.contains("asks for \"10000\" copies"));
}

TEST_F(QuantityRunTest, TheSwitchChoosesTheFieldByNumberOrName) {
    const QString label = Write("q.lbl", SheetLabel(kName, 1) + kData);
    const QString data = Write("d.csv", "Name,Extra,Qty\r\nAnn,9,2\r\nBob,0,1\r\n");
    // The label keeps no copies field: Duplicates.
    EXPECT_EQ(Words({label, "-i", data, "--no-save"}), (QStringList{"Ann", "Bob"}));
    EXPECT_EQ(Words({label, "-i", data, "--copies-field", "3", "--no-save"}),
              (QStringList{"Ann", "Ann", "Bob"}));
    EXPECT_EQ(Words({label, "-i", data, "--copies-field", "qty", "--no-save"}),
              (QStringList{"Ann", "Ann", "Bob"}));
    // Over the label's own choice.
    const QString kept =
        Write("k.lbl", SheetLabel(kName, 1, "COPIESFIELD=3\r\nCOPIESNAME=Qty\r\n") + kData);
    EXPECT_EQ(Words({kept, "-i", data, "--copies-field", "Extra", "--no-save"}).size(), 9);
    // A name the header lacks is refused.
    EXPECT_TRUE(Words({label, "-i", data, "--copies-field", "Count", "--no-save"}).isEmpty());
    EXPECT_TRUE(last.Err.contains("no column named \"Count\"")) << last.Err.toStdString();
    // Without data the field means nothing and Duplicates apply.
    const QString plain = Write("p.lbl", SheetLabel(kPlain, 1, "COPIESFIELD=3\r\n"));
    EXPECT_EQ(Words({plain, "-r", "2", "LABELS", "--no-save"}), (QStringList{"L", "L"}));
}

TEST_F(QuantityRunTest, CountersStepOnceARecordAfterItsLastCopy) {
    const QString label =
        Write("c.lbl", SheetLabel(kName + kCounter, 2, "COPIESFIELD=2\r\n") + kData);
    const QString data = Write("d.csv", "Name,Qty\r\nAnn,2\r\nBob,0\r\nCat,3\r\nDan,1\r\n");
    const QString out = scratch.File("out.pdf");
    Run({label, "-i", data, "--no-save"});
    EXPECT_EQ(PrintedNumbers(out), (QStringList{"1", "1", "2", "2", "2", "3"}));
}

TEST_F(QuantityRunTest, ARunContinuesWhereTheLastOneLeftTheSheet) {
    const QString label = Write("s.lbl", SheetLabel(kPlain, 1));
    const std::vector<TPdfWord> first = Run({label, "-r", "7", "LABELS"});
    ASSERT_EQ(first.size(), 7u) << last.Err.toStdString();
    EXPECT_EQ(Positions(first, first.front()), (QList<int>{0, 1, 2, 3, 4, 5, 6}));
    // Written back although the label has no counters.
    EXPECT_TRUE(LabelText(label).contains("NEXTLABEL=7")) << LabelText(label).toStdString();
    EXPECT_TRUE(LabelText(label).contains("NEXTSHEET="));

    EXPECT_EQ(Positions(Run({label, "-r", "2", "LABELS", "-s", "next"}), first.front()),
              (QList<int>{7, 8}));
    EXPECT_TRUE(LabelText(label).contains("NEXTLABEL=9"));
    // Filling the page leaves nothing to continue from.
    EXPECT_EQ(Run({label, "-r", "21", "LABELS", "-s", "NEXT"}).size(), 21u);
    EXPECT_FALSE(LabelText(label).contains("NEXTLABEL"));
    EXPECT_EQ(Positions(Run({label, "-r", "1", "LABELS", "-s", "next"}), first.front()),
              (QList<int>{0}));

    // --no-save leaves the label file as it was.
    const QByteArray before = FileBytes(label);
    EXPECT_EQ(Run({label, "-r", "4", "LABELS", "-s", "next", "--no-save"}).size(), 4u);
    EXPECT_EQ(FileBytes(label), before);
    // Without -s next the run starts at the first label (or where -s says).
    EXPECT_EQ(Positions(Run({label, "-r", "2", "LABELS", "-s", "3"}), first.front()),
              (QList<int>{3, 4}));
    EXPECT_TRUE(LabelText(label).contains("NEXTLABEL=5"));
}

TEST_F(QuantityRunTest, AnotherSheetOrPaperStartsAtTheFirstLabel) {
    const QString label = Write("s.lbl", SheetLabel(kPlain, 1));
    const std::vector<TPdfWord> first = Run({label, "-r", "7", "LABELS"});
    ASSERT_EQ(first.size(), 7u) << last.Err.toStdString();
    ASSERT_TRUE(LabelText(label).contains("NEXTLABEL=7"));
    // Another paper for one run.
    EXPECT_EQ(
        Positions(Run({label, "-r", "1", "LABELS", "-s", "next", "--paper", "9x12in", "--no-save"}),
                  first.front()),
        (QList<int>{0}));
    // The label's sheet changed since (taller labels).
    QByteArray changed = FileBytes(label);
    changed.replace("HEIGHT=1", "HEIGHT=0.9");
    ASSERT_TRUE(changed.contains("NEXTLABEL=7"));
    ASSERT_FALSE(WriteBytes(label, changed).isEmpty());
    const std::vector<TPdfWord> other = Run({label, "-r", "1", "LABELS", "-s", "next"});
    ASSERT_EQ(other.size(), 1u) << last.Err.toStdString();
    EXPECT_TRUE(last.Err.contains("another sheet or paper")) << last.Err.toStdString();
    EXPECT_NEAR(other.front().Y, first.front().Y, 1.0);
    EXPECT_NEAR(other.front().X, first.front().X, 1.0);
    EXPECT_TRUE(LabelText(label).contains("NEXTLABEL=1"));
}

TEST_F(QuantityRunTest, AFailedRunKeepsThePositionItStartedFrom) {
    const QString label = Write("s.lbl", SheetLabel(kName, 1, "COPIESFIELD=2\r\n") + kData);
    const QString good = Write("good.csv", "Name,Qty\r\nAnn,7\r\n");
    ASSERT_EQ(Run({label, "-i", good}).size(), 7u) << last.Err.toStdString();
    const QByteArray before = FileBytes(label);
    ASSERT_TRUE(before.contains("NEXTLABEL=7"));
    const QString bad = Write("bad.csv", "Name,Qty\r\nAnn,2\r\nBob,many\r\n");
    EXPECT_TRUE(Run({label, "-i", bad, "-s", "next"}).empty());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_EQ(FileBytes(label), before);
}
