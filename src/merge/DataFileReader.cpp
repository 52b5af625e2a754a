#include "merge/DataFileReader.h"

#include "merge/DataFileLimits.h"
#include "merge/MergeTexts.h"
#include "platform/Errors.h"

bool TDataFileReader::ReadInto(TTextLineReader& lines, const TTextImportSettings& settings,
                               TRecordParser& parser, TImportRecord& record, int64_t& lineNumber) {
    if (lines.AtEnd())
        return false;
    ++lineNumber;
    const QByteArrayView line = lines.ReadLine();
    parser.Parse(settings, line, lines.CodingOf(line), record);
    if (record.size() > DataFileLimits::MaxFields)
        throw TUserError(QString::fromLatin1(MergeText::TooManyFields)
                             .arg(lines.FileName())
                             .arg(lines.LineNumber())
                             .arg(DataFileLimits::MaxFields));
    return true;
}

void TDataFileReader::OpenDataFile(const QString& fileName) {
    if (m_lines)
        return;
    // Built aside and taken over only when the first records could be read.
    auto lines = std::make_unique<TTextLineReader>(fileName);
    TImportRecord record, header;
    int64_t line = 0;
    bool hasRecord = ReadInto(*lines, m_settings, m_parser, record, line);
    const bool hasHeader = m_settings.IgnoreHeader && hasRecord;
    if (m_settings.IgnoreHeader) {
        header = record;
        hasRecord = ReadInto(*lines, m_settings, m_parser, record, line);
    }
    m_lines = std::move(lines);
    m_record = std::move(record);
    m_header = std::move(header);
    m_hasRecord = hasRecord;
    m_hasHeader = hasHeader;
    m_recordLine = line;
}

void TDataFileReader::ReadNextRecord() {
    if (m_lines)
        ReadInto(*m_lines, m_settings, m_parser, m_record, m_recordLine);
}

bool TDataFileReader::AtEndOfData() {
    return !m_lines || m_lines->AtEnd();
}

void TDataFileReader::CloseDataFile() {
    m_lines.reset();
}
