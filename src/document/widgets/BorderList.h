#pragma once

#include "document/widgets/BorderEntryPainter.h"

#include <QComboBox>
#include <QStyledItemDelegate>

// Draws the entries of a border list's drop-down.
class TBorderListDelegate : public QStyledItemDelegate {
public:
    TBorderListDelegate(TBorderList list, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    TBorderList m_list;
};

// A border style or border size list whose entries, the closed box included, are drawn as the
// lines they stand for. The entries' texts stay in the model for keyboard search and
// accessibility.
class TBorderComboBox : public QComboBox {
public:
    TBorderComboBox(TBorderList list, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBorderList m_list;
};
