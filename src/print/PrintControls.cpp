#include "print/PrintControls.h"

#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodePainter.h"
#include "barcode/MatrixPainter.h"
#include "barcode/MatrixPicture.h"
#include "barcode/PrnBarcode.h"
#include "document/Fonts.h"
#include "document/GraphicLabel.h"
#include "document/KindRegistry.h"
#include "document/ShapeLabel.h"
#include "document/TextRendering.h"
#include "platform/Rounding.h"
#include "platform/Screen.h"
#include "platform/Units.h"
#include "print/PreflightTexts.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>

#include <iterator>

namespace {
// Sets the control's clip for its drawing when what it paints would pass the clip.
class TClipScope {
public:
    TClipScope(QPainter& p, const QRect& clip, const QRect& painted) : m_painter(p) {
        if (clip.contains(painted))
            return;
        p.save();
        p.setClipRect(clip);
        m_saved = true;
    }
    ~TClipScope() {
        if (m_saved)
            m_painter.restore();
    }
    TClipScope(const TClipScope&) = delete;
    TClipScope& operator=(const TClipScope&) = delete;

private:
    QPainter& m_painter;
    bool m_saved = false;
};

// Where something w x h lands in the box by the control's alignment: right or centred
// horizontally, bottom or centred vertically, otherwise at the box's corner.
QPoint Aligned(const TLabelControl& c, const TPrintBox& box, int32_t w, int32_t h) {
    int32_t x = box.x, y = box.y;
    if (c.HAlign() == haRight)
        x += box.w - w;
    else if (c.HAlign() == haCenter)
        x += box.w / 2 - w / 2;
    if (c.VAlign() == vaBottom)
        y += box.h - h;
    else if (c.VAlign() == vaCenter)
        y += box.h / 2 - h / 2;
    return QPoint(x, y);
}

// Room for glyphs that reach past their advance (italics, accents).
QRect WithInk(const QRect& r, const QFont& font) {
    const int pad = std::max(2, font.pixelSize() / 3);
    return r.adjusted(-pad, -pad, pad, pad);
}
} // namespace

QFont PrinterFont(const QFont& font, const TPrintScale& s) {
    const QFont screen = FontForResolution(font, ScreenPixelsPerInchY());
    QFont f = font;
    f.setPixelSize(std::max(1, RoundHalfEven(screen.pixelSize() * s.Y)));
    return f;
}

int32_t PrintModuleWidth(double mils, bool autoScale, TBarcodeType type, int32_t resolution) {
    if (autoScale) {
        const TBarcodeTypeInfo* info = BarcodeTypeInfo(type);
        mils = info ? info->standardMils : 10.0;
    }
    return DeviceModuleWidth(mils, resolution);
}

TMatrixPlacement PlaceMatrix(const TLabelControl& c, const QString& text, const TPrintBox& box,
                             const TPrintScale& s, const QPaintDevice* device) {
    const auto& bc = static_cast<const TBarcodeLabel&>(c);
    const TBarcodeType type = bc.BarcodeType();
    TMatrixPlacement at;
    at.encoding = EncodeMatrix(type, text, bc.MatrixOptions());
    if (!at.encoding.Valid())
        return at;
    const TModuleMatrix& matrix = at.encoding.matrix;
    const int rotation = bc.Rotation();
    at.font = PrinterFont(bc.Font(), s);
    // the text wraps into the box's width along the symbol, as on the screen
    at.text = LayoutMatrixText(type, text, at.font, device, IsVertical(rotation) ? box.h : box.w,
                               bc.Interpret());
    const int32_t band = at.text.Depth();
    const int32_t textWidth = std::min(at.text.width, at.text.room);
    const int32_t m =
        bc.AutoScale()
            ? FittingModule(matrix, box.w, box.h, band, rotation)
            : std::max(1, RoundHalfEven(bc.NarrowBarWidth() *
                                        (IsVertical(rotation) ? s.PrinterY : s.PrinterX) /
                                        MilsPerInch));
    const TMatrixGeometry size = MatrixGeometry(matrix, 0, 0, m, band, rotation, textWidth);
    const QPoint corner = Aligned(bc, box, size.box.width(), size.box.height());
    at.geometry = MatrixGeometry(matrix, corner.x(), corner.y(), m, band, rotation, textWidth);
    return at;
}

namespace {
// A two-dimensional symbol on paper: whole printer pixels per module, nothing at all for data
// the symbology cannot carry. On a PDF page the modules go as one 1-bit picture where it stays
// sharp: a rectangle per run of dark modules made the page content, and compressing it, the
// bulk of a label.
void PrintMatrixControl(QPainter& p, const TBarcodeLabel& bc, const QString& text,
                        const TPrintBox& box, const TPrintScale& s) {
    const TMatrixPlacement at = PlaceMatrix(bc, text, box, s, p.device());
    if (!at.encoding.Valid())
        return;
    TClipScope clip(p, box.clip, at.geometry.box);
    const bool pdf = p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Pdf;
    const bool picture = pdf && PictureStaysSharp(at.encoding.matrix, at.geometry.m);
    DrawMatrixBarcode(p, at.encoding.matrix, at.geometry, at.text, at.font, bc.Transparent(),
                      picture ? TModulePaint::Picture : TModulePaint::Rectangles);
}
} // namespace

void PrintBarcodeControl(QPainter& p, const TLabelControl& c, const QString& text,
                         const TPrintBox& box, const TPrintScale& s) {
    const auto& bc = static_cast<const TBarcodeLabel&>(c);
    const TBarcodeType type = bc.BarcodeType();
    if (IsMatrixBarcodeType(type)) {
        PrintMatrixControl(p, bc, text, box, s);
        return;
    }
    const TBarcodePlacement at =
        PlaceBarcode(c, NormalizeBarcodeData(bc.BarcodeType(), text), box, s);
    TClipScope clip(p, box.clip, at.geometry.box);
    // The interpretation line is always black on paper, in the control's face.
    QFont face(c.Font().family());
    p.setFont(face);
    DrawBarcode(p, at.type, at.x, at.y, at.m, at.cross, at.data, bc.Interpret(), c.Rotation(),
                c.Transparent());
}

TBarcodePlacement PlaceBarcode(const TLabelControl& c, const QString& data, const TPrintBox& box,
                               const TPrintScale& s) {
    const auto& bc = static_cast<const TBarcodeLabel&>(c);
    TBarcodePlacement at;
    at.type = bc.BarcodeType();
    at.data = data;
    const bool vertical = c.Rotation() % 2 == 1;
    at.m = PrintModuleWidth(bc.NarrowBarWidth(), bc.AutoScale(), at.type,
                            vertical ? s.PrinterY : s.PrinterX);
    const int32_t length = SymbolExtent(at.type, data, at.m);
    at.cross = vertical ? box.w : box.h;
    const int32_t xExtent = vertical ? box.w : length;
    const int32_t yExtent = vertical ? length : box.h;
    const QPoint corner = Aligned(c, box, xExtent, yExtent);
    at.x = corner.x();
    at.y = corner.y();
    at.geometry =
        SymbolGeometry(at.type, at.x, at.y, at.m, at.cross, data, bc.Interpret(), c.Rotation());
    return at;
}

void PrintTextControl(QPainter& p, const TLabelControl& c, const QString& text,
                      const TPrintBox& box, const TPrintScale& s) {
    const QFont font = PrintedTextFont(c, text, box, s, p.device()).font;
    const TTextCell t = TextCell(c, font, text, box, p.device());
    const QRect& cellRect = t.rect;
    const QSize cell = cellRect.size();
    const QSize& extent = t.extent;
    TClipScope clip(p, box.clip, WithInk(cellRect, font));
    if (!c.Transparent())
        p.fillRect(cellRect, Qt::white); // what opaque text paints
    const QTransform base = p.transform();
    p.translate(cellRect.topLeft());
    DrawRotatedText(p, font, ToQColor(c.FontColor()), text, c.Rotation(), cell, extent);
    p.setTransform(base);
}

TTextCell TextCell(const TLabelControl& c, const QFont& font, const QString& text,
                   const TPrintBox& box, QPaintDevice* device) {
    const QFontMetrics fm(font, device);
    TTextCell t;
    t.extent = TextExtent(fm, text);
    const QSize cell = c.Rotation() % 2 == 1 ? t.extent.transposed() : t.extent;
    t.rect = QRect(Aligned(c, box, cell.width(), cell.height()), cell);
    return t;
}

TFittedFont PrintedTextFont(const TLabelControl& c, const QString& text, const TPrintBox& box,
                            const TPrintScale& s, const QPaintDevice* device) {
    const QFont font = PrinterFont(c.Font(), s);
    if (!c.ShrinkToFit() || c.AutoSize())
        return {font, true};
    // Formatted text wraps into the box's width; one line lies along the box as it is turned.
    const bool wrapped = KindTraits(c.Kind()).MultiLine;
    const bool across = !wrapped && c.Rotation() % 2 == 1;
    return FitTextFont(font, text, across ? QSize(box.h, box.w) : QSize(box.w, box.h), wrapped,
                       s.PrinterY, device);
}

void PrintMemoControl(QPainter& p, const TLabelControl& c, const QString& text,
                      const TPrintBox& box, const TPrintScale& s) {
    const QFont font = PrintedTextFont(c, text, box, s, nullptr).font;
    const int align = MemoAlignment(c);
    const QRect rect = MemoTextRect(c, font, text, box);
    TClipScope clip(p, box.clip, WithInk(rect, font));
    if (!c.Transparent())
        p.fillRect(rect, Qt::white);
    DrawWrappedText(p, font, ToQColor(c.FontColor()), text, rect, align);
}

int MemoAlignment(const TLabelControl& c) {
    return c.HAlign() == haLeft ? 0 : c.HAlign() == haCenter ? 2 : 1;
}

QRect MemoTextRect(const TLabelControl& c, const QFont& font, const QString& text,
                   const TPrintBox& box) {
    const QSize size = WrappedTextExtent(font, text, box.w, MemoAlignment(c));
    const int32_t rw = size.width(), rh = size.height();
    int32_t left = box.x, right = box.x + rw, top = box.y, bottom = box.y + rh;
    if (c.HAlign() == haRight) {
        right = box.x + box.w;
        left = right - rw;
    } else if (c.HAlign() == haCenter) {
        left = box.x + RoundHalfEven(box.w / 2.0 - rw / 2.0);
        right = box.x + RoundHalfEven(box.w / 2.0 + rw / 2.0);
    }
    if (c.VAlign() == vaBottom) {
        top = box.y + box.h - rh;
        bottom = box.y + box.h;
    } else if (c.VAlign() == vaCenter) {
        top = box.y + box.h / 2 - rh / 2;
        bottom = box.y + box.h / 2 + rh / 2;
    }
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void PrintShapeControl(QPainter& p, const TLabelControl& c, const TPrintBox& b,
                       const TPrintScale& s) {
    const auto& shape = static_cast<const TShapeLabel&>(c);
    const TShapeOutline outline = PaperOutline(shape.PenWidth(), s.X, s.Y);
    const int32_t pw = outline.Pen;
    const QRect box(b.x, b.y, b.w, b.h);
    TClipScope clip(p, b.clip, box.adjusted(-pw, -pw, pw, pw));
    PaintShape(p,
               {shape.ShapeFormat(), shape.PenWidth(), shape.PenColor(), shape.BrushStyle(),
                shape.BrushColor(), c.HAlign(), c.VAlign()},
               box, outline);
}

namespace {
// A picture in the image control's box, in its proportions when the control keeps them.
void DrawImageIn(QPainter& p, const TLabelControl& c, const QImage& picture,
                 const TSvgPicture& vectors, const QSize& natural, const TPrintBox& b) {
    const auto& g = static_cast<const TGraphicLabel&>(c);
    const int32_t pw = natural.width(), ph = natural.height();
    int32_t iw = b.w, ih = b.h;
    if (g.KeepAspect() && pw > 0 && ph > 0) {
        if (double(b.h) / ph >= double(b.w) / pw)
            ih = RoundHalfEven(double(b.w) * ph / pw);
        else
            iw = RoundHalfEven(double(b.h) * pw / ph);
    }
    const QRect target(Aligned(c, b, iw, ih), QSize(iw, ih));
    TClipScope clip(p, b.clip, target);
    if (!vectors.IsNull()) {
        // Vectors stay vectors on paper, at the printer's resolution.
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        DrawSvg(p, vectors, QRectF(target));
        p.restore();
        return;
    }
    // The same QImage every label: the PDF embeds it once and refers to it afterwards.
    p.setRenderHint(QPainter::LosslessImageRendering, true);
    p.drawImage(target, picture);
}
} // namespace

void PrintImageControl(QPainter& p, const TLabelControl& c, const TPrintBox& b) {
    const auto& g = static_cast<const TGraphicLabel&>(c);
    DrawImageIn(p, c, g.Picture(), g.Vectors(), g.NaturalSize(), b);
}

void PrintImagePicture(QPainter& p, const TLabelControl& c, const QImage& picture,
                       const TSvgPicture& vectors, const TPrintBox& b) {
    if (!vectors.IsNull())
        DrawImageIn(p, c, picture, vectors, vectors.NaturalSize, b);
    else if (!picture.isNull())
        DrawImageIn(p, c, picture, vectors, picture.size(), b);
}

namespace {
constexpr TKindPrinter kPrinters[] = {
    {ckBarcode, PrintBarcodeControl, PreflightText::Barcode},
    {ckText, PrintTextControl, PreflightText::Text},
    {ckMemo, PrintMemoControl, PreflightText::Memo},
    {ckShape,
     [](QPainter& p, const TLabelControl& c, const QString&, const TPrintBox& b,
        const TPrintScale& s) { PrintShapeControl(p, c, b, s); },
     nullptr},
    {ckGraphic,
     [](QPainter& p, const TLabelControl& c, const QString&, const TPrintBox& b,
        const TPrintScale&) { PrintImageControl(p, c, b); },
     PreflightText::Image},
};
static_assert(CoversEveryKind(kPrinters), "one entry per storable kind, in kind order");
} // namespace

const TKindPrinter* KindPrinter(TControlKind kind) {
    return kind < std::size(kPrinters) ? &kPrinters[kind] : nullptr;
}
