#include "document/widgets/BorderList.h"

#include "document/widgets/OwnerDrawnCombo.h"

#include "document/Sheet.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStylePainter>

TBorderListDelegate::TBorderListDelegate(TBorderList list, QObject* parent)
    : QStyledItemDelegate(parent), m_list(list) {}

void TBorderListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    painter->save();
    painter->setFont(option.font);
    const bool selected = option.state & QStyle::State_Selected;
    const bool enabled = option.state & QStyle::State_Enabled;
    PaintBorderEntry(*painter, option.rect, m_list, index.row(),
                     BorderEntryColors(option.palette, selected, enabled));
    painter->restore();
}

QSize TBorderListDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    return {base.width(), BorderEntryHeight(option.fontMetrics.height())};
}

TBorderComboBox::TBorderComboBox(TBorderList list, QWidget* parent)
    : QComboBox(parent), m_list(list) {
    const bool styles = list == TBorderList::Style;
    const int count = styles ? BorderStyleCount : BorderSizeCount;
    for (int i = 0; i < count; ++i)
        addItem(styles ? BorderStyleName(i) : BorderWidthText(i));
    setItemDelegate(new TBorderListDelegate(list, this));
    setMinimumWidth(160);
}

void TBorderComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QRect field = PaintComboFrame(*this, painter);
    // The closed box shows its entry highlighted while it has the focus.
    const bool selected = hasFocus() && !view()->isVisible();
    PaintBorderEntry(painter, field, m_list, currentIndex(),
                     BorderEntryColors(palette(), selected, isEnabled()));
}
