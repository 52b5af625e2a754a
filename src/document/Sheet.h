#pragma once

#include "merge/TextImportSettings.h"
#include "platform/Printer.h"

#include <QString>

#include <cstdint>
#include <optional>

// The sheet of identical labels the printer takes. Lengths are in the sheet unit: centimetres
// when Metric is set, inches otherwise. The field defaults are the built-in defaults.
struct TSheetSettings {
    double LabelHeight = 1.0;
    double LabelWidth = 2.0;
    double TopMargin = 0.25;
    double LeftMargin = 0.25;
    double RightMargin = 0.0;
    double BottomMargin = 0.0;
    double GapHeight = 0.0;
    double GapWidth = 0.0;
    bool Metric = false;
    bool ForcedCount = false;
    int32_t Rows = 1;
    int32_t Columns = 1;
    int32_t BorderStyle = 0; // index into the border style table
    int32_t BorderSize = 0;  // the line is index + 1 units wide
    int32_t BorderShape = 0; // 0 rectangle, 1 rounded rectangle
    double BorderPct = 10.0; // rounded corner size, percent of the shorter side
    TPaperChoice Paper;      // the printer page the label is made for; unset: the printer's own
    // The stock bought for the label, when chosen from the stock library ("Avery", "5160");
    // empty for a sheet measured by hand.
    QString StockMaker;
    QString StockPart;
    // How the label's data is read when the user chose it for the label; none: by the data
    // file's extension.
    std::optional<TTextImportSettings> DataImport;

    // What print runs keep with the label, under keys that labels without them lack.
    // The data field (from 1) whose value is each record's number of copies; 0: Duplicates.
    int32_t CopiesField = 0;
    // The header's name of that field when it was chosen by name; it wins over the number
    // when the data has a column of that name.
    QString CopiesName;
    // Where the next free label of a partly used sheet is (from 0), and the fingerprint of the
    // sheet and paper that position belongs to (NextLabelSheet in the print engine).
    int32_t NextLabel = 0;
    QString NextSheet;

    bool operator==(const TSheetSettings&) const = default;
};

// Facts about the current printer page, in printer device pixels.
struct TPrinterPage {
    int32_t PixelsPerInchX = 600;
    int32_t PixelsPerInchY = 600;
    int32_t PhysicalWidth = 0;
    int32_t PhysicalHeight = 0;
    int32_t OffsetX = 0;
    int32_t OffsetY = 0;
    int32_t NonPrintableRight = 0;
    int32_t NonPrintableBottom = 0;
    int32_t NumColors = -1;
    int32_t BitsPerPixel = 24;
};

// A sheet length in device pixels at resolution (pixels per inch), rounded halves to even.
int32_t SheetLengthToPixels(double length, bool metric, int32_t resolution);
// A sheet length in inches.
double SheetLengthInInches(double length, bool metric);

// The label's size in screen pixels.
int32_t LabelPixelWidth(const TSheetSettings& sheet);
int32_t LabelPixelHeight(const TSheetSettings& sheet);

// How many labels of size fit along an axis: the largest n with
// start + n*size + (n-1)*gap <= limit; 0 when none fits or size is not positive.
int32_t CountLabelsAlong(int32_t start, int32_t size, int32_t gap, int32_t limit);

// Fills page from the printer facts and, unless the counts are forced, recalculates the sheet's
// rows and columns.
void RefreshPrinterPage(TSheetSettings& sheet, TPrinterPage& page, const TPrinterFacts& facts);
// The same with the current printer, after putting the sheet's paper in it; returns that
// printer's page.
TPrinterPage RefreshPrinterPage(TSheetSettings& sheet);
// The current printer's facts with the sheet's paper in it (or its own paper when it has not
// that one).
TPrinterFacts SheetPageFacts(const TSheetSettings& sheet);

// Offset from the paper edge of the 0-based column or row on a device of resolution pixels per
// inch; the three terms are rounded separately, as the layout of printed sheets expects.
int32_t ColumnOrigin(const TSheetSettings& sheet, int32_t column, int32_t resolution);
int32_t RowOrigin(const TSheetSettings& sheet, int32_t row, int32_t resolution);

// How many of the sheet's columns (rows) can be printed on the page's paper: the leading
// positions that start before the paper's far edge, reach onto it and start further along than
// the one before. At most the sheet's count, and never more than SheetLimits::MaxForcedCount, so
// that counting takes a moment whatever the sheet. A position that starts on the paper but runs
// past its edge counts: it is printed in part.
int32_t ColumnsOnPaper(const TSheetSettings& sheet, const TPrinterPage& page);
int32_t RowsOnPaper(const TSheetSettings& sheet, const TPrinterPage& page);

void ConvertSheetToMetric(TSheetSettings& sheet);
void ConvertSheetToInches(TSheetSettings& sheet);

// Border styles and widths as shown to the user.
inline constexpr int32_t BorderStyleCount = 6;
inline constexpr int32_t BorderSizeCount = 10;
QString BorderStyleName(int32_t style);
QString BorderWidthText(int32_t sizeIndex);
// Qt pen style for a border style index (Qt::NoPen for "None").
int BorderPenStyle(int32_t style);
