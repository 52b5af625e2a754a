#pragma once

#include "merge/ImportRecord.h"
#include "merge/TextImportSettings.h"
#include "merge/TextLineReader.h"

#include <QByteArrayView>

#include <string>

// Parses data file lines from their bytes into a record, giving the same fields as ParseLine
// on the decoded line. Delimited lines with an ASCII separator and quote are cut as bytes and
// each field is decoded once into the record's existing strings, so a record of the usual
// shape costs no allocation; other lines are decoded first and cut as text. Like ParseLine, it
// stops after DataFileLimits::MaxFields + 1 fields.
class TRecordParser {
public:
    void Parse(const TTextImportSettings& settings, QByteArrayView line, TLineCoding coding,
               TImportRecord& record);

private:
    std::string m_field;
};
