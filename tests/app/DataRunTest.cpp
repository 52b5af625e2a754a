#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QFile>
#include <gtest/gtest.h>

// How unattended runs read their data: with the settings the label keeps, with the switches of
// the run, and with what the file itself says of its separator.

namespace {
bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Twelve 2 x 1 in labels to a page, each printing field 1, an underscore and field 2 as one word.
const QByteArray kTwoFieldLabel =
    "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=3\r\nROWS=4\r\nCONTROLS=1\r\n"
    "[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation Sans\r\n"
    "FONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=3\r\nADVTYPE_1=FIELD\r\nADVNUM_1=1\r\n"
    "ADVTYPE_2=TEXT\r\nADVTXT_2=_\r\nADVTYPE_3=FIELD\r\nADVNUM_3=2\r\n";

class DataRunTest : public ::testing::Test {
protected:
    TScratchFolder scratch;
    // The label, with a [DATA] section of its own when data is given.
    QString Label(const QByteArray& data = {}) {
        const QString path = scratch.File("two.lbl");
        EXPECT_TRUE(WriteFile(path, kTwoFieldLabel + data));
        return path;
    }
    QString Data(const char* name, const QByteArray& bytes) {
        const QString path = scratch.File(name);
        EXPECT_TRUE(WriteFile(path, bytes));
        return path;
    }
    // The printed words of a run of label over data with the extra switches.
    QStringList Printed(const QString& label, const QString& data, const QStringList& extra = {}) {
        const QString out = scratch.File("out.pdf");
        QFile::remove(out);
        last = Vellumtrace(QStringList{label, "-p", "-i", data, "-o", out, "--no-save"} + extra,
                           scratch.Path());
        QStringList words;
        if (last.Exit == 0)
            for (const TPdfWord& w : PdfWords(out))
                words << w.Text;
        return words;
    }
    TRun last;
};
} // namespace

TEST_F(DataRunTest, TheLabelsOwnSettingsReadItsData) {
    const QString data = Data("people.txt", "Ann;Leeds\r\nBob;York\r\n");
    // By the extension alone a .txt file is cut at tabs and has a header line, so the one
    // record left is a single field.
    EXPECT_EQ(Printed(Label(), data), (QStringList{"Bob;York_"}));
    EXPECT_EQ(Printed(Label("[DATA]\r\nFORMAT=CUSTOM\r\nSEPARATOR=;\r\nHEADER=0\r\n"), data),
              (QStringList{"Ann_Leeds", "Bob_York"}));
    EXPECT_EQ(last.Err, QString());
    // Fixed columns kept with the label.
    const QString fixed = Data("people.prn", "Ann  Leeds\r\nBob  York\r\n");
    EXPECT_EQ(Printed(Label("[DATA]\r\nFORMAT=FIXED\r\nCOLUMNS=5,5\r\nHEADER=0\r\n"), fixed),
              (QStringList{"Ann_Leeds", "Bob_York"}));
}

TEST_F(DataRunTest, SwitchesOverrideTheSettingsForOneRun) {
    const QString label = Label("[DATA]\r\nFORMAT=CUSTOM\r\nSEPARATOR=;\r\nHEADER=0\r\n");
    const QString pipes = Data("people.txt", "Name|Town\r\n~Ann|Lee~|Leeds\r\n");
    EXPECT_EQ(Printed(label, pipes, {"--delimiter", "|", "--header", "--quote", "~"}),
              (QStringList{"Ann|Lee_Leeds"}));
    EXPECT_EQ(Printed(label, pipes, {"--delimiter", "|", "--header", "--quote", "none"}),
              (QStringList{"~Ann_Lee~"}));
    const QString fixed = Data("people.dat", "Ann  Leeds\r\n");
    EXPECT_EQ(Printed(label, fixed, {"--fixed", "5,5"}), (QStringList{"Ann_Leeds"}));
    const QString latin = Data("latin.txt", "Zo\xC3\xAB;1\r\n");
    EXPECT_EQ(Printed(label, latin), (QStringList{"Zo\u00EB_1"}));
    EXPECT_EQ(Printed(label, latin, {"--encoding", "windows-1252"}),
              (QStringList{"Zo\u00C3\u00AB_1"}));
    // The label file keeps its settings: the switches were for that run only.
    EXPECT_EQ(Printed(label, pipes), (QStringList{"Name|Town_", "~Ann|Lee~|Leeds_"}));

    // A value the switch does not take stops the run before anything prints.
    EXPECT_TRUE(Printed(label, pipes, {"--delimiter", "semi"}).isEmpty());
    EXPECT_EQ(last.Exit, 1);
    EXPECT_TRUE(last.Err.contains("--delimiter needs one character")) << last.Err.toStdString();
    EXPECT_FALSE(QFile::exists(scratch.File("out.pdf")));
}

TEST_F(DataRunTest, SemicolonCsvIsReadWithItsSeparatorAndSaidSo) {
    const QString data = Data("people.csv", "Name;Town\r\nAnn;Leeds\r\nBob;York\r\n");
    EXPECT_EQ(Printed(Label(), data), (QStringList{"Ann_Leeds", "Bob_York"}));
    EXPECT_EQ(last.Err, QString("vellumtrace: note: the first line of the data file %1 has "
                                "semicolons but no comma; reading it with the semicolon as the "
                                "separator (--delimiter , reads it with commas).\n")
                            .arg(data));
    const QString tabs = Data("tabs.csv", "Name\tTown\r\nAnn\tLeeds\r\n");
    EXPECT_EQ(Printed(Label(), tabs), (QStringList{"Ann_Leeds"}));
    EXPECT_TRUE(last.Err.contains("reading it with the tab")) << last.Err.toStdString();

    // Said otherwise, the run reads as told and says nothing.
    EXPECT_EQ(Printed(Label(), data, {"--delimiter", ","}),
              (QStringList{"Ann;Leeds_", "Bob;York_"}));
    EXPECT_EQ(last.Err, QString());
    EXPECT_EQ(Printed(Label("[DATA]\r\nFORMAT=COMMA\r\n"), data),
              (QStringList{"Ann;Leeds_", "Bob;York_"}));
    EXPECT_EQ(last.Err, QString());
}

TEST_F(DataRunTest, SepLineAndUtf16FilesPrintTheirRecords) {
    const QString sep = Data("people.csv", "sep=;\r\nName;Town\r\nAnn;Leeds\r\n");
    EXPECT_EQ(Printed(Label(), sep), (QStringList{"Ann_Leeds"}));
    EXPECT_EQ(last.Err, QString());

    const QString text = "Name\tTown\r\nZo\u00EB\t\u00C5re\r\n";
    QByteArray little("\xFF\xFE"), big("\xFE\xFF");
    for (const QChar c : text) {
        little += char(c.unicode() & 0xFF), little += char(c.unicode() >> 8);
        big += char(c.unicode() >> 8), big += char(c.unicode() & 0xFF);
    }
    EXPECT_EQ(Printed(Label(), Data("le.txt", little)), (QStringList{"Zo\u00EB_\u00C5re"}));
    EXPECT_EQ(Printed(Label(), Data("be.txt", big)), (QStringList{"Zo\u00EB_\u00C5re"}));
}
