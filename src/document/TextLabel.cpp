#include "document/TextLabel.h"

#include "document/Fonts.h"
#include "document/TextRendering.h"
#include "platform/Screen.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
// A text's image is cut at the longest side an image may have: what lies beyond is off every
// label anyway.
QSize BoundedImageSize(const QSize& size) {
    return QSize(std::min(size.width(), MaxImageSide(ScreenPixelsPerInchX())),
                 std::min(size.height(), MaxImageSide(ScreenPixelsPerInchY())));
}

// The font at the zoomed screen: the text is laid out afresh, not blown up.
QFont ZoomedFont(const QFont& font, double zoom) {
    return FontForResolution(font, std::max(1, int(std::lround(ScreenPixelsPerInchY() * zoom))));
}
} // namespace

TTextLabel::TTextLabel() {
    SetKind(ckText);
    SetMinSize(25, 14);
    SetBox(TRect::FromBox(0, 0, 20, 20), true);
    SetAutoSizeField(true);
    SetTransparentField(true);
}

std::unique_ptr<TLabelControl> TTextLabel::CreateSameKind() const {
    return std::make_unique<TTextLabel>();
}

void TTextLabel::Draw() {
    if (Loading())
        return;
    const QFont font = FontForResolution(Font(), ScreenPixelsPerInchY());
    const QFontMetrics fm(font);
    const bool vertical = Rotation() % 2 == 1;
    const int32_t zeroWidth = fm.horizontalAdvance(QStringLiteral("00"));
    const int32_t zeroHeight = fm.height();
    if (vertical)
        SetMinSize(zeroHeight, zeroWidth);
    else
        SetMinSize(zeroWidth, zeroHeight);

    const QString s = TextForDrawing(GetDisplayText());
    const QSize extent = TextExtent(fm, s);
    QImage& img = MutableImage();
    img = QImage(BoundedImageSize(vertical ? extent.transposed() : extent), QImage::Format_RGB32);
    const QRgb background = TextBackground(Transparent(), FontColor());
    SetTransparentColor(background);
    img.fill(background);
    if (!img.isNull()) {
        QPainter p(&img);
        DrawRotatedText(p, font, ToQColor(FontColor()), s, Rotation(), img.size(), extent);
    }
    if (AutoSize())
        SetBox(TRect::FromBox(Left(), Top(), img.width(), img.height()), false);
    TLabelControl::Draw();
}

QImage TTextLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return TLabelControl::ZoomedImage(zoom);
    const QFont font = ZoomedFont(Font(), zoom);
    const QString s = TextForDrawing(GetDisplayText());
    QImage img(ZoomedImageSize(Image().size(), zoom), QImage::Format_RGB32);
    img.fill(TransparentColor());
    QPainter p(&img);
    DrawRotatedText(p, font, ToQColor(FontColor()), s, Rotation(), img.size(),
                    TextExtent(QFontMetrics(font), s));
    return img;
}

TMemoLabel::TMemoLabel() {
    SetKind(ckMemo);
    SetMinSize(25, 14);
    SetBox(TRect::FromBox(0, 0, 75, 30), true);
    SetAutoSizeField(false);
    SetTransparentField(true);
}

std::unique_ptr<TLabelControl> TMemoLabel::CreateSameKind() const {
    return std::make_unique<TMemoLabel>();
}

void TMemoLabel::SetHAlign(uint8_t h) {
    TLabelControl::SetHAlign(h);
    Changed(true);
}

void TMemoLabel::SetVAlign(uint8_t v) {
    TLabelControl::SetVAlign(v);
    Changed(true);
}

void TMemoLabel::Draw() {
    if (Loading())
        return;
    const QFont font = FontForResolution(Font(), ScreenPixelsPerInchY());
    const QString s = TextForDrawing(GetDisplayText());
    const QSize size = BoundedImageSize(WrappedTextExtent(font, s, Width(), HAlign()));
    QImage& img = MutableImage();
    img = QImage(size, QImage::Format_RGB32);
    SetTransparentColor(qRgb(255, 255, 255));
    img.fill(Qt::white);
    if (!img.isNull()) {
        QPainter p(&img);
        DrawWrappedText(p, font, ToQColor(FontColor()), s, QRect(QPoint(0, 0), size), HAlign());
    }
    if (AutoSize())
        SetBox(TRect::FromBox(Left(), Top(), img.width(), img.height()), false);
    TLabelControl::Draw();
}

QImage TMemoLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return TLabelControl::ZoomedImage(zoom);
    QImage img(ZoomedImageSize(Image().size(), zoom), QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    DrawWrappedText(p, ZoomedFont(Font(), zoom), ToQColor(FontColor()),
                    TextForDrawing(GetDisplayText()), img.rect(), HAlign());
    return img;
}
