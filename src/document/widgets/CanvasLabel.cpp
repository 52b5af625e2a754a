#include "document/widgets/CanvasLabel.h"

#include "document/LabelGeometry.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

TCanvasLabel::TCanvasLabel(TLabelDocument& document, QWidget* parent)
    : QWidget(parent), m_document(document), m_controller(document) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(ZoomedSize());
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
    connect(&m_document, &TLabelDocument::LabelResized, this, &TCanvasLabel::FollowLabelSize);
    connect(&m_document, &TLabelDocument::ControlRemoved, this, [this] {
        m_controller.CancelDrag();
        unsetCursor();
        m_pictures.Keep(m_document.Controls());
    });
    connect(&m_document, &TLabelDocument::ControlsReplaced, this,
            [this] { m_pictures.Keep(m_document.Controls()); });
}

// --- zoom ------------------------------------------------------------------------------------

void TCanvasLabel::SetZoom(double zoom) {
    if (zoom <= 0 || zoom == m_zoom)
        return;
    m_zoom = zoom;
    m_controller.Zoom = zoom;
    // The pictures of the old zoom are of no further use.
    m_pictures.Clear();
    FollowLabelSize();
    update();
}

void TCanvasLabel::FollowLabelSize() {
    resize(ZoomedSize());
    // Painting may come before the resize event reaches a hidden widget.
    m_clipRegion = LabelClipRegion(width(), height());
}

QSize TCanvasLabel::ZoomedSize() const {
    return QSize(ZoomedEdge(m_document.LabelWidth(), m_zoom),
                 ZoomedEdge(m_document.LabelHeight(), m_zoom));
}

QPoint TCanvasLabel::ToLabel(const QPointF& widget) const {
    return LabelPointAt(widget, m_zoom);
}

QRect TCanvasLabel::ToWidget(const TRect& box) const {
    return ZoomedBox(box, m_zoom);
}

// --- painting --------------------------------------------------------------------------------

TLabelPaintOptions TCanvasLabel::PaintOptions(const QRegion& area) {
    TLabelPaintOptions options;
    options.ShowBorders = ShowBorders;
    options.MetricGrid = MetricGrid;
    options.Background = palette().window().color();
    options.HasProblem = HasProblem;
    options.Zoom = m_zoom;
    options.Area = area;
    options.Pictures = &m_pictures;
    options.RubberBand = m_controller.RubberBand();
    options.Guides = m_controller.Guides();
    return options;
}

void TCanvasLabel::PaintLabel(QPainter& canvas) {
    ::PaintLabel(canvas, m_document, PaintOptions(QRect(QPoint(0, 0), ZoomedSize())), m_clipRegion);
}

QImage TCanvasLabel::BackBuffer() {
    QImage image(size(), QImage::Format_RGB32);
    QPainter p(&image);
    PaintLabel(p);
    return image;
}

void TCanvasLabel::RepaintControl(TLabelControl* c) {
    if (!c || c->Loading())
        return;
    // Only the old and the new box are painted again, and only what of them shows.
    update(ControlPaintArea(c->OldBounds(), m_zoom));
    update(ControlPaintArea(c->Box(), m_zoom));
}

void TCanvasLabel::RepaintOverlay() {
    const QRect now = OverlayPaintArea(m_controller.RubberBand(), m_controller.Guides(), m_zoom);
    if (now == m_overlayArea && now.isEmpty())
        return;
    update(m_overlayArea);
    update(now);
    m_overlayArea = now;
}

void TCanvasLabel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    ::PaintLabel(p, m_document, PaintOptions(event->region()), m_clipRegion);
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
    m_controller.EdgeLimit = parentWidget() ? ToLabel(pos()) : QPoint();
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
    RepaintOverlay();
    QWidget::mouseMoveEvent(event);
}

void TCanvasLabel::mouseReleaseEvent(QMouseEvent* event) {
    m_controller.Release(event->button());
    RepaintOverlay();
    QWidget::mouseReleaseEvent(event);
}

void TCanvasLabel::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || !OnZoomWheel) {
        QWidget::wheelEvent(event);
        return;
    }
    // A notch of a wheel is 120; smooth wheels and touch pads send less at a time, which adds
    // up to a step.
    m_wheelRest += event->angleDelta().y();
    const int steps = m_wheelRest / 120;
    m_wheelRest %= 120;
    if (steps != 0)
        OnZoomWheel(steps, event->position().toPoint());
    event->accept();
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
