#include "print/NextLabel.h"

#include "print/PrintU.h"

namespace {
QString Inches(double length, bool metric) {
    return QString::number(SheetLengthInInches(length, metric), 'f', 3);
}

QString PaperInches(int32_t pixels, int32_t resolution) {
    return QString::number(resolution > 0 ? double(pixels) / resolution : 0.0, 'f', 2);
}
} // namespace

QString NextLabelSheet(const TPrintLayout& layout) {
    const TSheetSettings& s = layout.Sheet;
    const TPrinterPage& p = layout.Page;
    const auto in = [&s](double v) { return Inches(v, s.Metric); };
    return QStringLiteral("%1x%2 margins %3,%4,%5,%6 gaps %7,%8 %9x%10 on %11x%12")
        .arg(in(s.LabelWidth), in(s.LabelHeight), in(s.LeftMargin), in(s.TopMargin),
             in(s.RightMargin), in(s.BottomMargin), in(s.GapWidth), in(s.GapHeight))
        .arg(s.Columns)
        .arg(s.Rows)
        .arg(PaperInches(p.PhysicalWidth, p.PixelsPerInchX),
             PaperInches(p.PhysicalHeight, p.PixelsPerInchY));
}

QString ContinueProblem(const TSheetSettings& sheet, const TPrintLayout& layout) {
    if (sheet.NextLabel <= 0 || sheet.NextSheet.isEmpty())
        return {};
    if (sheet.NextSheet != NextLabelSheet(layout) ||
        sheet.NextLabel >= layout.Sheet.Rows * layout.Sheet.Columns)
        return QStringLiteral(
            "The last run was on another sheet or paper; this one starts at the first label.");
    return {};
}

int32_t ContinueSkip(const TSheetSettings& sheet, const TPrintLayout& layout) {
    if (sheet.NextLabel <= 0 || !ContinueProblem(sheet, layout).isEmpty())
        return 0;
    return sheet.NextLabel;
}
