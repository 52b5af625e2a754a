#include "platform/Preferences.h"
#include "TestSupport.h"

#include <QSettings>
#include <gtest/gtest.h>

TEST(Preferences, TypedValuesRoundTrip) {
    TScratchFolder scratch;
    const QString ini = scratch.File("prefs.ini");
    {
        TPreferenceStore store(ini);
        EXPECT_TRUE(store.WriteFloat("Margin_Top", 0.25));
        EXPECT_TRUE(store.WriteInteger("Label_Rows", 10));
        EXPECT_TRUE(store.WriteBool("Metric", true));
        EXPECT_TRUE(store.WriteString("Last_Path", "/tmp/a b.lbl"));
        EXPECT_TRUE(store.Flush());
    }
    TPreferenceStore store(ini);
    EXPECT_EQ(store.ReadFloat("Margin_Top"), 0.25);
    EXPECT_EQ(store.ReadInteger("Label_Rows"), 10);
    EXPECT_EQ(store.ReadBool("Metric"), true);
    EXPECT_EQ(store.ReadString("Last_Path"), QString("/tmp/a b.lbl"));
}

TEST(Preferences, MissingOrWronglyTypedValuesAreUnreadable) {
    TScratchFolder scratch;
    TPreferenceStore store(scratch.File("prefs.ini"));
    store.WriteInteger("AnInt", 3);
    store.WriteFloat("AReal", 1.5);
    store.WriteString("AText", "12");
    EXPECT_FALSE(store.ReadFloat("Missing"));
    EXPECT_FALSE(store.ReadFloat("AnInt"));
    EXPECT_FALSE(store.ReadInteger("AReal"));
    EXPECT_FALSE(store.ReadInteger("AText")); // digits in a string are not an integer
    EXPECT_FALSE(store.ReadString("AnInt"));
    EXPECT_EQ(store.ReadBool("AnInt"), true); // any integer other than 0
    store.DeleteValue("AnInt");
    EXPECT_FALSE(store.ValueExists("AnInt"));
}

TEST(Preferences, RealOfWrongSizeIsUnreadable) {
    TScratchFolder scratch;
    const QString ini = scratch.File("prefs.ini");
    {
        QSettings raw(ini, QSettings::IniFormat);
        raw.setValue("Short", QByteArray("\x01\x02\x03\x04", 4));
    }
    TPreferenceStore store(ini);
    EXPECT_FALSE(store.ReadFloat("Short"));
}
