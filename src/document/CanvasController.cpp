#include "document/CanvasController.h"

#include "document/LabelDocument.h"

#include <QKeyEvent>

#include <algorithm>

namespace {
bool AddsToSelection(Qt::KeyboardModifiers modifiers) {
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier);
}
} // namespace

TCanvasController::TPress TCanvasController::Press(QPoint p, Qt::MouseButton button,
                                                   Qt::KeyboardModifiers modifiers) {
    if (!Ready)
        return TPress::AddTool;
    CancelDrag();
    m_guides.clear();
    m_pressPoint = p;
    if (button == Qt::LeftButton) {
        TLabelControl* hit = m_document.ControlAt(p.x(), p.y(), Zoom);
        if (!hit) {
            // An empty point: a rubber band, over what stays selected.
            if (AddsToSelection(modifiers))
                m_bandBase = m_document.SelectedIds();
            else {
                m_bandBase.clear();
                m_document.SelectAt(p.x(), p.y(), Zoom);
            }
            m_banding = true;
            return TPress::None;
        }
        if (AddsToSelection(modifiers)) {
            m_document.ToggleSelected(hit);
            return TPress::None;
        }
        if (hit->Selected() && m_document.SelectedIds().size() > 1) {
            const TRect bounds = m_document.SelectionBounds();
            m_grabOffset = QPoint(p.x() - bounds.Left, p.y() - bounds.Top);
            m_dragMode = dmMove;
            m_group = true;
            m_groupMoved = false;
            return TPress::None;
        }
        m_document.SelectAt(p.x(), p.y(), Zoom);
        if (TLabelControl* c = m_document.Selection()) {
            m_grabOffset = QPoint(p.x() - c->Left(), p.y() - c->Top());
            m_dragMode = HandleAt(c->Box(), p.x(), p.y(), Zoom);
        }
    } else if (button == Qt::RightButton) {
        // The pop-up menu acts on the selection: a right click on one of several keeps them.
        TLabelControl* hit = m_document.ControlAt(p.x(), p.y(), Zoom);
        if (!(hit && hit->Selected() && m_document.SelectedIds().size() > 1))
            m_document.SelectAt(p.x(), p.y(), Zoom);
        if (m_document.Selection())
            return TPress::PopupMenu;
    }
    return TPress::None;
}

bool TCanvasController::Move(QPoint p, Qt::KeyboardModifiers modifiers) {
    if (!Ready)
        return false;
    if (m_banding) {
        DrawBand(p, modifiers);
        return true;
    }
    if (m_dragMode == dmIdle || !m_document.Selection())
        return false;
    if (m_group)
        DragGroupTo(p.x(), p.y());
    else
        DragTo(p.x(), p.y());
    return true;
}

void TCanvasController::Release(Qt::MouseButton button) {
    if (!Ready || button != Qt::LeftButton)
        return;
    if (m_group && !m_groupMoved) {
        // A click that did not drag selects the control under it alone, as a plain click does.
        m_document.SelectAt(m_pressPoint.x(), m_pressPoint.y(), Zoom);
        if (TLabelControl* c = m_document.Selection())
            c->Changed(true);
    } else if (!m_group && !m_banding) {
        if (TLabelControl* c = m_document.Selection())
            c->Changed(true);
    }
    CancelDrag();
    m_guides.clear();
}

void TCanvasController::DrawBand(QPoint p, Qt::KeyboardModifiers modifiers) {
    // Both corners inside the band, whichever way it was drawn.
    m_rubberBand =
        QRect(QPoint(std::min(m_pressPoint.x(), p.x()), std::min(m_pressPoint.y(), p.y())),
              QPoint(std::max(m_pressPoint.x(), p.x()), std::max(m_pressPoint.y(), p.y())));
    // Right and bottom edges of a TRect lie outside it; the band includes the pointer's pixel.
    const TRect area{m_rubberBand.left(), m_rubberBand.top(), m_rubberBand.right() + 1,
                     m_rubberBand.bottom() + 1};
    if (AddsToSelection(modifiers) && m_bandBase.empty())
        m_bandBase = m_document.SelectedIds();
    m_document.SelectTouching(area, m_bandBase);
}

void TCanvasController::DragGroupTo(int32_t x, int32_t y) {
    const TRect bounds = m_document.SelectionBounds();
    const TRect proposed =
        TRect::FromBox(x - m_grabOffset.x(), y - m_grabOffset.y(), bounds.Width(), bounds.Height());
    const TRect snapped = SnapBox(proposed);
    const int32_t dx = snapped.Left - bounds.Left, dy = snapped.Top - bounds.Top;
    if (dx == 0 && dy == 0)
        return;
    m_groupMoved = true;
    m_document.MoveSelected(dx, dy);
}

TLabelControl* TCanvasController::DoubleClick() const {
    return Ready ? m_document.Selection() : nullptr;
}

void TCanvasController::DragTo(int32_t x, int32_t y) {
    TLabelControl& c = *m_document.Selection();
    const TRect box = c.Box();
    c.SaveOldBounds();
    switch (m_dragMode) {
    case dmMove:
        c.SetBox(SnapBox(TRect::FromBox(x - m_grabOffset.x(), y - m_grabOffset.y(), box.Width(),
                                        box.Height())),
                 true);
        m_document.RepaintControl(&c);
        return;
    case dmBottom:
    case dmRight:
    case dmBottomRight: {
        TRect r = box;
        if (m_dragMode != dmBottom)
            r.Right = x;
        if (m_dragMode != dmRight)
            r.Bottom = y;
        c.SetBox(SnapBox(r), false);
        break;
    }
    case dmTop: {
        const TRect r = SnapBox({box.Left, y, box.Right, box.Bottom});
        if (!(r.Top < box.Bottom - c.MinHeight() && r.Top > EdgeLimit.y()))
            return;
        c.SetBox({box.Left, r.Top, box.Right, box.Bottom}, true);
        break;
    }
    case dmLeft: {
        const TRect r = SnapBox({x, box.Top, box.Right, box.Bottom});
        if (!(r.Left < box.Right - c.MinWidth() && r.Left > EdgeLimit.x()))
            return;
        c.SetBox({r.Left, box.Top, box.Right, box.Bottom}, true);
        break;
    }
    default:
        return;
    }
    c.Changed(true);
}

TRect TCanvasController::SnapBox(const TRect& proposed) {
    if (!Snap) {
        m_guides.clear();
        return proposed;
    }
    TSnapResult snapped = Snap(proposed, m_dragMode);
    m_guides = std::move(snapped.Guides);
    return snapped.Box;
}

Qt::CursorShape TCanvasController::PointerShape(QPoint p) const {
    const TLabelControl* c = m_document.Selection();
    // Several selected controls show no handles.
    if (!c || m_document.SelectedIds().size() > 1)
        return Qt::ArrowCursor;
    switch (HandleAt(c->Box(), p.x(), p.y(), Zoom)) {
    case dmBottomRight:
        return Qt::SizeFDiagCursor;
    case dmRight:
    case dmLeft:
        return Qt::SizeHorCursor;
    case dmBottom:
    case dmTop:
        return Qt::SizeVerCursor;
    default:
        return Qt::ArrowCursor;
    }
}

TCanvasController::TKey TCanvasController::Key(int key, Qt::KeyboardModifiers modifiers) {
    if (!Ready)
        return TKey::Ignored;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        m_document.SelectNext();
        return TKey::Tabbed;
    }
    TLabelControl* c = m_document.Selection();
    if (!c)
        return TKey::Ignored;
    int dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Escape:
        m_document.SelectNone();
        CancelDrag();
        return TKey::Handled;
    case Qt::Key_Delete:
        m_document.DeleteSelected();
        CancelDrag();
        return TKey::Handled;
    case Qt::Key_Down:
        dy = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Left:
        dx = -1;
        break;
    default:
        return TKey::Ignored;
    }
    if (!MovesOrResizes(key, modifiers))
        return TKey::Handled; // plain arrows do nothing
    if (m_document.SelectedIds().size() > 1) {
        // Several move together; resizing stays a matter of one control.
        if (!(modifiers & Qt::ShiftModifier))
            m_document.MoveSelected(dx, dy);
        return TKey::Handled;
    }
    if (modifiers & Qt::ShiftModifier) {
        if (dy)
            c->SetBoxHeight(c->Height() + dy);
        else
            c->SetBoxWidth(c->Width() + dx);
    } else if (modifiers & Qt::ControlModifier) {
        if (dy)
            c->SetTop(c->Top() + dy);
        else
            c->SetLeft(c->Left() + dx);
    }
    return TKey::Handled;
}

bool TCanvasController::MovesOrResizes(int key, Qt::KeyboardModifiers modifiers) {
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    return arrow && (modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
}

bool TCanvasController::MovesOrResizes(const QKeyEvent& event) {
    return MovesOrResizes(event.key(), event.modifiers());
}
