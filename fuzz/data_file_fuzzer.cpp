// The data file reader in every format: the first bytes choose the settings, the rest is the
// file, read to the last record. Each record must also be what the text parser makes of the
// decoded lines it spans (more than one where a quoted field holds line breaks).

#include "FuzzSupport.h"
#include "merge/DataFileReader.h"
#include "merge/DelimitedSplitter.h"
#include "merge/ImportDialog.h"
#include "merge/LineParsers.h"
#include "platform/Errors.h"

namespace {
constexpr size_t kSettingsBytes = 4;

// byte 0: format (bits 0-1), skip header, trim left, trim right, no quote, no separator;
// bytes 1 and 2: separator and quote (Latin-1, so some are not ASCII); byte 3: up to 15 column
// widths follow, each a signed byte.
TTextImportSettings Settings(const uint8_t*& data, size_t& size) {
    TTextImportSettings s;
    const uint8_t flags = data[0];
    s.ImportFormat = TImportFormat(flags & 3);
    s.IgnoreHeader = flags & 4;
    s.TrimLeft = flags & 8;
    s.TrimRight = flags & 16;
    s.QuoteChar = flags & 32 ? QString() : QString(QChar(data[2]));
    s.Separator = flags & 64 ? QString() : QString(QChar(data[1]));
    size_t columns = data[3] & 15;
    data += kSettingsBytes;
    size -= kSettingsBytes;
    columns = std::min(columns, size);
    s.ColumnSizes.clear();
    for (size_t i = 0; i < columns; ++i)
        s.ColumnSizes << int(int8_t(data[i]));
    data += columns;
    size -= columns;
    return s;
}
// The next record's decoded text, read as text: a line, and the lines after it while a field
// that opened with the quote is still open.
QString RecordText(TTextLineReader& lines, const TTextImportSettings& settings) {
    QString text = lines.ReadDecodedLine();
    if (settings.ImportFormat == TImportFormat::FixedField || settings.QuoteChar.isEmpty())
        return text;
    const char16_t separator = SeparatorOf(settings).unicode();
    const char16_t quote = settings.QuoteChar[0].unicode();
    TQuotedLineBreak<char16_t> state;
    const auto feed = [&](const QString& line) {
        state.Feed(std::u16string_view(reinterpret_cast<const char16_t*>(line.utf16()),
                                       size_t(line.size())),
                   separator, quote);
    };
    feed(text);
    while (state.Continues() && !lines.AtEnd()) {
        const QString next = lines.ReadDecodedLine();
        text += QLatin1Char('\n') + next;
        feed(next);
    }
    return text;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kSettingsBytes)
        return 0;
    const TTextImportSettings settings = Settings(data, size);
    const QString path = WriteFuzzInput(QStringLiteral("data.csv"), data, size);
    try {
        (void)ReadPreviewLines(path);
    } catch (const TUserError&) {
    }
    TDataFileReader reader(settings);
    try {
        reader.OpenDataFile(path);
        TTextLineReader lines(path);
        if (settings.IgnoreHeader)
            (void)RecordText(lines, settings); // the header may span lines too
        for (bool first = true;; first = false) {
            if (!first) {
                if (reader.AtEndOfData())
                    break;
                reader.ReadNextRecord();
            }
            if (!reader.HasRecord())
                break;
            const QString text = RecordText(lines, settings);
            FuzzCheck(reader.ImportRecord() == ParseLine(settings, text),
                      "the byte parser and the text parser disagree");
        }
    } catch (const TUserError&) {
    }
    reader.CloseDataFile();
    return 0;
}
