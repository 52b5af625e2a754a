#include "../TestControls.h"
#include "document/LabelGeometry.h"
#include "document/widgets/CanvasLabel.h"
#include "platform/Screen.h"

#include <QPainter>
#include <gtest/gtest.h>

// Painting is checked on the pixels of the label painted into an image.
class CanvasPaintTest : public ::testing::Test {
protected:
    QImage Paint() {
        QImage img(view.size(), QImage::Format_RGB32);
        QPainter p(&img);
        view.PaintLabel(p);
        return img;
    }
    void SetUp() override { label.SetLabelSize(192, 96); }
    TCanvasLabel view;
    TLabelDocument& label = view.Document();
};

TEST(Grid, StepsAndLinePositions) {
    EXPECT_DOUBLE_EQ(GridStep(96, false), 24.0);
    EXPECT_NEAR(GridStep(96, true), 18.8976, 1e-4);
    const std::vector<int32_t> metric = GridLinePositions(GridStep(96, true), 80);
    EXPECT_EQ(metric, (std::vector<int32_t>{20, 39, 58, 77}));
    const std::vector<int32_t> inch = GridLinePositions(24.0, 96);
    EXPECT_EQ(inch, (std::vector<int32_t>{25, 49, 73})); // 97 is past the edge
    EXPECT_TRUE(GridLinePositions(0, 100).empty());
}

TEST_F(CanvasPaintTest, BorderGridAndBackground) {
    const QImage img = Paint();
    EXPECT_EQ(img.pixelColor(1, 48), QColor(Qt::black));   // left border
    EXPECT_EQ(img.pixelColor(191, 48), QColor(Qt::black)); // right border: last column
    EXPECT_EQ(img.pixelColor(96, 1), QColor(Qt::black));   // top border
    EXPECT_EQ(img.pixelColor(96, 95), QColor(Qt::black));  // bottom border: last row
    EXPECT_EQ(img.pixelColor(190, 48), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::white));
    // The grid is dotted light cyan on quarter inches: some pixels of column 25 are cyan.
    int cyan = 0;
    for (int y = 4; y < 90; ++y)
        cyan += img.pixelColor(25, y) == QColor(0x80, 0xFF, 0xFF);
    EXPECT_GT(cyan, 20);
    EXPECT_LT(cyan, 80); // dotted, not solid
    label.SetShowGrid(false);
    const QImage plain = Paint();
    for (int y = 4; y < 90; ++y)
        EXPECT_EQ(plain.pixelColor(25, y), QColor(Qt::white));
}

TEST_F(CanvasPaintTest, ControlImageAndSelectionHandles) {
    label.SetShowGrid(false);
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    QImage img = Paint();
    EXPECT_EQ(img.pixelColor(50, 40), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(40 + 30 + 1, 40), QColor(Qt::white));
    // Handles: 4 x 4 black squares centred on the corners.
    for (QPoint corner : {QPoint(40, 30), QPoint(70, 30), QPoint(40, 50), QPoint(70, 50)}) {
        EXPECT_EQ(img.pixelColor(corner + QPoint(-2, -2)), QColor(Qt::black));
        EXPECT_EQ(img.pixelColor(corner + QPoint(1, 1)), QColor(Qt::black));
    }
    // The dotted outline one pixel outside the box.
    int dark = 0;
    for (int x = 44; x < 66; ++x)
        dark += img.pixelColor(x, 29) == QColor(Qt::black);
    EXPECT_GT(dark, 5);
    c->SetSelected(false);
    img = Paint();
    EXPECT_EQ(img.pixelColor(38, 28), QColor(Qt::white)); // no handles now
    view.ShowBorders = true;
    img = Paint();
    int grey = 0;
    for (int x = 44; x < 66; ++x)
        grey += img.pixelColor(x, 29) == QColor(0x80, 0x80, 0x80);
    EXPECT_GT(grey, 5);
}

TEST_F(CanvasPaintTest, ImagesAreRenderedLazilyAndPlacedByAlignment) {
    label.SetShowGrid(false);
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::red);
    Paint();
    const int draws = c->DrawCount;
    Paint();
    EXPECT_EQ(c->DrawCount, draws); // nothing changed: no new rendering
    c->SetLeft(50);
    Paint();
    EXPECT_EQ(c->DrawCount, draws); // a move does not re-render
    c->SetBoxWidth(40);
    Paint();
    EXPECT_EQ(c->DrawCount, draws + 1);
}

TEST_F(CanvasPaintTest, TransparentControlsLetWhiteThrough) {
    label.SetShowGrid(false);
    AddBlock(label, 20, 20, 60, 40, Qt::green);
    TBlockControl* top = AddBlock(label, 30, 30, 20, 20, Qt::white);
    top->SetSelected(false);
    label.SelectAt(150, 80);
    QImage img = Paint();
    EXPECT_EQ(img.pixelColor(40, 40), QColor(Qt::white));
    top->SetTransparency(true);
    img = Paint();
    EXPECT_EQ(img.pixelColor(40, 40), QColor(Qt::green));
}

TEST_F(CanvasPaintTest, RepaintAfterAChangeUpdatesTheBackBuffer) {
    label.SetShowGrid(false);
    view.show();
    TBlockControl* c = AddBlock(label, 40, 30, 30, 20, Qt::blue);
    c->SetLeft(100);
    ASSERT_EQ(view.BackBuffer().size(), view.size());
    EXPECT_EQ(view.BackBuffer().pixelColor(110, 40), QColor(Qt::blue));
    EXPECT_EQ(view.BackBuffer().pixelColor(50, 40), QColor(Qt::white));
}
