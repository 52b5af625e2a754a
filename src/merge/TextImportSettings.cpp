#include "merge/TextImportSettings.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <limits>

namespace {
struct TExtensionFormat {
    const char* Extension;
    TImportFormat Format;
};

// The data file extensions the open dialogs offer and the format each one implies.
constexpr std::array<TExtensionFormat, 4> kExtensionFormats = {{
    {"txt", TImportFormat::TabDelimited},
    {"csv", TImportFormat::CommaDelimited},
    {"prn", TImportFormat::FixedField},
    {"dat", TImportFormat::CustomDelimiter},
}};
} // namespace

QList<int> DefaultColumnSizes(const QStringList& previewLines) {
    qsizetype longest = TTextImportSettings::DefaultColumnSize;
    for (const QString& line : previewLines)
        longest = std::max(longest, line.size());
    // A column wider than an int is no use to anyone; the clamp only keeps the type honest.
    return {int(std::min<qsizetype>(longest, std::numeric_limits<int>::max()))};
}

void ChooseImportFormat(TTextImportSettings& settings, TImportFormat format,
                        const QStringList& previewLines) {
    settings.ImportFormat = format;
    if (format == TImportFormat::CustomDelimiter)
        settings.Separator = QStringLiteral(",");
    else if (format == TImportFormat::FixedField)
        settings.ColumnSizes = DefaultColumnSizes(previewLines);
}

void FormatFromExtension(TTextImportSettings& settings, const QString& fileName,
                         const QStringList& previewLines) {
    const QString extension = QFileInfo(fileName).suffix();
    for (const TExtensionFormat& entry : kExtensionFormats) {
        if (extension.compare(QLatin1String(entry.Extension), Qt::CaseInsensitive) == 0) {
            ChooseImportFormat(settings, entry.Format, previewLines);
            return;
        }
    }
}
