#include "files/DataSection.h"

#include "files/EscapeText.h"
#include "files/IniFile.h"
#include "merge/DataFileLimits.h"

#include <array>

namespace {
const QString kSection = QString::fromLatin1(DataSection);

template <typename Enum> struct TNamed {
    Enum Value;
    const char* Name;
};

constexpr std::array<TNamed<TImportFormat>, 4> kFormats = {{
    {TImportFormat::CommaDelimited, "COMMA"},
    {TImportFormat::TabDelimited, "TAB"},
    {TImportFormat::CustomDelimiter, "CUSTOM"},
    {TImportFormat::FixedField, "FIXED"},
}};

constexpr std::array<TNamed<TDataEncoding>, 4> kEncodings = {{
    {TDataEncoding::Automatic, "AUTO"},
    {TDataEncoding::Utf8, "UTF-8"},
    {TDataEncoding::Utf16, "UTF-16"},
    {TDataEncoding::Windows1252, "WINDOWS-1252"},
}};

template <typename Enum, size_t N>
QString NameOf(const std::array<TNamed<Enum>, N>& table, Enum value) {
    for (const auto& entry : table)
        if (entry.Value == value)
            return QString::fromLatin1(entry.Name);
    return QString::fromLatin1(table.front().Name);
}

template <typename Enum, size_t N>
Enum ValueOf(const std::array<TNamed<Enum>, N>& table, const QString& name, Enum def) {
    for (const auto& entry : table)
        if (name.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0)
            return entry.Value;
    return def;
}

// A value read back is cut at TIniFile::MaxValueLength characters, so a long query is kept in
// pieces.
constexpr qsizetype kQueryPiece = 1000;
constexpr int32_t kMaxQueryPieces = 1000;

QString PieceKey(int32_t n) {
    return QStringLiteral("QUERY_%1").arg(n);
}

QList<int> ReadColumnSizes(const QString& text) {
    QList<int> sizes;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int size = part.trimmed().toInt(&ok);
        // A column wider than a line may be cannot be cut; a damaged width is no column.
        if (!ok || size < 1 || size > DataFileLimits::MaxLineBytes)
            continue;
        sizes.append(size);
        if (sizes.size() >= DataFileLimits::MaxFields)
            break;
    }
    return sizes;
}
} // namespace

void WriteDataSection(TIniFile& ini, const std::optional<TTextImportSettings>& settings) {
    if (!settings)
        return;
    const TTextImportSettings& s = *settings;
    ini.WriteString(kSection, QStringLiteral("FORMAT"), NameOf(kFormats, s.ImportFormat));
    ini.WriteString(kSection, QStringLiteral("SEPARATOR"), EscapeText(s.Separator));
    ini.WriteString(kSection, QStringLiteral("QUOTE"), EscapeText(s.QuoteChar));
    ini.WriteBool(kSection, QStringLiteral("HEADER"), s.IgnoreHeader);
    QStringList sizes;
    for (const int size : s.ColumnSizes)
        sizes << QString::number(size);
    ini.WriteString(kSection, QStringLiteral("COLUMNS"), sizes.join(u','));
    ini.WriteBool(kSection, QStringLiteral("TRIMLEFT"), s.TrimLeft);
    ini.WriteBool(kSection, QStringLiteral("TRIMRIGHT"), s.TrimRight);
    ini.WriteString(kSection, QStringLiteral("ENCODING"), NameOf(kEncodings, s.Encoding));
    ini.WriteString(kSection, QStringLiteral("TABLE"), EscapeText(s.Table));
    const QString query = EscapeText(s.Query);
    int32_t pieces = 0;
    for (qsizetype at = 0; at < query.size(); at += kQueryPiece) {
        // The pieces are joined before unescaping, so a piece may end inside an escape.
        ini.WriteString(kSection, PieceKey(++pieces), query.mid(at, kQueryPiece));
    }
    ini.WriteInteger(kSection, QStringLiteral("QUERY_PIECES"), pieces);
}

std::optional<TTextImportSettings> ReadDataSection(const TIniFile& ini) {
    if (!ini.SectionExists(kSection))
        return std::nullopt;
    TTextImportSettings s;
    s.ImportFormat =
        ValueOf(kFormats, ini.ReadString(kSection, QStringLiteral("FORMAT"), {}), s.ImportFormat);
    if (ini.ValueExists(kSection, QStringLiteral("SEPARATOR")))
        s.Separator =
            UnescapeText(ini.ReadString(kSection, QStringLiteral("SEPARATOR"), {})).left(1);
    if (ini.ValueExists(kSection, QStringLiteral("QUOTE")))
        s.QuoteChar = UnescapeText(ini.ReadString(kSection, QStringLiteral("QUOTE"), {})).left(1);
    s.IgnoreHeader = ini.ReadBool(kSection, QStringLiteral("HEADER"), s.IgnoreHeader);
    const QList<int> sizes =
        ReadColumnSizes(ini.ReadString(kSection, QStringLiteral("COLUMNS"), {}));
    if (!sizes.isEmpty())
        s.ColumnSizes = sizes;
    s.TrimLeft = ini.ReadBool(kSection, QStringLiteral("TRIMLEFT"), s.TrimLeft);
    s.TrimRight = ini.ReadBool(kSection, QStringLiteral("TRIMRIGHT"), s.TrimRight);
    s.Encoding =
        ValueOf(kEncodings, ini.ReadString(kSection, QStringLiteral("ENCODING"), {}), s.Encoding);
    s.Table = UnescapeText(ini.ReadString(kSection, QStringLiteral("TABLE"), {}));
    const int32_t pieces = std::clamp(ini.ReadInteger(kSection, QStringLiteral("QUERY_PIECES"), 0),
                                      0, kMaxQueryPieces);
    QString query;
    for (int32_t n = 1; n <= pieces; ++n)
        query += ini.ReadString(kSection, PieceKey(n), {});
    s.Query = UnescapeText(query);
    return s;
}
