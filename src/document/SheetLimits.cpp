#include "document/SheetLimits.h"

#include "platform/Units.h"

#include <cmath>

namespace {
QString Inches(double v) {
    return QString::number(v, 'g', 6);
}

// NaN fails every comparison, so the checks are written as "within", not as "beyond".
bool Within(double v, double low, double high) {
    return v >= low && v <= high;
}
} // namespace

double SheetLimits::MinLength(bool metric) {
    return metric ? 0.1 : 0.05;
}

double SheetLimits::MaxLength(bool metric) {
    return metric ? MaxInches * CentimetresPerInch : MaxInches;
}

QString SheetLimitProblem(const TSheetSettings& s) {
    using namespace SheetLimits;
    const auto inches = [&](double v) { return SheetLengthInInches(v, s.Metric); };
    const double w = inches(s.LabelWidth), h = inches(s.LabelHeight);
    if (!Within(w, -INFINITY, MaxInches) || !Within(h, -INFINITY, MaxInches))
        return QStringLiteral("describes a label of %1 by %2 inches; labels can be at most %3 "
                              "inches on a side")
            .arg(Inches(w), Inches(h), Inches(MaxInches));

    for (const double v :
         {s.TopMargin, s.LeftMargin, s.BottomMargin, s.RightMargin, s.GapHeight, s.GapWidth})
        if (!Within(inches(v), -MaxInches, MaxInches))
            return QStringLiteral("has a margin or gutter of %1 inches; margins and gutters can be "
                                  "at most %2 inches either way")
                .arg(Inches(inches(v)), Inches(MaxInches));

    const double min = MinLength(s.Metric);
    const double across = s.LabelWidth + s.GapWidth, down = s.LabelHeight + s.GapHeight;
    if (!Within(across, min, INFINITY) || !Within(down, min, INFINITY))
        return QStringLiteral("starts a label every %1 inches across and every %2 inches down; "
                              "labels must start at least %3 inches apart")
            .arg(Inches(inches(across)), Inches(inches(down)), Inches(inches(min)));

    if (s.ForcedCount &&
        (s.Rows < 0 || s.Rows > MaxForcedCount || s.Columns < 0 || s.Columns > MaxForcedCount))
        return QStringLiteral("forces the sheet to %1 rows and %2 columns; a sheet can have from 0 "
                              "to %3 of each")
            .arg(s.Rows)
            .arg(s.Columns)
            .arg(MaxForcedCount);
    return QString();
}
