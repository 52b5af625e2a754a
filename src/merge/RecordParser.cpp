#include "merge/RecordParser.h"

#include "merge/DataFileLimits.h"
#include "merge/DelimitedSplitter.h"
#include "merge/LineParsers.h"
#include "platform/TextEncoding.h"

namespace {
// Scratch kept after a huge line is given back, so memory returns to its usual size.
constexpr size_t kKeepCapacity = 1 << 20;

void Widen(QString& out, const char* s, qsizetype n) {
    out.resize(n);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < n; ++i)
        d[i] = static_cast<unsigned char>(s[i]);
}

// Decodes UTF-8 already known to be valid (the whole line was checked) without the checks a
// general decoder makes; returns the number of UTF-16 units written.
qsizetype DecodeValidUtf8(const char* text, qsizetype n, char16_t* out) {
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    qsizetype i = 0;
    qsizetype k = 0;
    while (i < n) {
        const unsigned c = s[i];
        if (c < 0x80) {
            out[k++] = char16_t(c);
            ++i;
            continue;
        }
        const int length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        if (i + length > n) {
            out[k++] = u'\uFFFD'; // cannot happen for a checked line; never read past the end
            break;
        }
        char32_t code = c & (0x7F >> length);
        for (int j = 1; j < length; ++j)
            code = (code << 6) | (s[i + j] & 0x3F);
        if (code >= 0x10000) {
            out[k++] = char16_t(0xD800 + ((code - 0x10000) >> 10));
            out[k++] = char16_t(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out[k++] = char16_t(code);
        }
        i += length;
    }
    return k;
}

// Windows-1252 differs from Latin-1 only in 0x80-0x9F.
bool HasWindowsOnlyByte(const std::string& bytes) {
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b < 0xA0)
            return true;
    }
    return false;
}

// Decodes a field into out, reusing out's storage when it is not shared.
void DecodeInto(QString& out, const std::string& bytes, TLineCoding coding) {
    const auto n = qsizetype(bytes.size());
    if (size_t(out.capacity()) > kKeepCapacity && size_t(n) * 4 < size_t(out.capacity()))
        out = QString();
    switch (coding) {
    case TLineCoding::Ascii:
        Widen(out, bytes.data(), n);
        return;
    case TLineCoding::Utf8:
        out.resize(n); // UTF-8 never needs more UTF-16 units than bytes
        out.truncate(DecodeValidUtf8(bytes.data(), n, reinterpret_cast<char16_t*>(out.data())));
        return;
    case TLineCoding::Windows1252:
        if (HasWindowsOnlyByte(bytes))
            out = DecodeWindows1252(QByteArrayView(bytes.data(), n));
        else
            Widen(out, bytes.data(), n);
        return;
    }
}
} // namespace

void TRecordParser::Parse(const TTextImportSettings& settings, QByteArrayView line,
                          TLineCoding coding, TImportRecord& record) {
    const QChar separator = SeparatorOf(settings);
    const bool hasQuote = !settings.QuoteChar.isEmpty();
    const QChar quote = hasQuote ? settings.QuoteChar[0] : QChar(0);
    // An ASCII byte is that character in UTF-8 and Windows-1252 alike and never part of
    // another character, so cutting at ASCII bytes cuts exactly where cutting text would.
    const bool byBytes = settings.ImportFormat != TImportFormat::FixedField &&
                         separator.unicode() < 0x80 && quote.unicode() < 0x80;
    if (!byBytes) {
        record = ParseLine(settings, DecodeLineBytes(line, coding));
        return;
    }
    qsizetype count = 0;
    SplitDelimited<char>(std::string_view(line.data(), size_t(line.size())),
                         char(separator.unicode()), hasQuote, char(quote.unicode()), m_field,
                         [&](const std::string& field) {
                             if (count == record.size())
                                 record.append(QString());
                             DecodeInto(record[count], field, coding);
                             ++count;
                             return count <= DataFileLimits::MaxFields;
                         });
    record.resize(count);
    if (m_field.capacity() > kKeepCapacity)
        std::string().swap(m_field);
}
