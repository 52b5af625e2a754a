#include "merge/dialogs/TextImportRules.h"

#include "merge/LineParsers.h"
#include "merge/dialogs/MergeDialogTexts.h"

#include <algorithm>
#include <array>

namespace {
// Room around a cell's text.
constexpr int kCellMargin = 10;
// The smallest size typed into the column size box that counts; a single digit 1 is taken as
// the start of a longer number.
constexpr int kSmallestTypedSize = 2;

struct TFormatEntry {
    TImportFormat Format;
    TFormatPanel Panel;
};

const std::array<TFormatEntry, 4> kPanels = {{
    {TImportFormat::CommaDelimited, {true, MergeDialogText::CommaShown, false, 1, false}},
    {TImportFormat::TabDelimited, {true, MergeDialogText::TabShown, false, 3, false}},
    {TImportFormat::CustomDelimiter, {true, MergeDialogText::CommaShown, true, 1, false}},
    {TImportFormat::FixedField, {false, "", false, 1, true}},
}};

bool WithinSizes(const TTextImportSettings& settings, int column) {
    return column >= 0 && column < settings.ColumnSizes.size();
}
} // namespace

TFormatPanel FormatPanel(TImportFormat format) {
    for (const TFormatEntry& entry : kPanels)
        if (entry.Format == format)
            return entry.Panel;
    return {};
}

TImportGrid BuildImportGrid(const TTextImportSettings& settings, const QStringList& previewLines,
                            const TTextWidth& textWidth) {
    TImportGrid grid;
    for (qsizetype i = 0; i < previewLines.size(); ++i) {
        const TImportRecord fields = ParseLine(settings, previewLines[i]);
        if (i == 0) {
            for (qsizetype j = 0; j < fields.size(); ++j) {
                grid.Headers << QString::fromLatin1(MergeDialogText::FieldHeader) +
                                    QString::number(j + 1);
                grid.ColumnWidths << textWidth(grid.Headers.last()) + kCellMargin;
            }
            if (settings.IgnoreHeader)
                continue;
        }
        QStringList row;
        for (qsizetype j = 0; j < grid.Headers.size(); ++j) {
            row << (j < fields.size() ? fields[j] : QString());
            grid.ColumnWidths[j] = std::max(grid.ColumnWidths[j], textWidth(row[j]) + kCellMargin);
        }
        grid.Rows << row;
    }
    return grid;
}

TImportGrid BuildRecordGrid(const TPreviewRecords& preview, const TTextWidth& textWidth) {
    qsizetype columns = preview.Header.size();
    for (const TImportRecord& record : preview.Records)
        columns = std::max(columns, record.size());
    TImportGrid grid;
    for (qsizetype j = 0; j < columns; ++j) {
        grid.Headers << ColumnCaption(preview.Header, j);
        grid.ColumnWidths << textWidth(grid.Headers.last()) + kCellMargin;
    }
    for (const TImportRecord& record : preview.Records) {
        QStringList row;
        for (qsizetype j = 0; j < columns; ++j) {
            row << (j < record.size() ? record[j] : QString());
            grid.ColumnWidths[j] = std::max(grid.ColumnWidths[j], textWidth(row[j]) + kCellMargin);
        }
        grid.Rows << row;
    }
    return grid;
}

int ColumnSizeOf(const TTextImportSettings& settings, int column) {
    return WithinSizes(settings, column) ? settings.ColumnSizes[column] : -1;
}

bool EditColumnSize(TTextImportSettings& settings, int column, const QString& text) {
    bool number = false;
    const int size = text.toInt(&number);
    if (!number || size < kSmallestTypedSize || !WithinSizes(settings, column) ||
        settings.ColumnSizes[column] == size)
        return false;
    settings.ColumnSizes[column] = size;
    return true;
}

bool InsertColumn(TTextImportSettings& settings, int column, const QString& answer) {
    bool number = false;
    int size = answer.trimmed().toInt(&number);
    if (!number)
        size = 1;
    if (size <= 0)
        return false;
    const int at = std::clamp(column, 0, int(settings.ColumnSizes.size()));
    settings.ColumnSizes.insert(at, size);
    return true;
}

bool DeleteColumn(TTextImportSettings& settings, int column) {
    if (settings.ColumnSizes.size() < 2 || !WithinSizes(settings, column))
        return false;
    settings.ColumnSizes.removeAt(column);
    return true;
}
