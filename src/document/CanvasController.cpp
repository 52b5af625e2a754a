#include "document/CanvasController.h"

#include "document/LabelDocument.h"

#include <QKeyEvent>

TCanvasController::TPress TCanvasController::Press(QPoint p, Qt::MouseButton button) {
    if (!Ready)
        return TPress::AddTool;
    if (button == Qt::LeftButton) {
        m_document.SelectAt(p.x(), p.y());
        if (TLabelControl* c = m_document.Selection()) {
            m_grabOffset = QPoint(p.x() - c->Left(), p.y() - c->Top());
            m_dragMode = HandleAt(c->Box(), p.x(), p.y(), Zoom);
        }
    } else if (button == Qt::RightButton) {
        m_document.SelectAt(p.x(), p.y());
        if (m_document.Selection())
            return TPress::PopupMenu;
    }
    return TPress::None;
}

bool TCanvasController::Move(QPoint p) {
    if (!Ready || m_dragMode == dmIdle || !m_document.Selection())
        return false;
    DragTo(p.x(), p.y());
    return true;
}

void TCanvasController::Release(Qt::MouseButton button) {
    if (!Ready || button != Qt::LeftButton)
        return;
    if (TLabelControl* c = m_document.Selection())
        c->Changed(true);
    m_dragMode = dmIdle;
    m_guides.clear();
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
    case dmTop:
        if (!(y < box.Bottom - c.MinHeight() && y > EdgeLimit.y()))
            return;
        c.SetBox({box.Left, y, box.Right, box.Bottom}, true);
        break;
    case dmLeft:
        if (!(x < box.Right - c.MinWidth() && x > EdgeLimit.x()))
            return;
        c.SetBox({x, box.Top, box.Right, box.Bottom}, true);
        break;
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
    if (!c)
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
    case Qt::Key_Delete:
        m_document.DeleteSelected();
        m_dragMode = dmIdle;
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
