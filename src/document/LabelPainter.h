#pragma once

#include "document/lblobjs.h"

#include <QColor>
#include <QImage>
#include <QLine>
#include <QPainterPath>
#include <QRect>
#include <QRegion>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

class QPainter;
class TLabelDocument;

// The controls' pictures at one zoom, ready to copy to the screen: drawn once and kept until the
// control draws itself again (its image changes) or the zoom changes.
class TZoomedPictures {
public:
    // c's picture at zoom, its transparent colour cleared when c is transparent. c must be drawn.
    const QImage& Picture(const TLabelControl& c, double zoom);
    // The dotted outline of a rectangle of size (drawn as QPainter draws QRect(0, 0, w, h)
    // with a dotted pen), for copying in pieces.
    const QImage& Outline(const QSize& size, const QColor& colour);
    // Drops the pictures of controls that are no longer in controls.
    void Keep(const TControlList& controls);
    void Clear() {
        m_entries.clear();
        m_outlines.clear();
    }
    size_t Size() const { return m_entries.size(); }

private:
    struct TEntry {
        qint64 Source = 0;
        double Zoom = 0;
        bool Transparent = false;
        QRgb Key = 0;
        QImage Picture;
    };
    std::unordered_map<const TLabelControl*, TEntry> m_entries;
    std::unordered_map<quint64, QImage> m_outlines;
};

// How the design surface shows a label beyond what is saved with it.
struct TLabelPaintOptions {
    bool ShowBorders = false;          // outline every control, not only the selected one
    bool MetricGrid = false;           // grid lines every half centimetre instead of quarter inch
    QColor Background = Qt::lightGray; // around the label's rounded corners
    // Whether the paper would cut what the control shows (outlined in red); none when unset.
    std::function<bool(const TLabelControl&)> HasProblem;
    // Screen pixels per label pixel.
    double Zoom = 1;
    // The screen area to paint; everything when empty. Controls outside it are skipped.
    QRegion Area;
    // Where the zoomed pictures are kept between paints; drawn afresh each time when unset.
    TZoomedPictures* Pictures = nullptr;
    // A rubber band being drawn and the guides of a snap, in label pixels.
    QRect RubberBand;
    std::vector<QLine> Guides;
};

// The painting clip of a label of this size in screen pixels: a rounded rectangle inside the
// border.
QPainterPath LabelClipRegion(int32_t width, int32_t height);

// Draws the label at options.Zoom, origin at its top-left corner: the white rounded label, the
// grid when the document shows it, every control in stacking order with its selection marks,
// then the rubber band and the guides. Controls whose picture is out of date are drawn again
// first. At zoom 1 this is the label at true size.
void PaintLabel(QPainter& canvas, const TLabelDocument& document, const TLabelPaintOptions& options,
                const QPainterPath& clip);

// The area a control's picture, outline and handles cover: what must be drawn again when it
// changes.
QRect ControlPaintArea(int32_t left, int32_t top, int32_t width, int32_t height);
// The same on screen for a label box at zoom: the handles keep their screen size.
QRect ControlPaintArea(const TRect& box, double zoom);
// The screen area the rubber band and the guides cover at zoom.
QRect OverlayPaintArea(const QRect& rubberBand, const std::vector<QLine>& guides, double zoom);
