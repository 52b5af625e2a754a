#include "document/Fonts.h"

#include "platform/Rounding.h"
#include "platform/Units.h"

QFont FontForResolution(const QFont& font, int32_t pixelsPerInch) {
    QFont f = font;
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : 8.0;
    f.setPixelSize(std::max(1, RoundHalfEven(points * pixelsPerInch / PointsPerInch)));
    return f;
}

QFont DefaultControlFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(10);
    return f;
}
