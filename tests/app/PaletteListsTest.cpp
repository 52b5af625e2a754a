// The palette's lists: the barcode type order, the two owner-drawn lists painted on images, and
// the keys the number fields accept.
#include "app/PaletteLists.h"
#include "app/NumberKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// The palette's list, position by position, with the type code each entry stands for.
struct TListRow {
    int Position;
    const char* Text;
    int Type; // the code label files store
};
const TListRow kBarcodeList[] = {
    {0, "Code 128", 0},
    {1, "Code 39", 1},
    {2, "Code 39 Extended", 2},
    {3, "Code 93", 5},
    {4, "UPC A", 3},
    {5, "UPC E", 10},
    {6, "EAN 128", 8},
    {7, "EAN 13", 6},
    {8, "EAN 8", 7},
    {9, "UPC 2 digit Extention", 11},
    {10, "UPC 5 digit Extention", 12},
    {11, "Interleaved 2 of 5", 4},
    {12, "POSTNET", 9},
    {13, "SSC-14", 13},
    {14, "SSC-14 (Interleaved 2 of 5)", 14},
    {15, "SSCC-18", 15},
    {16, "Code-39 (Mod43 Check Digit)", 16},
    {17, "Code-39 (Mod10 Check Digit)", 17},
    {18, "QR Code", 18},
    {19, "Data Matrix", 19},
    {20, "GS1 DataMatrix", 20},
    {21, "PDF417", 21},
    {22, "Aztec Code", 22},
};
} // namespace

TEST(BarcodeTypeList, OrderAndMappingBothWays) {
    const QStringList texts = BarcodeTypeListTexts();
    ASSERT_EQ(texts.size(), int(std::size(kBarcodeList)));
    for (const TListRow& row : kBarcodeList) {
        EXPECT_EQ(texts[row.Position], QLatin1String(row.Text));
        EXPECT_EQ(IndexToBarcodeType(row.Position), row.Type) << row.Text;
        EXPECT_EQ(BarcodeTypeToIndex(TBarcodeType(row.Type)), row.Position) << row.Text;
    }
}

TEST(BarcodeTypeList, UnknownCodesAndPositionsFallBackToTheFirstEntry) {
    for (int code : {23, 200, 255})
        EXPECT_EQ(BarcodeTypeToIndex(TBarcodeType(code)), 0) << code;
    for (int index : {-1, 23, 99})
        EXPECT_EQ(IndexToBarcodeType(index), 0) << index;
}

TEST(BrushStyleList, NamesByCode) {
    const char* names[] = {"Solid",     "Clear",     "Horizontal", "Vertical",
                           "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(BrushStyleEntryName(i), QLatin1String(names[i]));
    EXPECT_EQ(BrushStyleEntryName(8), "???");
    EXPECT_EQ(BrushStyleEntryName(-1), "???");
}

namespace {
constexpr int kWidth = 140, kHeight = 16;
const TPaletteEntryColors kPlain{Qt::white, Qt::black};
const TPaletteEntryColors kSelected{QColor(0, 0, 160), Qt::white};

QImage PenEntry(int index, const TPaletteEntryColors& colors = kPlain) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::red); // whatever the entry leaves unpainted shows up
    QPainter p(&image);
    PaintPenSizeEntry(p, image.rect(), index, colors);
    return image;
}

QImage BrushEntry(int index, const TPaletteEntryColors& colors = kPlain) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter p(&image);
    PaintBrushStyleEntry(p, image.rect(), index, colors);
    return image;
}

int CountColour(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// Rows of column x that carry the colour.
int ColumnInk(const QImage& image, int x, const QColor& colour) {
    return CountColour(image, QRect(x, 0, 1, kHeight), colour);
}

int TextRoom() {
    QImage probe(1, 1, QImage::Format_RGB32);
    QPainter p(&probe);
    return p.fontMetrics().horizontalAdvance(QStringLiteral("8888"));
}
} // namespace

TEST(PenSizeList, LineIsAsThickAsItsNumberAndStopsBeforeTheText) {
    const int lineEnd = kWidth - TextRoom();
    for (int index : {0, 3, 8}) {
        const QImage entry = PenEntry(index);
        const int thickness = index + 1;
        EXPECT_EQ(ColumnInk(entry, 20, Qt::black), thickness) << "line " << thickness;
        EXPECT_EQ(ColumnInk(entry, lineEnd - 10, Qt::black), thickness);
        // Square ends reach at most half the width past the end point.
        EXPECT_EQ(CountColour(entry, QRect(lineEnd + thickness / 2 + 1, 0, 8, kHeight), Qt::black),
                  0)
            << "gap before the number";
        EXPECT_EQ(CountColour(entry, entry.rect(), Qt::red), 0) << "background filled";
        // The number: ink near the right edge, 4 pixels clear of it.
        EXPECT_GT(CountColour(entry, QRect(kWidth - 20, 0, 16, kHeight), Qt::white), 0);
        EXPECT_LT(CountColour(entry, QRect(kWidth - 20, 0, 16, kHeight), Qt::white), 20 * kHeight);
        EXPECT_EQ(CountColour(entry, QRect(kWidth - 3, 0, 3, kHeight), Qt::white), 3 * kHeight);
    }
}

TEST(BrushStyleList, SampleAtTheRightEndInABlackFrame) {
    const QRect sample(kWidth - 25, 0, 25, kHeight);
    const QRect inside = sample.adjusted(1, 1, -1, -1);
    const QImage solid = BrushEntry(0);
    EXPECT_EQ(ColumnInk(solid, kWidth - 25, Qt::black), kHeight) << "frame's left side";
    EXPECT_EQ(ColumnInk(solid, kWidth - 1, Qt::black), kHeight) << "frame's right side";
    EXPECT_EQ(CountColour(solid, inside, Qt::black), inside.width() * inside.height());
    EXPECT_EQ(ColumnInk(solid, kWidth - 26, Qt::black) > 0, false) << "nothing left of the frame";

    const QImage clear = BrushEntry(1);
    EXPECT_EQ(CountColour(clear, inside, Qt::white), inside.width() * inside.height());

    // Hatches leave gaps in the window colour.
    for (int style = 2; style <= 7; ++style) {
        const QImage hatch = BrushEntry(style);
        const int ink = CountColour(hatch, inside, Qt::black);
        EXPECT_GT(ink, 0) << style;
        EXPECT_LT(ink, inside.width() * inside.height()) << style;
    }
    // The name at the left edge.
    EXPECT_GT(CountColour(solid, QRect(0, 0, 30, kHeight), Qt::white), 0);
    EXPECT_LT(CountColour(solid, QRect(0, 0, 30, kHeight), Qt::white), 30 * kHeight);
    EXPECT_EQ(CountColour(solid, solid.rect(), Qt::red), 0);
}

TEST(PaletteLists, SelectedEntriesUseTheHighlightColours) {
    const QImage pen = PenEntry(2, kSelected);
    EXPECT_EQ(pen.pixelColor(0, 0), kSelected.Background);
    EXPECT_EQ(ColumnInk(pen, 20, Qt::white), 3);
    EXPECT_EQ(ColumnInk(pen, 20, Qt::black), 0);
    const QImage brush = BrushEntry(0, kSelected);
    const QRect inside(kWidth - 24, 1, 23, kHeight - 2);
    EXPECT_EQ(CountColour(brush, inside, Qt::white), inside.width() * inside.height());
    EXPECT_EQ(ColumnInk(brush, kWidth - 25, Qt::black), kHeight) << "the frame stays black";
    EXPECT_EQ(brush.pixelColor(kWidth - 30, 0), kSelected.Background);
}

TEST(NumberKeyFilter, OnlyDigitsSeparatorsAndEditingKeysGetThrough) {
    for (QChar c : QStringLiteral("0123456789,.\b\n\r"))
        EXPECT_TRUE(IsNumberFieldCharacter(c)) << int(c.unicode());
    for (QChar c : QStringLiteral("-+eE aZ%/"))
        EXPECT_FALSE(IsNumberFieldCharacter(c)) << int(c.unicode());

    QLineEdit field;
    field.installEventFilter(new TNumberKeyFilter(&field));
    QTest::keyClicks(&field, "1a2-,5e.x7 ");
    EXPECT_EQ(field.text(), "12,5.7");
    QTest::keyClick(&field, Qt::Key_Backspace);
    QTest::keyClick(&field, Qt::Key_Home);
    QTest::keyClick(&field, Qt::Key_Delete);
    EXPECT_EQ(field.text(), "2,5.");
    QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier); // select all still works
    QTest::keyClicks(&field, "9");
    EXPECT_EQ(field.text(), "9");
}
