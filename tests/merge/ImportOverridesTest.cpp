#include "merge/ImportOverrides.h"
#include "merge/SeparatorHints.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

// Switches over the stored settings, and what a file says of its own separator.

TEST(ImportOverridesTest, EachSwitchSetsItsSetting) {
    const auto applied = [](TImportOverrides o) {
        TTextImportSettings s;
        ApplyImportOverrides(s, o);
        return s;
    };
    EXPECT_EQ(applied({.Delimiter = ";"}).ImportFormat, TImportFormat::CustomDelimiter);
    EXPECT_EQ(applied({.Delimiter = ";"}).Separator, ";");
    EXPECT_EQ(applied({.Delimiter = "tab"}).ImportFormat, TImportFormat::TabDelimited);
    EXPECT_EQ(applied({.Delimiter = "\\t"}).ImportFormat, TImportFormat::TabDelimited);
    EXPECT_EQ(applied({.Delimiter = ","}).ImportFormat, TImportFormat::CommaDelimited);
    EXPECT_EQ(applied({.Delimiter = "Pipe"}).Separator, "|");
    EXPECT_EQ(applied({.Delimiter = "\u00a7"}).Separator, "\u00a7");
    EXPECT_EQ(applied({.Quote = "'"}).QuoteChar, "'");
    EXPECT_TRUE(applied({.Quote = "none"}).QuoteChar.isEmpty());
    EXPECT_FALSE(applied({.Header = false}).IgnoreHeader);
    EXPECT_TRUE(applied({.Header = true}).IgnoreHeader);
    EXPECT_EQ(applied({.Encoding = "UTF-16"}).Encoding, TDataEncoding::Utf16);
    EXPECT_EQ(applied({.Encoding = "windows-1252"}).Encoding, TDataEncoding::Windows1252);
    EXPECT_EQ(applied({.Encoding = "utf8"}).Encoding, TDataEncoding::Utf8);
    const TTextImportSettings fixed = applied({.Fixed = "10, 25,8"});
    EXPECT_EQ(fixed.ImportFormat, TImportFormat::FixedField);
    EXPECT_EQ(fixed.ColumnSizes, (QList<int>{10, 25, 8}));
    EXPECT_EQ(applied({.Table = "Orders"}).Table, "Orders");
    EXPECT_EQ(applied({.Query = "SELECT 1"}).Query, "SELECT 1");

    // What no switch names stays as the label has it.
    TTextImportSettings stored;
    stored.ImportFormat = TImportFormat::FixedField;
    stored.ColumnSizes = {3, 4};
    stored.IgnoreHeader = false;
    TTextImportSettings s = stored;
    ApplyImportOverrides(s, {.Quote = "none"});
    EXPECT_EQ(s.ColumnSizes, stored.ColumnSizes);
    EXPECT_FALSE(s.IgnoreHeader);
}

TEST(ImportOverridesTest, ValuesNoSwitchTakesAreRefusedWithTheValueNamed) {
    const TImportOverrides bad[] = {
        {.Delimiter = ""},   {.Delimiter = ";;"},
        {.Quote = "quotes"}, {.Encoding = "latin-9"},
        {.Fixed = "10,,5"},  {.Fixed = "0"},
        {.Fixed = "ten"},    {.Delimiter = ";", .Fixed = "3"},
    };
    for (const TImportOverrides& o : bad) {
        TTextImportSettings s;
        const TTextImportSettings before = s;
        try {
            ApplyImportOverrides(s, o);
            ADD_FAILURE() << "taken";
        } catch (const TUserError& e) {
            const QString value = o.Delimiter && !o.Fixed ? *o.Delimiter
                                  : o.Quote               ? *o.Quote
                                  : o.Encoding            ? *o.Encoding
                                  : o.Delimiter           ? QString("--fixed")
                                                          : *o.Fixed;
            EXPECT_TRUE(e.Message().contains(value)) << e.Message().toStdString();
        }
    }
}

TEST(SeparatorHintsTest, NamedAndSniffedSeparators) {
    EXPECT_EQ(NamedSeparator(u"sep=;"), QChar(u';'));
    EXPECT_EQ(NamedSeparator(u"SEP=|"), QChar(u'|'));
    EXPECT_EQ(NamedSeparator(u"sep=\t"), QChar(u'\t'));
    EXPECT_FALSE(NamedSeparator(u"sep=;;"));
    EXPECT_FALSE(NamedSeparator(u"sep="));
    EXPECT_FALSE(NamedSeparator(u"step;"));

    EXPECT_EQ(SniffedSeparator(u"Name;Street;Town"), QChar(u';'));
    EXPECT_EQ(SniffedSeparator(u"Name\tStreet\tTown"), QChar(u'\t'));
    EXPECT_EQ(SniffedSeparator(u"Name;Street\tTown;Zip"), QChar(u';'));
    EXPECT_FALSE(SniffedSeparator(u"Name,Street;Town"));
    EXPECT_FALSE(SniffedSeparator(u"Name"));
}
