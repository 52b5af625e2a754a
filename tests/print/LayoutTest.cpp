#include "document/Sheet.h"
#include "print/PrintControls.h"
#include "print/PrintU.h"

#include <gtest/gtest.h>

class LayoutTest : public ::testing::Test {};

TEST_F(LayoutTest, LabelRectangleFromOriginsMinusOffsets) {
    TPrintLayout layout;
    layout.Sheet.GapWidth = 0.125;
    layout.Page.PixelsPerInchX = layout.Page.PixelsPerInchY = 600;
    layout.Page.OffsetX = 25;
    layout.Page.OffsetY = 40;
    const QRect r = LabelRect(layout, 2, 3);
    EXPECT_EQ(r.left(), 150 + 150 + 2400 - 25); // 2675
    EXPECT_EQ(r.top(), 150 + 0 + 1800 - 40);
    EXPECT_EQ(r.width(), 1200);
    EXPECT_EQ(r.height(), 600);
}

TEST_F(LayoutTest, ModuleWidthsAtPrinterResolution) {
    EXPECT_EQ(PrintModuleWidth(10, true, btCode128, 600), 6);    // Code 128, auto scale
    EXPECT_EQ(PrintModuleWidth(10, true, btPostnet, 600), 13);   // POSTNET: round(13.2)
    EXPECT_EQ(PrintModuleWidth(7.5, false, btCode128, 600), 4);  // round(4.5) to even
    EXPECT_EQ(PrintModuleWidth(12.5, false, btCode128, 600), 8); // round(7.5) to even
    EXPECT_EQ(PrintModuleWidth(10, true, btCode128, 300), 3);
}
