#include "merge/ImportOverrides.h"

#include "merge/DataFileLimits.h"
#include "merge/SeparatorHints.h"
#include "platform/Errors.h"

#include <array>

namespace {
struct TCharName {
    const char* Name;
    char16_t Char;
};

// Characters that are awkward to type in a shell, by name.
constexpr std::array<TCharName, 5> kCharNames = {{
    {"tab", u'\t'},
    {"comma", u','},
    {"semicolon", u';'},
    {"pipe", u'|'},
    {"space", u' '},
}};

std::optional<QChar> CharOf(const QString& text) {
    if (text.size() == 1)
        return text[0];
    if (text == QLatin1String("\\t"))
        return QChar(u'\t');
    for (const TCharName& entry : kCharNames)
        if (text.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0)
            return QChar(entry.Char);
    return std::nullopt;
}

struct TEncodingName {
    const char* Name;
    TDataEncoding Encoding;
};

constexpr std::array<TEncodingName, 6> kEncodingNames = {{
    {"utf-8", TDataEncoding::Utf8},
    {"utf8", TDataEncoding::Utf8},
    {"utf-16", TDataEncoding::Utf16},
    {"utf16", TDataEncoding::Utf16},
    {"windows-1252", TDataEncoding::Windows1252},
    {"cp1252", TDataEncoding::Windows1252},
}};

[[noreturn]] void Refuse(const char* sw, const char* wanted, const QString& value) {
    throw TUserError(QStringLiteral("%1 needs %2; \"%3\" is not one.")
                         .arg(QLatin1String(sw), QLatin1String(wanted), value));
}

QList<int> ColumnWidths(const QString& text) {
    QList<int> widths;
    for (const QString& part : text.split(u',')) {
        bool ok = false;
        const int width = part.trimmed().toInt(&ok);
        if (!ok || width < 1 || width > DataFileLimits::MaxLineBytes ||
            widths.size() >= DataFileLimits::MaxFields)
            Refuse("--fixed", "column widths in characters, as in --fixed 10,25,8", text);
        widths.append(width);
    }
    return widths;
}
} // namespace

void ApplyImportOverrides(TTextImportSettings& settings, const TImportOverrides& o) {
    if (o.Delimiter && o.Fixed)
        throw TUserError(QStringLiteral("--delimiter and --fixed cannot be given together: a "
                                        "file is cut either at a separator or into columns."));
    if (o.Delimiter) {
        const auto separator = CharOf(*o.Delimiter);
        if (!separator)
            Refuse("--delimiter", "one character, or tab, as in --delimiter ';'", *o.Delimiter);
        UseSeparator(settings, *separator);
    }
    if (o.Quote) {
        if (o.Quote->compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
            settings.QuoteChar.clear();
        else if (const auto quote = CharOf(*o.Quote))
            settings.QuoteChar = QString(*quote);
        else
            Refuse("--quote", "one character or none, as in --quote \"'\"", *o.Quote);
    }
    if (o.Header)
        settings.IgnoreHeader = *o.Header;
    if (o.Encoding) {
        bool known = false;
        for (const TEncodingName& entry : kEncodingNames) {
            if (o.Encoding->compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0) {
                settings.Encoding = entry.Encoding;
                known = true;
            }
        }
        if (!known)
            Refuse("--encoding", "utf-8, utf-16 or windows-1252", *o.Encoding);
    }
    if (o.Fixed) {
        settings.ImportFormat = TImportFormat::FixedField;
        settings.ColumnSizes = ColumnWidths(*o.Fixed);
    }
    if (o.Table)
        settings.Table = *o.Table;
    if (o.Query)
        settings.Query = *o.Query;
}
