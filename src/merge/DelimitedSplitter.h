#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace DelimitedDetail {
constexpr uint64_t kOnes = 0x0101010101010101ULL;
constexpr uint64_t kHighs = 0x8080808080808080ULL;

// Marks the zero bytes of v; the lowest mark is always the first zero byte.
constexpr uint64_t ZeroBytes(uint64_t v) {
    return (v - kOnes) & ~v & kHighs;
}

// Position of the first a (or b, when useB) at or after q, or n. Bytes are tested eight at a
// time: field runs are what the reader spends its time on.
template <class Char>
size_t FindEither(const Char* s, size_t q, size_t n, Char a, bool useB, Char b) {
    if constexpr (std::is_same_v<Char, char> && std::endian::native == std::endian::little) {
        const uint64_t wordA = kOnes * static_cast<unsigned char>(a);
        const uint64_t wordB = kOnes * static_cast<unsigned char>(useB ? b : a);
        for (; q + 8 <= n; q += 8) {
            uint64_t word;
            std::memcpy(&word, s + q, 8);
            const uint64_t hits = ZeroBytes(word ^ wordA) | ZeroBytes(word ^ wordB);
            if (hits)
                return q + size_t(std::countr_zero(hits) >> 3);
        }
    }
    for (; q < n; ++q)
        if (s[q] == a || (useB && s[q] == b))
            return q;
    return n;
}
} // namespace DelimitedDetail

// The one implementation of cutting a delimited line into fields, shared by the text path
// (lines already decoded, for the import dialog) and the byte path (the record reader, which
// decodes each field once instead of the whole line). Char is char16_t or char.
//
// Quote characters may stand anywhere in a field and toggle quoting; a doubled quote inside
// quotes is one quote character; a separator inside quotes is text. Empty fields between
// separators are kept, a separator at the very end adds no field, and an empty quoted field at
// the end of the line ("a,''") is kept as an empty field. A quote left open runs to the end.
//
// onField(const std::basic_string<Char>&) receives each field in order; when it returns bool,
// false stops the cut there. field is scratch space the caller keeps between lines so that its
// capacity is reused.
template <class Char, class TOnField>
void SplitDelimited(std::basic_string_view<Char> line, Char separator, bool hasQuote, Char quote,
                    std::basic_string<Char>& field, TOnField&& onField) {
    const size_t n = line.size();
    const Char* s = line.data();
    field.clear();
    bool inQuotes = false;
    bool endOfField = false;
    size_t p = 0;
    auto deliver = [&] {
        if constexpr (std::is_same_v<decltype(onField(field)), bool>)
            return onField(field);
        else
            return (onField(field), true);
    };
    while (p < n) {
        const Char c = s[p];
        if (hasQuote && c == quote) {
            if (inQuotes && p + 1 < n && s[p + 1] == quote) {
                ++p; // doubled quote: one quote character of text
                field.push_back(quote);
            } else {
                inQuotes = !inQuotes;
            }
            // An empty quoted field closing the line ("a,''") still counts as a field.
            if (p == n - 1 && field.empty() && n >= 2 && s[p - 1] == quote)
                endOfField = true;
            ++p;
        } else if (c == separator && !inQuotes) {
            endOfField = true;
            ++p;
        } else {
            // A run of ordinary characters is copied at once; inside quotes it runs to the next
            // quote (separators are text there), outside to the next quote or separator.
            const size_t q =
                inQuotes ? DelimitedDetail::FindEither(s, p + 1, n, quote, false, quote)
                         : DelimitedDetail::FindEither(s, p + 1, n, separator, hasQuote, quote);
            field.append(s + p, q - p);
            p = q;
        }
        if (endOfField) {
            if (!deliver())
                return;
            field.clear();
            inQuotes = false;
            endOfField = false;
        }
    }
    if (!field.empty())
        deliver();
}

// Whether a delimited record goes on past the end of a line: a field that opened with the quote
// character and whose quote is still open holds the line break (RFC 4180), so the next line
// continues it. Fed the record's lines one after the other, it carries its state across them.
template <class Char> class TQuotedLineBreak {
public:
    void Feed(std::basic_string_view<Char> line, Char separator, Char quote) {
        const size_t n = line.size();
        for (size_t p = 0; p < n; ++p) {
            const Char c = line[p];
            if (c == quote) {
                if (m_inQuotes && p + 1 < n && line[p + 1] == quote) {
                    ++p; // doubled quote: text
                } else {
                    if (m_fieldStart)
                        m_quotedField = true;
                    m_inQuotes = !m_inQuotes;
                }
                m_fieldStart = false;
            } else if (c == separator && !m_inQuotes) {
                m_fieldStart = true;
                m_quotedField = false;
            } else {
                m_fieldStart = false;
            }
        }
    }
    bool Continues() const { return m_inQuotes && m_quotedField; }

private:
    bool m_inQuotes = false;
    bool m_fieldStart = true;
    bool m_quotedField = false;
};
