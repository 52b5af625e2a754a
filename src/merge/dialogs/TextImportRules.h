#pragma once

#include "merge/PreviewRecords.h"
#include "merge/TextImportSettings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The rules of the text import wizard, apart from its window.

// How the option boxes look in one format.
struct TFormatPanel {
    bool Delimited = false;         // separator and quote boxes with their captions shown
    const char* SeparatorText = ""; // what the separator box shows
    bool SeparatorEditable = false;
    int SeparatorMaxLength = 1;
    bool Fixed = false; // column size box, trims, grid hint and the grid's context menu
};

TFormatPanel FormatPanel(TImportFormat format);

// The preview grid after one refresh: the header row's captions, one row per shown line (as many
// cells as there are columns) and the columns' widths in pixels.
struct TImportGrid {
    QStringList Headers;
    QList<QStringList> Rows;
    QList<int> ColumnWidths;
};

using TTextWidth = std::function<int(const QString&)>;

// Cuts the preview lines with the settings. The first line decides the columns; it is not shown
// as data when the settings skip a header. Columns are as wide as their widest text plus a
// margin, measured with textWidth.
TImportGrid BuildImportGrid(const TTextImportSettings& settings, const QStringList& previewLines,
                            const TTextWidth& textWidth);

// The grid of a source read record by record (a spreadsheet's sheet): one column per field of the
// widest record or the header, captioned with the header's names where there are some.
TImportGrid BuildRecordGrid(const TPreviewRecords& preview, const TTextWidth& textWidth);

// The size the "Column Size:" box shows for a column, or -1 when the column has none.
int ColumnSizeOf(const TTextImportSettings& settings, int column);

// The user typed text into the "Column Size:" box with column selected: sizes of 2 or more
// replace that column's. True when the sizes changed.
bool EditColumnSize(TTextImportSettings& settings, int column, const QString& text);

// "Insert Column" answered with answer: a size (1 when the answer is no number) above 0 goes in
// front of column. True when the sizes changed.
bool InsertColumn(TTextImportSettings& settings, int column, const QString& answer);

// "Delete Column": removes column's size, but never the last one. True when the sizes changed.
bool DeleteColumn(TTextImportSettings& settings, int column);
