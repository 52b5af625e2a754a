#include "../TestControls.h"
#include "document/GraphicLabel.h"
#include "document/LabelGeometry.h"
#include "document/ShapeLabel.h"
#include "document/TextLabel.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Screen.h"

#include <QPainter>

#include <QTest>
#include <gtest/gtest.h>

// The design surface at a zoom: what it paints (from the whole label painted into an image) and
// how the mouse maps back to label pixels.
class CanvasZoomTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        label.SetLabelSize(192, 96);
        label.SetShowGrid(false);
    }
    QImage At(double zoom) {
        view.SetZoom(zoom);
        return view.BackBuffer();
    }
    TCanvasLabel view;
    TLabelDocument& label = view.Document();
};

namespace {
const QColor kMagenta(0xFF, 0x00, 0xFF);

int Count(const QImage& img, const QRect& area, const QColor& colour) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += img.pixelColor(x, y) == colour;
    return n;
}

// Whether every zoom x zoom cell of the area, aligned to the label's pixels, is one colour: what
// a picture blown up pixel by pixel looks like.
bool BlockyAt(const QImage& img, const QRect& area, int zoom) {
    for (int y = area.top(); y + zoom <= area.bottom(); y += zoom)
        for (int x = area.left(); x + zoom <= area.right(); x += zoom)
            for (int dy = 0; dy < zoom; ++dy)
                for (int dx = 0; dx < zoom; ++dx)
                    if (img.pixel(x + dx, y + dy) != img.pixel(x, y))
                        return false;
    return true;
}

// The dark pixels' bounding box.
QRect Ink(const QImage& img, const QRect& area) {
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(img.pixel(x, y)) < 100)
                ink |= QRect(x, y, 1, 1);
    return ink;
}
} // namespace

TEST_F(CanvasZoomTest, TheWidgetAndTheControlsGrowWithTheZoom) {
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    c->SetSelected(false);
    const QImage img = At(4);
    EXPECT_EQ(view.size(), QSize(768, 384));
    EXPECT_EQ(img.size(), QSize(768, 384));
    // The box (40, 30)-(70, 50) covers screen pixels 160 to 279 across and 120 to 199 down.
    EXPECT_EQ(Count(img, QRect(160, 120, 120, 80), Qt::blue), 120 * 80);
    EXPECT_EQ(img.pixelColor(159, 150), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(280, 150), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(200, 200), QColor(Qt::white));
    // The border stays one screen pixel on the label's last column and row.
    EXPECT_EQ(img.pixelColor(767, 200), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(300, 383), QColor(Qt::black));

    // Back to true size, then half size: the same label pixels, a quarter of the area.
    EXPECT_EQ(At(1).pixelColor(40, 30), QColor(Qt::blue));
    const QImage half = At(0.5);
    EXPECT_EQ(view.size(), QSize(96, 48));
    EXPECT_EQ(Count(half, QRect(20, 15, 15, 10), Qt::blue), 15 * 10);
    EXPECT_EQ(half.pixelColor(19, 20), QColor(Qt::white));
}

TEST_F(CanvasZoomTest, SelectionMarksKeepTheirScreenSize) {
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    const QImage img = At(4);
    // Handles: 4 x 4 screen pixels centred on the zoomed corners, not 16 x 16.
    for (QPoint corner : {QPoint(160, 120), QPoint(280, 120), QPoint(160, 200), QPoint(280, 200)}) {
        EXPECT_EQ(Count(img, QRect(corner - QPoint(2, 2), QSize(4, 4)), Qt::black), 16);
        EXPECT_NE(img.pixelColor(corner + QPoint(-3, -3)), QColor(Qt::black));
        EXPECT_NE(img.pixelColor(corner + QPoint(2, 2)), QColor(Qt::black));
    }
    // The dotted outline one screen pixel outside the zoomed box, one pixel wide.
    const int dotted = Count(img, QRect(170, 119, 100, 1), Qt::black);
    EXPECT_GT(dotted, 20);
    EXPECT_LT(dotted, 80);
    EXPECT_EQ(Count(img, QRect(170, 118, 100, 1), Qt::black), 0);

    // With two controls selected each is outlined, and neither has handles.
    TBlockControl* d = AddBlock(label, 100, 30, 30, 20, Qt::blue);
    label.SelectIds({c->Id(), d->Id()});
    const QImage both = view.BackBuffer();
    for (int left : {160, 400}) {
        EXPECT_GT(Count(both, QRect(left + 10, 119, 100, 1), Qt::black), 20) << left;
        EXPECT_NE(both.pixelColor(left - 2, 118), QColor(Qt::black)) << left;
        EXPECT_EQ(both.pixelColor(left + 1, 121), QColor(Qt::blue)) << left;
    }
}

TEST_F(CanvasZoomTest, ProblemOutlineFollowsTheZoomedBox) {
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    c->SetSelected(false);
    view.HasProblem = [](const TLabelControl&) { return true; };
    const QImage img = At(2);
    const QColor red(0xE0, 0x00, 0x00);
    // The box covers screen pixels 80 to 139 across; the outline runs from 79 to 140.
    EXPECT_EQ(Count(img, QRect(79, 59, 62, 1), red), 62);
    EXPECT_EQ(Count(img, QRect(140, 59, 1, 42), red), 42);
    EXPECT_EQ(Count(img, QRect(78, 58, 64, 1), red), 0);
    EXPECT_EQ(img.pixelColor(80, 60), QColor(Qt::blue));
}

TEST_F(CanvasZoomTest, PicturesFollowRedrawsAndZoomChanges) {
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    c->SetSelected(false);
    EXPECT_EQ(At(3).pixelColor(150, 120), QColor(Qt::blue));
    const int draws = c->DrawCount;
    c->SetLeft(60); // a move keeps the picture
    QImage img = view.BackBuffer();
    EXPECT_EQ(c->DrawCount, draws);
    EXPECT_EQ(img.pixelColor(185, 100), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(150, 100), QColor(Qt::white));
    c->Colour = Qt::red;
    c->Changed(); // drawn again: the zoomed picture must not be the old one
    img = view.BackBuffer();
    EXPECT_EQ(img.pixelColor(185, 100), QColor(Qt::red));
    // Another zoom draws the picture at its size: the box's last screen column is still red.
    img = At(2);
    EXPECT_EQ(img.pixelColor(2 * 90 - 1, 2 * 30), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(2 * 90, 2 * 30), QColor(Qt::white));
}

TEST_F(CanvasZoomTest, TransparentControlsStayTransparentWhenZoomed) {
    AddBlock(label, 20, 20, 60, 40, Qt::green);
    TBlockControl* top = AddBlock(label, 30, 30, 20, 20, Qt::white);
    label.SelectNone();
    EXPECT_EQ(At(2).pixelColor(80, 80), QColor(Qt::white));
    top->SetTransparency(true);
    EXPECT_EQ(view.BackBuffer().pixelColor(80, 80), QColor(Qt::green));
}

TEST_F(CanvasZoomTest, TextIsLaidOutAtTheZoomedFont) {
    auto owned = std::make_unique<TTextLabel>();
    TTextLabel* t = owned.get();
    owned->SetText(QStringLiteral("Zoomed text 42"));
    owned->SetBox(TRect::FromBox(10, 10, 20, 20), true);
    label.AddControl(std::move(owned));
    t->SetLoading(false);
    t->Changed();
    label.SelectNone();
    const QImage one = At(1);
    const QRect box(t->Left(), t->Top(), t->Width(), t->Height());
    const QRect ink1 = Ink(one, box);
    ASSERT_FALSE(ink1.isEmpty());
    const QImage four = At(4);
    const QRect zoomed(box.topLeft() * 4, box.size() * 4);
    const QRect ink4 = Ink(four, zoomed);
    // About four times the ink, yet drawn afresh: not every 4 x 4 cell is one colour.
    EXPECT_NEAR(ink4.width(), ink1.width() * 4, ink1.width() * 4 / 8);
    EXPECT_NEAR(ink4.height(), ink1.height() * 4, ink1.height() * 4 / 4);
    EXPECT_FALSE(BlockyAt(four, zoomed, 4));
}

TEST_F(CanvasZoomTest, ShapesAreDrawnAtTheZoomedSizeAndPicturesSmoothly) {
    auto shape = std::make_unique<TShapeLabel>();
    TShapeLabel* s = shape.get();
    shape->SetBox(TRect::FromBox(20, 20, 40, 30), true);
    label.AddControl(std::move(shape));
    s->SetLoading(false);
    s->Changed();
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixelColor(0, 0, Qt::red);
    picture.setPixelColor(1, 1, Qt::red);
    picture.setPixelColor(1, 0, Qt::blue);
    picture.setPixelColor(0, 1, Qt::blue);
    auto graphic = std::make_unique<TGraphicLabel>();
    TGraphicLabel* g = graphic.get();
    graphic->SetPicture(picture);
    graphic->SetBox(TRect::FromBox(100, 20, 40, 40), true);
    label.AddControl(std::move(graphic));
    g->SetLoading(false);
    g->Changed();
    label.SelectNone();

    const QImage one = At(1);
    const QImage four = At(4);
    // The shape's one-pixel pen is four screen pixels wide: drawn, not a thin line stretched
    // out of place.
    const int row = 4 * (s->Top() + s->Height() / 2);
    const QColor edge = one.pixelColor(s->Left(), row / 4);
    ASSERT_NE(edge, QColor(Qt::white));
    EXPECT_EQ(Count(four, QRect(4 * s->Left(), row, 4, 1), edge), 4);
    EXPECT_EQ(four.pixelColor(4 * s->Left() + 4, row), QColor(Qt::white));
    EXPECT_EQ(four.pixelColor(4 * s->Left() - 2, row), QColor(Qt::white));
    // The picture's four squares blend smoothly where they meet, which true size does not.
    const QRect box(4 * g->Left(), 4 * g->Top(), 4 * g->Width(), 4 * g->Height());
    const auto blended = [](const QImage& img, const QRect& area) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = img.pixelColor(x, y);
                n += c != QColor(Qt::red) && c != QColor(Qt::blue);
            }
        return n;
    };
    EXPECT_EQ(blended(one, QRect(g->Left(), g->Top(), g->Width(), g->Height())), 0);
    EXPECT_GT(blended(four, box), 4 * g->Width());
}

TEST_F(CanvasZoomTest, GridLinesStandOnTheirLabelPixels) {
    label.SetShowGrid(true);
    const QColor cyan(0x80, 0xFF, 0xFF);
    const QImage img = At(2);
    // The quarter-inch line on label pixel 25 starts at screen pixel 50.
    EXPECT_GT(Count(img, QRect(50, 8, 1, 170), cyan), 20);
    EXPECT_EQ(Count(img, QRect(49, 8, 1, 170), cyan), 0);
    EXPECT_EQ(Count(img, QRect(51, 8, 1, 170), cyan), 0);
    EXPECT_EQ(GridLinePositions(24.0, 96, 2), (std::vector<int32_t>{50, 98, 146}));
}

TEST_F(CanvasZoomTest, GuidesArePaintedWhileTheyHoldAndClearedAfter) {
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    view.Controller().Snap = [](const TRect& proposed, TDragMode) {
        return TSnapResult{proposed, {QLine(100, 5, 100, 90)}};
    };
    view.SetZoom(2);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 80));
    QTest::mouseMove(&view, QPoint(110, 80));
    EXPECT_EQ(c->Left(), 45);
    QImage img = view.BackBuffer();
    EXPECT_GT(Count(img, QRect(200, 10, 1, 170), kMagenta), 150);
    EXPECT_EQ(Count(img, QRect(201, 10, 1, 170), kMagenta), 0); // one screen pixel wide
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(110, 80));
    img = view.BackBuffer();
    EXPECT_EQ(Count(img, QRect(0, 0, img.width(), img.height()), kMagenta), 0);
}

TEST_F(CanvasZoomTest, TheRubberBandIsDrawnAtTheZoomWhileTheMouseDrawsIt) {
    view.SetZoom(2);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    // From label pixel (10, 10) to (40, 30): screen pixels 20 to 81 across, 20 to 61 down.
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(&view, QPoint(81, 61));
    ASSERT_FALSE(view.Controller().RubberBand().isEmpty());
    QImage img = view.BackBuffer();
    const int top = Count(img, QRect(20, 20, 62, 1), Qt::black);
    EXPECT_GT(top, 15);
    EXPECT_LT(top, 40);
    EXPECT_GT(Count(img, QRect(81, 20, 1, 42), Qt::black), 10);
    EXPECT_GT(Count(img, QRect(20, 61, 62, 1), Qt::black), 15);
    EXPECT_EQ(Count(img, QRect(82, 20, 1, 42), Qt::black), 0);
    EXPECT_EQ(Count(img, QRect(22, 22, 58, 38), Qt::black), 0);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(81, 61));
    img = view.BackBuffer();
    EXPECT_EQ(Count(img, QRect(20, 20, 62, 42), Qt::black), 0);
}

TEST_F(CanvasZoomTest, TheMouseMapsBackToLabelPixels) {
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    label.SelectNone();
    view.SetZoom(4);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    // A press on the zoomed box takes it; a drag moves it by a quarter of the mouse's way.
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(200, 160));
    ASSERT_EQ(label.Selection(), c);
    EXPECT_EQ(view.Controller().DragMode(), dmMove);
    QTest::mouseMove(&view, QPoint(240, 180));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(240, 180));
    EXPECT_EQ(c->Box(), TRect::FromBox(50, 35, 30, 20));
    EXPECT_EQ(view.ToLabel(QPointF(203.9, 3)), QPoint(50, 0));

    // The handles are a few screen pixels wide: 5 screen pixels inside the right edge (one
    // label pixel) moves, 2 outside resizes.
    const int right = 4 * 80;
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(right - 5, 180));
    EXPECT_EQ(view.Controller().DragMode(), dmMove);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(right - 5, 180));
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(right + 2, 180));
    EXPECT_EQ(view.Controller().DragMode(), dmRight);
    QTest::mouseMove(&view, QPoint(right + 42, 180));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(right + 42, 180));
    EXPECT_EQ(c->Width(), 40);
}

TEST(ZoomGeometry, HandleStripsKeepTheirScreenWidth) {
    const TRect box = TRect::FromBox(50, 30, 40, 20); // right 90, bottom 50
    // At 100 % the strips reach 3 label pixels either side of an edge; at 400 % one.
    EXPECT_EQ(HandleAt(box, 87, 40, 1), dmRight);
    EXPECT_EQ(HandleAt(box, 87, 40, 4), dmMove);
    EXPECT_EQ(HandleAt(box, 89, 40, 4), dmRight);
    EXPECT_EQ(HandleAt(box, 90, 40, 4), dmRight);
    EXPECT_EQ(HandleAt(box, 91, 40, 4), dmMove);
    // At 25 % a strip covers 12 label pixels either side: still 3 on the screen.
    const TRect tall = TRect::FromBox(50, 30, 40, 100);
    EXPECT_EQ(HandleAt(tall, 101, 80, 0.25), dmRight);
    EXPECT_EQ(HandleAt(tall, 102, 80, 0.25), dmMove);
    EXPECT_TRUE(HitsWithSlack(box, 45, 40, 1));
    EXPECT_FALSE(HitsWithSlack(box, 45, 40, 4));
    EXPECT_TRUE(HitsWithSlack(box, 48, 40, 4));
}

TEST_F(CanvasZoomTest, PaintingAPieceGivesThatPieceOfTheWholeLabel) {
    label.SetShowGrid(true);
    auto text = std::make_unique<TTextLabel>();
    TTextLabel* t = text.get();
    text->SetText(QStringLiteral("Piece by piece"));
    text->SetBox(TRect::FromBox(30, 20, 20, 20), true);
    label.AddControl(std::move(text));
    t->SetLoading(false);
    t->Changed();
    AddBlock(label, 100, 50, 40, 30, Qt::blue)->SetTransparency(true);
    for (double zoom : {1.0, 4.0, 0.67}) {
        const QImage whole = At(zoom);
        const int w = whole.width(), h = whole.height();
        // Pieces away from the corners and across them, odd sizes and places included.
        for (const QRect& piece : {QRect(w / 3, h / 4, w / 3 + 7, h / 2 - 3), QRect(0, 0, 25, 19),
                                   QRect(w - 31, h - 17, 31, 17), QRect(13, h / 2, w - 26, 5)}) {
            const QImage part = view.grab(piece).toImage().convertToFormat(QImage::Format_RGB32);
            EXPECT_EQ(part, whole.copy(piece))
                << "zoom " << zoom << " piece " << piece.x() << "," << piece.y() << " "
                << piece.width() << "x" << piece.height();
        }
    }
    // And back at true size the label is painted as before any zoom.
    const QImage before = At(1);
    At(4);
    EXPECT_EQ(At(1), before);
}

TEST(ZoomOverlay, RubberBandIsDottedAroundTheZoomedRectangle) {
    SetScreenResolution(96, 96);
    TLabelDocument document;
    document.SetLabelSize(100, 60);
    document.SetShowGrid(false);
    TLabelPaintOptions options;
    options.Zoom = 2;
    options.RubberBand = QRect(10, 10, 20, 15); // screen 20 to 59 across, 20 to 49 down
    QImage img(200, 120, QImage::Format_RGB32);
    QPainter p(&img);
    PaintLabel(p, document, options, LabelClipRegion(200, 120));
    p.end();
    const int top = Count(img, QRect(20, 20, 40, 1), Qt::black);
    EXPECT_GT(top, 10);
    EXPECT_LT(top, 40);
    EXPECT_GT(Count(img, QRect(59, 20, 1, 30), Qt::black), 8);
    EXPECT_GT(Count(img, QRect(20, 49, 40, 1), Qt::black), 10);
    EXPECT_EQ(Count(img, QRect(20, 19, 40, 1), Qt::black), 0);
    EXPECT_EQ(Count(img, QRect(60, 20, 1, 30), Qt::black), 0);
    EXPECT_EQ(Count(img, QRect(22, 22, 36, 26), Qt::black), 0);
}
