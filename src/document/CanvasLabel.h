#pragma once

#include "document/LabelGeometry.h"
#include "document/lblobjs.h"

#include <QImage>
#include <QPainterPath>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QPainter;

// One label on screen at true size: owns the controls placed on it, paints them, and lets the
// user select, move and resize them with mouse and keyboard.
class TCanvasLabel : public QWidget {
    Q_OBJECT
public:
    explicit TCanvasLabel(QWidget* parent = nullptr);
    ~TCanvasLabel() override;

    // Display flags.
    bool ShowGrid = true;
    bool Ready = true;
    bool ShowBorders = false;
    bool AutoBringToFront = true;
    bool MetricGrid = false;

    // Events.
    std::function<void(TLabelControl*)> OnSelect;
    std::function<void(TLabelControl*)> OnControlDblClick;
    // Right click on a control: the editor opens its pop-up menu at this screen position.
    std::function<void(const QPoint&)> OnPopupMenu;
    // Mouse press while Ready is clear (an add tool is active): label coordinates.
    std::function<void(int32_t x, int32_t y)> OnMouseDownWhileBusy;
    // Any change to what would be saved: a control's properties, box or text, a control added,
    // deleted or restacked. Selecting alone is not an edit. Controls still loading raise nothing.
    std::function<void()> OnEdited;

    // The label's size in pixels (sizes the window too).
    void SetLabelSize(int32_t width, int32_t height);
    int32_t LabelWidth() const { return width(); }
    int32_t LabelHeight() const { return height(); }

    const TControlList& Controls() const { return m_controls; }
    TLabelControl* Selection() const { return m_selection; }
    TDragMode DragMode() const { return m_dragMode; }

    void AddControl(std::unique_ptr<TLabelControl> c);
    // Takes over a whole list built elsewhere (a file read into new objects), replacing the
    // current controls only now that the list is complete.
    void ReplaceControls(TControlList controls);
    void ClearControls();
    void DeleteSelected();
    void BringToFront();
    void SendToBack();
    void SelectNext();
    void SelectAt(int32_t x, int32_t y);
    // Clears every selection mark and selects nothing (OnSelect is raised).
    void SelectNone();
    void PaintLabel(QPainter& canvas);
    void RepaintControl(TLabelControl* c);
    void FitControls();
    std::unique_ptr<TLabelControl> CloneControl() const;

    // The keys that move (Ctrl with an arrow) or resize (Shift with an arrow) the selection.
    static bool MovesOrResizes(const QKeyEvent& event);

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
    void SetSelection(TLabelControl* c, bool notify = true);
    void DeselectAll();
    void RenderBackBuffer();
    void PaintControl(QPainter& canvas, TLabelControl& c);
    void UpdatePointer(int32_t x, int32_t y);
    void DragTo(int32_t x, int32_t y);
    void Adopt(TLabelControl& c);
    TRect LabelArea() const;
    void RaiseEdited() {
        if (OnEdited)
            OnEdited();
    }

    TControlList m_controls;
    TLabelControl* m_selection = nullptr;
    TDragMode m_dragMode = dmIdle;
    QPoint m_grabOffset;
    QImage m_backBuffer;
    QPainterPath m_clipRegion;
};
