#pragma once

#include "document/LabelGeometry.h"

#include <QPoint>
#include <Qt>

class QKeyEvent;
class TLabelDocument;

// What the design surface does with the mouse and the keyboard, in label pixels: select, move
// and resize with the handles, nudge with the arrow keys, step through the controls with Tab.
// The view maps its events to these calls, so the rules are tested without a window.
class TCanvasController {
public:
    explicit TCanvasController(TLabelDocument& document) : m_document(document) {}

    // Clear while an add tool is active: presses then go to the tool.
    bool Ready = true;
    // How far the view stands inside its parent: a top or left edge is not dragged past it.
    QPoint EdgeLimit;

    enum class TPress { None, AddTool, PopupMenu };
    // A press at label position p: selects what is under it and grabs a handle. Tells the
    // view when an add tool or the pop-up menu is to take the press.
    TPress Press(QPoint p, Qt::MouseButton button);
    // The mouse moved to p; true while a drag moves or resizes the selection.
    bool Move(QPoint p);
    void Release(Qt::MouseButton button);
    // The control a double click opens, if any.
    TLabelControl* DoubleClick() const;
    // The pointer shape over p: the resize arrows over the selection's handles.
    Qt::CursorShape PointerShape(QPoint p) const;

    enum class TKey { Ignored, Handled, Tabbed };
    TKey Key(int key, Qt::KeyboardModifiers modifiers);
    // Ends any drag (the dragged control went away).
    void CancelDrag() { m_dragMode = dmIdle; }

    TDragMode DragMode() const { return m_dragMode; }

    // The keys that move (Ctrl with an arrow) or resize (Shift with an arrow) the selection.
    static bool MovesOrResizes(int key, Qt::KeyboardModifiers modifiers);
    static bool MovesOrResizes(const QKeyEvent& event);

private:
    void DragTo(int32_t x, int32_t y);

    TLabelDocument& m_document;
    TDragMode m_dragMode = dmIdle;
    QPoint m_grabOffset;
};
