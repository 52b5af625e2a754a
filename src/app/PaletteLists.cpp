#include "app/PaletteLists.h"

#include "document/widgets/OwnerDrawnCombo.h"

#include "barcode/BarcodeTypes.h"
#include "document/ShapeLabel.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QPalette>
#include <QStylePainter>

#include <algorithm>
#include <iterator>

namespace {
constexpr int kTextMargin = 4;   // the line width number ends this far from the right edge
constexpr int kSampleWidth = 25; // the fill sample at the right end of a style entry

// Names of the brush style codes; the list shows the first BrushStyleEntryCount.
constexpr const char* kBrushStyleNames[] = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                            "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};

void PaintEntry(QPainter& p, const QRect& rect, TPaletteList list, int index,
                const TPaletteEntryColors& colors) {
    if (list == TPaletteList::PenSize)
        PaintPenSizeEntry(p, rect, index, colors);
    else
        PaintBrushStyleEntry(p, rect, index, colors);
}
} // namespace

TBarcodeType IndexToBarcodeType(int index) {
    const auto& order = BarcodeListOrder();
    if (index < 0 || index >= int(order.size()))
        return order[0];
    return order[index];
}

int BarcodeTypeToIndex(TBarcodeType type) {
    const auto& order = BarcodeListOrder();
    for (int i = 0; i < int(order.size()); ++i)
        if (order[i] == type)
            return i;
    return 0;
}

QStringList BarcodeTypeListTexts() {
    QStringList texts;
    for (TBarcodeType type : BarcodeListOrder())
        texts << BarcodeListText(type);
    return texts;
}

QString BrushStyleEntryName(int index) {
    if (index < 0 || index >= int(std::size(kBrushStyleNames)))
        return QStringLiteral("???");
    return QString::fromLatin1(kBrushStyleNames[index]);
}

TPaletteEntryColors PaletteEntryColors(const QPalette& palette, bool selected) {
    if (selected)
        return {palette.color(QPalette::Active, QPalette::Highlight),
                palette.color(QPalette::Active, QPalette::HighlightedText)};
    return {palette.color(QPalette::Active, QPalette::Base),
            palette.color(QPalette::Active, QPalette::Text)};
}

void PaintPenSizeEntry(QPainter& p, const QRect& r, int index, const TPaletteEntryColors& colors) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, colors.Background);
    const int width = index + 1;
    const int textRoom = p.fontMetrics().horizontalAdvance(QStringLiteral("8888"));
    const int y = r.top() + r.height() / 2;
    p.setPen(QPen(colors.Foreground, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawLine(QPoint(r.left(), y), QPoint(r.left() + r.width() - textRoom, y));
    p.setPen(colors.Foreground);
    p.drawText(r.adjusted(0, 0, -kTextMargin, 0), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(width));
    p.restore();
}

void PaintBrushStyleEntry(QPainter& p, const QRect& r, int index,
                          const TPaletteEntryColors& colors) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(r, colors.Background);
    // The frame covers the sample's outermost pixels, as a one-pixel outline drawn inside.
    const QRect sample(r.left() + r.width() - kSampleWidth, r.top(), kSampleWidth, r.height());
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QBrush(colors.Foreground, ToQtBrushStyle(uint8_t(std::clamp(index, 0, 255)))));
    p.drawRect(sample.adjusted(0, 0, -1, -1));
    p.setPen(colors.Foreground);
    p.setBrush(Qt::NoBrush);
    p.drawText(QRect(r.left(), r.top(), r.width() - kSampleWidth, r.height()),
               Qt::AlignLeft | Qt::AlignVCenter, BrushStyleEntryName(index));
    p.restore();
}

TPaletteListDelegate::TPaletteListDelegate(TPaletteList list, QObject* parent)
    : QStyledItemDelegate(parent), m_list(list) {}

void TPaletteListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    painter->save();
    painter->setFont(option.font);
    PaintEntry(*painter, option.rect, m_list, index.row(),
               PaletteEntryColors(option.palette, option.state & QStyle::State_Selected));
    painter->restore();
}

QSize TPaletteListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    // Tall enough for the widest line with a pixel above and below.
    return {base.width(), std::max(base.height(), PenSizeEntryCount + 4)};
}

TPaletteComboBox::TPaletteComboBox(TPaletteList list, QWidget* parent)
    : QComboBox(parent), m_list(list) {
    if (list == TPaletteList::PenSize) {
        for (int i = 0; i < PenSizeEntryCount; ++i)
            addItem(QString::number(i + 1));
    } else {
        for (int i = 0; i < BrushStyleEntryCount; ++i)
            addItem(BrushStyleEntryName(i));
    }
    setItemDelegate(new TPaletteListDelegate(list, this));
}

void TPaletteComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QRect field = PaintComboFrame(*this, painter);
    // The closed box shows its entry highlighted while it has the focus.
    const bool selected = hasFocus() && !view()->isVisible();
    const TPaletteEntryColors colors = PaletteEntryColors(palette(), selected);
    // A control whose value is not in the list shows an empty box.
    if (currentIndex() < 0)
        painter.fillRect(field, colors.Background);
    else
        PaintEntry(painter, field, m_list, currentIndex(), colors);
}
