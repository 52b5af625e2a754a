#pragma once

#include "document/CanvasController.h"
#include "document/LabelDocument.h"
#include "document/LabelPainter.h"

#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <QWidget>

#include <functional>
#include <memory>

class QKeyEvent;
class QPainter;

// The design surface: shows one label document at a zoom (true size at 1) and lets the user
// select, move and resize its controls with mouse and keyboard. The rules are the document's
// and the controller's, in label pixels; this widget maps events to them and repaints what they
// announce, only where something changed.
class TCanvasLabel : public QWidget {
    Q_OBJECT
public:
    // Shows document, which outlives the view.
    explicit TCanvasLabel(TLabelDocument& document, QWidget* parent = nullptr);
    // Shows a document of its own.
    explicit TCanvasLabel(QWidget* parent = nullptr);
    ~TCanvasLabel() override;

    TLabelDocument& Document() const { return m_document; }
    TCanvasController& Controller() { return m_controller; }

    // Display flags beyond the document's own.
    bool ShowBorders = false;
    bool MetricGrid = false;
    // Whether the paper would cut what a control shows: such controls are outlined in red.
    std::function<bool(const TLabelControl&)> HasProblem;

    // Events.
    std::function<void(TLabelControl*)> OnControlDblClick;
    // Right click on a control: the editor opens its pop-up menu at this screen position.
    std::function<void(const QPoint&)> OnPopupMenu;
    // Mouse press while an add tool is active: label coordinates.
    std::function<void(int32_t x, int32_t y)> OnMouseDownWhileBusy;
    // The wheel turned with Ctrl held over widget position at: steps up (positive) or down.
    std::function<void(int steps, const QPoint& at)> OnZoomWheel;

    // Screen pixels per label pixel; the widget is the label's size times the zoom.
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    // The label pixel under a widget position, and the widget rectangle of a label box.
    QPoint ToLabel(const QPointF& widget) const;
    QRect ToWidget(const TRect& box) const;
    // The widget size of the label at the current zoom.
    QSize ZoomedSize() const;

    // Paints the whole label at the current zoom, origin at the widget's top left.
    void PaintLabel(QPainter& canvas);
    // Draws the control's old and new box again.
    void RepaintControl(TLabelControl* c);
    // Draws again where the rubber band and the guides were and are now.
    void RepaintOverlay();

    // The whole label as it is painted now.
    QImage BackBuffer();
    // The painting clip: a rounded rectangle inside the border.
    const QPainterPath& ClipRegion() const { return m_clipRegion; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The label wants Tab for itself.
    bool focusNextPrevChild(bool next) override;

private:
    void Connect();
    void FollowLabelSize();
    TLabelPaintOptions PaintOptions(const QRegion& area);

    std::unique_ptr<TLabelDocument> m_ownDocument;
    TLabelDocument& m_document;
    TCanvasController m_controller;
    double m_zoom = 1;
    // What the wheel turned short of a whole step.
    int m_wheelRest = 0;
    TZoomedPictures m_pictures;
    // The screen area the rubber band and the guides covered when last painted.
    QRect m_overlayArea;
    QPainterPath m_clipRegion;
};
