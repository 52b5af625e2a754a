#include "merge/dialogs/FieldListView.h"

#include "merge/dialogs/MergeDialogTexts.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>

namespace {
constexpr int kFieldRole = Qt::UserRole;
} // namespace

int DroppedLinePosition(int from, int onto, int count) {
    if (onto < 0 || onto >= count)
        return count - 1;
    // Taking the line out first moves the lines after it up by one.
    return onto > from ? onto - 1 : onto;
}

TFieldListView::TFieldListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderLabels({QString::fromLatin1(MergeDialogText::ListHeader)});
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::InternalMove);
    setDefaultDropAction(Qt::MoveAction);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

int TFieldListView::SelectedLine() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

void TFieldListView::SelectLine(int line) {
    QTreeWidgetItem* item = topLevelItem(line);
    if (!item) {
        clearSelection();
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

TAdvancedField* TFieldListView::FieldOf(int line) const {
    const QTreeWidgetItem* item = topLevelItem(line);
    return item ? static_cast<TAdvancedField*>(item->data(0, kFieldRole).value<void*>()) : nullptr;
}

void TFieldListView::AddLine(TAdvancedField* field, const QString& text, const QIcon& picture) {
    auto* item = new QTreeWidgetItem(this, {text});
    item->setIcon(0, picture);
    item->setData(0, kFieldRole, QVariant::fromValue(static_cast<void*>(field)));
    // Lines are dropped between, never into, each other.
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
}

void TFieldListView::SetLineText(int line, const QString& text) {
    if (QTreeWidgetItem* item = topLevelItem(line))
        item->setText(0, text);
}

void TFieldListView::RemoveLine(int line) {
    delete takeTopLevelItem(line);
}

void TFieldListView::RemoveAllLines() {
    clear();
}

void TFieldListView::DropSelectedLine(int onto) {
    const int from = SelectedLine();
    if (from < 0)
        return;
    const int to = DroppedLinePosition(from, onto, LineCount());
    if (to != from) {
        QTreeWidgetItem* item = takeTopLevelItem(from);
        insertTopLevelItem(to, item);
    }
    SelectLine(to);
    if (to != from)
        emit LineMoved(from, to);
}

void TFieldListView::startDrag(Qt::DropActions actions) {
    if (SelectedLine() >= 0)
        QTreeWidget::startDrag(actions);
}

void TFieldListView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidget::dragMoveEvent(event);
    event->acceptProposedAction();
}

void TFieldListView::dropEvent(QDropEvent* event) {
    if (event->source() != this) {
        event->ignore();
        return;
    }
    QTreeWidgetItem* target = itemAt(event->position().toPoint());
    DropSelectedLine(target ? indexOfTopLevelItem(target) : -1);
    // The move is done; the view must not remove the dragged line as well.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TFieldListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeWidget::mouseReleaseEvent(event);
    emit MouseReleased();
}
