#include "merge/LineParsers.h"
#include "merge/RecordParser.h"
#include "merge/TextImportSettings.h"

#include <gtest/gtest.h>

#include <QRandomGenerator>

namespace {
TTextImportSettings Delimited(TImportFormat format, const QString& quote = QStringLiteral("\"")) {
    TTextImportSettings settings;
    settings.ImportFormat = format;
    settings.QuoteChar = quote;
    return settings;
}

TTextImportSettings Fixed(QList<int> sizes, bool trimLeft = true, bool trimRight = true) {
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::FixedField;
    settings.ColumnSizes = std::move(sizes);
    settings.TrimLeft = trimLeft;
    settings.TrimRight = trimRight;
    return settings;
}

struct TDelimitedRow {
    const char* Line;
    QChar Separator;
    const char* Quote;
    QStringList Expected;
    const char* Why;
};
} // namespace

TEST(TextImportSettings, StartsWithTheDocumentedDefaults) {
    const TTextImportSettings settings;
    EXPECT_EQ(settings.ImportFormat, TImportFormat::TabDelimited);
    EXPECT_EQ(settings.Separator, QStringLiteral(","));
    EXPECT_EQ(settings.QuoteChar, QStringLiteral("\""));
    EXPECT_TRUE(settings.IgnoreHeader);
    EXPECT_EQ(settings.ColumnSizes, QList<int>{10});
    EXPECT_TRUE(settings.TrimLeft);
    EXPECT_TRUE(settings.TrimRight);
}

TEST(ParseDelimited, CutsFieldsAsTheQuoteRulesSay) {
    // Rows from the documented examples and from walking the algorithm by hand.
    const TDelimitedRow rows[] = {
        {"'Smith, John',42,'say ''hi'''",
         u',',
         "'",
         {"Smith, John", "42", "say 'hi'"},
         "documented example"},
        {"a,''", u',', "'", {"a", ""}, "empty quoted field at the end is kept"},
        {"a,", u',', "'", {"a"}, "trailing separator adds no field"},
        {"a,b,", u',', "\"", {"a", "b"}, "trailing separator adds no field"},
        {"a,,b", u',', "\"", {"a", "", "b"}, "empty field between separators is kept"},
        {",a", u',', "\"", {"", "a"}, "empty first field is kept"},
        {"", u',', "\"", {}, "empty line has no fields"},
        {"\"\"", u',', "\"", {""}, "a lone empty quoted field"},
        {"\"\",b", u',', "\"", {"", "b"}, "empty quoted field before a separator"},
        {",\"\"", u',', "\"", {"", ""}, "empty field, then empty quoted field at the end"},
        {"a\"\"", u',', "\"", {"a"}, "quotes closing a non-empty field do not add one"},
        {"ab\"c,d\"ef,g", u',', "\"", {"abc,def", "g"}, "quotes may stand inside a field"},
        {"\"open,to the end", u',', "\"", {"open,to the end"}, "an open quote runs to the end"},
        {"\"a\"\"b\",c", u',', "\"", {"a\"b", "c"}, "doubled quote inside quotes"},
        {"a\"\"b", u',', "\"", {"ab"}, "outside quotes a pair just toggles twice"},
        {"\"x\"\"\"", u',', "\"", {"x\""}, "doubled quote just before the closing one"},
        {"\"a,b\",\"c\"", u',', "", {"\"a", "b\"", "\"c\""}, "no quote character: quotes are text"},
        {"a\tb,c\t", u'\t', "\"", {"a", "b,c"}, "tab separator"},
        {"a\tb", u',', "\"", {"a\tb"}, "tab data read as comma: one field"},
        {"a;b,c", QChar(0), "\"", {"a;b,c"}, "no custom separator: the whole line"},
        {"a;'b;c';d", u';', "'", {"a", "b;c", "d"}, "custom separator inside quotes"},
    };
    for (const TDelimitedRow& row : rows) {
        TTextImportSettings settings =
            Delimited(TImportFormat::CustomDelimiter, QString::fromUtf8(row.Quote));
        EXPECT_EQ(ParseDelimited(settings, QString::fromUtf8(row.Line), row.Separator),
                  row.Expected)
            << row.Why << ": " << row.Line;
    }
}

TEST(ParseLine, ChoosesTheSeparatorByFormat) {
    const QString line = QStringLiteral("a,b\tc;d");
    struct {
        TImportFormat Format;
        QString Separator;
        QStringList Expected;
    } rows[] = {
        {TImportFormat::CommaDelimited, QStringLiteral(";"), {"a", "b\tc;d"}},
        {TImportFormat::TabDelimited, QStringLiteral(";"), {"a,b", "c;d"}},
        {TImportFormat::CustomDelimiter, QStringLiteral(";"), {"a,b\tc", "d"}},
        {TImportFormat::CustomDelimiter, QString(), {"a,b\tc;d"}},
        {TImportFormat::FixedField, QStringLiteral(";"), {"a,b\tc;d"}},
    };
    for (const auto& row : rows) {
        TTextImportSettings settings = Delimited(row.Format);
        settings.Separator = row.Separator;
        EXPECT_EQ(ParseLine(settings, line), row.Expected) << int(row.Format);
    }
}

TEST(ParseFixed, CutsColumnsAndTrimsOnlySpaces) {
    struct {
        TTextImportSettings Settings;
        const char* Line;
        QStringList Expected;
    } rows[] = {
        {Fixed({3, 5}), "ab  cdefghij", {"ab", "cdef"}},  // documented example
        {Fixed({3, 5}), "x", {"x", ""}},                  // short line: empty field
        {Fixed({3, 5}), "", {"", ""}},                    // always one field per column
        {Fixed({4}, false, true), "  ab  ", {"  ab"}},    // right trim only
        {Fixed({4}, true, false), "  ab  ", {"ab"}},      // left trim only
        {Fixed({6}, false, false), " a b  ", {" a b  "}}, // no trims
        {Fixed({4, 2}), "\tab \tc", {"\tab", "\tc"}},     // tabs are not trimmed
        {Fixed({2, 2}), "abcdefgh", {"ab", "cd"}},        // beyond the last column: ignored
        {Fixed({0, 3}), "abc", {"", "abc"}},              // a zero column takes nothing
    };
    for (const auto& row : rows)
        EXPECT_EQ(ParseFixed(row.Settings, QString::fromUtf8(row.Line)), row.Expected) << row.Line;
}

TEST(ImportFormatChoice, ExtensionsChooseFormatsWithTheirSideEffects) {
    const QStringList preview = {"short", "0123456789012345678901"}; // longest: 22
    struct {
        const char* Name;
        TImportFormat Before;
        TImportFormat After;
        const char* Separator;
        QList<int> ColumnSizes;
    } rows[] = {
        {"data.txt", TImportFormat::CommaDelimited, TImportFormat::TabDelimited, "|", {3, 4}},
        {"DATA.CSV", TImportFormat::TabDelimited, TImportFormat::CommaDelimited, "|", {3, 4}},
        {"/x/y/report.Prn", TImportFormat::TabDelimited, TImportFormat::FixedField, "|", {22}},
        {"again.prn", TImportFormat::FixedField, TImportFormat::FixedField, "|", {22}},
        {"list.dat", TImportFormat::TabDelimited, TImportFormat::CustomDelimiter, ",", {3, 4}},
        {"list.xls", TImportFormat::CommaDelimited, TImportFormat::CommaDelimited, "|", {3, 4}},
        {"noextension", TImportFormat::FixedField, TImportFormat::FixedField, "|", {3, 4}},
        {"archive.csv.gz", TImportFormat::TabDelimited, TImportFormat::TabDelimited, "|", {3, 4}},
    };
    for (const auto& row : rows) {
        TTextImportSettings settings;
        settings.ImportFormat = row.Before;
        settings.Separator = QStringLiteral("|");
        settings.ColumnSizes = {3, 4};
        FormatFromExtension(settings, QString::fromUtf8(row.Name), preview);
        EXPECT_EQ(settings.ImportFormat, row.After) << row.Name;
        EXPECT_EQ(settings.Separator, QString::fromUtf8(row.Separator)) << row.Name;
        EXPECT_EQ(settings.ColumnSizes, row.ColumnSizes) << row.Name;
    }
}

TEST(ImportFormatChoice, FixedFieldStartsFromOneColumnOfTheLongestPreviewLine) {
    EXPECT_EQ(DefaultColumnSizes({}), QList<int>{10});
    EXPECT_EQ(DefaultColumnSizes({"abc", "defgh"}), QList<int>{10});
    EXPECT_EQ(DefaultColumnSizes({"abc", "0123456789ab", ""}), QList<int>{12});

    TTextImportSettings settings;
    settings.ColumnSizes = {4, 4, 4};
    ChooseImportFormat(settings, TImportFormat::FixedField, {"0123456789abcde"});
    EXPECT_EQ(settings.ColumnSizes, QList<int>{15});
    settings.Separator = QStringLiteral(";");
    ChooseImportFormat(settings, TImportFormat::CustomDelimiter, {});
    EXPECT_EQ(settings.Separator, QStringLiteral(","));
    EXPECT_EQ(settings.ColumnSizes, QList<int>{15}); // only the fixed format resets columns
}

// The record reader cuts bytes; the dialog cuts decoded text. Both must always agree.
TEST(RecordParser, CuttingBytesGivesTheSameFieldsAsCuttingText) {
    const char alphabet[] = {'a', 'b', ',', ';', '"', '\'', ' ', '\t'};
    const QString extras[] = {QString::fromUtf8("\xC3\xA9"), QString::fromUtf8("\xE2\x82\xAC"),
                              QString::fromUtf8("\xF0\x9F\x98\x80")};
    QRandomGenerator random(1234);
    TRecordParser parser;
    TImportRecord reused;
    for (int round = 0; round < 4000; ++round) {
        QString line;
        const int length = random.bounded(12);
        for (int i = 0; i < length; ++i) {
            const int pick = random.bounded(int(sizeof alphabet) + int(std::size(extras)));
            line += pick < int(sizeof alphabet) ? QString(QChar(alphabet[pick]))
                                                : extras[pick - int(sizeof alphabet)];
        }
        TTextImportSettings settings;
        settings.ImportFormat = TImportFormat(random.bounded(3));
        settings.Separator = random.bounded(4) == 0 ? QString() : QStringLiteral(";");
        settings.QuoteChar = QStringList{"", "\"", "'"}[random.bounded(3)];
        const QByteArray bytes = line.toUtf8();
        const TLineCoding coding =
            line.size() == bytes.size() ? TLineCoding::Ascii : TLineCoding::Utf8;
        parser.Parse(settings, bytes, coding, reused);
        ASSERT_EQ(reused, ParseLine(settings, line)) << line.toStdString();
    }
}

TEST(RecordParser, NonAsciiSeparatorsAndWindows1252Lines) {
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::CustomDelimiter;
    settings.Separator = QString::fromUtf8("\xC2\xA7"); // §
    TRecordParser parser;
    TImportRecord record;
    parser.Parse(settings, "caf\xE9\xA7\x80 5", TLineCoding::Windows1252, record);
    EXPECT_EQ(record,
              QStringList({QString::fromUtf8("caf\xC3\xA9"), QString::fromUtf8("\xE2\x82\xAC 5")}));
    settings.Separator = QStringLiteral(",");
    parser.Parse(settings, "\x93q\x94,\xE9", TLineCoding::Windows1252, record);
    EXPECT_EQ(record, QStringList({QString::fromUtf8("\xE2\x80\x9Cq\xE2\x80\x9D"),
                                   QString::fromUtf8("\xC3\xA9")}));
}

TEST(RecordParser, AReusedRecordSharedByTheCallerStaysIntact) {
    TTextImportSettings settings;
    settings.ImportFormat = TImportFormat::CommaDelimited;
    TRecordParser parser;
    TImportRecord record;
    parser.Parse(settings, "one,two,three", TLineCoding::Ascii, record);
    const TImportRecord kept = record;
    parser.Parse(settings, "x", TLineCoding::Ascii, record);
    EXPECT_EQ(record, QStringList{"x"});
    EXPECT_EQ(kept, QStringList({"one", "two", "three"}));
}

// Found by fuzzing: the text path lost a U+FEFF (UTF-8 EF BB BF) that opened a field, so the
// import preview and a non-ASCII separator read other fields than the byte path.
TEST(ParseDelimited, AFieldOpeningWithAZeroWidthNoBreakSpaceKeepsIt) {
    const QByteArray line("''\xEF\xBB\xBF,");
    const TTextImportSettings settings = Delimited(TImportFormat::CommaDelimited, "'");
    const QStringList expected{QString(QChar(0xFEFF))};
    EXPECT_EQ(ParseLine(settings, QString::fromUtf8(line)), expected);
    TRecordParser parser;
    TImportRecord record;
    parser.Parse(settings, line, TLineCoding::Utf8, record);
    EXPECT_EQ(record, expected);

    TTextImportSettings custom = Delimited(TImportFormat::CustomDelimiter);
    custom.Separator = QString(QChar(0xA7));
    EXPECT_EQ(ParseLine(custom, QString::fromUtf8("x\xC2\xA7\xEF\xBB\xBF"
                                                  "a")),
              (QStringList{"x", QChar(0xFEFF) + QString("a")}));
}
