#include "app/ImageScale.h"

#include "app/PaletteTexts.h"
#include "platform/Numbers.h"
#include "platform/Rounding.h"
#include "platform/Units.h"

namespace {
constexpr double kMaxPercent = 10000.0;

QString Length(int32_t pixels, int32_t ppi, bool metric) {
    const double inches = ppi > 0 ? double(pixels) / ppi : 0.0;
    const double value = metric ? inches * CentimetresPerInch : inches;
    return FormatNumber(NumberFormat::MediumLength, value) +
           QLatin1String(metric ? PaletteText::Centimetres : PaletteText::Inches);
}

QString Percent(double p) {
    return FormatNumber(NumberFormat::MediumLength, p);
}

int32_t Scaled(int32_t pictureLength, double percent) {
    return RoundHalfEven(pictureLength * percent / 100.0);
}
} // namespace

double ScalePercent(int32_t boxLength, int32_t pictureLength) {
    return pictureLength > 0 ? double(boxLength) / pictureLength * 100.0 : 0.0;
}

TImageSizeTexts ImageSizeTexts(QSize box, QSize picture, bool metric, int32_t ppiX, int32_t ppiY) {
    return {Length(box.height(), ppiY, metric), Length(box.width(), ppiX, metric),
            Percent(ScalePercent(box.height(), picture.height())),
            Percent(ScalePercent(box.width(), picture.width()))};
}

TImageScaleResult ApplyImageScaleRule(const QString& scaleHeight, const QString& scaleWidth,
                                      TScaleField left, bool keepAspect, QSize box, QSize picture) {
    double w = ParseDecimal(scaleWidth);
    if (w <= 0 || w >= kMaxPercent)
        w = ScalePercent(box.width(), picture.width());
    // A height of 0 % is allowed: the control's minimum height then applies.
    double h = ParseDecimal(scaleHeight);
    if (h < 0 || h >= kMaxPercent)
        h = ScalePercent(box.height(), picture.height());

    TImageScaleResult r;
    r.ScaleWidth = Percent(w);
    r.ScaleHeight = Percent(h);
    if (keepAspect)
        w = h = left == TScaleField::Width ? w : h;
    r.Size = QSize(Scaled(picture.width(), w), Scaled(picture.height(), h));
    return r;
}
