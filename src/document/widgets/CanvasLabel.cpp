#include "document/widgets/CanvasLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

TCanvasLabel::TCanvasLabel(TLabelDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_controller(document) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(m_document.LabelWidth(), m_document.LabelHeight());
    m_clipRegion = LabelClipRegion(width(), height());
    Connect();
}

TCanvasLabel::TCanvasLabel(QWidget* parent) : TCanvasLabel(*new TLabelDocument, parent) {
    m_ownDocument.reset(&m_document);
}

// The document may already be gone (a window deletes its children after its own members);
// Qt has then cut the connections, and nothing here touches it.
TCanvasLabel::~TCanvasLabel() = default;

void TCanvasLabel::Connect() {
    connect(&m_document, &TLabelDocument::ControlChanged, this, &TCanvasLabel::RepaintControl);
    connect(&m_document, &TLabelDocument::RepaintNeeded, this, qOverload<>(&QWidget::update));
    connect(&m_document, &TLabelDocument::LabelResized, this,
            [this] { resize(m_document.LabelWidth(), m_document.LabelHeight()); });
    connect(&m_document, &TLabelDocument::ControlRemoved, this, [this] {
        m_controller.CancelDrag();
        unsetCursor();
    });
}

// --- painting --------------------------------------------------------------------------------

void TCanvasLabel::PaintLabel(QPainter& canvas) {
    TLabelPaintOptions options;
    options.ShowBorders = ShowBorders;
    options.MetricGrid = MetricGrid;
    options.Background = palette().window().color();
    options.HasProblem = HasProblem;
    ::PaintLabel(canvas, m_document, options, m_clipRegion);
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
    const TRect old = c->OldBounds(), now = c->Box();
    update(ControlPaintArea(old.Left, old.Top, old.Width(), old.Height()));
    update(ControlPaintArea(now.Left, now.Top, now.Width(), now.Height()));
}

void TCanvasLabel::paintEvent(QPaintEvent* event) {
    RenderBackBuffer();
    QPainter p(this);
    p.setClipRect(event->rect());
    p.drawImage(0, 0, m_backBuffer);
}

void TCanvasLabel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_clipRegion = LabelClipRegion(width(), height());
}

// --- mouse and keyboard ----------------------------------------------------------------------

void TCanvasLabel::mousePressEvent(QMouseEvent* event) {
    const QPoint p = ToLabel(event->position());
    const bool selects = event->button() == Qt::LeftButton || event->button() == Qt::RightButton;
    if (m_controller.Ready && selects && !hasFocus())
        setFocus(Qt::MouseFocusReason);
    m_controller.EdgeLimit = parentWidget() ? pos() : QPoint();
    switch (m_controller.Press(p, event->button(), event->modifiers())) {
    case TCanvasController::TPress::AddTool:
        if (OnMouseDownWhileBusy)
            OnMouseDownWhileBusy(p.x(), p.y());
        break;
    case TCanvasController::TPress::PopupMenu:
        if (OnPopupMenu)
            OnPopupMenu(event->globalPosition().toPoint());
        break;
    case TCanvasController::TPress::None:
        break;
    }
    QWidget::mousePressEvent(event);
}

void TCanvasLabel::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = ToLabel(event->position());
    if (m_controller.Ready && !m_controller.Move(p, event->modifiers())) {
        const Qt::CursorShape shape = m_controller.PointerShape(p);
        if (shape != cursor().shape())
            setCursor(shape);
    }
    QWidget::mouseMoveEvent(event);
}

void TCanvasLabel::mouseReleaseEvent(QMouseEvent* event) {
    m_controller.Release(event->button());
    QWidget::mouseReleaseEvent(event);
}

void TCanvasLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (TLabelControl* c = m_controller.DoubleClick(); c && OnControlDblClick)
        OnControlDblClick(c);
    QWidget::mouseDoubleClickEvent(event);
}

void TCanvasLabel::keyPressEvent(QKeyEvent* event) {
    switch (m_controller.Key(event->key(), event->modifiers())) {
    case TCanvasController::TKey::Tabbed:
        setFocus(Qt::TabFocusReason);
        return;
    case TCanvasController::TKey::Handled:
        return;
    case TCanvasController::TKey::Ignored:
        QWidget::keyPressEvent(event);
        return;
    }
}

bool TCanvasLabel::focusNextPrevChild(bool) {
    return false;
}
