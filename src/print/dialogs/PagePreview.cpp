#include "print/dialogs/PagePreview.h"

#include "platform/Rounding.h"

#include <QPainter>

#include <algorithm>

namespace {
QRect PaperInBox(double pw, double ph, double bw, double bh) {
    if (pw <= 0 || ph <= 0)
        return {}; // no paper to show
    if (pw < ph) {
        const int l = RoundHalfEven(bw / 2 - pw * (bh - 10) / ph / 2);
        const int r = RoundHalfEven(pw * (bh - 10) / ph / 2 + bw / 2);
        return QRect(QPoint(l, 5), QPoint(r, int(bh) - 4));
    }
    const int t = RoundHalfEven(bh / 2 - ph * (bw - 10) / pw / 2);
    const int b = RoundHalfEven(ph * (bw - 10) / pw / 2 + bh / 2) + 1;
    return QRect(QPoint(5, t), QPoint(int(bw) - 5, b));
}

// A focus outline: every other pixel of the rectangle's edge inverted, so it shows on any fill
// and on the label's own black edge.
void DrawFocusRect(QPainter& painter, const QRect& r) {
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen dots(Qt::white, 1);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r);
    painter.restore();
}

// The width and height of a rectangle given by its edges, as the painting calls take them.
QRect Edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}
} // namespace

TPagePreview::TPagePreview(const TSheetSettings& sheet, const TPrinterPage& page, QSize box)
    : m_sheet(sheet), m_box(box) {
    const int64_t pw = int64_t(page.PhysicalWidth) - page.OffsetX - page.NonPrintableRight;
    const int64_t ph = int64_t(page.PhysicalHeight) - page.OffsetY - page.NonPrintableBottom;
    m_page = PaperInBox(double(pw), double(ph), box.width(), box.height());
    if (m_page.isNull() || pw + page.OffsetX <= 0 || ph + page.OffsetY <= 0)
        return;
    m_sx = RoundHalfEven(double(m_page.right() - m_page.left()) * page.PixelsPerInchX /
                         double(pw + page.OffsetX));
    m_sy = RoundHalfEven(double(m_page.bottom() - m_page.top()) * page.PixelsPerInchY /
                         double(ph + page.OffsetY));
    m_rows = std::min({std::max(0, sheet.Rows), RowsOnPaper(sheet, page), box.height()});
    m_columns = std::min({std::max(0, sheet.Columns), ColumnsOnPaper(sheet, page), box.width()});
}

QRect TPagePreview::LabelRect(int32_t row, int32_t column) const {
    const int32_t left = m_page.left() + ColumnOrigin(m_sheet, column, m_sx);
    const int32_t top = m_page.top() + RowOrigin(m_sheet, row, m_sy);
    const double w = SheetLengthInInches(m_sheet.LabelWidth, m_sheet.Metric);
    const double h = SheetLengthInInches(m_sheet.LabelHeight, m_sheet.Metric);
    return Edges(left, top, left + RoundHalfEven(m_sx * w), top + RoundHalfEven(m_sy * h));
}

std::optional<int32_t> TPagePreview::LabelAt(QPoint p) const {
    std::optional<int32_t> hit;
    for (int32_t i = 0; i < m_rows; ++i)
        for (int32_t j = 0; j < m_columns; ++j) {
            const QRect r = LabelRect(i, j);
            // A label's right and bottom edges belong to the next pixel, as when it is drawn.
            if (p.x() >= r.left() && p.x() < r.left() + r.width() && p.y() >= r.top() &&
                p.y() < r.top() + r.height())
                hit = j + i * m_sheet.Columns;
        }
    return hit;
}

void TPagePreview::Paint(QPainter& painter, int32_t skipCount, const QColor& background) const {
    painter.save();
    painter.fillRect(QRect(QPoint(0, 0), m_box), background);
    if (m_page.isNull()) {
        painter.restore();
        return;
    }
    // Outlines cover the pixels from the left and top edges up to, not including, the right
    // and bottom edges: a 1-pixel pen on a rectangle one pixel smaller.
    const auto outline = [](int l, int t, int r, int b) {
        return QRect(l, t, r - l - 1, b - t - 1);
    };
    const QRect& pg = m_page;
    painter.fillRect(Edges(pg.left(), pg.top(), pg.right(), pg.bottom()), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outline(pg.left(), pg.top(), pg.right(), pg.bottom()));

    painter.setClipRect(Edges(pg.left() + 1, pg.top() + 1, pg.right() - 2, pg.bottom() - 2));
    for (int32_t i = 0; i < m_rows; ++i)
        for (int32_t j = 0; j < m_columns; ++j) {
            const int64_t n = j + int64_t(i) * m_sheet.Columns;
            const QColor fill = n < skipCount    ? PreviewSkipped
                                : n == skipCount ? PreviewStart
                                                 : QColor(Qt::white);
            const QRect e = LabelRect(i, j);
            const QRect r = outline(e.left(), e.top(), e.left() + e.width(), e.top() + e.height());
            painter.setBrush(fill);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRoundedRect(r, 2, 2); // a 4 × 4 corner ellipse
            if (n == skipCount)
                DrawFocusRect(painter, r);
        }
    painter.setClipping(false);
    painter.restore();
}
