#include "document/ShapeLabel.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
TShapeStyle Style(uint8_t format, uint8_t h = haCenter, uint8_t v = vaCenter, int32_t pen = 1) {
    TShapeStyle s;
    s.Format = format;
    s.PenWidth = pen;
    s.HAlign = h;
    s.VAlign = v;
    return s;
}

// The dark pixels of a shape painted into box on a larger white page, outside that box.
int DarkOutside(const TShapeStyle& style, const QRect& box, const TShapeOutline& outline) {
    QImage page(box.width() + 40, box.height() + 40, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        PaintShape(p, style, box, outline);
    }
    int n = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            n += !box.contains(x, y) && qGray(page.pixel(x, y)) < 128;
    return n;
}

const QRect kBox(0, 0, 40, 30);
} // namespace

// At true size a one-pixel pen sits on the same pixels on screen and on paper: the outline of a
// rectangle or ellipse and every line along a near edge or through the middle.
TEST(ShapeGeometry, ScreenAndPaperAgreeAtTrueSizeWithAOnePixelPen) {
    const TShapeOutline screen = ScreenOutline(1), paper = PaperOutline(1, 1.0, 1.0);
    EXPECT_EQ(screen.Pen, paper.Pen);
    EXPECT_EQ(screen.Near, paper.Near);
    EXPECT_EQ(screen.Far, paper.Far);
    const TShapeStyle same[] = {
        Style(sfRectangle),
        Style(sfEllipse),
        Style(sfHorizontalLine, haCenter, vaTop),
        Style(sfHorizontalLine, haCenter, vaCenter),
        Style(sfVerticalLine, haLeft, vaCenter),
        Style(sfVerticalLine, haCenter, vaCenter),
    };
    for (const TShapeStyle& s : same)
        EXPECT_EQ(ShapeGeometry(s, kBox, screen), ShapeGeometry(s, kBox, paper))
            << int(s.Format) << " " << int(s.HAlign) << " " << int(s.VAlign);
    EXPECT_EQ(ShapeGeometry(Style(sfRectangle), kBox, screen).Frame, QRectF(0, 0, 39, 29));
}

// Along the far edges the screen names the image's last pixel, the paper the box's edge: the
// same line one pixel apart, and the triangle's base one pixel in on each side.
TEST(ShapeGeometry, TheFarEdgesDifferByTheScreensLastPixel) {
    const TShapeOutline screen = ScreenOutline(1), paper = PaperOutline(1, 1.0, 1.0);
    const auto points = [&](const TShapeStyle& s, const TShapeOutline& o) {
        return ShapeGeometry(s, kBox, o).Points;
    };
    const TShapeStyle bottom = Style(sfHorizontalLine, haCenter, vaBottom);
    EXPECT_EQ(points(bottom, screen), QPolygon({QPoint(0, 29), QPoint(39, 29)}));
    EXPECT_EQ(points(bottom, paper), QPolygon({QPoint(0, 30), QPoint(39, 30)}));
    const TShapeStyle right = Style(sfVerticalLine, haRight, vaCenter);
    EXPECT_EQ(points(right, screen), QPolygon({QPoint(39, 0), QPoint(39, 29)}));
    EXPECT_EQ(points(right, paper), QPolygon({QPoint(40, 0), QPoint(40, 29)}));
    const TShapeStyle triangle = Style(sfTriangle);
    EXPECT_EQ(points(triangle, screen), QPolygon({QPoint(20, 0), QPoint(39, 29), QPoint(1, 29)}));
    EXPECT_EQ(points(triangle, paper), QPolygon({QPoint(20, 0), QPoint(40, 30), QPoint(0, 30)}));
    // rounded corners: a quarter of the outline's shorter side on screen, of the box's on paper
    const TShapeOutline thick = ScreenOutline(4);
    EXPECT_EQ(ShapeGeometry(Style(sfRoundRect), kBox, thick).Radius, 3.5);
    EXPECT_EQ(ShapeGeometry(Style(sfRoundRect), kBox, PaperOutline(4, 1.0, 1.0)).Radius, 4.0);
}

// On paper the pen is the screen pen scaled to the printer, and its insets grow with it.
TEST(ShapeGeometry, PaperScalesThePenAndItsInsets) {
    const TShapeOutline o = PaperOutline(1, 6.25, 6.25);
    EXPECT_EQ(o.Pen, 6);
    EXPECT_EQ(o.Near, 3 + 6) << "half a pen, rounded up to an even count by a screen pixel";
    EXPECT_EQ(o.Far, 9);
    EXPECT_EQ(PaperOutline(0, 6.25, 6.25).Pen, 0);
    EXPECT_EQ(ScreenOutline(-3).Pen, 0) << "a negative pen draws no outline";
}

// Whatever the pen, an outline without sharp corners stays inside the box on both targets (a
// triangle's mitred tips may reach past it; the image or the page's clip holds them).
TEST(ShapeGeometry, TheOutlineStaysInsideTheBox) {
    for (const uint8_t format : {sfRectangle, sfEllipse, sfRoundRect}) {
        for (const int32_t pen : {1, 2, 3, 5, 8}) {
            const TShapeStyle s = Style(format, haCenter, vaCenter, pen);
            const QRect box(20, 20, 60, 45);
            EXPECT_EQ(DarkOutside(s, box, ScreenOutline(pen)), 0) << int(format) << " " << pen;
            EXPECT_EQ(DarkOutside(s, box, PaperOutline(pen, 1.0, 1.0)), 0)
                << int(format) << " " << pen;
        }
    }
}
