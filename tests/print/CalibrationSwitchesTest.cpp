#include "print/CalibrationSwitches.h"
#include "platform/Errors.h"
#include "print/CommandLine.h"

#include <gtest/gtest.h>

namespace {
TCalibration FromSwitches(const QStringList& args, const TCalibration& stored = {}) {
    const TCommandLineOptions o = ParseCommandLine(QStringList{"vellumtrace"} + args);
    return RunCalibration(o.Offset, o.Scale, stored);
}

// The message a refused value gives; empty when it was taken.
QString Refusal(const QStringList& args) {
    try {
        FromSwitches(args);
    } catch (const TUserError& e) {
        return e.Message();
    }
    return QString();
}
} // namespace

TEST(CalibrationSwitches, OffsetsInAnyUnitAndScalesInPercent) {
    const TCalibration c = FromSwitches({"x.lbl", "--offset", "0.5mm,-1MM", "--scale", "101,99.5"});
    EXPECT_DOUBLE_EQ(c.OffsetX, 0.5 / 25.4);
    EXPECT_DOUBLE_EQ(c.OffsetY, -1 / 25.4);
    EXPECT_DOUBLE_EQ(c.ScaleX, 1.01);
    EXPECT_DOUBLE_EQ(c.ScaleY, 0.995);

    const TCalibration plain = FromSwitches({"--offset", "0.1,-0.25cm", "--scale", "95%,105"});
    EXPECT_DOUBLE_EQ(plain.OffsetX, 0.1) << "a bare number is in inches";
    EXPECT_DOUBLE_EQ(plain.OffsetY, -0.25 / 2.54);
    EXPECT_DOUBLE_EQ(plain.ScaleX, 0.95);
    EXPECT_DOUBLE_EQ(plain.ScaleY, 1.05);
    EXPECT_DOUBLE_EQ(FromSwitches({"--offset", "1in,-25.4mm"}).OffsetY, -1.0)
        << "the limits themselves are allowed";
}

TEST(CalibrationSwitches, EachSwitchOverridesOnlyItsPartOfTheStoredOne) {
    const TCalibration stored{0.02, 0.03, 1.01, 0.99};
    EXPECT_EQ(FromSwitches({"x.lbl", "-p"}, stored), stored);
    const TCalibration scaled = FromSwitches({"--scale", "100,100"}, stored);
    EXPECT_EQ(scaled, (TCalibration{0.02, 0.03, 1, 1}));
    const TCalibration moved = FromSwitches({"--offset", "0,0"}, stored);
    EXPECT_EQ(moved, (TCalibration{0, 0, 1.01, 0.99}));
}

TEST(CalibrationSwitches, BadValuesAreRefusedWithTheSwitchNamed) {
    for (const char* bad : {"abc", "0.1", "0.1,0.2,0.3", "0.1,", ",0.1", "1x,0", ""}) {
        const QString why = Refusal({"--offset", QString(bad)});
        EXPECT_TRUE(why.startsWith("--offset needs two lengths")) << why.toStdString();
    }
    for (const char* far : {"1.01,0", "0,-3cm", "26mm,0"}) {
        const QString why = Refusal({"--offset", QString(far)});
        EXPECT_TRUE(why.contains("at most 1 in")) << far << ": " << why.toStdString();
    }
    for (const char* bad : {"x,100", "101", "101,", "101;99"}) {
        const QString why = Refusal({"--scale", QString(bad)});
        EXPECT_TRUE(why.startsWith("--scale needs two percentages")) << why.toStdString();
    }
    for (const char* far : {"110,100", "100,94.9", "0.99,1"}) {
        const QString why = Refusal({"--scale", QString(far)});
        EXPECT_TRUE(why.contains("from 95 to 105 percent")) << why.toStdString();
    }
    EXPECT_TRUE(Refusal({"--offset", "-1in,1in", "--scale", "95,105"}).isEmpty());
}

TEST(CalibrationSwitches, AreParsedAndExplained) {
    const TCommandLineOptions o = ParseCommandLine(
        {"vellumtrace", "--CALIBRATION-PAGE", "-o", "c.pdf", "--Offset", "1,2", "--scale", "3,4"});
    EXPECT_TRUE(o.CalibrationPage);
    EXPECT_EQ(o.Offset, QString("1,2"));
    EXPECT_EQ(o.Scale, QString("3,4"));
    EXPECT_FALSE(ParseCommandLine({"vellumtrace", "x.lbl"}).Offset);
    const QString help = CommandLineHelp();
    for (const char* sw : {"--offset X,Y", "--scale X,Y", "--calibration-page"})
        EXPECT_TRUE(help.contains(sw)) << sw;
}
