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

int32_t ZoomedResolution(double zoom) {
    return std::max(1, int(std::lround(ScreenPixelsPerInchY() * zoom)));
}

// The font the control draws text with on the screen at zoom: its own, laid out afresh rather
// than blown up, and shrunk into the zoomed box when the control shrinks text to fit.
QFont ScreenFont(const TLabelControl& c, const QString& text, double zoom, bool wrapped) {
    const int32_t resolution = ZoomedResolution(zoom);
    const QFont font = FontForResolution(c.Font(), resolution);
    if (!c.ShrinkToFit() || c.AutoSize())
        return font;
    const bool across = !wrapped && c.Rotation() % 2 == 1;
    const QSize room(int(std::lround((across ? c.Height() : c.Width()) * zoom)),
                     int(std::lround((across ? c.Width() : c.Height()) * zoom)));
    return FitTextFont(font, text, room, wrapped, resolution).font;
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
    const QFont drawn = ScreenFont(*this, s, 1, false);
    const QSize extent = TextExtent(QFontMetrics(drawn), s);
    QImage& img = MutableImage();
    img = QImage(BoundedImageSize(vertical ? extent.transposed() : extent), QImage::Format_RGB32);
    const QRgb background = TextBackground(Transparent(), FontColor());
    SetTransparentColor(background);
    img.fill(background);
    if (!img.isNull()) {
        QPainter p(&img);
        DrawRotatedText(p, drawn, ToQColor(FontColor()), s, Rotation(), img.size(), extent);
    }
    if (AutoSize())
        SetBox(TRect::FromBox(Left(), Top(), img.width(), img.height()), false);
    TLabelControl::Draw();
}

QImage TTextLabel::ZoomedImage(double zoom) const {
    if (zoom == 1 || Image().isNull())
        return TLabelControl::ZoomedImage(zoom);
    const QString s = TextForDrawing(GetDisplayText());
    const QFont font = ScreenFont(*this, s, zoom, false);
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
    const QString s = TextForDrawing(GetDisplayText());
    const QFont font = ScreenFont(*this, s, 1, true);
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
    const QString s = TextForDrawing(GetDisplayText());
    DrawWrappedText(p, ScreenFont(*this, s, zoom, true), ToQColor(FontColor()), s, img.rect(),
                    HAlign());
    return img;
}
