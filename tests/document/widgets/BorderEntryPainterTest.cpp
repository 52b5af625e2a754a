#include "document/widgets/BorderEntryPainter.h"
#include "document/widgets/BorderList.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <gtest/gtest.h>

namespace {
constexpr int kWidth = 150, kHeight = 20;
const TBorderEntryColors kInk{Qt::white, Qt::black};

QImage Entry(TBorderList list, int index, const TBorderEntryColors& colors = kInk) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::red); // anything the entry leaves unpainted shows up
    QPainter p(&image);
    PaintBorderEntry(p, image.rect(), list, index, colors);
    return image;
}

bool IsInk(const QImage& image, int x, int y, const QColor& ink = Qt::black) {
    return image.pixelColor(x, y) == ink;
}

// Anything but the white background: lines and anti-aliased text.
int MarkedInBlock(const QImage& image, int top, int bottom, int from, int to) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = from; x < to; ++x)
            n += image.pixelColor(x, y) != QColor(Qt::white);
    return n;
}

// Columns [from, to) of row y that carry ink.
int InkIn(const QImage& image, int y, int from, int to, const QColor& ink = Qt::black) {
    int n = 0;
    for (int x = from; x < to; ++x)
        n += IsInk(image, x, y, ink);
    return n;
}

} // namespace

TEST(BorderEntryPainter, StyleEntriesAreOnePixelLinesFiveInFromEachSide) {
    const int y = kHeight / 2;
    const QImage solid = Entry(TBorderList::Style, 1);
    EXPECT_EQ(InkIn(solid, y, 5, kWidth - 5), kWidth - 10) << "unbroken from column 5 to 144";
    EXPECT_FALSE(IsInk(solid, 4, y));
    EXPECT_FALSE(IsInk(solid, kWidth - 5, y));
    EXPECT_EQ(MarkedInBlock(solid, 0, kHeight, 0, kWidth), kWidth - 10) << "nothing but the line";
    EXPECT_EQ(solid.pixelColor(0, 0), QColor(Qt::white)) << "background filled";

    for (int style = 2; style <= 5; ++style) {
        const QImage broken = Entry(TBorderList::Style, style);
        const int ink = InkIn(broken, y, 5, kWidth - 5);
        EXPECT_GT(ink, 10) << style;
        EXPECT_LT(ink, kWidth - 10) << style << " has gaps";
        EXPECT_EQ(MarkedInBlock(broken, 0, kHeight, 0, kWidth), ink)
            << style << " stays on its row";
        EXPECT_EQ(InkIn(broken, y, 0, 5) + InkIn(broken, y, kWidth - 5, kWidth), 0) << style;
    }
    EXPECT_TRUE(Entry(TBorderList::Style, 2) != Entry(TBorderList::Style, 3)) << "dash versus dot";
}

TEST(BorderEntryPainter, FirstStyleEntryIsNoBorderText) {
    const QImage none = Entry(TBorderList::Style, 0);
    // Text, not a line: ink on several rows, starting at the left.
    int rowsWithInk = 0;
    for (int y = 0; y < kHeight; ++y)
        rowsWithInk += MarkedInBlock(none, y, y + 1, 0, kWidth) > 0;
    EXPECT_GE(rowsWithInk, 6);
    EXPECT_GT(MarkedInBlock(none, 0, kHeight, 5, 40), 0);
    EXPECT_EQ(MarkedInBlock(none, 0, kHeight, 0, 5), 0);
}

TEST(BorderEntryPainter, SizeEntriesAreThickLinesOverTwoThirdsWithTheWidthText) {
    const int third = kWidth * 2 / 3; // 100
    for (int index : {0, 4, 9}) {
        const QImage entry = Entry(TBorderList::Size, index);
        const int thickness = index + 1;
        const int top = (kHeight - thickness) / 2;
        for (int y = 0; y < kHeight; ++y) {
            const bool onLine = y >= top && y < top + thickness;
            EXPECT_EQ(InkIn(entry, y, 0, third), onLine ? third : 0) << index << " row " << y;
        }
        // The width text sits right of the line and ends 4 pixels from the right side.
        EXPECT_GT(MarkedInBlock(entry, 0, kHeight, third, kWidth - 4), 0) << index;
        EXPECT_EQ(MarkedInBlock(entry, 0, kHeight, kWidth - 4, kWidth), 0) << index;
        EXPECT_GT(MarkedInBlock(entry, 0, kHeight, kWidth - 7, kWidth - 4), 0) << index << " flush";
    }
    EXPECT_TRUE(Entry(TBorderList::Size, 0) != Entry(TBorderList::Size, 1))
        << "\"1 pt\", \"2 pts\"";
}

TEST(BorderEntryPainter, EntriesOutsideTheListDrawOnlyTheBackground) {
    for (int index : {-1, 6})
        EXPECT_EQ(MarkedInBlock(Entry(TBorderList::Style, index), 0, kHeight, 0, kWidth), 0);
    EXPECT_EQ(MarkedInBlock(Entry(TBorderList::Size, 10), 0, kHeight, 0, kWidth), 0);
}

TEST(BorderEntryPainter, SelectedAndDisabledColours) {
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Active, QPalette::Highlight, QColor(10, 20, 200));
    palette.setColor(QPalette::Active, QPalette::HighlightedText, QColor(250, 250, 0));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
    palette.setColor(QPalette::Active, QPalette::Text, QColor(0, 0, 0));

    const QImage selected = Entry(TBorderList::Style, 1, BorderEntryColors(palette, true, true));
    EXPECT_EQ(selected.pixelColor(1, 1), QColor(10, 20, 200));
    EXPECT_EQ(selected.pixelColor(20, kHeight / 2), QColor(250, 250, 0));

    const QImage disabled = Entry(TBorderList::Size, 2, BorderEntryColors(palette, true, false));
    EXPECT_EQ(disabled.pixelColor(20, kHeight / 2), QColor(128, 128, 128));
    EXPECT_NE(disabled.pixelColor(1, 1), QColor(10, 20, 200)) << "no highlight when disabled";

    const QImage plain = Entry(TBorderList::Style, 1, BorderEntryColors(palette, false, true));
    EXPECT_EQ(plain.pixelColor(20, kHeight / 2), QColor(0, 0, 0));
}

TEST(BorderListDelegate, DrawsTheRowOfItsIndexInTheOptionsColours) {
    TBorderComboBox combo(TBorderList::Size);
    ASSERT_EQ(combo.count(), 10);
    EXPECT_EQ(combo.itemText(9), QString("10 pts"));
    QAbstractItemDelegate* delegate = combo.itemDelegate();
    QStyleOptionViewItem option;
    option.initFrom(&combo);
    option.rect = QRect(0, 0, kWidth, kHeight);
    option.state |= QStyle::State_Selected | QStyle::State_Enabled;
    EXPECT_GE(delegate->sizeHint(option, combo.model()->index(9, 0)).height(), 16)
        << "room for the ten-pixel line";

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    delegate->paint(&p, option, combo.model()->index(9, 0));
    p.end();
    const QColor highlight = option.palette.color(QPalette::Active, QPalette::Highlight);
    const QColor ink = option.palette.color(QPalette::Active, QPalette::HighlightedText);
    EXPECT_EQ(image.pixelColor(kWidth - 1, 0), highlight);
    int lineRows = 0;
    for (int y = 0; y < kHeight; ++y)
        lineRows += InkIn(image, y, 0, 100, ink) == 100;
    EXPECT_EQ(lineRows, 10);
}
