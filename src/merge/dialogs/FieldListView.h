#pragma once

#include <QTreeWidget>

class TAdvancedField;

// Where a line dragged from position from and dropped onto line onto ends up, in a list of
// count lines: in front of the line it was dropped on, or last when dropped on empty space
// (onto < 0).
int DroppedLinePosition(int from, int onto, int count);

// The editor's list of elements: one column, one line per element showing its description and
// its kind's picture. Lines are reordered by dragging within the list; the list itself never
// owns or changes elements.
class TFieldListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TFieldListView(QWidget* parent = nullptr);

    int LineCount() const { return topLevelItemCount(); }
    // The selected line, or -1.
    int SelectedLine() const;
    // Selects line (-1 clears the selection).
    void SelectLine(int line);
    TAdvancedField* FieldOf(int line) const;
    void AddLine(TAdvancedField* field, const QString& text, const QIcon& picture);
    void SetLineText(int line, const QString& text);
    void RemoveLine(int line);
    void RemoveAllLines();

    // The drop of a drag: moves the selected line in front of line onto (-1: to the end) and
    // selects it. Emits LineMoved when the order changed.
    void DropSelectedLine(int onto);

signals:
    void LineMoved(int from, int to);
    void MouseReleased();

protected:
    void startDrag(Qt::DropActions actions) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
