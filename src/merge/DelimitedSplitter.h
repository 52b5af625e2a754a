#pragma once

#include <string>
#include <string_view>

// The one implementation of cutting a delimited line into fields, shared by the text path
// (lines already decoded, for the import dialog) and the byte path (the record reader, which
// decodes each field once instead of the whole line). Char is char16_t or char.
//
// Quote characters may stand anywhere in a field and toggle quoting; a doubled quote inside
// quotes is one quote character; a separator inside quotes is text. Empty fields between
// separators are kept, a separator at the very end adds no field, and an empty quoted field at
// the end of the line ("a,''") is kept as an empty field. A quote left open runs to the end.
//
// onField(const std::basic_string<Char>&) receives each field in order; field is scratch space
// the caller keeps between lines so that its capacity is reused.
template <class Char, class TOnField>
void SplitDelimited(std::basic_string_view<Char> line, Char separator, bool hasQuote, Char quote,
                    std::basic_string<Char>& field, TOnField&& onField) {
    const size_t n = line.size();
    const Char* s = line.data();
    field.clear();
    bool inQuotes = false;
    bool endOfField = false;
    size_t p = 0;
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
            size_t q = p + 1;
            if (inQuotes) {
                while (q < n && s[q] != quote)
                    ++q;
            } else {
                while (q < n && s[q] != separator && !(hasQuote && s[q] == quote))
                    ++q;
            }
            field.append(s + p, q - p);
            p = q;
        }
        if (endOfField) {
            onField(field);
            field.clear();
            inQuotes = false;
            endOfField = false;
        }
    }
    if (!field.empty())
        onField(field);
}
