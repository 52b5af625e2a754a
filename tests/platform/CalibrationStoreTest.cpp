#include "TestSupport.h"
#include "platform/Calibration.h"
#include "platform/Preferences.h"

#include <gtest/gtest.h>

// Each printer keeps its own calibration, whatever characters its name holds.
TEST(CalibrationStore, EachPrinterNameRoundTripsOnItsOwn) {
    TScratchFolder scratch;
    const QString ini = scratch.File("prefs.ini");
    const QStringList names = {"PDF file",         "Office/Laser 2", "Office_2FLaser 2",
                               "Étiquettes ü\\A4", "Zebra%20GK420",  "zebra-gk420.local"};
    {
        TPreferenceStore store(ini);
        for (int i = 0; i < names.size(); ++i)
            ASSERT_TRUE(WriteCalibration(
                store, names[i],
                {0.01 * (i + 1), -0.02 * (i + 1), 1 + 0.001 * (i + 1), 1 - 0.002 * (i + 1)}));
    }
    TPreferenceStore store(ini); // read back from the file, not from memory
    for (int i = 0; i < names.size(); ++i) {
        const TCalibration c = ReadCalibration(store, names[i]);
        EXPECT_DOUBLE_EQ(c.OffsetX, 0.01 * (i + 1)) << names[i].toStdString();
        EXPECT_DOUBLE_EQ(c.OffsetY, -0.02 * (i + 1)) << names[i].toStdString();
        EXPECT_DOUBLE_EQ(c.ScaleX, 1 + 0.001 * (i + 1)) << names[i].toStdString();
        EXPECT_DOUBLE_EQ(c.ScaleY, 1 - 0.002 * (i + 1)) << names[i].toStdString();
    }
    EXPECT_TRUE(ReadCalibration(store, "Office").IsIdentity())
        << "a printer whose name is the start of another's has none of its own";
    EXPECT_TRUE(ReadCalibration(store, "Other printer").IsIdentity());
    // A slash is no sub-key: the key is one level below the calibrations.
    EXPECT_FALSE(CalibrationKey("Office/Laser 2").mid(12).contains(u'/'));
}

TEST(CalibrationStore, IdentityErasesAndBadValuesReadAsNone) {
    TScratchFolder scratch;
    TPreferenceStore store(scratch.File("prefs.ini"));
    ASSERT_TRUE(WriteCalibration(store, "Laser", {0.1, 0.1, 1.01, 1.01}));
    ASSERT_TRUE(WriteCalibration(store, "Laser", TCalibration()));
    EXPECT_FALSE(store.ValueExists(CalibrationKey("Laser") + "/Offset_X"));
    EXPECT_TRUE(ReadCalibration(store, "Laser").IsIdentity());

    // Hand-edited values beyond the limits, or of the wrong type, are not used.
    ASSERT_TRUE(WriteCalibration(store, "Laser", {0.1, 0.1, 1.01, 1.01}));
    store.WriteFloat(CalibrationKey("Laser") + "/Scale_Y", 1.5);
    EXPECT_TRUE(ReadCalibration(store, "Laser").IsIdentity());
    store.WriteFloat(CalibrationKey("Laser") + "/Scale_Y", 1.01);
    EXPECT_FALSE(ReadCalibration(store, "Laser").IsIdentity());
    store.WriteString(CalibrationKey("Laser") + "/Offset_X", "0.1");
    EXPECT_TRUE(ReadCalibration(store, "Laser").IsIdentity());
}
