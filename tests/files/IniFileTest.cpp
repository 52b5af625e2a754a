#include "files/IniFile.h"
#include "TestSupport.h"
#include "files/IniValues.h"
#include "platform/Errors.h"
#include "platform/TextEncoding.h"

#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

namespace {
TIniFile Parse(const char* text) {
    return TIniFile::FromBytes(QByteArray(text));
}

// Sets the user's locale for the life of the object.
class TLocaleGuard {
public:
    explicit TLocaleGuard(const QLocale& locale) { QLocale::setDefault(locale); }
    ~TLocaleGuard() { QLocale::setDefault(m_saved); }

private:
    QLocale m_saved;
};
} // namespace

TEST(IniValues, RealsInTheGeneralForm) {
    struct TRow {
        double Value;
        const char* Text;
    } rows[] = {
        {0, "0"},
        {0.25, "0.25"},
        {2.0, "2"},
        {-3.5, "-3.5"},
        {100, "100"},
        {20.0 / 96, "0.208333333333333"}, // 15 significant digits
        {60.0 / 96, "0.625"},
        {1.0 / 3, "0.333333333333333"},
        {0.1 + 0.2, "0.3"},
        {0.00001, "0.00001"}, // not below the limit: still fixed
        {0.000012345, "0.000012345"},
        {1e-6, "1E-6"}, // below 0.00001: scientific
        {-1.5e-7, "-1.5E-7"},
        {123456789012345.0, "123456789012345"}, // 15 integer digits: fixed
        {1e15, "1E15"},                         // 16 integer digits: scientific
        {1234567890123456.0, "1.23456789012346E15"},
        {9.9999999999999999, "10"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(FormatIniReal(row.Value, '.'), row.Text) << row.Value;
    EXPECT_EQ(FormatIniReal(0.25, ','), "0,25");
    EXPECT_EQ(FormatIniReal(1.5e-7, ','), "1,5E-7");
}

TEST(IniValues, WholeNumbers) {
    struct TRow {
        const char* Text;
        std::optional<int32_t> Value;
    } rows[] = {
        {"12", 12},
        {" -7 ", -7},
        {"+3", 3},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"1.5", std::nullopt},
        {"0x10", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(ParseIniInteger(row.Text), row.Value) << row.Text;
}

TEST(IniFile, ReadsValuesOfEveryType) {
    const TIniFile ini = Parse("[FORMAT]\r\n"
                               "HEIGHT=1.5\r\n"
                               "WIDTH=2,75\r\n"
                               "TINY=1E-6\r\n"
                               "BAD=abc\r\n"
                               "EMPTY=\r\n"
                               "ROWS=10\r\n"
                               "FRACTION=1.0\r\n"
                               "METRIC=1\r\n"
                               "ODD=-3\r\n"
                               "OFF=0\r\n");
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FORMAT", "HEIGHT", 9), 1.5);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FORMAT", "WIDTH", 9), 2.75);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FORMAT", "TINY", 9), 1e-6);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FORMAT", "BAD", 9), 9);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FORMAT", "EMPTY", 9), 9);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("FORMAT", "MISSING", 9), 9);
    EXPECT_EQ(ini.ReadInteger("FORMAT", "ROWS", 1), 10);
    EXPECT_EQ(ini.ReadInteger("FORMAT", "FRACTION", 4), 4);
    EXPECT_EQ(ini.ReadInteger("FORMAT", "BAD", 4), 4);
    EXPECT_TRUE(ini.ReadBool("FORMAT", "METRIC", false));
    EXPECT_TRUE(ini.ReadBool("FORMAT", "ODD", false));
    EXPECT_FALSE(ini.ReadBool("FORMAT", "OFF", true));
    EXPECT_TRUE(ini.ReadBool("FORMAT", "BAD", true));
    EXPECT_FALSE(ini.ReadBool("FORMAT", "BAD", false));
    EXPECT_EQ(ini.ReadString("FORMAT", "EMPTY", "x"), "");
    EXPECT_EQ(ini.ReadString("NOSECTION", "HEIGHT", "x"), "x");
}

TEST(IniFile, SyntaxRules) {
    const TIniFile ini = Parse("KEY=before any section\n"
                               "  [ Cnt_1 ]  \n"
                               "; a comment=1\n"
                               "no equals sign here\n"
                               "  Type  =   TEXT with blanks   \n"
                               "expr=a=b\n"
                               "type=second of the same key\n"
                               "=no key\n"
                               "[CNT_1]\n"
                               "EXTRA=in a repeated section\n"
                               "[other]\rA=cr only\r\n[third]\nB=lf only");
    EXPECT_EQ(ini.ReadString("CNT_1", "TYPE", "-"), "TEXT with blanks");
    EXPECT_EQ(ini.ReadString("cnt_1", "type", "-"), "TEXT with blanks");
    EXPECT_EQ(ini.ReadString("CNT_1", "EXPR", "-"), "a=b");
    EXPECT_FALSE(ini.ValueExists("CNT_1", "EXTRA"));
    EXPECT_FALSE(ini.ValueExists("CNT_1", "; a comment"));
    EXPECT_FALSE(ini.ValueExists("", "KEY"));
    EXPECT_EQ(ini.ReadString("OTHER", "A", "-"), "cr only");
    EXPECT_EQ(ini.ReadString("THIRD", "B", "-"), "lf only");
    EXPECT_TRUE(ini.SectionExists("Other"));
}

TEST(IniFile, LongValuesAreCutTo2047Characters) {
    const QByteArray ascii = "[S]\nK=" + QByteArray(5000, 'x') + "\nNEXT=1\n";
    const TIniFile a = TIniFile::FromBytes(ascii);
    EXPECT_EQ(a.ReadString("S", "K", "").size(), 2047);
    EXPECT_EQ(a.ReadInteger("S", "NEXT", 0), 1);

    // Counted in characters, not bytes, in a UTF-8 file.
    QByteArray utf8 = QByteArray(kUtf8Bom) + "[S]\nK=";
    for (int i = 0; i < 3000; ++i)
        utf8 += "\xE2\x82\xAC"; // the euro sign, three bytes
    const TIniFile b = TIniFile::FromBytes(utf8);
    EXPECT_EQ(b.ReadString("S", "K", ""), QString(2047, QChar(0x20AC)));
}

TEST(IniFile, WritesKeysInFirstWrittenOrder) {
    TIniFile ini;
    ini.WriteString("A", "X", "1");
    ini.WriteString("B", "Z", "3");
    ini.WriteInteger("A", "Y", -2);
    ini.WriteString("a", "x", "rewritten in place");
    ini.WriteBool("B", "ON", false);
    ini.WriteString("b", "On", "1"); // the same section and key in other capitals
    ini.WriteString("B", "BROKEN", "two\r\nlines");
    EXPECT_EQ(ini.ToBytes(), QByteArray("[A]\r\nX=rewritten in place\r\nY=-2\r\n"
                                        "\r\n[B]\r\nZ=3\r\nON=1\r\nBROKEN=two  lines\r\n"));
}

TEST(IniFile, RealsUseTheLocaleSeparatorAndReadEither) {
    {
        const TLocaleGuard german(QLocale(QLocale::German, QLocale::Germany));
        TIniFile ini;
        ini.WriteFloat("S", "R", 0.208333333333333);
        EXPECT_EQ(ini.ReadString("S", "R", ""), "0,208333333333333");
        EXPECT_DOUBLE_EQ(TIniFile::FromBytes(ini.ToBytes()).ReadFloat("S", "R", 0),
                         0.208333333333333);
    }
    const TLocaleGuard english(QLocale(QLocale::English, QLocale::UnitedStates));
    TIniFile ini;
    ini.WriteFloat("S", "R", 2.5);
    EXPECT_EQ(ini.ReadString("S", "R", ""), "2.5");
}

TEST(IniFile, EightBitTextEncodings) {
    // Windows-1252 unless the file starts with a UTF-8 byte-order mark.
    const TIniFile w = TIniFile::FromBytes(QByteArray("[S]\nK=\x80 caf\xE9\n"));
    EXPECT_EQ(w.ReadString("S", "K", ""), QString::fromUtf8("\xE2\x82\xAC caf\xC3\xA9"));
    const TIniFile u = TIniFile::FromBytes(QByteArray("\xEF\xBB\xBF[S]\nK=caf\xC3\xA9\n"));
    EXPECT_EQ(u.ReadString("S", "K", ""), QString::fromUtf8("caf\xC3\xA9"));

    // Written as Windows-1252 when every character fits, otherwise as UTF-8 with the mark.
    TIniFile fits;
    fits.WriteString("S", "K", QString::fromUtf8("\xE2\x82\xAC caf\xC3\xA9"));
    EXPECT_EQ(fits.ToBytes(), QByteArray("[S]\r\nK=\x80 caf\xE9\r\n"));
    TIniFile wide;
    const QString greek = QString::fromUtf8("\xCE\xA9 and \xE4\xB8\xAD and \xE2\x82\xAC");
    wide.WriteString("S", "K", greek);
    EXPECT_TRUE(wide.ToBytes().startsWith(kUtf8Bom));
    EXPECT_EQ(TIniFile::FromBytes(wide.ToBytes()).ReadString("S", "K", ""), greek);
}

TEST(IniFile, SaveAndLoadRoundTrip) {
    TScratchFolder scratch;
    const QString path = scratch.File("round.ini");
    TIniFile ini;
    ini.WriteFloat("FORMAT", "HEIGHT", 1.25);
    ini.WriteString("CNT_1", "TEXT", QString::fromUtf8("\xE4\xB8\xAD"));
    ini.Save(path);
    ini.WriteInteger("FORMAT", "ROWS", 3);
    ini.Save(path); // replaces the first version
    const TIniFile back = TIniFile::Load(path);
    EXPECT_DOUBLE_EQ(back.ReadFloat("format", "height", 0), 1.25);
    EXPECT_EQ(back.ReadInteger("FORMAT", "ROWS", 0), 3);
    EXPECT_EQ(back.ReadString("CNT_1", "TEXT", ""), QString::fromUtf8("\xE4\xB8\xAD"));
}

TEST(IniFile, UnusableFilesGiveErrorsNamingThePath) {
    TScratchFolder scratch;
    const QString missing = scratch.File("missing.ini");
    try {
        TIniFile::Load(missing);
        FAIL() << "a missing file was read";
    } catch (const TUserError& e) {
        EXPECT_EQ(e.Message(), QString("The file \"%1\" does not exist.").arg(missing));
    }
    // Too large: refused before anything is read (the file is sparse, so this is cheap).
    const QString huge = scratch.File("huge.ini");
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(TIniFile::MaxFileSize + 1));
    f.close();
    try {
        TIniFile::Load(huge);
        FAIL() << "an oversized file was read";
    } catch (const TUserError& e) {
        EXPECT_TRUE(e.Message().contains(huge));
        EXPECT_TRUE(e.Message().contains("too large"));
    }
    // A folder in the way of the saved file.
    TIniFile ini;
    ini.WriteString("S", "K", "v");
    EXPECT_THROW(ini.Save(scratch.File("no/such/folder/x.ini")), TUserError);
}
