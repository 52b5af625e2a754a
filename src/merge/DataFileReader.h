#pragma once

#include "merge/ImportRecord.h"
#include "merge/RecordParser.h"
#include "merge/RecordSource.h"
#include "merge/TextImportSettings.h"
#include "merge/TextLineReader.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

// Reads a data file one record at a time for a print run or the field editor's preview.
// Closed or open; the current record is kept in both states. Lines are cut with the settings
// as they are at each read.
class TDataFileReader {
public:
    explicit TDataFileReader(const TTextImportSettings& settings) : m_settings(settings) {}

    // Opens the file and reads the first record. A spreadsheet file (.xlsx, .ods) is read row by
    // row from the sheet the settings' Table names (the first when empty); a database (a SQLite
    // file, a server's address) through the settings' Query or Table, its columns' names as the
    // header, no row skipped. A text file's first record skips the header line when the settings
    // say so. Does nothing when a file is already open. The current record starts empty, so an
    // empty file leaves an empty record and a header-only file the header's fields. Throws
    // TUserError (path and reason) when the file cannot be opened or read; the reader then
    // stays as it was.
    void OpenDataFile(const QString& fileName);

    // Replaces the current record by the next line's fields; at the end of the data (or when
    // closed) the current record stays. Throws TUserError when the file cannot be read or the
    // line breaks a limit of DataFileLimits.h; the current record may then be any record.
    void ReadNextRecord();

    // True when no line is left (always when closed).
    bool AtEndOfData();

    // Closes the file if it is open.
    void CloseDataFile();

    bool IsOpen() const { return m_lines != nullptr || m_source != nullptr; }

    // True while the open file is the one opened, unchanged (see TTextLineReader::Unchanged; a
    // sheet file by its size and time, a database always).
    bool DataFileUnchanged() const;

    // Whether the file held a data line (beyond the header) when it was opened: an empty or
    // header-only file leaves the current record without data.
    bool HasRecord() const { return m_hasRecord; }
    // The record most recently read.
    const TImportRecord& ImportRecord() const { return m_record; }
    // Where that record stands: its (first) line of the file and its number among the records,
    // both counting from 1 (0 before the first).
    int64_t RecordLine() const { return m_recordLine; }
    int64_t RecordNumber() const { return m_recordNumber; }
    // The line where a quoted field opened that no quote closed before the end of the file (the
    // field then runs to the end); 0 when there is none.
    int64_t UnclosedQuoteLine() const { return m_unclosedQuote; }
    // The header line's fields when the settings skip one; empty otherwise.
    const TImportRecord& HeaderRecord() const { return m_header; }

private:
    // The settings lines are cut with: the caller's, or while the open file names its own
    // separator in a "sep=" first line, a copy with that separator.
    const TTextImportSettings& Settings() const { return m_named ? m_own : m_settings; }
    // Skips a "sep=" first line of a delimited file and takes the separator it names.
    void TakeNamedSeparator(TTextLineReader& lines);
    // Reads the next record (its lines, when a quoted field holds line breaks) into record;
    // false at the end. line becomes its first line.
    bool ReadInto(TTextLineReader& lines, TImportRecord& record, int64_t& line);
    // True; throws TUserError when record has more fields than a record may.
    static bool CheckedFieldCount(const TTextLineReader& lines, const TImportRecord& record,
                                  int64_t lineNumber);

    const TTextImportSettings& m_settings;
    TTextImportSettings m_own;
    bool m_named = false;
    // What opening read: the first record, and the header before it when there is one.
    struct TFirstRecords {
        TImportRecord Record, Header;
        bool HasRecord = false, HasHeader = false;
        int64_t Position = 0; // the record's line or row
    };
    void TakeFirstRecords(TFirstRecords first);
    // Opens a database (or else a spreadsheet) as the record source.
    void OpenSource(const QString& name, bool database);

    std::unique_ptr<TTextLineReader> m_lines;
    std::unique_ptr<TRecordSource> m_source; // a sheet or a database instead of a text file
    QString m_sourceName;
    std::pair<qint64, QDateTime> m_sourceStamp;
    TRecordParser m_parser;
    TImportRecord m_record;
    TImportRecord m_header;
    bool m_hasRecord = false;
    bool m_hasHeader = false;
    int64_t m_recordLine = 0;
    int64_t m_recordNumber = 0;
    int64_t m_unclosedQuote = 0;
    QByteArray m_joined; // the lines of a record that continues over several
};
