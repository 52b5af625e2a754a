#pragma once

#include "barcode/BarCanvas.h"

#include <QFont>
#include <QString>

#include <cstdint>

class QPainter;
class QPaintDevice;

// Painting a barcode with a QPainter, in whole device pixels: on the control's work image one
// pixel per module, on a printer page m printer pixels per module.

// Bars as black fillRect calls on integer rectangles, so they land on exact pixel columns of an
// image or a high-resolution PDF page.
class TPainterBarCanvas : public TBarCanvas {
public:
    explicit TPainterBarCanvas(QPainter& painter) : m_painter(painter) {}
    void FillBar(int32_t left, int32_t top, int32_t width, int32_t height) override;

private:
    QPainter& m_painter;
};

// The whole symbol at (x, y): white box (unless transparent), bars with their quiet zones and
// text band, and the interpretation line when interpret is set. m is the module width in device
// pixels, cross the bar length plus the text band. The text takes the face of the painter's
// current font. The painter's state is restored afterwards.
void DrawBarcode(QPainter& painter, int type, int32_t x, int32_t y, int32_t m, int32_t cross,
                 const QString& data, bool interpret, int rotation, bool transparent);

// The interpretation line of a symbol whose box is (x, y, w, h) in device pixels.
void DrawInterpretation(QPainter& painter, int type, int32_t m, int rotation, const QString& data,
                        int32_t x, int32_t y, int32_t w, int32_t h);

// A font of the given face and weight whose line height on the device is cellHeight pixels (the
// largest pixel size that does not exceed it when no size meets it exactly).
QFont InterpretationFont(const QString& family, int32_t cellHeight, int weight,
                         const QPaintDevice* device);
