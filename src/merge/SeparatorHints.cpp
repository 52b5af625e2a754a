#include "merge/SeparatorHints.h"

std::optional<QChar> NamedSeparator(QStringView firstLine) {
    if (firstLine.size() != 5 || !firstLine.first(4).startsWith(u"sep=", Qt::CaseInsensitive))
        return std::nullopt;
    return firstLine[4];
}

std::optional<QChar> SniffedSeparator(QStringView firstLine) {
    if (firstLine.contains(u','))
        return std::nullopt;
    const qsizetype semicolons = firstLine.count(u';');
    const qsizetype tabs = firstLine.count(u'\t');
    if (semicolons == 0 && tabs == 0)
        return std::nullopt;
    return semicolons >= tabs ? QChar(u';') : QChar(u'\t');
}

void UseSeparator(TTextImportSettings& settings, QChar separator) {
    if (separator == u',') {
        settings.ImportFormat = TImportFormat::CommaDelimited;
    } else if (separator == u'\t') {
        settings.ImportFormat = TImportFormat::TabDelimited;
    } else {
        settings.ImportFormat = TImportFormat::CustomDelimiter;
        settings.Separator = QString(separator);
    }
}
