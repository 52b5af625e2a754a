#include "document/ShapeLabel.h"

#include "platform/Rounding.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
// Fill styles in their stored order.
constexpr std::array<Qt::BrushStyle, 8> kBrushStyles = {
    Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
    Qt::FDiagPattern, Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
};
} // namespace

QRectF PenFrame(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    return QRectF(left, top, right - 1 - left, bottom - 1 - top);
}

Qt::BrushStyle ToQtBrushStyle(uint8_t style) {
    return style < kBrushStyles.size() ? kBrushStyles[style] : Qt::SolidPattern;
}

TColor ShapeBackground(TColor fill) {
    const TColor inverted = (fill ^ 0xFFFFFF) & 0xFFFFFF;
    return inverted == 0 ? 1 : inverted;
}

bool ShapeIsOpaque(uint8_t format, uint8_t brushStyle) {
    return format == sfRectangle && brushStyle != bsClear;
}

TShapeOutline ScreenOutline(int32_t penWidth) {
    const int32_t w = std::max(penWidth, 0);
    return {w, w / 2, (w - 1) / 2, 1, true};
}

TShapeOutline PaperOutline(int32_t penWidth, double scaleX, double scaleY) {
    const int32_t pen = RoundHalfEven(penWidth * scaleX);
    int32_t nearInset = pen / 2;
    int32_t farInset = RoundHalfEven(penWidth * scaleY) / 2;
    if (nearInset % 2 != 0)
        nearInset += RoundHalfEven(scaleX);
    if (farInset % 2 != 0)
        farInset += RoundHalfEven(scaleY);
    return {pen, nearInset, farInset, 0, false};
}

TShapeGeometry ShapeGeometry(const TShapeStyle& s, const QRect& box, const TShapeOutline& o) {
    const int32_t x = box.x(), y = box.y(), w = box.width(), h = box.height();
    const int32_t n = o.Near, f = o.Far, e = o.LastPixel;
    TShapeGeometry g;
    g.Frame = PenFrame(x + n, y + n, x + w - f, y + h - f);
    switch (s.Format) {
    case sfTriangle:
        g.Points = QPolygon({QPoint(x + w / 2, y + n), QPoint(x + w - n - e, y + h - f - e),
                             QPoint(x + n + e, y + h - f - e)});
        break;
    case sfRoundRect: {
        const int32_t d = std::min(w, h) - (o.CornersFromOutline ? n + f : 0);
        g.Radius = RoundHalfEven(0.25 * d) / 2.0;
        break;
    }
    case sfHorizontalLine: {
        const int32_t ly = s.VAlign == vaTop      ? y + n
                           : s.VAlign == vaCenter ? y + h / 2
                                                  : y + h - f - e;
        // The far end point is not part of the line.
        g.Points = QPolygon({QPoint(x + n, ly), QPoint(x + w - n - 1, ly)});
        break;
    }
    case sfVerticalLine:
        if (s.HAlign == haLeft) {
            g.Points = QPolygon({QPoint(x + n, y + f), QPoint(x + n, y + h - n - 1)});
        } else {
            const int32_t lx = s.HAlign == haCenter ? x + w / 2 : x + w - f - e;
            g.Points = QPolygon({QPoint(lx, y + n), QPoint(lx, y + h - n - 1)});
        }
        break;
    default:
        break;
    }
    return g;
}

void PaintShape(QPainter& p, const TShapeStyle& s, const QRect& box, const TShapeOutline& o) {
    p.setRenderHint(QPainter::Antialiasing, false);
    if (o.Pen > 0)
        p.setPen(QPen(ToQColor(s.PenColor), o.Pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    else
        p.setPen(Qt::NoPen);
    p.setBrush(QBrush(ToQColor(s.BrushColor), ToQtBrushStyle(s.BrushStyle)));
    const TShapeGeometry g = ShapeGeometry(s, box, o);
    switch (s.Format) {
    case sfEllipse:
        p.drawEllipse(g.Frame);
        break;
    case sfTriangle:
        p.drawPolygon(g.Points);
        break;
    case sfRoundRect:
        p.drawRoundedRect(g.Frame, g.Radius, g.Radius);
        break;
    case sfHorizontalLine:
    case sfVerticalLine:
        p.drawLine(g.Points[0], g.Points[1]);
        break;
    default:
        p.drawRect(g.Frame);
        break;
    }
}

void DrawShape(QPainter& p, const TShapeStyle& s, int32_t W, int32_t H) {
    p.save();
    PaintShape(p, s, QRect(0, 0, W, H), ScreenOutline(s.PenWidth));
    p.restore();
}

TShapeLabel::TShapeLabel() {
    SetKind(ckShape);
    SetMinSize(10, 10);
    SetBox(TRect::FromBox(0, 0, 25, 25), true);
    SetAutoSizeField(false);
    SetTransparentField(true);
    SetAlignFields(haCenter, vaCenter);
}

std::unique_ptr<TLabelControl> TShapeLabel::CreateSameKind() const {
    return std::make_unique<TShapeLabel>();
}

void TShapeLabel::CopyKindProperties(const TLabelControl& source) {
    const auto& s = static_cast<const TShapeLabel&>(source);
    m_shapeFormat = s.m_shapeFormat;
    m_penWidth = s.m_penWidth;
    m_penColor = s.m_penColor;
    m_brushStyle = s.m_brushStyle;
    m_brushColor = s.m_brushColor;
    Changed(true);
}

void TShapeLabel::SetShapeFormat(uint8_t v) {
    m_shapeFormat = v;
    Changed(true);
}

void TShapeLabel::SetPenWidth(int32_t w) {
    m_penWidth = w;
    Changed(true);
}

void TShapeLabel::SetPenColor(TColor c) {
    m_penColor = c;
    Changed(true);
}

void TShapeLabel::SetBrushStyle(uint8_t s) {
    m_brushStyle = s;
    Changed(true);
}

void TShapeLabel::SetBrushColor(TColor c) {
    m_brushColor = c;
    Changed(true);
}

void TShapeLabel::Draw() {
    if (Loading())
        return;
    const int32_t W = Width(), H = Height();
    if (!ShapeIsOpaque(m_shapeFormat, m_brushStyle))
        SetTransparentField(true);
    const TColor background = ShapeBackground(m_brushColor);
    SetTransparentColor(ToQRgb(background));
    QImage& img = MutableImage();
    img = QImage(W, H, QImage::Format_RGB32);
    img.fill(ToQColor(background));
    if (!img.isNull()) {
        QPainter p(&img);
        DrawShape(
            p,
            {m_shapeFormat, m_penWidth, m_penColor, m_brushStyle, m_brushColor, HAlign(), VAlign()},
            W, H);
    }
    TLabelControl::Draw();
}

QImage TShapeLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return TLabelControl::ZoomedImage(zoom);
    QImage img(ZoomedImageSize(Image().size(), zoom), QImage::Format_RGB32);
    img.fill(ToQColor(ShapeBackground(m_brushColor)));
    // The pen grows with the shape; a thin one stays visible.
    const int32_t pen =
        m_penWidth > 0 ? std::max<int32_t>(1, int32_t(std::lround(m_penWidth * zoom))) : m_penWidth;
    QPainter p(&img);
    DrawShape(p, {m_shapeFormat, pen, m_penColor, m_brushStyle, m_brushColor, HAlign(), VAlign()},
              img.width(), img.height());
    return img;
}
