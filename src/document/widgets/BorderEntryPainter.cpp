#include "document/widgets/BorderEntryPainter.h"

#include "document/Sheet.h"
#include "document/widgets/LabelSettingsTexts.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>

namespace {
constexpr int kLineInset = 5; // style lines keep this far from both sides
constexpr int kTextInset = 4; // the width text ends this far from the right side

void PaintStyleEntry(QPainter& p, const QRect& r, int style, const QColor& ink) {
    if (style == 0) {
        p.setPen(ink);
        p.drawText(r.adjusted(kLineInset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromLatin1(LabelSettingsCaption::NoBorder));
        return;
    }
    QPen pen(ink, 1, Qt::PenStyle(BorderPenStyle(style)), Qt::FlatCap);
    p.setPen(pen);
    const int y = r.top() + r.height() / 2;
    // A flat-capped one-pixel line leaves out its end point, so this ends kLineInset pixels
    // before the right side.
    p.drawLine(QPoint(r.left() + kLineInset, y), QPoint(r.left() + r.width() - kLineInset, y));
}

void PaintSizeEntry(QPainter& p, const QRect& r, int sizeIndex, const QColor& ink) {
    const int thickness = sizeIndex + 1;
    const int top = r.top() + (r.height() - thickness) / 2;
    p.fillRect(QRect(r.left(), top, r.width() * 2 / 3, thickness), ink);
    p.setPen(ink);
    p.drawText(r.adjusted(0, 0, -kTextInset, 0), Qt::AlignRight | Qt::AlignVCenter,
               BorderWidthText(sizeIndex));
}
} // namespace

TBorderEntryColors BorderEntryColors(const QPalette& palette, bool selected, bool enabled) {
    if (!enabled)
        return {palette.color(QPalette::Disabled, QPalette::Base),
                palette.color(QPalette::Disabled, QPalette::Text)};
    if (selected)
        return {palette.color(QPalette::Active, QPalette::Highlight),
                palette.color(QPalette::Active, QPalette::HighlightedText)};
    return {palette.color(QPalette::Active, QPalette::Base),
            palette.color(QPalette::Active, QPalette::Text)};
}

void PaintBorderEntry(QPainter& p, const QRect& rect, TBorderList list, int index,
                      const TBorderEntryColors& colors) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(rect, colors.Background);
    const int count = list == TBorderList::Style ? BorderStyleCount : BorderSizeCount;
    if (index >= 0 && index < count) {
        if (list == TBorderList::Style)
            PaintStyleEntry(p, rect, index, colors.Foreground);
        else
            PaintSizeEntry(p, rect, index, colors.Foreground);
    }
    p.restore();
}

int BorderEntryHeight(int fontHeight) {
    return std::max(fontHeight + 4, BorderSizeCount + 6);
}
