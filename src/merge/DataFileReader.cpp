#include "merge/DataFileReader.h"

#include "merge/DataFileLimits.h"
#include "merge/DelimitedSplitter.h"
#include "merge/LineParsers.h"
#include "merge/MergeTexts.h"
#include "merge/SeparatorHints.h"
#include "merge/SheetRows.h"
#include "merge/SqlRows.h"
#include "platform/Errors.h"

#include <QFileInfo>

namespace {
// Whether the delimited record that line starts (or goes on with) continues on the next line.
bool Continues(TQuotedLineBreak<char>& bytes, TQuotedLineBreak<char16_t>& text,
               const TTextImportSettings& settings, QByteArrayView line, TLineCoding coding) {
    const QChar separator = SeparatorOf(settings);
    const QChar quote = settings.QuoteChar[0];
    if (separator.unicode() < 0x80 && quote.unicode() < 0x80) {
        bytes.Feed(std::string_view(line.data(), size_t(line.size())), char(separator.unicode()),
                   char(quote.unicode()));
        return bytes.Continues();
    }
    const QString decoded = DecodeLineBytes(line, coding);
    text.Feed(std::u16string_view(reinterpret_cast<const char16_t*>(decoded.utf16()),
                                  size_t(decoded.size())),
              char16_t(separator.unicode()), char16_t(quote.unicode()));
    return text.Continues();
}
} // namespace

void TDataFileReader::TakeNamedSeparator(TTextLineReader& lines) {
    m_named = false;
    if (m_settings.ImportFormat == TImportFormat::FixedField || lines.AtEnd())
        return;
    const std::optional<QByteArrayView> first = lines.PeekShortLine(8);
    if (!first)
        return;
    if (const auto separator = NamedSeparator(DecodeLineBytes(*first, lines.CodingOf(*first)))) {
        lines.ReadLine();
        m_own = m_settings;
        UseSeparator(m_own, *separator);
        m_named = true;
    }
}

bool TDataFileReader::ReadInto(TTextLineReader& lines, TImportRecord& record, int64_t& lineNumber) {
    if (lines.AtEnd())
        return false;
    const TTextImportSettings& settings = Settings();
    QByteArrayView line = lines.ReadLine();
    lineNumber = lines.LineNumber();
    // A quoted field may hold line breaks: the record then goes on over the next lines. A line
    // without the quote character cannot open one, which keeps the common case as fast as it
    // was.
    const bool quoting =
        settings.ImportFormat != TImportFormat::FixedField && !settings.QuoteChar.isEmpty();
    const char16_t quote = quoting ? settings.QuoteChar[0].unicode() : 0;
    if (quoting && (quote >= 0x80 || line.contains(char(quote)))) {
        TQuotedLineBreak<char> bytes;
        TQuotedLineBreak<char16_t> text;
        const TLineCoding coding = lines.CodingOf(line);
        if (Continues(bytes, text, settings, line, coding)) {
            // Each line keeps its own coding, as lines of one record do; only when they differ
            // (a UTF-8 line beside one that is not) is the record cut as decoded text.
            bool utf8 = coding == TLineCoding::Utf8;
            bool windows = coding == TLineCoding::Windows1252;
            m_joined = line.toByteArray();
            QString decoded = DecodeLineBytes(line, coding);
            bool open = true;
            while (open && !lines.AtEnd()) {
                const QByteArrayView next = lines.ReadLine();
                const TLineCoding nextCoding = lines.CodingOf(next);
                utf8 = utf8 || nextCoding == TLineCoding::Utf8;
                windows = windows || nextCoding == TLineCoding::Windows1252;
                m_joined += '\n';
                m_joined += next;
                decoded += QLatin1Char('\n') + DecodeLineBytes(next, nextCoding);
                if (m_joined.size() > DataFileLimits::MaxLineBytes)
                    throw TUserError(QString::fromLatin1(MergeText::LineTooLong)
                                         .arg(lines.FileName())
                                         .arg(lineNumber)
                                         .arg(DataFileLimits::MaxLineBytes));
                open = Continues(bytes, text, settings, next, nextCoding);
            }
            if (open && !m_unclosedQuote)
                m_unclosedQuote = lineNumber;
            if (utf8 && windows) {
                record = ParseLine(settings, decoded);
                return CheckedFieldCount(lines, record, lineNumber);
            }
            line = m_joined;
        }
    }
    m_parser.Parse(settings, line, lines.CodingOf(line), record);
    return CheckedFieldCount(lines, record, lineNumber);
}

bool TDataFileReader::CheckedFieldCount(const TTextLineReader& lines, const TImportRecord& record,
                                        int64_t lineNumber) {
    if (record.size() > DataFileLimits::MaxFields)
        throw TUserError(QString::fromLatin1(MergeText::TooManyFields)
                             .arg(lines.FileName())
                             .arg(lineNumber)
                             .arg(DataFileLimits::MaxFields));
    return true;
}

void TDataFileReader::TakeFirstRecords(TFirstRecords first) {
    m_record = std::move(first.Record);
    m_header = std::move(first.Header);
    m_hasRecord = first.HasRecord;
    m_hasHeader = first.HasHeader;
    m_recordLine = first.Position;
    m_recordNumber = first.HasRecord ? 1 : 0;
}

void TDataFileReader::OpenSource(const QString& name, bool database) {
    std::unique_ptr<TRecordSource> source;
    if (database)
        source = std::make_unique<TSqlRows>(name, m_settings.Query, m_settings.Table);
    else
        source = std::make_unique<TSheetRows>(name, m_settings.Table);
    TFirstRecords first;
    first.Header = source->ColumnNames();
    // A query's columns are named by the query; a sheet's first row is its header when the
    // settings say so, as a text file's first line.
    first.HasHeader = !first.Header.isEmpty();
    first.HasRecord = source->ReadRecord(first.Record, first.Position);
    if (!first.HasHeader && m_settings.IgnoreHeader) {
        first.HasHeader = first.HasRecord;
        first.Header = std::exchange(first.Record, {});
        first.HasRecord = source->ReadRecord(first.Record, first.Position);
    }
    const QFileInfo file(name);
    m_sourceStamp = file.isFile() ? std::pair(file.size(), file.lastModified())
                                  : std::pair(qint64(-1), QDateTime());
    m_source = std::move(source);
    m_sourceName = name;
    m_unclosedQuote = 0;
    TakeFirstRecords(std::move(first));
}

bool TDataFileReader::DataFileUnchanged() const {
    if (m_lines)
        return m_lines->Unchanged();
    if (!m_source)
        return false;
    // A database changes under any run; a sheet file saved again mid-run has mixed two files.
    const QFileInfo file(m_sourceName);
    return m_sourceStamp.first < 0 || std::pair(file.size(), file.lastModified()) == m_sourceStamp;
}

void TDataFileReader::OpenDataFile(const QString& fileName) {
    if (IsOpen())
        return;
    if (IsDatabaseSource(fileName))
        return OpenSource(fileName, true);
    if (IsSpreadsheetFile(fileName))
        return OpenSource(fileName, false);
    // Built aside and taken over only when the first records could be read.
    auto lines = std::make_unique<TTextLineReader>(fileName, m_settings.Encoding);
    TFirstRecords first;
    m_unclosedQuote = 0;
    TakeNamedSeparator(*lines);
    first.HasRecord = ReadInto(*lines, first.Record, first.Position);
    first.HasHeader = m_settings.IgnoreHeader && first.HasRecord;
    if (m_settings.IgnoreHeader) {
        first.Header = first.Record;
        first.HasRecord = ReadInto(*lines, first.Record, first.Position);
    }
    m_lines = std::move(lines);
    TakeFirstRecords(std::move(first));
}

void TDataFileReader::ReadNextRecord() {
    if (m_lines && ReadInto(*m_lines, m_record, m_recordLine))
        ++m_recordNumber;
    if (m_source && m_source->ReadRecord(m_record, m_recordLine))
        ++m_recordNumber;
}

bool TDataFileReader::AtEndOfData() {
    if (m_source)
        return m_source->AtEnd();
    return !m_lines || m_lines->AtEnd();
}

void TDataFileReader::CloseDataFile() {
    m_lines.reset();
    m_source.reset();
}
