#pragma once

#include <QWidget>

#include <cstdint>

class QScrollBar;
class QToolButton;
class TCanvasLabel;
class TLabelDocument;
struct TSheetSettings;

// A ruler strip: paints the horizontal or vertical ruler for the label's current offset.
class TRulerBox : public QWidget {
    Q_OBJECT
public:
    TRulerBox(Qt::Orientation orientation, TCanvasLabel& label, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
    TCanvasLabel& m_label;
};

// The design area: the rulers along the top and the left, the "Show top left corner" button
// where they meet, the dark design panel holding the label, and the two scroll bars that move
// the label inside the panel.
class TDesignArea : public QWidget {
    Q_OBJECT
public:
    // Shows document, which outlives the area.
    explicit TDesignArea(TLabelDocument& document, QWidget* parent = nullptr);

    TCanvasLabel& Label() const { return *m_label; }
    QWidget& Panel() const { return *m_panel; }
    QScrollBar& VertScrollBar() const { return *m_vScroll; }
    QScrollBar& HorzScrollBar() const { return *m_hScroll; }
    TRulerBox& HorzRuler() const { return *m_hRuler; }
    TRulerBox& VertRuler() const { return *m_vRuler; }

    // Shows the label at zoom screen pixels per label pixel, keeping the label point under
    // anchor (a position in the panel) where it is, as far as the scroll ranges allow.
    void SetZoom(double zoom, QPoint anchor);
    QPoint PanelCentre() const;

    // Sizes the label from the sheet settings, then the scroll ranges.
    void ApplyLabelSize(const TSheetSettings& sheet);
    // The label can be scrolled until one inch of empty panel shows beyond its far edge.
    void UpdateScrollRanges();
    // Puts the label at the panel's top left without moving the scroll bars.
    void PlaceLabelAtOrigin();
    void RepaintRulers();
    // "Show top left corner": both scroll positions back to 0.
    void ShowTopLeftCorner();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Set while a wheel event the panel passes on is being handled.
    bool m_forwardingWheel = false;
    TCanvasLabel* m_label = nullptr;
    QWidget* m_panel = nullptr;
    QScrollBar* m_vScroll = nullptr;
    QScrollBar* m_hScroll = nullptr;
    TRulerBox* m_hRuler = nullptr;
    TRulerBox* m_vRuler = nullptr;
    QToolButton* m_corner = nullptr;
};
