#include "LabelTestSupport.h"
#include "files/LabelWriteBack.h"

#include <QFile>

namespace {
class PaperKeysTest : public TLabelFileTest {
protected:
    static TPaperChoice Paper(const char* text) {
        TPaperChoice paper;
        EXPECT_TRUE(ParsePaper(text, paper));
        return paper;
    }
    // A plain description of an older program, with lines added to its [FORMAT] section.
    QString PlainLabel(const QByteArray& extra) {
        const QString path = Scratch.File("plain.lbl");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2.625\r\nTOPMARGIN=0.5\r\nLEFTMARGIN=0.1875\r\n"
                   "COLUMNS=3\r\nROWS=10\r\nCONTROLS=0\r\n" +
                   extra);
        return path;
    }
};

TEST_F(PaperKeysTest, ChosenPaperAndOrientationTravelWithTheLabel) {
    TSheetSettings sheet;
    sheet.Metric = true; // the paper is in inches whatever the sheet's unit
    sheet.Paper = Paper("a4");
    sheet.Paper.Landscape = true;
    TLabelContents doc = RoundTrip({}, sheet);
    EXPECT_EQ(doc.Sheet.Paper, sheet.Paper);
    EXPECT_EQ(doc.Sheet, sheet);
    const TIniFile ini = Description(Scratch.File("roundtrip.lbl"));
    EXPECT_EQ(ini.ReadString("FORMAT", "PAPERNAME", {}), "A4");
    EXPECT_EQ(ini.ReadString("FORMAT", "PAPERWIDTH", {}), "8.267717");
    EXPECT_EQ(ini.ReadString("FORMAT", "PAPERHEIGHT", {}), "11.692913");
    EXPECT_EQ(ini.ReadInteger("FORMAT", "ORIENTATION", -1), 1);

    sheet.Paper = Paper("100x150mm");
    doc = RoundTrip({}, sheet);
    EXPECT_EQ(doc.Sheet.Paper, sheet.Paper);
    EXPECT_TRUE(doc.Sheet.Paper.Name.isEmpty());
    EXPECT_EQ(doc.Sheet.Paper.Text(), "3.93701 \u00d7 5.90551 in");
}

TEST_F(PaperKeysTest, LabelsWithoutAChoiceHaveNoKeysAndOlderFilesReadAsBefore) {
    const TIniFile ini = SavedDescription({});
    for (const char* key : {"PAPERNAME", "PAPERWIDTH", "PAPERHEIGHT", "ORIENTATION"})
        EXPECT_FALSE(ini.ValueExists("FORMAT", key)) << key;
    const TLabelContents old = ReadLabelDocument(PlainLabel({}));
    EXPECT_FALSE(old.Sheet.Paper.IsSet());
    EXPECT_EQ(old.Sheet.Columns, 3);

    // A paper this program has no name for is known by its size.
    const TLabelContents other = ReadLabelDocument(
        PlainLabel("PAPERNAME=Roll\\s4\r\nPAPERWIDTH=4\r\nPAPERHEIGHT=6\r\nORIENTATION=0\r\n"));
    EXPECT_EQ(other.Sheet.Paper, Paper("4x6in"));
}

TEST_F(PaperKeysTest, PaperBeyondBoundsIsRefused) {
    const QString path = PlainLabel("PAPERWIDTH=0\r\nPAPERHEIGHT=11\r\n");
    try {
        ReadLabelDocument(path);
        ADD_FAILURE() << "read";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString("The file \"%1\" describes a paper of 0 by 11 inches; "
                                       "papers can be from 0.25 to 100 inches on a side.")
                                   .arg(path));
    }
}

TEST_F(PaperKeysTest, WritingBackKeepsThePaper) {
    // Counters written back after a run keep the label's paper, archive or plain.
    const QString path = PlainLabel("PAPERNAME=Letter\r\nPAPERWIDTH=8.5\r\nPAPERHEIGHT=11\r\n");
    TLabelContents doc = ReadLabelDocument(path);
    ASSERT_EQ(doc.Sheet.Paper.Name, "Letter");
    WriteLabelBack(path, ReadLabelFileForm(path), doc.Sheet, doc.ShowGrid, doc.Controls);
    EXPECT_EQ(ReadLabelDocument(path).Sheet.Paper, Paper("Letter"));
}

TEST_F(PaperKeysTest, TheStockTravelsWithTheLabelUnderKeysOthersLack) {
    TSheetSettings sheet;
    sheet.StockMaker = "Avery";
    sheet.StockPart = "5160";
    const TLabelContents doc = RoundTrip({}, sheet);
    EXPECT_EQ(doc.Sheet.StockMaker, "Avery");
    EXPECT_EQ(doc.Sheet.StockPart, "5160");
    EXPECT_EQ(Description(Scratch.File("roundtrip.lbl")).ReadString("FORMAT", "STOCKPART", {}),
              "5160");
    EXPECT_FALSE(SavedDescription({}).ValueExists("FORMAT", "STOCKMAKER"));
    EXPECT_TRUE(ReadLabelDocument(PlainLabel({})).Sheet.StockMaker.isEmpty());
}
} // namespace

namespace {
TEST_F(PaperKeysTest, WhatRunsKeepTravelsWithTheLabelUnderKeysOthersLack) {
    TSheetSettings sheet;
    sheet.CopiesField = 4;
    sheet.CopiesName = "Qty = [boxes]";
    sheet.NextLabel = 7;
    sheet.NextSheet = "2.000x1.000 margins 0.250 3x10 on 8.50x11.00";
    const TLabelContents doc = RoundTrip({}, sheet);
    EXPECT_EQ(doc.Sheet, sheet);
    const TIniFile ini = Description(Scratch.File("roundtrip.lbl"));
    EXPECT_EQ(ini.ReadInteger("FORMAT", "COPIESFIELD", 0), 4);
    EXPECT_EQ(ini.ReadInteger("FORMAT", "NEXTLABEL", 0), 7);

    // Unset, nothing is written; older files read as unset.
    const TIniFile plain = SavedDescription({});
    for (const char* key : {"COPIESFIELD", "COPIESNAME", "NEXTLABEL", "NEXTSHEET"})
        EXPECT_FALSE(plain.ValueExists("FORMAT", key)) << key;
    const TLabelContents old = ReadLabelDocument(PlainLabel({}));
    EXPECT_EQ(old.Sheet.CopiesField, 0);
    EXPECT_EQ(old.Sheet.NextLabel, 0);
    EXPECT_TRUE(old.Sheet.NextSheet.isEmpty());

    // A position without its sheet, or a damaged one, is no position.
    EXPECT_EQ(ReadLabelDocument(PlainLabel("NEXTLABEL=7\r\n")).Sheet.NextLabel, 0);
    const TSheetSettings damaged =
        ReadLabelDocument(PlainLabel("NEXTLABEL=-3\r\nNEXTSHEET=x\r\nCOPIESFIELD=-1\r\n")).Sheet;
    EXPECT_EQ(damaged.NextLabel, 0);
    EXPECT_TRUE(damaged.NextSheet.isEmpty());
    EXPECT_EQ(damaged.CopiesField, 0);
}
} // namespace
