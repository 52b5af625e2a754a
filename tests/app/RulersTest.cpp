#include "app/Rulers.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
// The desktop's fonts are only known once the application exists, so styles are made in tests.
TRulerStyle Plain() {
    return {QColor(255, 255, 255), QColor(0, 0, 0), RulerFont()};
}
// The lettering in a colour of its own, so marks and numbers can be told apart.
TRulerStyle Marked() {
    return {QColor(255, 255, 255), QColor(255, 0, 0), RulerFont()};
}

// An image at the screen's 96 dots per inch, so the lettering has its on-screen size.
QImage& ScreenImage(int w, int h) {
    static QImage image;
    image = QImage(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

QImage Horizontal(int w, int h, int offset, bool metric, const TRulerStyle& style = Plain()) {
    QImage image = ScreenImage(w, h);
    QPainter p(&image);
    DrawHorizontalRuler(p, w, h, offset, metric, 96, style);
    return image;
}

QImage Vertical(int w, int h, int offset, bool metric, const TRulerStyle& style = Plain()) {
    QImage image = ScreenImage(w, h);
    QPainter p(&image);
    DrawVerticalRuler(p, w, h, offset, metric, 96, style);
    return image;
}

// The number over a full mark is written with the background behind it, hiding the mark's
// upper rows: what shows of a full mark is the part below the lettering.
int FullMarkShown(int depth) {
    return depth - QFontMetrics(RulerFont(), &ScreenImage(1, 1)).height();
}

bool Black(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

// The rows of column x that are black.
int MarkLength(const QImage& image, int x) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += Black(image, x, y);
    return n;
}

int RowMarkLength(const QImage& image, int y) {
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += Black(image, x, y);
    return n;
}

TEST(Rulers, InchMarksAtNinetySixDotsPerInch) {
    // Lettering in red: only the marks are black.
    const QImage r = Horizontal(400, 18, 0, false, Marked());
    // Marks run from the bottom edge up, the end point not drawn: full 17 rows (1..17), half 9
    // rows (10..17 and the edge), eighth 4 rows (14..17).
    EXPECT_EQ(MarkLength(r, 96), FullMarkShown(18));
    EXPECT_TRUE(Black(r, 96, 17));
    EXPECT_EQ(MarkLength(r, 48), 8);
    EXPECT_TRUE(Black(r, 48, 17));
    EXPECT_TRUE(Black(r, 48, 10));
    EXPECT_FALSE(Black(r, 48, 9));
    EXPECT_EQ(MarkLength(r, 12), 4);
    EXPECT_TRUE(Black(r, 12, 14));
    EXPECT_FALSE(Black(r, 12, 13));
    for (int x : {1, 5, 11, 13, 47, 95, 97})
        EXPECT_EQ(MarkLength(r, x), 0) << x;
    // Every eighth of an inch, and only there.
    int marks = 0;
    for (int x = 1; x < 400; ++x)
        marks += MarkLength(r, x) > 0;
    EXPECT_EQ(marks, 399 / 12);
}

TEST(Rulers, NumbersCentredOnTheInchMarks) {
    const QImage r = Horizontal(400, 18, 0, false, Marked());
    int left = 400, right = -1;
    for (int x = 150; x < 250; ++x)
        for (int y = 0; y < 18; ++y)
            if (qRed(r.pixel(x, y)) > 128 && qGreen(r.pixel(x, y)) < 100) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LE(left, right) << "the number 2 is written";
    EXPECT_NEAR((left + right) / 2.0, 192, 3);
}

TEST(Rulers, ScrolledByOneHundredPixels) {
    // p = i + 100: the first numbered inch mark is p = 192 at column 92.
    const QImage r = Horizontal(300, 18, -100, false, Marked());
    EXPECT_EQ(MarkLength(r, 92), FullMarkShown(18));
    for (int x = 1; x < 92; ++x)
        EXPECT_NE(MarkLength(r, x), FullMarkShown(18)) << x;
    EXPECT_EQ(MarkLength(r, 44), 8); // p = 144, a half inch
    EXPECT_EQ(MarkLength(r, 8), 4);  // p = 108, an eighth
}

TEST(Rulers, CentimetreMarks) {
    const QImage r = Horizontal(200, 18, 0, true, Marked());
    EXPECT_EQ(MarkLength(r, 38), FullMarkShown(18));
    EXPECT_EQ(MarkLength(r, 76), FullMarkShown(18));
    EXPECT_EQ(MarkLength(r, 19), 8);
    EXPECT_EQ(MarkLength(r, 57), 8);
    EXPECT_EQ(MarkLength(r, 12), 0) << "no eighths in centimetres";
}

TEST(Rulers, VerticalMarksGrowFromTheRightEdge) {
    const QImage r = Vertical(18, 200, 0, false, Marked());
    EXPECT_GT(RowMarkLength(r, 96), 8) << "full width, less the number's box";
    EXPECT_TRUE(Black(r, 17, 96));
    EXPECT_EQ(RowMarkLength(r, 48), 8); // columns 10..17 (from 18 to 9, end not drawn)
    EXPECT_TRUE(Black(r, 17, 48));
    EXPECT_FALSE(Black(r, 9, 48));
    EXPECT_EQ(RowMarkLength(r, 12), 4);
    EXPECT_EQ(RowMarkLength(r, 13), 0);
    const QImage scrolled = Vertical(18, 200, -40, false, Marked());
    EXPECT_TRUE(Black(scrolled, 17, 56)); // p = 96
    EXPECT_GT(RowMarkLength(scrolled, 56), 8);
}

TEST(Rulers, BackgroundFillsTheBox) {
    const QImage r = Horizontal(50, 18, 0, false);
    EXPECT_EQ(r.pixel(3, 3), qRgb(255, 255, 255));
    EXPECT_EQ(r.pixel(0, 17), qRgb(255, 255, 255)) << "column 0 carries no mark";
}
} // namespace
