#include "document/CanvasLabel.h"

#include "platform/Screen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {
const QColor kGridColor(0x80, 0xFF, 0xFF); // light cyan
const QColor kUnselectedOutline(0x80, 0x80, 0x80);

QPainterPath RoundedRegion(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    QPainterPath path;
    path.addRoundedRect(QRectF(left, top, right - left, bottom - top), 5, 5);
    return path;
}

QRect Grown(const TRect& r) {
    // Two pixels left and top, three right and bottom: outlines and handles included.
    return QRect(r.Left - 2, r.Top - 2, r.Width() + 5, r.Height() + 5);
}

// The image with its transparent colour made invisible.
QImage WithTransparency(const QImage& image, QRgb transparent) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = 0;
    }
    return out;
}
} // namespace

TCanvasLabel::TCanvasLabel(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_clipRegion = RoundedRegion(0, 0, width(), height());
}

TCanvasLabel::~TCanvasLabel() {
    // Controls call back into the label while they go; silence them first.
    for (auto& c : m_controls) {
        c->OnChange = nullptr;
        c->OnPlaced = nullptr;
    }
}

void TCanvasLabel::SetLabelSize(int32_t w, int32_t h) {
    resize(std::max(w, 1), std::max(h, 1));
}

TRect TCanvasLabel::LabelArea() const {
    return {2, 2, width() - 2, height() - 2};
}

// --- control list ----------------------------------------------------------------------------

void TCanvasLabel::Adopt(TLabelControl& c) {
    c.SetOwner(this);
    c.OnChange = [this](TLabelControl* sender) {
        RepaintControl(sender);
        if (!sender->Loading())
            RaiseEdited();
    };
    c.SetBoundsArea(LabelArea());
}

void TCanvasLabel::AddControl(std::unique_ptr<TLabelControl> c) {
    TLabelControl* added = c.get();
    m_controls.push_back(std::move(c));
    DeselectAll();
    added->SetSelected(true);
    SetSelection(added);
    Adopt(*added);
    update();
    RaiseEdited();
}

void TCanvasLabel::ReplaceControls(TControlList controls) {
    ClearControls();
    m_controls = std::move(controls);
    for (auto& c : m_controls)
        Adopt(*c);
    update();
}

void TCanvasLabel::ClearControls() {
    m_selection = nullptr;
    while (!m_controls.empty()) {
        m_controls.back()->OnChange = nullptr;
        m_controls.pop_back();
    }
    update();
}

void TCanvasLabel::DeselectAll() {
    for (auto& c : m_controls)
        if (c->Selected())
            c->SetSelected(false);
}

void TCanvasLabel::SetSelection(TLabelControl* c, bool notify) {
    m_selection = c;
    if (notify && OnSelect)
        OnSelect(c);
}

void TCanvasLabel::DeleteSelected() {
    if (!m_selection)
        return;
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [this](const auto& p) { return p.get() == m_selection; });
    if (it != m_controls.end()) {
        (*it)->OnChange = nullptr;
        m_controls.erase(it);
    }
    SetSelection(nullptr);
    m_dragMode = dmIdle;
    unsetCursor();
    update();
    RaiseEdited();
    if (OnSelect)
        OnSelect(nullptr);
}

void TCanvasLabel::BringToFront() {
    if (!m_selection)
        return;
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [this](const auto& p) { return p.get() == m_selection; });
    const bool moves = it + 1 != m_controls.end();
    std::rotate(it, it + 1, m_controls.end());
    RepaintControl(m_selection);
    if (moves)
        RaiseEdited();
}

void TCanvasLabel::SendToBack() {
    if (!m_selection)
        return;
    const auto it = std::find_if(m_controls.begin(), m_controls.end(),
                                 [this](const auto& p) { return p.get() == m_selection; });
    const bool moves = it != m_controls.begin();
    std::rotate(m_controls.begin(), it, it + 1);
    RepaintControl(m_selection);
    if (moves)
        RaiseEdited();
}

void TCanvasLabel::SelectNext() {
    size_t next = 0;
    if (m_selection) {
        for (size_t i = 0; i < m_controls.size(); ++i)
            if (m_controls[i].get() == m_selection)
                next = i + 1 < m_controls.size() ? i + 1 : 0;
        DeselectAll();
    }
    if (!m_controls.empty()) {
        TLabelControl* c = m_controls[next].get();
        SetSelection(c);
        c->SetSelected(true);
    }
    BringToFront();
}

void TCanvasLabel::SelectNone() {
    DeselectAll();
    SetSelection(nullptr);
}

void TCanvasLabel::SelectAt(int32_t x, int32_t y) {
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_selection = nullptr;
    DeselectAll();
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TLabelControl* c = it->get();
        if (HitsWithSlack(c->Box(), x, y)) {
            c->SetSelected(true);
            SetSelection(c);
            if (AutoBringToFront)
                BringToFront();
            return;
        }
    }
    SetSelection(nullptr);
}

void TCanvasLabel::FitControls() {
    const int32_t w = width(), h = height();
    for (auto& c : m_controls) {
        if (c->Top() + c->Height() > h)
            c->SetTop(c->Height() > h ? 0 : h - c->Height());
        if (c->Left() + c->Width() > w)
            c->SetLeft(c->Width() > w ? 0 : w - c->Width());
        c->SetBoundsArea(LabelArea());
    }
}

std::unique_ptr<TLabelControl> TCanvasLabel::CloneControl() const {
    if (!m_selection)
        return nullptr;
    const TLabelControl& src = *m_selection;
    std::unique_ptr<TLabelControl> copy = src.CreateSameKind();
    if (!copy)
        return nullptr;
    copy->SetLoading(true);
    copy->CopyKindProperties(src);
    copy->SetBox(TRect::FromBox(0, 0, src.Width(), src.Height()), true);
    copy->SetHAlign(src.HAlign());
    copy->SetVAlign(src.VAlign());
    copy->SetTransparency(src.Transparent());
    copy->SetRotation(src.Rotation());
    copy->SetFont(src.Font());
    copy->SetAdvanced(src.Advanced());
    copy->SetText(src.GetText());
    if (copy->Advanced())
        copy->Fields = CloneFields(src.Fields);
    copy->SetAutoSizing(src.AutoSize());
    return copy;
}

// --- painting --------------------------------------------------------------------------------

void TCanvasLabel::PaintLabel(QPainter& canvas) {
    const int32_t w = width(), h = height();
    canvas.save();
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.fillRect(QRect(0, 0, w, h), palette().window());
    canvas.setBrush(Qt::white);
    canvas.setPen(QPen(Qt::black, 1));
    // From (1, 1) to the label's size, right and bottom exclusive, corners 10 x 10.
    canvas.drawRoundedRect(QRect(1, 1, w - 2, h - 2), 5, 5);
    canvas.setClipPath(m_clipRegion);

    if (ShowGrid) {
        canvas.setPen(QPen(kGridColor, 1, Qt::DotLine));
        for (int32_t x : GridLinePositions(GridStep(ScreenPixelsPerInchX(), MetricGrid), w))
            canvas.drawLine(x, 2, x, h - 2);
        for (int32_t y : GridLinePositions(GridStep(ScreenPixelsPerInchY(), MetricGrid), h))
            canvas.drawLine(2, y, w - 2, y);
    }

    for (auto& c : m_controls)
        PaintControl(canvas, *c);
    canvas.restore();
}

void TCanvasLabel::PaintControl(QPainter& canvas, TLabelControl& c) {
    if (c.Dirty())
        c.Draw();
    const QImage& image = c.Image();
    const int32_t w = std::min<int32_t>(image.width(), c.Width());
    const int32_t h = std::min<int32_t>(image.height(), c.Height());
    int32_t x = c.Left();
    if (c.HAlign() == haRight)
        x = c.Left() + c.Width() - w;
    else if (c.HAlign() == haCenter)
        x = c.Left() + c.Width() / 2 - w / 2;
    int32_t y = c.Top();
    if (c.VAlign() == vaBottom)
        y = c.Top() + c.Height() - h;
    else if (c.VAlign() == vaCenter)
        y = c.Top() + c.Height() / 2 - h / 2;
    if (w > 0 && h > 0) {
        const QImage part = image.copy(0, 0, w, h);
        canvas.drawImage(x, y,
                         c.Transparent() ? WithTransparency(part, c.TransparentColor()) : part);
    }

    if (c.Selected() || ShowBorders) {
        canvas.setBrush(Qt::NoBrush);
        canvas.setPen(QPen(c.Selected() ? QColor(Qt::black) : kUnselectedOutline, 1, Qt::DotLine));
        // From (Left - 1, Top - 1) to (Right + 1, Bottom + 1), right and bottom exclusive.
        canvas.drawRect(QRect(c.Left() - 1, c.Top() - 1, c.Width() + 1, c.Height() + 1));
    }
    if (c.Selected()) {
        const int32_t r = c.Left() + c.Width(), b = c.Top() + c.Height();
        for (const QPoint& p :
             {QPoint(c.Left(), c.Top()), QPoint(r, c.Top()), QPoint(c.Left(), b), QPoint(r, b)})
            canvas.fillRect(QRect(p.x() - 2, p.y() - 2, 4, 4), Qt::black);
    }
}

void TCanvasLabel::RenderBackBuffer() {
    if (m_backBuffer.size() != size())
        m_backBuffer = QImage(size(), QImage::Format_RGB32);
    QPainter p(&m_backBuffer);
    PaintLabel(p);
}

void TCanvasLabel::RepaintControl(TLabelControl* c) {
    if (!c || c->Loading())
        return;
    RenderBackBuffer();
    // Only the old and the new box reach the window: no flicker while dragging.
    update(Grown(c->OldBounds()));
    update(Grown(c->Box()));
}

void TCanvasLabel::paintEvent(QPaintEvent* event) {
    RenderBackBuffer();
    QPainter p(this);
    p.setClipRect(event->rect());
    p.drawImage(0, 0, m_backBuffer);
}

void TCanvasLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_clipRegion = RoundedRegion(3, 3, width() - 1, height() - 1);
}

// --- mouse and keyboard ----------------------------------------------------------------------

void TCanvasLabel::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!Ready) {
        if (OnMouseDownWhileBusy)
            OnMouseDownWhileBusy(pos.x(), pos.y());
        QWidget::mousePressEvent(event);
        return;
    }
    if (event->button() == Qt::LeftButton) {
        SelectAt(pos.x(), pos.y());
        if (m_selection) {
            m_grabOffset = QPoint(pos.x() - m_selection->Left(), pos.y() - m_selection->Top());
            m_dragMode = HandleAt(m_selection->Box(), pos.x(), pos.y());
        }
    } else if (event->button() == Qt::RightButton) {
        SelectAt(pos.x(), pos.y());
        if (m_selection && OnPopupMenu)
            OnPopupMenu(event->globalPosition().toPoint());
    }
    QWidget::mousePressEvent(event);
}

void TCanvasLabel::DragTo(int32_t x, int32_t y) {
    TLabelControl& c = *m_selection;
    const TRect box = c.Box();
    c.SaveOldBounds();
    switch (m_dragMode) {
    case dmMove:
        c.SetBox(
            TRect::FromBox(x - m_grabOffset.x(), y - m_grabOffset.y(), box.Width(), box.Height()),
            true);
        RepaintControl(&c);
        return;
    case dmBottom:
    case dmRight:
    case dmBottomRight: {
        TRect r = box;
        if (m_dragMode != dmBottom)
            r.Right = x;
        if (m_dragMode != dmRight)
            r.Bottom = y;
        c.SetBox(r, false);
        break;
    }
    case dmTop: {
        const int32_t offset = parentWidget() ? pos().y() : 0;
        if (!(y < box.Bottom - c.MinHeight() && y > offset))
            return;
        c.SetBox({box.Left, y, box.Right, box.Bottom}, true);
        break;
    }
    case dmLeft: {
        const int32_t offset = parentWidget() ? pos().x() : 0;
        if (!(x < box.Right - c.MinWidth() && x > offset))
            return;
        c.SetBox({x, box.Top, box.Right, box.Bottom}, true);
        break;
    }
    default:
        return;
    }
    c.Changed(true);
}

void TCanvasLabel::UpdatePointer(int32_t x, int32_t y) {
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (m_selection) {
        switch (HandleAt(m_selection->Box(), x, y)) {
        case dmBottomRight:
            shape = Qt::SizeFDiagCursor;
            break;
        case dmRight:
        case dmLeft:
            shape = Qt::SizeHorCursor;
            break;
        case dmBottom:
        case dmTop:
            shape = Qt::SizeVerCursor;
            break;
        default:
            break;
        }
    }
    if (shape != cursor().shape())
        setCursor(shape);
}

void TCanvasLabel::mouseMoveEvent(QMouseEvent* event) {
    if (Ready) {
        const QPoint pos = event->position().toPoint();
        if (m_dragMode != dmIdle && m_selection)
            DragTo(pos.x(), pos.y());
        else
            UpdatePointer(pos.x(), pos.y());
    }
    QWidget::mouseMoveEvent(event);
}

void TCanvasLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (Ready && event->button() == Qt::LeftButton) {
        if (m_selection)
            m_selection->Changed(true);
        m_dragMode = dmIdle;
    }
    QWidget::mouseReleaseEvent(event);
}

void TCanvasLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (Ready && m_selection && OnControlDblClick)
        OnControlDblClick(m_selection);
    QWidget::mouseDoubleClickEvent(event);
}

void TCanvasLabel::keyPressEvent(QKeyEvent* event) {
    if (!Ready) {
        QWidget::keyPressEvent(event);
        return;
    }
    const auto mods = event->modifiers();
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        SelectNext();
        setFocus(Qt::TabFocusReason);
        return;
    }
    if (!m_selection) {
        QWidget::keyPressEvent(event);
        return;
    }
    TLabelControl& c = *m_selection;
    int dx = 0, dy = 0;
    switch (event->key()) {
    case Qt::Key_Delete:
        DeleteSelected();
        return;
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
        QWidget::keyPressEvent(event);
        return;
    }
    if (!MovesOrResizes(*event))
        return; // plain arrows do nothing
    if (mods & Qt::ShiftModifier) {
        if (dy)
            c.SetBoxHeight(c.Height() + dy);
        else
            c.SetBoxWidth(c.Width() + dx);
    } else if (mods & Qt::ControlModifier) {
        if (dy)
            c.SetTop(c.Top() + dy);
        else
            c.SetLeft(c.Left() + dx);
    }
}

bool TCanvasLabel::MovesOrResizes(const QKeyEvent& event) {
    const int key = event.key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    return arrow && (event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
}

bool TCanvasLabel::focusNextPrevChild(bool) {
    return false;
}
