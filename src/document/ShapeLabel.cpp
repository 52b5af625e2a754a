#include "document/ShapeLabel.h"

#include "platform/Rounding.h"

#include <QPainter>
#include <QPolygon>

#include <array>

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

void DrawShape(QPainter& p, const TShapeStyle& s, int32_t W, int32_t H) {
    const int32_t w = std::max(s.PenWidth, 0);
    const int32_t b = w / 2;
    const int32_t pi = (w - 1) / 2;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(ToQColor(s.PenColor), std::max(w, 1), Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    if (w == 0)
        pen = QPen(Qt::NoPen);
    p.setPen(pen);
    p.setBrush(QBrush(ToQColor(s.BrushColor), ToQtBrushStyle(s.BrushStyle)));
    const QRectF frame = PenFrame(b, b, W - pi, H - pi);
    switch (s.Format) {
    case sfEllipse:
        p.drawEllipse(frame);
        break;
    case sfTriangle: {
        const QPolygon triangle(
            {QPoint(W / 2, b), QPoint(W - b - 1, H - pi - 1), QPoint(b + 1, H - pi - 1)});
        p.drawPolygon(triangle);
        break;
    }
    case sfRoundRect: {
        const int32_t d = H - pi < W - pi ? H - pi - b : W - pi - b;
        const int32_t c = RoundHalfEven(0.25 * d);
        p.drawRoundedRect(frame, c / 2.0, c / 2.0);
        break;
    }
    case sfHorizontalLine: {
        const int32_t y = s.VAlign == 3 ? b : s.VAlign == 2 ? H / 2 : H - pi - 1;
        // The far end point is not part of the line.
        p.drawLine(QPoint(b, y), QPoint(W - b - 1, y));
        break;
    }
    case sfVerticalLine: {
        if (s.HAlign == 0)
            p.drawLine(QPoint(b, pi), QPoint(b, H - b - 1));
        else {
            const int32_t x = s.HAlign == 2 ? W / 2 : W - pi - 1;
            p.drawLine(QPoint(x, b), QPoint(x, H - b - 1));
        }
        break;
    }
    default:
        p.drawRect(frame);
        break;
    }
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
