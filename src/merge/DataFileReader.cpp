#include "merge/DataFileReader.h"

bool TDataFileReader::ReadInto(TTextLineReader& lines, const TTextImportSettings& settings,
                               TRecordParser& parser, TImportRecord& record) {
    if (lines.AtEnd())
        return false;
    const QByteArrayView line = lines.ReadLine();
    parser.Parse(settings, line, lines.CodingOf(line), record);
    return true;
}

void TDataFileReader::OpenDataFile(const QString& fileName) {
    if (m_lines)
        return;
    // Built aside and taken over only when the first records could be read.
    auto lines = std::make_unique<TTextLineReader>(fileName);
    TImportRecord record;
    bool hasRecord = ReadInto(*lines, m_settings, m_parser, record);
    if (m_settings.IgnoreHeader)
        hasRecord = ReadInto(*lines, m_settings, m_parser, record);
    m_lines = std::move(lines);
    m_record = std::move(record);
    m_hasRecord = hasRecord;
}

void TDataFileReader::ReadNextRecord() {
    if (m_lines)
        ReadInto(*m_lines, m_settings, m_parser, m_record);
}

bool TDataFileReader::AtEndOfData() {
    return !m_lines || m_lines->AtEnd();
}

void TDataFileReader::CloseDataFile() {
    m_lines.reset();
}
