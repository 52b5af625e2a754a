#pragma once

#include "barcode/Matrix2D.h"
#include "barcode/MatrixGeometry.h"
#include "barcode/MatrixText.h"
#include "barcode/PrnBarcode.h"
#include "document/SvgPicture.h"
#include "document/TextRendering.h"
#include "document/lblobjs.h"
#include "merge/ImportRecord.h"

#include <QFont>
#include <QRect>

#include <cstdint>

class QPainter;
class QPaintDevice;

// Each kind of control drawn on a page at printer resolution, its box's corner at (x, y) and its
// size w x h in printer pixels. Drawing is confined to clip; the clip is only set on the page
// when the control would reach beyond it, since each clip change costs a saved state in a PDF.
struct TPrintBox {
    int32_t x, y, w, h;
    QRect clip;
};

// The scale of one screen pixel on the page.
struct TPrintScale {
    double X = 1; // printer pixels per screen pixel, horizontally
    double Y = 1;
    int32_t PrinterX = 600; // printer resolution
    int32_t PrinterY = 600;
};

void PrintBarcodeControl(QPainter& p, const TLabelControl& c, const QString& text,
                         const TPrintBox& box, const TPrintScale& s);
void PrintTextControl(QPainter& p, const TLabelControl& c, const QString& text,
                      const TPrintBox& box, const TPrintScale& s);
void PrintMemoControl(QPainter& p, const TLabelControl& c, const QString& text,
                      const TPrintBox& box, const TPrintScale& s);
void PrintShapeControl(QPainter& p, const TLabelControl& c, const TPrintBox& box,
                       const TPrintScale& s);
void PrintImageControl(QPainter& p, const TLabelControl& c, const TPrintBox& box);
// The image control drawn with another picture than its own: vectors when there are any, else
// the pixels; nothing for a null picture.
void PrintImagePicture(QPainter& p, const TLabelControl& c, const QImage& picture,
                       const TSvgPicture& vectors, const TPrintBox& box);

// What the page adds to each kind of control: how it is drawn (text is the evaluated text for the
// kinds that carry one, empty for the rest) and how a problem found in it names it.
struct TKindPrinter {
    TControlKind Kind;
    void (*Print)(QPainter& p, const TLabelControl& c, const QString& text, const TPrintBox& box,
                  const TPrintScale& s);
    const char* ProblemName; // nullptr for the kinds that have no text to check
};
// nullptr for the base kind, which is never printed.
const TKindPrinter* KindPrinter(TControlKind kind);

// Where a barcode control's symbol lands in its box: what PrintBarcodeControl draws for the
// normalised data.
struct TBarcodePlacement {
    TBarcodeType type = btCode128;
    QString data;
    int32_t m = 1; // module width in printer pixels
    int32_t x = 0; // the symbol's corner
    int32_t y = 0;
    int32_t cross = 0; // bar length plus the text band
    TSymbolGeometry geometry;
};
TBarcodePlacement PlaceBarcode(const TLabelControl& c, const QString& data, const TPrintBox& box,
                               const TPrintScale& s);

// Where a two-dimensional symbol and the lines of its text land in the box: what
// PrintBarcodeControl draws. Nothing is placed when the encoding is not valid. device gives the
// text's metrics (nullptr: the screen's).
struct TMatrixPlacement {
    TMatrixEncoding encoding;
    TMatrixText text;
    TMatrixGeometry geometry;
    QFont font;
};
TMatrixPlacement PlaceMatrix(const TLabelControl& c, const QString& text, const TPrintBox& box,
                             const TPrintScale& s, const QPaintDevice* device);

// Where a text control's one line, and a formatted text's wrapped lines, land in the box.
struct TTextCell {
    QRect rect;   // on the page
    QSize extent; // of the line before rotation
};
// font is the one PrintedTextFont gives; device the page's (nullptr: the screen's metrics).
TTextCell TextCell(const TLabelControl& c, const QFont& font, const QString& text,
                   const TPrintBox& box, QPaintDevice* device);
QRect MemoTextRect(const TLabelControl& c, const QFont& font, const QString& text,
                   const TPrintBox& box);
// The font a text or formatted text control prints text in: its PrinterFont, shrunk into the
// box when the control shrinks text to fit (fits is false when even the smallest size is cut).
// device as for TextCell.
TFittedFont PrintedTextFont(const TLabelControl& c, const QString& text, const TPrintBox& box,
                            const TPrintScale& s, const QPaintDevice* device);
int MemoAlignment(const TLabelControl& c);

// The control's font for the page: its screen pixel height scaled to the printer.
QFont PrinterFont(const QFont& font, const TPrintScale& s);
// Module width in printer pixels for a barcode control.
int32_t PrintModuleWidth(double mils, bool autoScale, TBarcodeType type, int32_t resolution);
