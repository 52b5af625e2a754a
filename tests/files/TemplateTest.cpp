#include "files/Template.h"
#include "FilesTestSupport.h"
#include "TestSupport.h"
#include "files/IniFile.h"
#include "files/SheetDefaults.h"
#include "platform/Errors.h"
#include "platform/Preferences.h"

#include <QDir>
#include <QLocale>
#include <gtest/gtest.h>

namespace {
// A sheet where every field differs from both the built-in and the template defaults.
TSheetSettings UnusualSheet() {
    TSheetSettings s;
    s.LabelHeight = 3.81;
    s.LabelWidth = 6.985;
    s.TopMargin = 1.27;
    s.LeftMargin = 0.5;
    s.RightMargin = 0.125;
    s.BottomMargin = 0.0625;
    s.GapHeight = 0.2;
    s.GapWidth = 0.3;
    s.Metric = true;
    s.ForcedCount = true;
    s.Rows = 7;
    s.Columns = 3;
    s.BorderStyle = 1;
    s.BorderSize = 4;
    s.BorderShape = 1;
    s.BorderPct = 12.5;
    return s;
}

class TEnglishLocale {
public:
    TEnglishLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~TEnglishLocale() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};
} // namespace

TEST(Template, WritesTheTwelveKeysInOrder) {
    TScratchFolder scratch;
    const TEnglishLocale english;
    const QString path = scratch.File("sheet.lbf");
    WriteTemplate(path, UnusualSheet());
    EXPECT_EQ(ReadBytes(path), QByteArray("[FORMAT]\r\n"
                                          "HEIGHT=3.81\r\n"
                                          "WIDTH=6.985\r\n"
                                          "TOPMARGIN=1.27\r\n"
                                          "LEFTMARGIN=0.5\r\n"
                                          "BOTTOMMARGIN=0.0625\r\n"
                                          "RIGHTMARGIN=0.125\r\n"
                                          "GAPHEIGHT=0.2\r\n"
                                          "GAPWIDTH=0.3\r\n"
                                          "METRIC=1\r\n"
                                          "FORCEDMETRICS=1\r\n"
                                          "COLUMNS=3\r\n"
                                          "ROWS=7\r\n"));
}

TEST(Template, RoundTripChangesOnlyTheTemplateFields) {
    TScratchFolder scratch;
    const QString path = scratch.File("sheet.lbf");
    const TSheetSettings saved = UnusualSheet();
    WriteTemplate(path, saved);

    // Loading a centimetre template into an inch sheet switches the unit, numbers unchanged;
    // the border stays as it was.
    TSheetSettings sheet;
    sheet.BorderStyle = 3;
    sheet.BorderPct = 40;
    ReadTemplate(path, sheet);
    TSheetSettings expected = saved;
    expected.BorderStyle = 3;
    expected.BorderSize = 0;
    expected.BorderShape = 0;
    expected.BorderPct = 40;
    EXPECT_EQ(sheet, expected);
}

TEST(Template, MissingAndUnreadableKeysTakeTheTemplateDefaults) {
    TScratchFolder scratch;
    const QString path = scratch.File("partial.lbf");
    ASSERT_TRUE(WriteBytes(path, "[format]\nheight=abc\nWidth=4,5\nROWS=x\nCOLUMNS=2\nMETRIC=7\n"));
    TSheetSettings sheet = UnusualSheet();
    ReadTemplate(path, sheet);
    EXPECT_EQ(sheet.LabelHeight, 1.0);
    EXPECT_EQ(sheet.LabelWidth, 4.5);
    EXPECT_EQ(sheet.TopMargin, 0); // the key's default, not the built-in 0.25
    EXPECT_EQ(sheet.LeftMargin, 0);
    EXPECT_EQ(sheet.GapWidth, 0);
    EXPECT_EQ(sheet.Rows, 1);
    EXPECT_EQ(sheet.Columns, 2);
    EXPECT_TRUE(sheet.Metric);
    EXPECT_FALSE(sheet.ForcedCount);
    EXPECT_EQ(sheet.BorderPct, 12.5);
}

TEST(Template, UnusableFilesLeaveTheSheetAlone) {
    TScratchFolder scratch;
    const TSheetSettings before = UnusualSheet();
    TSheetSettings sheet = before;
    const QString notATemplate = scratch.File("picture.lbf");
    ASSERT_TRUE(WriteBytes(notATemplate, QByteArray("BM\x00\x01garbage", 11)));
    try {
        ReadTemplate(notATemplate, sheet);
        FAIL();
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(),
                  QString("The file \"%1\" is not a label template: it has no [FORMAT] section.")
                      .arg(notATemplate));
    }
    EXPECT_THROW(ReadTemplate(scratch.File("missing.lbf"), sheet), TUserError);
    EXPECT_EQ(sheet, before);
}

// Sheets no paper can hold, as hostile templates bring them: refused with the limit they break,
// the sheet as it was. The sheet limits themselves are the document's tests.
TEST(Template, SheetsBeyondTheLimitsAreRefused) {
    TScratchFolder scratch;
    const QString path = scratch.File("sheet.lbf");
    struct TRow {
        const char* Name;
        const char* Format; // after [FORMAT]
        const char* Message;
    } rows[] = {
        {"runaway sheet",
         "HEIGHT=65536\nWIDTH=2.5\nTOPMARGIN=0.5\nLEFTMARGIN=0.25\nBOTTOMMARGIN=0\n"
         "RIGHTMARGIN=0\nGAPHEIGHT=2147483648\nGAPWIDTH=0.25\nMETRIC=0\nFORCEDMETRICS=1\n"
         "COLUMNS=2147483647\nROWS=10\n",
         "describes a label of 2.5 by 65536 inches; labels can be at most 100 inches on a side"},
        {"giant gutter", "GAPHEIGHT=2147483648\n",
         "has a margin or gutter of 2.14748e+09 inches; margins and gutters can be at most 100 "
         "inches either way"},
        {"forced counts", "FORCEDMETRICS=1\nCOLUMNS=2147483647\nROWS=10\n",
         "forces the sheet to 10 rows and 2147483647 columns; a sheet can have from 0 to 9999 of "
         "each"},
        {"labels on top of one another", "METRIC=1\nWIDTH=5\nGAPWIDTH=-5\n",
         "starts a label every 0 inches across and every 0.393701 inches down; labels must start "
         "at least 0.0393701 inches apart"},
    };
    const TSheetSettings before = UnusualSheet();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        ASSERT_TRUE(WriteBytes(path, QByteArray("[FORMAT]\n") + row.Format));
        TSheetSettings sheet = before;
        try {
            ReadTemplate(path, sheet);
            ADD_FAILURE() << "read";
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), QString("The file \"%1\" %2.").arg(path, row.Message));
        }
        EXPECT_EQ(sheet, before);
    }
    // Unforced counts are worked out from the paper, so whatever is stored is read.
    ASSERT_TRUE(WriteBytes(path, "[FORMAT]\nCOLUMNS=2147483647\n"));
    TSheetSettings sheet;
    ReadTemplate(path, sheet);
    EXPECT_EQ(sheet.Columns, 2147483647);
}

TEST(Template, FailedSaveKeepsThePreviousTemplate) {
    TScratchFolder scratch;
    const QString path = scratch.File("keep.lbf");
    WriteTemplate(path, TSheetSettings{});
    const QByteArray before = ReadBytes(path);
    {
        const TFileSizeLimit diskFull(20);
        try {
            WriteTemplate(path, UnusualSheet());
            ADD_FAILURE() << "the save reported success";
        } catch (const TUserError& e) {
            EXPECT_EQ(e.Message(), QString("Cannot save the file \"%1\": not everything could "
                                           "be written (is the disk full?).")
                                       .arg(path));
        }
    }
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderEntries(scratch.Path()), QStringList({"keep.lbf"}));
}

TEST(SheetDefaults, FirstStartGivesTheBuiltInSheet) {
    TScratchFolder scratch;
    const TPreferenceStore store(scratch.File("prefs.ini"));
    TSheetSettings sheet = UnusualSheet();
    LoadSheetDefaults(store, sheet);
    EXPECT_EQ(sheet, TSheetSettings{});
    EXPECT_EQ(sheet.LabelWidth, 2.0);
    EXPECT_EQ(sheet.LabelHeight, 1.0);
    EXPECT_EQ(sheet.TopMargin, 0.25);
    EXPECT_EQ(sheet.LeftMargin, 0.25);
}

TEST(SheetDefaults, RoundTripOfAllSixteenValues) {
    TScratchFolder scratch;
    const QString ini = scratch.File("prefs.ini");
    {
        TPreferenceStore store(ini);
        SaveSheetDefaults(store, UnusualSheet());
    }
    const TPreferenceStore store(ini);
    TSheetSettings sheet;
    LoadSheetDefaults(store, sheet);
    EXPECT_EQ(sheet, UnusualSheet());
}

TEST(SheetDefaults, ValuesAreStoredUnderTheirNamesAndTypes) {
    TScratchFolder scratch;
    TPreferenceStore store(scratch.File("prefs.ini"));
    SaveSheetDefaults(store, UnusualSheet());
    struct TReal {
        const char* Name;
        double Value;
    } reals[] = {{"Margin_Top", 1.27},    {"Margin_Bottom", 0.0625}, {"Margin_Left", 0.5},
                 {"Margin_Right", 0.125}, {"Label_Height", 3.81},    {"Label_Width", 6.985},
                 {"Gap_Height", 0.2},     {"Gap_Width", 0.3},        {"BorderPct", 12.5}};
    for (const TReal& r : reals) {
        EXPECT_EQ(store.ReadFloat(r.Name), r.Value) << r.Name;
        EXPECT_FALSE(store.ReadInteger(r.Name)) << r.Name;
    }
    struct TInt {
        const char* Name;
        int32_t Value;
    } ints[] = {{"Metric", 1},      {"Forced_Metrics", 1}, {"Label_Rows", 7}, {"Label_Columns", 3},
                {"BorderStyle", 1}, {"BorderSize", 4},     {"BorderShape", 1}};
    for (const TInt& i : ints) {
        EXPECT_EQ(store.ReadInteger(i.Name), i.Value) << i.Name;
        EXPECT_FALSE(store.ReadFloat(i.Name)) << i.Name;
    }
}

TEST(SheetDefaults, OneUnreadableValueDiscardsThemAll) {
    struct TRow {
        const char* Name;
        bool Delete; // otherwise stored with the wrong type
    } rows[] = {{"BorderPct", true},  {"Margin_Top", true},  {"Label_Columns", true},
                {"BorderPct", false}, {"Label_Rows", false}, {"Metric", false}};
    for (const TRow& row : rows) {
        TScratchFolder scratch;
        TPreferenceStore store(scratch.File("prefs.ini"));
        SaveSheetDefaults(store, UnusualSheet());
        if (row.Delete)
            store.DeleteValue(row.Name);
        else if (store.ReadFloat(row.Name))
            store.WriteInteger(row.Name, 12);
        else
            store.WriteFloat(row.Name, 1.0);
        TSheetSettings sheet = UnusualSheet();
        LoadSheetDefaults(store, sheet);
        EXPECT_EQ(sheet, TSheetSettings{}) << row.Name << (row.Delete ? " deleted" : " retyped");
    }
}

TEST(SheetDefaults, StoredSheetBeyondTheLimitsGivesTheBuiltInSheet) {
    TScratchFolder scratch;
    TPreferenceStore store(scratch.File("prefs.ini"));
    TSheetSettings stored = UnusualSheet();
    stored.Columns = 100000; // forced
    SaveSheetDefaults(store, stored);
    TSheetSettings sheet = UnusualSheet();
    LoadSheetDefaults(store, sheet);
    EXPECT_EQ(sheet, TSheetSettings{});
    store.WriteInteger("Label_Columns", 3);
    store.WriteFloat("Gap_Width", -1e300);
    LoadSheetDefaults(store, sheet);
    EXPECT_EQ(sheet, TSheetSettings{});
    store.WriteFloat("Gap_Width", 0.3);
    LoadSheetDefaults(store, sheet);
    EXPECT_EQ(sheet, UnusualSheet());
}

TEST(SheetDefaults, UnwritableStoreIsReported) {
    TScratchFolder scratch;
    const QString blocked = scratch.File("blocked.ini");
    ASSERT_TRUE(QDir().mkpath(blocked)); // a folder where the store's file should be
    TPreferenceStore store(blocked);
    try {
        SaveSheetDefaults(store, UnusualSheet());
        FAIL();
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().startsWith("Cannot save the default label settings: "));
    }
}
