#include "document/Sheet.h"
#include "print/PrintControls.h"
#include "print/PrintU.h"

#include <gtest/gtest.h>

class LayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedSheet = SheetSettings();
        savedPage = PrinterPage();
    }
    void TearDown() override {
        SheetSettings() = savedSheet;
        PrinterPage() = savedPage;
    }
    TSheetSettings savedSheet;
    TPrinterPage savedPage;
};

TEST_F(LayoutTest, LabelRectangleFromOriginsMinusOffsets) {
    SheetSettings() = TSheetSettings();
    SheetSettings().GapWidth = 0.125;
    PrinterPage().PixelsPerInchX = PrinterPage().PixelsPerInchY = 600;
    PrinterPage().OffsetX = 25;
    PrinterPage().OffsetY = 40;
    const QRect r = LabelRect(2, 3);
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
