#pragma once

#include "document/CanvasController.h"
#include "document/LabelDocument.h"
#include "document/LabelPainter.h"

#include <QImage>
#include <QPainterPath>
#include <QWidget>

#include <functional>
#include <memory>

class QKeyEvent;
class QPainter;

// The design surface: shows one label document at true size and lets the user select, move
// and resize its controls with mouse and keyboard. The rules are the document's and the
// controller's; this widget maps events to them and repaints what they announce.
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

    void PaintLabel(QPainter& canvas);
    // Draws the control's old and new box again.
    void RepaintControl(TLabelControl* c);

    // The off-screen copy of the whole label, as last painted.
    const QImage& BackBuffer() const { return m_backBuffer; }
    // The painting clip: a rounded rectangle inside the border.
    const QPainterPath& ClipRegion() const { return m_clipRegion; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The label wants Tab for itself.
    bool focusNextPrevChild(bool next) override;

private:
    void Connect();
    void RenderBackBuffer();
    // The view transform: label pixels to widget pixels. True size today.
    QPoint ToLabel(const QPointF& widget) const { return widget.toPoint(); }

    std::unique_ptr<TLabelDocument> m_ownDocument;
    TLabelDocument& m_document;
    TCanvasController m_controller;
    QImage m_backBuffer;
    QPainterPath m_clipRegion;
};
