// The interpretation line: its texts, font sizes and placements, and where the painted text lands
// in rotations 0 and 2.

#include "BarRecorder.h"

#include "barcode/BarcodePainter.h"
#include "barcode/Interpretation.h"
#include "barcode/PrnBarcode.h"

#include <QFontMetrics>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

using A = TPieceAlong;
using C = TPieceAcross;

struct TTextRow {
    TBarcodeType type;
    const char* data;
    std::vector<TInterpretationPiece> expected;
    const char* source;
};

TEST(InterpretationPieces, TextsAndPlacesPerType) {
    const TTextRow rows[] = {
        {btUpcA,
         "03600029145",
         {{"0", A::LeftEdge, C::Bottom},
          {"36000", A::BeforeCentre, C::Bottom},
          {"29145", A::AfterCentre, C::Bottom},
          {"2", A::RightEdge, C::Bottom}},
         "worked example"},
        {btEan13,
         "400638133393",
         {{"4", A::LeftEdge, C::Bottom}, {"006381 333931", A::Centre, C::Bottom}},
         "worked example"},
        {btUpcE,
         "123",
         {{"0", A::LeftEdge, C::Bottom},
          {"000123", A::Centre, C::Bottom},
          {"3", A::RightEdge, C::Bottom}},
         "worked example: the check digit of 00000000012"},
        {btSscc18, "12345", {{"(00) 0 0000000 000012345 7", A::Centre, C::Top}}, "worked example"},
        {btSsc14, "1234", {{"(01) 0 0000000 01234 8", A::Centre, C::Top}}, "groups 1, 7, 5, 1"},
        {btSsc14Itf,
         "1234",
         {{"0 00 00000 01234 8", A::Centre, C::Bottom}},
         "groups 1, 2, 5, 5, 1"},
        {btCode39Mod43, "ABC", {{"ABC  (X)", A::Centre, C::Bottom}}, "worked example"},
        {btCode39Mod10, "ABC", {{"ABC  (3)", A::Centre, C::Bottom}}, "mod 10 check 3"},
        {btCode39, "ABC", {{"ABC", A::Centre, C::Bottom}}, "plain Code 39 shows its data"},
        {btEan8, "123", {{"123", A::Centre, C::Bottom}}, "EAN 8: data without padding or check"},
        {btInterleaved2of5, "12345", {{"12345", A::Centre, C::Bottom}}, "without the added zero"},
        {btUpcAddOn5, "7", {{"7", A::Centre, C::Top}}, "add-ons: data on top, no padding"},
        {btCode128, "A\tB", {{"A\tB", A::Centre, C::Bottom}}, "control characters as they are"},
        {btPostnet, "12345", {}, "POSTNET never shows text"},
        {btCode128, "", {}, "no text for empty data"},
    };
    for (const TTextRow& row : rows) {
        const auto pieces = InterpretationPieces(row.type, QString::fromLatin1(row.data));
        ASSERT_EQ(pieces.size(), row.expected.size()) << row.source;
        for (size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i].text, row.expected[i].text) << row.source;
            EXPECT_EQ(pieces[i].along, row.expected[i].along) << row.source;
            EXPECT_EQ(pieces[i].across, row.expected[i].across) << row.source;
        }
    }
}

TEST(InterpretationFontFor, CellHeightAndWeight) {
    // worked examples: m = 1 gives 14 for Code 128 and 13 for SSCC-18; m = 3 gives 36 and 33
    EXPECT_EQ(InterpretationFontFor(btCode128, 1).cellHeight, 14);
    EXPECT_EQ(InterpretationFontFor(btSscc18, 1).cellHeight, 13);
    EXPECT_EQ(InterpretationFontFor(btCode128, 3).cellHeight, 36);
    EXPECT_EQ(InterpretationFontFor(btSscc18, 3).cellHeight, 33);
    EXPECT_EQ(InterpretationFontFor(btCode128, 0).cellHeight, 14); // minimum on paper
    EXPECT_EQ(InterpretationFontFor(btSsc14Itf, 2).cellHeight, 22);
    EXPECT_EQ(InterpretationFontFor(btSsc14, 1).weight, 800);
    EXPECT_EQ(InterpretationFontFor(btUpcA, 1).weight, 400);
}

TEST(InterpretationFont, MeetsTheCellHeight) {
    // Liberation Mono's line height jumps by two pixels at some sizes: those cells get the
    // largest size below them, one pixel short
    QImage device(10, 10, QImage::Format_RGB32);
    for (const int cell : {13, 14, 22, 24, 33, 36, 120}) {
        for (const int weight : {400, 800}) {
            const QFont font = InterpretationFont("Courier New", cell, weight, &device);
            const int height = QFontMetrics(font, &device).height();
            EXPECT_LE(height, cell) << cell;
            EXPECT_GE(height, cell - 1) << cell;
        }
    }
    const QFont sans = InterpretationFont("Arial", 14, 400, &device);
    EXPECT_EQ(QFontMetrics(sans, &device).height(), 14);
}

TEST(InterpretationFont, PrinterResolution) {
    // a 600-dpi page: m = 6 printer pixels per module asks for a 72-pixel cell
    QImage page(10, 10, QImage::Format_RGB32);
    page.setDotsPerMeterX(23622);
    page.setDotsPerMeterY(23622);
    ASSERT_EQ(page.logicalDpiY(), 600);
    const int cell = InterpretationFontFor(btCode128, 6).cellHeight;
    const QFont font = InterpretationFont("Courier New", cell, 400, &page);
    const int height = QFontMetrics(font, &page).height();
    EXPECT_LE(height, cell);
    EXPECT_GE(height, cell - 1);
}

TEST(PlacePiece, RotationZeroPlacements) {
    // a UPC A box 115 modules long and 60 deep at m = 1; a text 30 wide, 14 high
    const int32_t along = 115, across = 60, tw = 30, th = 14;
    auto at = [&](A a, C c) { return PlacePiece({"x", a, c}, tw, th, along, across, 1); };
    EXPECT_EQ(at(A::LeftEdge, C::Bottom).a, 0);
    EXPECT_EQ(at(A::LeftEdge, C::Bottom).c, 46);
    EXPECT_EQ(at(A::RightEdge, C::Top).a, 85);
    EXPECT_EQ(at(A::RightEdge, C::Top).c, 0);
    EXPECT_EQ(at(A::Centre, C::Top).a, 57 - 15);
    // UPC A: the left digits end 2 modules before the centre, the right ones start 2 after
    EXPECT_EQ(at(A::BeforeCentre, C::Bottom).a + tw, 57 - 2);
    EXPECT_EQ(at(A::AfterCentre, C::Bottom).a, 57 + 2);
    // a text 31 wide is centred with both halves truncated
    EXPECT_EQ(PlacePiece({"x", A::Centre, C::Top}, 31, th, along, across, 1).a, 57 - 15);
}

TEST(MapBoxPoint, PointMappingOfTheRotations) {
    // box at (100, 200), 115 along, 60 across; the rotation-0 point (10, 50)
    const TBoxPoint p{10, 50};
    EXPECT_EQ(MapBoxPoint(0, p, 100, 200, 115, 60), QPoint(110, 250));
    EXPECT_EQ(MapBoxPoint(1, p, 100, 200, 115, 60), QPoint(100 + 60 - 50, 200 + 10));
    EXPECT_EQ(MapBoxPoint(2, p, 100, 200, 115, 60), QPoint(100 + 115 - 10, 200 + 60 - 50));
    EXPECT_EQ(MapBoxPoint(3, p, 100, 200, 115, 60), QPoint(100 + 50, 200 + 115 - 10));
    EXPECT_EQ(TextAngle(1), 90);
    EXPECT_EQ(TextAngle(3), 270);
}

// Dark pixels inside a rectangle of an image.
int DarkPixels(const QImage& image, const QRect& r) {
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                ++n;
    return n;
}

TEST(DrawInterpretation, Ean13TextLandsInItsCells) {
    // EAN 13 at m = 2: the first digit sits in the quiet zone at the left bottom in rotation 0,
    // and upside down at the right top in rotation 2
    const int32_t m = 2, cross = 100, margin = 10;
    const QString data = "400638133393";
    const QFont font = InterpretationFont(
        "Courier New", InterpretationFontFor(btEan13, m).cellHeight, 400, nullptr);
    const QFontMetrics fm(font);
    const int32_t tw = fm.horizontalAdvance("4");
    const int32_t th = fm.height();
    const int32_t L = SymbolExtent(btEan13, data, m);

    const QImage upright = RenderSymbol(btEan13, data, m, 0, true, cross, margin);
    const QRect firstCell(margin, margin + cross - th, tw, th);
    EXPECT_GT(DarkPixels(upright, firstCell), 0);
    EXPECT_EQ(DarkPixels(upright, QRect(margin + L - tw, margin, tw, th)), 0); // top right empty

    const QImage turned = RenderSymbol(btEan13, data, m, 2, true, cross, margin);
    const QRect turnedCell(margin + L - tw, margin, tw, th);
    EXPECT_GT(DarkPixels(turned, turnedCell), 0);
    EXPECT_EQ(DarkPixels(turned, firstCell), 0); // the bottom-left quiet zone stays white
}

TEST(DrawInterpretation, OpaqueCellsHideTheBars) {
    // Code 128 text is centred in the 15-module band below the bars; the cell's background is
    // white even where bars would be, and nothing is drawn when the line is off
    const int32_t m = 1, cross = 60, margin = 5;
    const QImage on = RenderSymbol(btCode128, "ABC123", m, 0, true, cross, margin);
    const QImage off = RenderSymbol(btCode128, "ABC123", m, 0, false, cross, margin);
    const int32_t L = SymbolExtent(btCode128, "ABC123", m);
    const QRect band(margin, margin + cross - 15, L, 15);
    EXPECT_GT(DarkPixels(on, band), 0);
    EXPECT_LT(DarkPixels(on, band), DarkPixels(off, band)); // the text replaces the bar ends
    // the text's first glyph column is the centred position
    const QFont font = InterpretationFont("Courier New", 14, 400, nullptr);
    const int32_t tw = QFontMetrics(font).horizontalAdvance("ABC123");
    const int32_t left = margin + L / 2 - tw / 2;
    EXPECT_EQ(DarkPixels(on, QRect(margin, margin + cross - 14, left - margin, 14)), 0);
}

} // namespace
