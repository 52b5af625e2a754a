#include "merge/LineParsers.h"

#include "merge/DataFileLimits.h"
#include "merge/DelimitedSplitter.h"

namespace {
std::u16string_view View(QStringView text) {
    return {text.utf16(), size_t(text.size())};
}

// Trims only the space character: tabs and other blanks are data.
QStringView TrimSpaces(QStringView text, bool left, bool right) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (left)
        while (begin < end && text[begin] == u' ')
            ++begin;
    if (right)
        while (end > begin && text[end - 1] == u' ')
            --end;
    return text.sliced(begin, end - begin);
}
} // namespace

QChar SeparatorOf(const TTextImportSettings& settings) {
    switch (settings.ImportFormat) {
    case TImportFormat::CommaDelimited:
        return u',';
    case TImportFormat::TabDelimited:
        return u'\t';
    case TImportFormat::CustomDelimiter:
        return settings.Separator.isEmpty() ? QChar(0) : settings.Separator[0];
    case TImportFormat::FixedField:
        break;
    }
    return QChar(0);
}

TImportRecord ParseLine(const TTextImportSettings& settings, QStringView line) {
    if (settings.ImportFormat == TImportFormat::FixedField)
        return ParseFixed(settings, line);
    return ParseDelimited(settings, line, SeparatorOf(settings));
}

TImportRecord ParseDelimited(const TTextImportSettings& settings, QStringView line,
                             QChar separator) {
    TImportRecord record;
    std::u16string field;
    const bool hasQuote = !settings.QuoteChar.isEmpty();
    const char16_t quote = hasQuote ? settings.QuoteChar[0].unicode() : u'\0';
    SplitDelimited<char16_t>(View(line), separator.unicode(), hasQuote, quote, field,
                             [&record](const std::u16string& text) {
                                 // Not fromUtf16: that drops a U+FEFF opening the field.
                                 record.append(QString(reinterpret_cast<const QChar*>(text.data()),
                                                       qsizetype(text.size())));
                                 return record.size() <= DataFileLimits::MaxFields;
                             });
    return record;
}

TImportRecord ParseFixed(const TTextImportSettings& settings, QStringView line) {
    TImportRecord record;
    record.reserve(settings.ColumnSizes.size());
    qsizetype position = 0;
    for (int size : settings.ColumnSizes) {
        const qsizetype width = std::max(size, 0);
        const qsizetype start = std::min(position, line.size());
        const qsizetype count = std::min(width, line.size() - start);
        record.append(TrimSpaces(line.sliced(start, count), settings.TrimLeft, settings.TrimRight)
                          .toString());
        position += width;
    }
    return record;
}
