#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How the lines of a data file are cut into fields.
enum class TImportFormat { CommaDelimited, TabDelimited, CustomDelimiter, FixedField };

// How a text data file's bytes are read: decided from the file itself, or as the user says.
enum class TDataEncoding { Automatic, Utf8, Utf16, Windows1252 };

// The format of the data being merged: the designer's session keeps one for the file it chose
// (DataImport.h). A label may keep the settings chosen for it; an unattended run then uses
// them. The fields after TrimRight go beyond the classic text import and keep their defaults
// unless the user sets them.
struct TTextImportSettings {
    TImportFormat ImportFormat = TImportFormat::TabDelimited;
    // Separator of the custom delimiter format: one character, or empty for none.
    QString Separator = QStringLiteral(",");
    // Quote character of the delimited formats: one character, or empty to turn quoting off.
    QString QuoteChar = QStringLiteral("\"");
    // The first line is a column header and is skipped.
    bool IgnoreHeader = true;
    // Widths in characters of the fixed field columns, left to right.
    QList<int> ColumnSizes = {DefaultColumnSize};
    // Fixed field format: remove leading / trailing spaces (code 32 only) of each field.
    bool TrimLeft = true;
    bool TrimRight = true;
    // Text files: how the bytes decode (Automatic: byte-order mark, then UTF-8 or Windows-1252).
    TDataEncoding Encoding = TDataEncoding::Automatic;
    // Spreadsheets: the sheet to read; databases: the table to read whole. Empty: the first
    // sheet; a database then needs Query.
    QString Table;
    // Databases: the query whose rows are the records.
    QString Query;

    bool operator==(const TTextImportSettings&) const = default;

    static constexpr int DefaultColumnSize = 10;
};

// The single column the fixed field format starts with: as wide as the longest preview line,
// but at least DefaultColumnSize characters.
QList<int> DefaultColumnSizes(const QStringList& previewLines);

// Chooses a format with the side effects the import dialog shows: the custom delimiter starts
// again from a comma and the fixed field format from one default column.
void ChooseImportFormat(TTextImportSettings& settings, TImportFormat format,
                        const QStringList& previewLines);

// Chooses the format by the file's extension, ignoring case: .txt tab, .csv comma, .prn fixed
// field, .dat custom delimiter; any other extension keeps the current format.
void FormatFromExtension(TTextImportSettings& settings, const QString& fileName,
                         const QStringList& previewLines);
