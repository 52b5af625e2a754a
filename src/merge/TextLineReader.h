#pragma once

#include "merge/TextImportSettings.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringDecoder>

#include <memory>
#include <optional>

#include <vector>

// The encoding of a data file as a whole. A UTF-16 file (one that starts with its byte-order
// mark) is read as the same text in UTF-8.
enum class TTextEncoding { Utf8, Windows1252, Utf16 };

// What ends a line in a data file.
enum class TLineEnds {
    CarriageReturn, // CR or CR LF ends a line; a lone LF is text (multi-line spreadsheet cells)
    LineFeed,       // a file without any CR (Linux, macOS): LF, or CR LF, ends a line
};

// How the bytes of one line decode.
enum class TLineCoding { Ascii, Utf8, Windows1252 };

// Reads a data file line by line in bounded memory: the buffer holds one sample of the file or
// the longest line met, whichever is larger, never the whole file.
//
// The file's character is decided once, from the leading sample (the first SampleSize bytes, up
// to a Ctrl-Z) so that a 200 MB file is never read twice:
// - A UTF-8 byte-order mark means UTF-8 and is skipped. Otherwise the sample decides: valid
//   UTF-8 (a multi-byte character cut by the sample's end does not count against it) means
//   UTF-8, anything else Windows-1252. A line of a UTF-8 file that turns out not to be valid
//   UTF-8 decodes as Windows-1252, so no byte is lost or replaced.
// - A UTF-16 byte-order mark (FF FE or FE FF) means UTF-16, little- or big-endian: the reader
//   turns the text into UTF-8 as it reads, so lines and fields are cut as in a UTF-8 file.
// - A CR anywhere in the sample selects CR line ends; a sample with an LF but no CR, LF line
//   ends. A sample with neither (a header longer than the sample) reads on to the first CR or
//   LF, however far, and that one decides.
// A Ctrl-Z (code 26) ends the file. The last line needs no line end; a line end at the very end
// of the file adds no further line. A line longer than DataFileLimits::MaxLineBytes is refused
// with TUserError, so the buffer never grows past about twice that.
class TTextLineReader {
public:
    static constexpr qsizetype SampleSize = 64 * 1024;

    // Opens the file; throws TUserError with the path and the system's reason on failure.
    // encoding other than Automatic overrides the decision from the sample: UTF-8 (a line that
    // is not valid UTF-8 still decodes as Windows-1252), Windows-1252 for every line, UTF-16
    // (little-endian unless a byte-order mark says otherwise).
    explicit TTextLineReader(const QString& fileName,
                             TDataEncoding encoding = TDataEncoding::Automatic);
    TTextLineReader(const TTextLineReader&) = delete;
    TTextLineReader& operator=(const TTextLineReader&) = delete;

    // True when no line is left. May read ahead (and throw TUserError when that fails); a
    // view returned by ReadLine is invalid afterwards.
    bool AtEnd();

    // The next line's bytes without the line end; valid until the next call of any member.
    // Returns an empty view at the end. Throws TUserError when the file cannot be read or the
    // line is too long.
    QByteArrayView ReadLine();

    // The next line without reading it, when it is at most maxLength bytes long and already in
    // the buffer (always so for the first line and a length below SampleSize); none otherwise.
    std::optional<QByteArrayView> PeekShortLine(qsizetype maxLength) const;

    // The next line decoded, or an empty text at the end.
    QString ReadDecodedLine();

    // How a line read from this file decodes.
    TLineCoding CodingOf(QByteArrayView line) const;

    // The number (from 1) of the line ReadLine returned last; 0 before the first.
    qint64 LineNumber() const { return m_lineNumber; }

    // True while the opened file is as it was when opened: the same size and modification time.
    // A file renamed over its path does not count, as this reader still reads the one it opened.
    bool Unchanged() const;

    TTextEncoding Encoding() const { return m_encoding; }
    TLineEnds LineEnds() const { return m_lineEnds; }
    const QString& FileName() const { return m_fileName; }

private:
    bool Fill();
    // Reads up to room bytes of text into at: the file's bytes, or for a UTF-16 file the same
    // text in UTF-8. Returns the bytes given, 0 at the end of the file.
    qint64 ReadText(char* at, qint64 room);
    [[noreturn]] void ThrowReadError() const;
    [[noreturn]] void ThrowLineTooLong() const;
    QByteArrayView TakeLine(qsizetype length, qsizetype next);

    // What identifies the opened file's contents.
    struct TFileStamp {
        qint64 Device = 0, Inode = 0, Size = -1, Seconds = 0, Nanoseconds = 0;
        bool operator==(const TFileStamp&) const = default;
    };
    TFileStamp Stamp() const;

    QString m_fileName;
    QFile m_file;
    TFileStamp m_opened;
    std::vector<char> m_buffer;
    qsizetype m_begin = 0; // first unread byte
    qsizetype m_end = 0;   // end of the bytes read so far
    bool m_eof = false;    // nothing more to read (end of file or Ctrl-Z)
    qint64 m_lineNumber = 0;
    TTextEncoding m_encoding = TTextEncoding::Utf8;
    TLineEnds m_lineEnds = TLineEnds::CarriageReturn;
    // A UTF-16 file: its decoder, and UTF-8 made but not yet given out.
    std::unique_ptr<QStringDecoder> m_utf16;
    QByteArray m_pending;
};

// Decodes a line (or part of one) by its coding.
QString DecodeLineBytes(QByteArrayView bytes, TLineCoding coding);

// True when some byte is 0x80 or above.
bool HasHighByte(QByteArrayView bytes);
