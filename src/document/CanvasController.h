#pragma once

#include "document/LabelGeometry.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <Qt>

#include <functional>
#include <vector>

class QKeyEvent;
class TLabelDocument;

// A dragged box pulled onto the grid or the other controls, and the guide lines (in label
// pixels) that show what it holds to.
struct TSnapResult {
    TRect Box;
    std::vector<QLine> Guides;
};

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
    // Screen pixels per label pixel: what stays a fixed size on screen (handles, the snapping
    // distance) is that many screen pixels whatever the zoom.
    double Zoom = 1;
    // Pulls the box a drag proposes (the moved selection's bounds, or the resized box) onto the
    // grid and the other controls; unset or suspended, the box stays as proposed.
    std::function<TSnapResult(const TRect& proposed, TDragMode mode)> Snap;

    // While the mouse draws a rubber band from an empty point: its rectangle in label pixels,
    // empty otherwise.
    QRect RubberBand() const { return m_rubberBand; }
    // The guide lines of the snap that holds during a drag, in label pixels.
    const std::vector<QLine>& Guides() const { return m_guides; }

    enum class TPress { None, AddTool, PopupMenu };
    // A press at label position p: selects what is under it and grabs a handle. Tells the
    // view when an add tool or the pop-up menu is to take the press. With Shift or Ctrl the
    // press adds the control under it to the selection or takes it out; a press on an empty
    // point starts a rubber band. A press on one of several selected controls grabs them all.
    TPress Press(QPoint p, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {});
    // The mouse moved to p; true while a drag moves or resizes the selection or draws a rubber
    // band (which, with Shift or Ctrl, adds to the selection the press found).
    bool Move(QPoint p, Qt::KeyboardModifiers modifiers = {});
    void Release(Qt::MouseButton button);
    // The control a double click opens, if any.
    TLabelControl* DoubleClick() const;
    // The pointer shape over p: the resize arrows over the selection's handles.
    Qt::CursorShape PointerShape(QPoint p) const;

    enum class TKey { Ignored, Handled, Tabbed };
    TKey Key(int key, Qt::KeyboardModifiers modifiers);
    // Ends any drag (the dragged control went away).
    void CancelDrag() {
        m_dragMode = dmIdle;
        m_group = false;
        m_banding = false;
        m_rubberBand = QRect();
    }

    TDragMode DragMode() const { return m_dragMode; }

    // The keys that move (Ctrl with an arrow) or resize (Shift with an arrow) the selection.
    static bool MovesOrResizes(int key, Qt::KeyboardModifiers modifiers);
    static bool MovesOrResizes(const QKeyEvent& event);

private:
    void DragTo(int32_t x, int32_t y);
    void DragGroupTo(int32_t x, int32_t y);
    void DrawBand(QPoint p, Qt::KeyboardModifiers modifiers);
    // The proposed box through Snap; keeps the guides it gives.
    TRect SnapBox(const TRect& proposed);

    TLabelDocument& m_document;
    TDragMode m_dragMode = dmIdle;
    QPoint m_grabOffset;
    QRect m_rubberBand;
    // A rubber band from m_pressPoint, and the selection it adds to when Shift or Ctrl is held.
    bool m_banding = false;
    std::vector<TControlId> m_bandBase;
    QPoint m_pressPoint;
    // Several selected controls dragged as one; until the mouse moves, the press is a plain
    // click that selects only the control under it.
    bool m_group = false;
    bool m_groupMoved = false;
    std::vector<QLine> m_guides;
};
