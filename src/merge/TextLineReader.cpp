#include "merge/TextLineReader.h"

#include "merge/DataFileLimits.h"
#include "merge/MergeTexts.h"
#include "platform/Errors.h"
#include "platform/TextEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>

namespace {
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfFile = 0x1A; // Ctrl-Z

// Length of the multi-byte sequence a UTF-8 lead byte starts (1 for anything else).
int SequenceLength(unsigned char lead) {
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1;
}

// The sample without a trailing multi-byte character that the sample's end cut in two.
qsizetype WithoutCutSequence(const char* s, qsizetype n) {
    for (qsizetype i = n - 1; i >= 0 && i >= n - 3; --i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if ((c & 0xC0) == 0x80)
            continue; // continuation byte: look further back for its lead
        return i + SequenceLength(c) > n ? i : n;
    }
    return n;
}
} // namespace

bool HasHighByte(QByteArrayView bytes) {
    const char* s = bytes.data();
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t word;
        std::memcpy(&word, s + i, 8);
        if (word & 0x8080808080808080ULL)
            return true;
    }
    for (; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return true;
    return false;
}

QString DecodeLineBytes(QByteArrayView bytes, TLineCoding coding) {
    switch (coding) {
    case TLineCoding::Ascii:
        return QString::fromLatin1(bytes);
    case TLineCoding::Utf8:
        // fromUtf8 drops a leading EF BB BF as a byte order mark, but only the file's first
        // three bytes are one (the reader skips those); anywhere else it is U+FEFF, which the
        // byte parser keeps.
        if (StartsWithUtf8Bom(bytes))
            return QStringDecoder(QStringDecoder::Utf8,
                                  QStringDecoder::Flag::ConvertInitialBom)(bytes);
        return QString::fromUtf8(bytes);
    case TLineCoding::Windows1252:
        break;
    }
    return DecodeWindows1252(bytes);
}

TTextLineReader::TTextLineReader(const QString& fileName, TDataEncoding encoding)
    : m_fileName(fileName), m_file(fileName) {
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw TUserError(QString::fromLatin1(MergeText::CannotOpenDataFile)
                             .arg(m_fileName, m_file.errorString()));
    m_opened = Stamp();
    m_buffer.resize(SampleSize);
    // A UTF-16 byte-order mark: everything after it is read as UTF-8. Told the file is
    // Windows-1252, the two bytes are its first characters whatever they are.
    char mark[2] = {};
    const qint64 got = m_file.read(mark, 2);
    if (got < 0)
        ThrowReadError();
    const bool marks = encoding == TDataEncoding::Automatic || encoding == TDataEncoding::Utf16;
    const bool littleEndian = marks && got == 2 && mark[0] == '\xFF' && mark[1] == '\xFE';
    const bool bigEndian = marks && got == 2 && mark[0] == '\xFE' && mark[1] == '\xFF';
    if (littleEndian || bigEndian || encoding == TDataEncoding::Utf16) {
        // Without a mark, UTF-16 is what Windows writes: little-endian.
        m_utf16 = std::make_unique<QStringDecoder>(bigEndian ? QStringDecoder::Utf16BE
                                                             : QStringDecoder::Utf16LE);
        if (!littleEndian && !bigEndian)
            m_pending = QString((*m_utf16)(QByteArrayView(mark, qsizetype(got)))).toUtf8();
    } else {
        // The two bytes are the file's first: kept, up to a Ctrl-Z among them.
        const void* stop = std::memchr(mark, kEndOfFile, size_t(got));
        m_end = stop ? static_cast<const char*>(stop) - mark : qsizetype(got);
        std::memcpy(m_buffer.data(), mark, size_t(m_end));
        m_eof = stop != nullptr;
    }
    while (!m_eof && m_end < SampleSize)
        Fill();

    const char* data = m_buffer.data();
    if (m_utf16) {
        m_encoding = TTextEncoding::Utf16; // the buffer holds its text in UTF-8
    } else if (encoding == TDataEncoding::Windows1252) {
        m_encoding = TTextEncoding::Windows1252;
    } else if (StartsWithUtf8Bom(QByteArrayView(data, m_end))) {
        m_begin = 3; // the mark is not part of the first field
        m_encoding = TTextEncoding::Utf8;
    } else if (encoding == TDataEncoding::Utf8) {
        m_encoding = TTextEncoding::Utf8;
    } else {
        const qsizetype sample = m_eof ? m_end : WithoutCutSequence(data, m_end);
        m_encoding = IsValidUtf8(QByteArrayView(data, sample)) ? TTextEncoding::Utf8
                                                               : TTextEncoding::Windows1252;
    }
    auto find = [this](char c, qsizetype from) {
        const void* hit = std::memchr(m_buffer.data() + from, c, size_t(m_end - from));
        return hit ? static_cast<const char*>(hit) - m_buffer.data() : m_end;
    };
    if (find(kCarriageReturn, m_begin) < m_end) {
        m_lineEnds = TLineEnds::CarriageReturn;
    } else {
        // Without any line end in the sample, read on to the first one, which decides: a header
        // line longer than the sample must not turn a CR file into one line.
        qsizetype searched = m_begin; // bytes before this hold no line end (offset, not pointer)
        // A first line past the limit is refused when it is read; reading on for it would only
        // fill memory.
        while (find(kLineFeed, searched) == m_end && find(kCarriageReturn, searched) == m_end &&
               !m_eof && m_end - m_begin <= DataFileLimits::MaxLineBytes) {
            searched = m_end - m_begin;
            Fill(); // may move the unread bytes to the front
            searched += m_begin;
        }
        m_lineEnds = find(kCarriageReturn, searched) < find(kLineFeed, searched)
                         ? TLineEnds::CarriageReturn
                         : TLineEnds::LineFeed;
    }
}

qint64 TTextLineReader::ReadText(char* at, qint64 room) {
    if (!m_utf16)
        return m_file.read(at, room);
    while (m_pending.isEmpty()) {
        char raw[16384];
        const qint64 got = m_file.read(raw, qint64(sizeof raw));
        if (got < 0)
            return got;
        if (got == 0)
            return 0;
        m_pending = QString((*m_utf16)(QByteArrayView(raw, qsizetype(got)))).toUtf8();
    }
    const qint64 given = std::min<qint64>(room, m_pending.size());
    std::memcpy(at, m_pending.constData(), size_t(given));
    m_pending.remove(0, qsizetype(given));
    return given;
}

void TTextLineReader::ThrowReadError() const {
    throw TUserError(
        QString::fromLatin1(MergeText::CannotReadDataFile).arg(m_fileName, m_file.errorString()));
}

void TTextLineReader::ThrowLineTooLong() const {
    throw TUserError(QString::fromLatin1(MergeText::LineTooLong)
                         .arg(m_fileName)
                         .arg(m_lineNumber + 1)
                         .arg(DataFileLimits::MaxLineBytes));
}

// The line of length bytes at m_begin; the next one starts next bytes further on.
QByteArrayView TTextLineReader::TakeLine(qsizetype length, qsizetype next) {
    if (length > DataFileLimits::MaxLineBytes)
        ThrowLineTooLong();
    const QByteArrayView line(m_buffer.data() + m_begin, length);
    m_begin += next;
    ++m_lineNumber;
    return line;
}

bool TTextLineReader::Fill() {
    if (m_eof)
        return false;
    // Keep only the unread bytes, at the front; grow when a line fills the whole buffer and
    // shrink back once a long line has been read.
    const qsizetype unread = m_end - m_begin;
    if (qsizetype(m_buffer.size()) > 4 * SampleSize && unread < SampleSize) {
        std::vector<char> smaller(SampleSize);
        std::memcpy(smaller.data(), m_buffer.data() + m_begin, size_t(unread));
        m_buffer.swap(smaller);
        m_begin = 0;
        m_end = unread;
    } else if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, size_t(m_end - m_begin));
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == qsizetype(m_buffer.size()))
        m_buffer.resize(m_buffer.size() * 2);
    char* at = m_buffer.data() + m_end;
    const qint64 got = ReadText(at, qint64(m_buffer.size()) - m_end);
    if (got < 0)
        ThrowReadError();
    qsizetype kept = qsizetype(got);
    if (const void* stop = std::memchr(at, kEndOfFile, size_t(got))) {
        kept = static_cast<const char*>(stop) - at;
        m_eof = true;
    }
    if (got == 0)
        m_eof = true;
    // The file stays open to the end, so that Unchanged can still ask about it.
    m_end += kept;
    return kept > 0;
}

TTextLineReader::TFileStamp TTextLineReader::Stamp() const {
    struct stat st {};
    if (fstat(m_file.handle(), &st) != 0)
        return {};
    return {qint64(st.st_dev), qint64(st.st_ino), qint64(st.st_size), qint64(st.st_mtim.tv_sec),
            qint64(st.st_mtim.tv_nsec)};
}

bool TTextLineReader::Unchanged() const {
    return m_file.isOpen() && m_opened.Size >= 0 && Stamp() == m_opened;
}

bool TTextLineReader::AtEnd() {
    while (m_begin == m_end && !m_eof)
        Fill();
    return m_begin == m_end;
}

std::optional<QByteArrayView> TTextLineReader::PeekShortLine(qsizetype maxLength) const {
    const char terminator = m_lineEnds == TLineEnds::CarriageReturn ? kCarriageReturn : kLineFeed;
    const char* data = m_buffer.data() + m_begin;
    const qsizetype available = std::min(m_end - m_begin, maxLength + 2);
    const void* hit = std::memchr(data, terminator, size_t(available));
    qsizetype length = hit ? static_cast<const char*>(hit) - data : available;
    if (!hit && !(m_eof && m_end - m_begin <= maxLength))
        return std::nullopt;
    if (m_lineEnds == TLineEnds::LineFeed && length > 0 && data[length - 1] == kCarriageReturn)
        --length;
    if (length > maxLength)
        return std::nullopt;
    return QByteArrayView(data, length);
}

QByteArrayView TTextLineReader::ReadLine() {
    if (AtEnd())
        return {};
    const char terminator = m_lineEnds == TLineEnds::CarriageReturn ? kCarriageReturn : kLineFeed;
    qsizetype scanned = 0; // bytes of this line already searched, counted from m_begin
    for (;;) {
        const char* data = m_buffer.data();
        const void* hit =
            std::memchr(data + m_begin + scanned, terminator, size_t(m_end - m_begin - scanned));
        if (hit) {
            qsizetype length = static_cast<const char*>(hit) - (data + m_begin);
            qsizetype next = length + 1; // past the terminator, counted from m_begin
            if (m_lineEnds == TLineEnds::CarriageReturn) {
                // A line feed right after the carriage return belongs to the line end; it may
                // only arrive with the next read.
                // Offsets count from m_begin, so they survive the buffer moving.
                if (m_begin + next == m_end && !m_eof)
                    Fill();
                if (m_begin + next < m_end && m_buffer[size_t(m_begin + next)] == kLineFeed)
                    ++next;
            } else if (length > 0 && data[m_begin + length - 1] == kCarriageReturn) {
                --length; // CR LF in a file that otherwise ends lines with LF alone
            }
            return TakeLine(length, next);
        }
        if (m_eof)
            return TakeLine(m_end - m_begin, m_end - m_begin);
        scanned = m_end - m_begin;
        // Stop before the buffer grows again for a line that is too long already.
        if (scanned > DataFileLimits::MaxLineBytes)
            ThrowLineTooLong();
        Fill();
    }
}

QString TTextLineReader::ReadDecodedLine() {
    const QByteArrayView line = ReadLine();
    return DecodeLineBytes(line, CodingOf(line));
}

TLineCoding TTextLineReader::CodingOf(QByteArrayView line) const {
    if (!HasHighByte(line))
        return TLineCoding::Ascii;
    if (m_encoding != TTextEncoding::Windows1252 && IsValidUtf8(line))
        return TLineCoding::Utf8;
    return TLineCoding::Windows1252;
}
