#include "print/SheetFit.h"

#include "platform/Numbers.h"
#include "platform/Units.h"

#include <QPageSize>
#include <QSize>
#include <QSizeF>

namespace {
// "4 columns", "1 row".
QString Counted(int32_t n, const char* one, const char* many) {
    return QString::number(n) + QChar(' ') + QString::fromLatin1(n == 1 ? one : many);
}

// What fits of a count that does not: "only 4 fit", "only 1 fits", "none fit".
QString OnlyFit(int32_t n) {
    if (n == 0)
        return QStringLiteral("none fit");
    return QStringLiteral("only %1 %2").arg(n).arg(n == 1 ? "fits" : "fit");
}

double Length(int32_t pixels, int32_t resolution, bool metric) {
    const double inches = resolution > 0 ? double(pixels) / resolution : 0.0;
    return metric ? inches * CentimetresPerInch : inches;
}
} // namespace

QString PaperDescription(const TPrinterPage& page, bool metric) {
    double w = Length(page.PhysicalWidth, page.PixelsPerInchX, metric);
    double h = Length(page.PhysicalHeight, page.PixelsPerInchY, metric);
    const QSize points(qRound(Length(page.PhysicalWidth, page.PixelsPerInchX, false) * 72),
                       qRound(Length(page.PhysicalHeight, page.PixelsPerInchY, false) * 72));
    const QPageSize::PageSizeId id = QPageSize::id(points, QPageSize::FuzzyMatch);
    QString name;
    if (id != QPageSize::Custom) {
        // The size's short key ("Letter", "A4"), without the dimensions some keys carry, and
        // its nominal size rather than the device's whole pixels of it.
        name = QPageSize::key(id).section(QChar('.'), 0, 0);
        const QSizeF nominal = QPageSize(id).size(metric ? QPageSize::Millimeter : QPageSize::Inch);
        w = metric ? nominal.width() / 10 : nominal.width();
        h = metric ? nominal.height() / 10 : nominal.height();
    }
    const char* pattern = metric ? NumberFormat::PaperCm : NumberFormat::PaperInches;
    const QString size = FormatNumber(pattern, w) + QStringLiteral(" \u00D7 ") +
                         FormatNumber(pattern, h) +
                         (metric ? QStringLiteral(" cm") : QStringLiteral(" in"));
    return name.isEmpty() ? size : name + QStringLiteral(", ") + size;
}

QString SheetFitProblem(const TSheetSettings& sheet, const TPrinterPage& page) {
    const int32_t rows = RowsOnPaper(sheet, page), columns = ColumnsOnPaper(sheet, page);
    const bool rowsOver = sheet.Rows > rows, columnsOver = sheet.Columns > columns;
    if (!rowsOver && !columnsOver)
        return QString();
    QString has, fit;
    if (rowsOver && columnsOver) {
        has = Counted(sheet.Rows, "row", "rows") + QStringLiteral(" and ") +
              Counted(sheet.Columns, "column", "columns");
        fit = QStringLiteral("only ") + Counted(rows, "row", "rows") + QStringLiteral(" and ") +
              Counted(columns, "column", "columns") + QStringLiteral(" fit");
    } else if (rowsOver) {
        has = Counted(sheet.Rows, "row", "rows");
        fit = OnlyFit(rows);
    } else {
        has = Counted(sheet.Columns, "column", "columns");
        fit = OnlyFit(columns);
    }
    return QStringLiteral("The sheet has %1, but %2 on the paper (%3).")
        .arg(has, fit, PaperDescription(page, sheet.Metric));
}
