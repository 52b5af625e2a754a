#include "document/Sheet.h"

#include "document/SheetLimits.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/Units.h"

#include <algorithm>
#include <array>

namespace {
struct BorderStyleEntry {
    const char* name;
    Qt::PenStyle pen;
};
constexpr std::array<BorderStyleEntry, BorderStyleCount> kBorderStyles = {{
    {"None", Qt::NoPen},
    {"Solid", Qt::SolidLine},
    {"Dash", Qt::DashLine},
    {"Dot", Qt::DotLine},
    {"Dash Dot", Qt::DashDotLine},
    {"Dash Dot Dot", Qt::DashDotDotLine},
}};
} // namespace

double SheetLengthInInches(double length, bool metric) {
    return metric ? length / CentimetresPerInch : length;
}

int32_t SheetLengthToPixels(double length, bool metric, int32_t resolution) {
    return RoundHalfEven(SheetLengthInInches(length, metric) * resolution);
}

int32_t LabelPixelWidth(const TSheetSettings& sheet) {
    return SheetLengthToPixels(sheet.LabelWidth, sheet.Metric, ScreenPixelsPerInchX());
}

int32_t LabelPixelHeight(const TSheetSettings& sheet) {
    return SheetLengthToPixels(sheet.LabelHeight, sheet.Metric, ScreenPixelsPerInchY());
}

int32_t CountLabelsAlong(int32_t start, int32_t size, int32_t gap, int32_t limit) {
    // 64-bit positions so that absurd sizes cannot overflow. A negative gutter as large as the
    // label would never advance the position; stop there instead of looping for ever.
    int64_t pos = start;
    int32_t count = 0;
    while (size > 0 && pos < limit) {
        const int64_t next = pos == start ? pos + size : pos + int64_t(gap) + size;
        if (next <= pos)
            break;
        pos = next;
        if (pos <= limit)
            ++count;
    }
    return count;
}

void RefreshPrinterPage(TSheetSettings& sheet, TPrinterPage& page, const TPrinterFacts& f) {
    page.PixelsPerInchX = f.PixelsPerInchX;
    page.PixelsPerInchY = f.PixelsPerInchY;
    page.PhysicalWidth = f.PhysicalWidth;
    page.PhysicalHeight = f.PhysicalHeight;
    page.OffsetX = f.OffsetX;
    page.OffsetY = f.OffsetY;
    page.NonPrintableRight = f.PhysicalWidth - f.PrintableWidth - f.OffsetX;
    page.NonPrintableBottom = f.PhysicalHeight - f.PrintableHeight - f.OffsetY;
    page.NumColors = f.NumColors;
    page.BitsPerPixel = f.BitsPerPixel;
    if (sheet.ForcedCount)
        return;
    const bool m = sheet.Metric;
    const int32_t y = page.PixelsPerInchY;
    const int32_t x = page.PixelsPerInchX;
    sheet.Rows = CountLabelsAlong(SheetLengthToPixels(sheet.TopMargin, m, y) +
                                      SheetLengthToPixels(sheet.BottomMargin, m, y),
                                  SheetLengthToPixels(sheet.LabelHeight, m, y),
                                  SheetLengthToPixels(sheet.GapHeight, m, y), page.PhysicalHeight);
    sheet.Columns = CountLabelsAlong(SheetLengthToPixels(sheet.LeftMargin, m, x) +
                                         SheetLengthToPixels(sheet.RightMargin, m, x),
                                     SheetLengthToPixels(sheet.LabelWidth, m, x),
                                     SheetLengthToPixels(sheet.GapWidth, m, x), page.PhysicalWidth);
}

TPrinterFacts SheetPageFacts(const TSheetSettings& sheet) {
    TPrinter& printer = TPrinters::Current();
    printer.SetPaper(sheet.Paper);
    return printer.Facts();
}

TPrinterPage RefreshPrinterPage(TSheetSettings& sheet) {
    TPrinterPage page;
    RefreshPrinterPage(sheet, page, SheetPageFacts(sheet));
    return page;
}

namespace {
// 64-bit, so that the three terms of an absurd sheet cannot overflow when added.
int64_t Origin64(double margin, double gap, double size, bool metric, int32_t n, int32_t r) {
    const double R = r;
    return int64_t(RoundHalfEven(SheetLengthInInches(margin, metric) * R)) +
           RoundHalfEven(n * R * SheetLengthInInches(gap, metric)) +
           RoundHalfEven(n * R * SheetLengthInInches(size, metric));
}

int32_t Origin(double margin, double gap, double size, bool metric, int32_t n, int32_t r) {
    return int32_t(
        std::clamp<int64_t>(Origin64(margin, gap, size, metric, n, r), INT32_MIN, INT32_MAX));
}

int32_t OnPaper(double margin, double gap, double size, bool metric, int32_t count,
                int32_t resolution, int32_t paper) {
    const int64_t extent = SheetLengthToPixels(size, metric, resolution);
    const int32_t limit = std::min(count, SheetLimits::MaxForcedCount);
    int64_t previous = 0;
    int32_t n = 0;
    for (; n < limit; ++n) {
        const int64_t start = Origin64(margin, gap, size, metric, n, resolution);
        if (start >= paper || start + extent <= 0 || (n > 0 && start <= previous))
            break;
        previous = start;
    }
    return n;
}
} // namespace

int32_t ColumnsOnPaper(const TSheetSettings& s, const TPrinterPage& page) {
    return OnPaper(s.LeftMargin, s.GapWidth, s.LabelWidth, s.Metric, s.Columns, page.PixelsPerInchX,
                   page.PhysicalWidth);
}

int32_t RowsOnPaper(const TSheetSettings& s, const TPrinterPage& page) {
    return OnPaper(s.TopMargin, s.GapHeight, s.LabelHeight, s.Metric, s.Rows, page.PixelsPerInchY,
                   page.PhysicalHeight);
}

int32_t ColumnOrigin(const TSheetSettings& s, int32_t column, int32_t resolution) {
    return Origin(s.LeftMargin, s.GapWidth, s.LabelWidth, s.Metric, column, resolution);
}

int32_t RowOrigin(const TSheetSettings& s, int32_t row, int32_t resolution) {
    return Origin(s.TopMargin, s.GapHeight, s.LabelHeight, s.Metric, row, resolution);
}

namespace {
void ScaleLengths(TSheetSettings& s, bool toMetric) {
    for (double* v : {&s.LabelHeight, &s.LabelWidth, &s.TopMargin, &s.LeftMargin, &s.RightMargin,
                      &s.BottomMargin, &s.GapHeight, &s.GapWidth})
        *v = toMetric ? *v * CentimetresPerInch : *v / CentimetresPerInch;
}
} // namespace

void ConvertSheetToMetric(TSheetSettings& sheet) {
    if (sheet.Metric)
        return;
    ScaleLengths(sheet, true);
    sheet.Metric = true;
}

void ConvertSheetToInches(TSheetSettings& sheet) {
    if (!sheet.Metric)
        return;
    ScaleLengths(sheet, false);
    sheet.Metric = false;
}

QString BorderStyleName(int32_t style) {
    if (style < 0 || style >= BorderStyleCount)
        return QString();
    return QString::fromLatin1(kBorderStyles[style].name);
}

QString BorderWidthText(int32_t sizeIndex) {
    return QString::number(sizeIndex + 1) +
           (sizeIndex == 0 ? QStringLiteral(" pt") : QStringLiteral(" pts"));
}

int BorderPenStyle(int32_t style) {
    if (style < 0 || style >= BorderStyleCount)
        return Qt::NoPen;
    return kBorderStyles[style].pen;
}
