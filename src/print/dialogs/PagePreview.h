#pragma once

#include "document/Sheet.h"

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <optional>

class QPainter;

// The small picture of the page in which the user picks the first label to print: where the
// paper and each label position fall in a box of the given size. Painting and clicking share it.
class TPagePreview {
public:
    TPagePreview(const TSheetSettings& sheet, const TPrinterPage& page, QSize box);

    // The paper, as left, top, right and bottom edges (QRect's right() and bottom()).
    QRect PageRect() const { return m_page; }
    // Preview pixels per inch across and down.
    int32_t ResolutionX() const { return m_sx; }
    int32_t ResolutionY() const { return m_sy; }

    // The label position at row, column of the sheet, measured from the paper's corner.
    QRect LabelRect(int32_t row, int32_t column) const;
    // Rows and columns that can show in the picture: those that start on the paper, and no more
    // than the box has pixels (a forced sheet of thousands would otherwise take minutes).
    int32_t VisibleRows() const { return m_rows; }
    int32_t VisibleColumns() const { return m_columns; }

    // Index (row by row, from 0) of the label under point; the last one when they overlap.
    std::optional<int32_t> LabelAt(QPoint point) const;

    // Paints the whole box: background, paper, labels before the start label in silver, the
    // start label in aqua with a focus outline, the rest white.
    void Paint(QPainter& painter, int32_t skipCount, const QColor& background) const;

private:
    TSheetSettings m_sheet;
    QSize m_box;
    QRect m_page;
    int32_t m_sx = 0, m_sy = 0;
    int32_t m_rows = 0, m_columns = 0;
};

inline const QColor PreviewSkipped{192, 192, 192};
inline const QColor PreviewStart{0, 255, 255};
