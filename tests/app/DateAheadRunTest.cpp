#include "MergeTestFiles.h"
#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"

#include <QDate>
#include <gtest/gtest.h>

// An unattended run prints dates ahead of and behind the day it runs on.

namespace {
// One 2 x 1 in label with two dates: 30 days ahead and one month and a day back.
const QByteArray kDatesLabel =
    "[FORMAT]\r\nHEIGHT=1\r\nWIDTH=2\r\nFORCEDMETRICS=1\r\nCOLUMNS=1\r\nROWS=1\r\nCONTROLS=2\r\n"
    "[CNT_1]\r\nTYPE=TEXT\r\nTOP=0.1\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation Sans\r\n"
    "FONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=TEXT\r\nADVTXT_1=ahead:\r\n"
    "ADVTYPE_2=DATE\r\nADVFMT_2=yyyy-mm-dd\r\nADVDAYS_2=30\r\n"
    "[CNT_2]\r\nTYPE=TEXT\r\nTOP=0.5\r\nLEFT=0.1\r\nAUTOSIZE=1\r\nFONT_NAME=Liberation Sans\r\n"
    "FONT_SIZE=10\r\nADVANCED=1\r\nADV_COUNT=2\r\nADVTYPE_1=TEXT\r\nADVTXT_1=back:\r\n"
    "ADVTYPE_2=DATE\r\nADVFMT_2=yyyy-mm-dd\r\nADVMONTHS_2=-1\r\nADVDAYS_2=-1\r\n";

QStringList Expected(QDate today) {
    const auto iso = [](QDate d) { return d.toString(Qt::ISODate); };
    return {"ahead:" + iso(today.addDays(30)), "back:" + iso(today.addMonths(-1).addDays(-1))};
}
} // namespace

TEST(DateAheadRun, APrintedLabelShowsTheDatesAheadAndBehind) {
    TScratchFolder scratch;
    const QString label = scratch.File("dates.lbl");
    ASSERT_FALSE(WriteBytes(label, kDatesLabel).isEmpty());
    const QString out = scratch.File("dates.pdf");

    const QDate before = QDate::currentDate();
    const TRun run =
        Vellumtrace({label, "-p", "-r", "1", "labels", "-o", out, "--no-save"}, scratch.Path());
    const QDate after = QDate::currentDate();
    ASSERT_EQ(run.Exit, 0) << run.Err.toStdString();

    QStringList words;
    for (const TPdfWord& word : PdfWords(out))
        words << word.Text;
    // A run that straddles midnight may print either day.
    EXPECT_TRUE(words == Expected(before) || words == Expected(after))
        << words.join(' ').toStdString() << " vs " << Expected(before).join(' ').toStdString();
}
