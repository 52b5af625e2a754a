// Unattended runs with a printer's calibration, the switches over it and the calibration page.
#include "PdfProbe.h"
#include "ProgramRun.h"
#include "TestSupport.h"
#include "platform/Calibration.h"
#include "platform/Preferences.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>

namespace {
class CalibrationRun : public ::testing::Test {
protected:
    CalibrationRun() {
        label = scratch.File("shipping.lbl");
        data = scratch.File("shipping.csv");
        QFile::copy(VT_EXAMPLES "/shipping.lbl", label);
        QFile::copy(VT_EXAMPLES "/shipping.csv", data);
    }
    // Prints the first record's label into name with the extra switches.
    TRun Print(const QString& name, const QStringList& extra) {
        return Vellumtrace(QStringList{label, "-p", "-i", data, "-r", "1", "LABELS", "-o",
                                       scratch.File(name), "--no-save"} +
                               extra,
                           scratch.Path());
    }
    // The first word of the first page and where it is.
    TPdfWord FirstWord(const QString& name) {
        const auto words = PdfWords(scratch.File(name));
        return words.empty() ? TPdfWord() : words.front();
    }
    // The calibration the runs' user has kept for the PDF printer.
    void Keep(const TCalibration& c) {
        QDir().mkpath(scratch.File("config/Ostravane"));
        TPreferenceStore store(scratch.File("config/Ostravane/Vellumtrace.conf"));
        ASSERT_TRUE(WriteCalibration(store, "PDF file", c));
    }
    TScratchFolder scratch;
    QString label, data;
};
} // namespace

TEST_F(CalibrationRun, SwitchesAndTheStoredCalibrationMoveThePrint) {
    ASSERT_EQ(Print("plain.pdf", {}).Exit, 0);
    const TRun moved = Print("moved.pdf", {"--offset", "2.54mm,0.2", "--scale", "101,99"});
    ASSERT_EQ(moved.Exit, 0) << moved.Err.toStdString();
    const TPdfWord plain = FirstWord("plain.pdf"), calibrated = FirstWord("moved.pdf");
    ASSERT_FALSE(plain.Text.isEmpty());
    EXPECT_EQ(calibrated.Text, plain.Text);
    EXPECT_NEAR(calibrated.X, 60 + 1.01 * plain.X, 2.5);
    EXPECT_NEAR(calibrated.Y, 120 + 0.99 * plain.Y, 2.5);

    // Kept in the preferences, the same calibration needs no switches.
    Keep({0.1, 0.2, 1.01, 0.99});
    ASSERT_EQ(Print("kept.pdf", {}).Exit, 0);
    EXPECT_DOUBLE_EQ(FirstWord("kept.pdf").X, calibrated.X);
    EXPECT_DOUBLE_EQ(FirstWord("kept.pdf").Y, calibrated.Y);
    // And switches override it for one run.
    ASSERT_EQ(Print("over.pdf", {"--offset", "0,0", "--scale", "100,100"}).Exit, 0);
    EXPECT_DOUBLE_EQ(FirstWord("over.pdf").X, plain.X);
    EXPECT_DOUBLE_EQ(FirstWord("over.pdf").Y, plain.Y);
}

TEST_F(CalibrationRun, BadValuesEndTheRunBeforeAnythingPrints) {
    const QList<QStringList> bad = {{"--offset", "1.5in,0"},
                                    {"--offset", "0.1"},
                                    {"--offset", "abc,1mm"},
                                    {"--scale", "90,100"},
                                    {"--scale", "101"}};
    for (const QStringList& extra : bad) {
        const TRun r = Print("bad.pdf", extra);
        const std::string what = extra.join(' ').toStdString();
        EXPECT_EQ(r.Exit, 1) << what;
        EXPECT_TRUE(r.Err.startsWith("vellumtrace: " + extra[0]))
            << what << ": " << r.Err.toStdString();
        EXPECT_FALSE(QFile::exists(scratch.File("bad.pdf"))) << what;
    }
}

TEST_F(CalibrationRun, CalibrationPageNeedsNoLabel) {
    Keep({0.1, 0, 1, 1});
    const QString page = scratch.File("page.pdf");
    const TRun r = Vellumtrace({"--calibration-page", "-o", page, "--paper", "A4"}, scratch.Path());
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    EXPECT_TRUE(r.Out.contains("calibration page")) << r.Out.toStdString();
    ASSERT_EQ(PdfPageCount(page), 1);
    const QString text =
        PageWords(PdfWords(page), 1).join(' ').normalized(QString::NormalizationForm_KC);
    EXPECT_TRUE(text.contains("A4")) << text.toStdString();
    EXPECT_TRUE(text.contains("offset 0.100 in across")) << text.toStdString();

    const TRun nowhere = Vellumtrace({"--calibration-page"}, scratch.Path());
    EXPECT_EQ(nowhere.Exit, 1);
    EXPECT_TRUE(nowhere.Err.contains("-o FILE.pdf")) << nowhere.Err.toStdString();
    const TRun noPrinter =
        Vellumtrace({"--calibration-page", "-d", "No Such Printer"}, scratch.Path());
    EXPECT_EQ(noPrinter.Exit, 1);
    EXPECT_TRUE(noPrinter.Err.contains("No Such Printer"));
}
