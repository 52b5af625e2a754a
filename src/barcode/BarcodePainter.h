#pragma once

#include "barcode/BarCanvas.h"
#include "barcode/BarcodeTypes.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;
class QPaintDevice;

// Painting a barcode with a QPainter, in whole device pixels: on the control's work image one
// pixel per module, on a printer page m printer pixels per module.

// Bars as black rectangles on integer coordinates, so they land on exact pixel columns of an
// image or a high-resolution PDF page. They are collected and painted in one call when the
// canvas is flushed (at the latest when it goes): a PDF then holds one fill for the whole symbol
// instead of a colour and state change per bar.
class TPainterBarCanvas : public TBarCanvas {
public:
    explicit TPainterBarCanvas(QPainter& painter) : m_painter(painter) {}
    ~TPainterBarCanvas() override { Flush(); }
    void FillBar(int32_t left, int32_t top, int32_t width, int32_t height) override;
    void Flush();

private:
    QPainter& m_painter;
    std::vector<QRect> m_bars;
};

// The whole symbol at (x, y): white box (unless transparent), bars with their quiet zones and
// text band, and the interpretation line when interpret is set. m is the module width in device
// pixels, cross the bar length plus the text band. The text takes the face of the painter's
// current font. The painter's state is restored afterwards.
void DrawBarcode(QPainter& painter, TBarcodeType type, int32_t x, int32_t y, int32_t m,
                 int32_t cross, const QString& data, bool interpret, int rotation,
                 bool transparent);

// The interpretation line of a symbol whose box is (x, y, w, h) in device pixels.
void DrawInterpretation(QPainter& painter, TBarcodeType type, int32_t m, int rotation,
                        const QString& data, int32_t x, int32_t y, int32_t w, int32_t h);

// A font of the given face and weight whose line height on the device is cellHeight pixels (the
// largest pixel size that does not exceed it when no size meets it exactly).
QFont InterpretationFont(const QString& family, int32_t cellHeight, int weight,
                         const QPaintDevice* device);
