#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

TEST(Windows1252, HighCharactersDecodeAndEncodeBack) {
    const QByteArray bytes("\x80\x93\x94\x9F\xE9\xFF\x41", 7);
    const QString text = DecodeWindows1252(bytes);
    EXPECT_EQ(text, QString::fromUtf8("\u20AC\u201C\u201D\u0178\u00E9\u00FFA"));
    QByteArray back;
    EXPECT_TRUE(EncodeWindows1252(text, back));
    EXPECT_EQ(back, bytes);
}

TEST(Windows1252, UndefinedCodesSurviveARoundTrip) {
    const QByteArray bytes("\x81\x8D\x8F\x90\x9D", 5);
    QByteArray back;
    EXPECT_TRUE(EncodeWindows1252(DecodeWindows1252(bytes), back));
    EXPECT_EQ(back, bytes);
}

TEST(Windows1252, CharactersOutsideAreReported) {
    QByteArray out;
    EXPECT_FALSE(EncodeWindows1252(QString::fromUtf8("\u017D ok \u0141"), out)); // Ł has no code
    EXPECT_EQ(out, QByteArray("\x8E ok ?"));
    EXPECT_TRUE(FitsWindows1252(QString::fromUtf8("\u017Dlu\u0165").left(1))); // Ž fits
    EXPECT_FALSE(FitsWindows1252(QString::fromUtf8("\u0141\u00F3d\u017A")));
    EXPECT_FALSE(FitsWindows1252(QString::fromUtf8("\u65E5\u672C")));
}

TEST(Utf8, Validation) {
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("\xC5\xBDlu\xC5\xA5ou\xC4\x8Dk\xC3\xBD"));
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("caf\xE9"));          // Windows-1252 é
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE2\x82"));         // truncated
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
    EXPECT_TRUE(StartsWithUtf8Bom("\xEF\xBB\xBFx"));
    EXPECT_FALSE(StartsWithUtf8Bom("\xEF\xBB"));
}
