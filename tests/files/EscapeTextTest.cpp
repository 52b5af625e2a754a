#include "files/EscapeText.h"

#include <gtest/gtest.h>

namespace {
struct TEscapeRow {
    const char* Text;
    const char* Escaped;
};

// Each row: a text and its stored form; the stored form must read back as the text.
const TEscapeRow kRoundTrips[] = {
    {"", ""},
    {"plain", "plain"},
    {"a b\\c", "a\\sb\\\\c"}, // the documented a, space, b, backslash, c example
    {" lead", "\\slead"},
    {"trail ", "trail\\s"},
    {"  ", "\\s\\s"},
    {"tab\there", "tab\\there"},
    {"one\r\ntwo", "one\\ntwo"},
    {"\\", "\\\\"},
    {"\\\\s", "\\\\\\\\s"}, // two backslashes and an s stay literal
    {"caf\xc3\xa9 \xe2\x82\xac", "caf\xc3\xa9\\s\xe2\x82\xac"},
};
} // namespace

TEST(EscapeText, RoundTripRows) {
    for (const TEscapeRow& row : kRoundTrips) {
        const QString text = QString::fromUtf8(row.Text);
        EXPECT_EQ(EscapeText(text), QString::fromUtf8(row.Escaped)) << row.Text;
        EXPECT_EQ(UnescapeText(EscapeText(text)), text) << row.Text;
    }
}

TEST(EscapeText, LineBreaksOtherThanCrLfAreNormalised) {
    // A carriage return alone becomes "\n" and reads back as CR LF; a lone line feed vanishes.
    EXPECT_EQ(EscapeText("a\rb"), "a\\nb");
    EXPECT_EQ(UnescapeText(EscapeText("a\rb")), "a\r\nb");
    EXPECT_EQ(EscapeText("a\nb"), "ab");
}

TEST(EscapeText, UnescapeOfForeignForms) {
    struct TRow {
        const char* Stored;
        const char* Text;
    } rows[] = {
        {"a\\xb", "ab"},    // unknown escape dropped with its backslash
        {"a\\S", "a"},      // escapes are case-sensitive
        {"end\\", "end\\"}, // a final backslash stays
        {"\\", "\\"},       {"\\n\\n", "\r\n\r\n"},
        {"\\\\\\", "\\\\"}, // escaped backslash, then a final one
    };
    for (const TRow& row : rows)
        EXPECT_EQ(UnescapeText(row.Stored), QString::fromUtf8(row.Text)) << row.Stored;
}
