#include "document/Sheet.h"

#include <gtest/gtest.h>

namespace {
TPrinterFacts Letter600() {
    TPrinterFacts f;
    f.PixelsPerInchX = f.PixelsPerInchY = 600;
    f.PhysicalWidth = f.PrintableWidth = 5100;
    f.PhysicalHeight = f.PrintableHeight = 6600;
    return f;
}
} // namespace

TEST(Sheet, BuiltInDefaults) {
    const TSheetSettings s;
    EXPECT_EQ(s.LabelHeight, 1.0);
    EXPECT_EQ(s.LabelWidth, 2.0);
    EXPECT_EQ(s.TopMargin, 0.25);
    EXPECT_EQ(s.LeftMargin, 0.25);
    EXPECT_EQ(s.RightMargin, 0.0);
    EXPECT_EQ(s.BottomMargin, 0.0);
    EXPECT_FALSE(s.Metric);
    EXPECT_FALSE(s.ForcedCount);
    EXPECT_EQ(s.Rows, 1);
    EXPECT_EQ(s.Columns, 1);
    EXPECT_EQ(s.BorderPct, 10.0);
}

// Letter at 600 dpi with 2 x 1 in labels: worked through by hand in the comments.
TEST(Sheet, LetterRowsAndColumnsWithoutGutters) {
    TSheetSettings s;
    TPrinterPage page;
    RefreshPrinterPage(s, page, Letter600());
    EXPECT_EQ(s.Columns, 4); // 0.25 + 4 * 2 = 8.25 <= 8.5
    EXPECT_EQ(s.Rows, 10);   // 0.25 + 10 * 1 = 10.25 <= 11; 11 would need 11.25
}

TEST(Sheet, LetterRowsAndColumnsWithGutters) {
    TSheetSettings s;
    s.GapWidth = s.GapHeight = 0.125;
    TPrinterPage page;
    RefreshPrinterPage(s, page, Letter600());
    EXPECT_EQ(s.Columns, 3); // 0.25 + 4 * 2 + 3 * 0.125 = 8.625 > 8.5
    EXPECT_EQ(s.Rows, 9);    // 0.25 + 10 + 9 * 0.125 = 11.375 > 11; 9 rows take 10.25
}

TEST(Sheet, BottomAndRightMarginsShortenTheAxis) {
    TSheetSettings s;
    s.RightMargin = 0.3;  // 0.55 + 4 * 2 = 8.55 > 8.5
    s.BottomMargin = 0.8; // 1.05 + 10 = 11.05 > 11
    TPrinterPage page;
    RefreshPrinterPage(s, page, Letter600());
    EXPECT_EQ(s.Columns, 3);
    EXPECT_EQ(s.Rows, 9);
}

TEST(Sheet, MetricLengthsConvertThroughInches) {
    TSheetSettings s;
    ConvertSheetToMetric(s);
    TPrinterPage page;
    RefreshPrinterPage(s, page, Letter600());
    EXPECT_EQ(s.Columns, 4);
    EXPECT_EQ(s.Rows, 10);
}

TEST(Sheet, NothingFitsGivesZero) {
    EXPECT_EQ(CountLabelsAlong(150, 6000, 0, 5100), 0); // wider than the paper
    EXPECT_EQ(CountLabelsAlong(150, 0, 0, 5100), 0);    // no size
    EXPECT_EQ(CountLabelsAlong(150, -5, 0, 5100), 0);
    EXPECT_EQ(CountLabelsAlong(5100, 10, 0, 5100), 0); // margins fill the paper
    EXPECT_EQ(CountLabelsAlong(0, 5100, 0, 5100), 1);  // exactly fits
    TSheetSettings s;
    s.LabelWidth = 9;
    TPrinterPage page;
    RefreshPrinterPage(s, page, Letter600());
    EXPECT_EQ(s.Columns, 0);
}

TEST(Sheet, NegativeGutterThatNeverAdvancesDoesNotHang) {
    // A gutter of minus the label size would keep the position still.
    EXPECT_EQ(CountLabelsAlong(0, 100, -100, 5100), 1);
    EXPECT_EQ(CountLabelsAlong(0, 100, -50, 300), 5); // 100, 150, 200, 250, 300
}

TEST(Sheet, ForcedCountsAreKept) {
    TSheetSettings s;
    s.ForcedCount = true;
    s.Rows = 3;
    s.Columns = 7;
    TPrinterPage page;
    RefreshPrinterPage(s, page, Letter600());
    EXPECT_EQ(s.Rows, 3);
    EXPECT_EQ(s.Columns, 7);
    EXPECT_EQ(page.PhysicalWidth, 5100); // the facts are still read
}

TEST(Sheet, PrinterPageNonPrintableMargins) {
    TPrinterFacts f = Letter600();
    f.OffsetX = 100;
    f.OffsetY = 120;
    f.PrintableWidth = 4900;
    f.PrintableHeight = 6300;
    TSheetSettings s;
    TPrinterPage page;
    RefreshPrinterPage(s, page, f);
    EXPECT_EQ(page.OffsetX, 100);
    EXPECT_EQ(page.OffsetY, 120);
    EXPECT_EQ(page.NonPrintableRight, 100);
    EXPECT_EQ(page.NonPrintableBottom, 180);
}

TEST(Sheet, ColumnAndRowOriginsRoundEachTermAlone) {
    TSheetSettings s;
    s.LeftMargin = 0.1875;
    s.GapWidth = 0.125;
    s.LabelWidth = 2.625;
    // 0.1875 * 600 = 112.5 -> 112; 2 * 600 * 0.125 = 150; 2 * 600 * 2.625 = 3150
    EXPECT_EQ(ColumnOrigin(s, 0, 600), 112);
    EXPECT_EQ(ColumnOrigin(s, 2, 600), 112 + 150 + 3150);
    // At 300 dpi: 56.25 -> 56; 1 * 300 * 0.125 = 37.5 -> 38; 787.5 -> 788
    EXPECT_EQ(ColumnOrigin(s, 1, 300), 56 + 38 + 788);
    s.TopMargin = 0.5;
    s.GapHeight = 0;
    s.LabelHeight = 1;
    EXPECT_EQ(RowOrigin(s, 3, 600), 300 + 0 + 1800);
}

TEST(Sheet, UnitConversionRoundTrip) {
    TSheetSettings s;
    s.GapWidth = 0.125;
    const TSheetSettings before = s;
    ConvertSheetToMetric(s);
    EXPECT_TRUE(s.Metric);
    EXPECT_DOUBLE_EQ(s.LabelWidth, 5.08);
    EXPECT_DOUBLE_EQ(s.TopMargin, 0.635);
    EXPECT_EQ(s.BorderPct, 10.0);
    ConvertSheetToMetric(s); // already metric: nothing
    EXPECT_DOUBLE_EQ(s.LabelWidth, 5.08);
    ConvertSheetToInches(s);
    EXPECT_FALSE(s.Metric);
    EXPECT_DOUBLE_EQ(s.LabelWidth, before.LabelWidth);
    EXPECT_DOUBLE_EQ(s.GapWidth, before.GapWidth);
}

TEST(Sheet, BorderNamesAndWidths) {
    const char* names[] = {"None", "Solid", "Dash", "Dot", "Dash Dot", "Dash Dot Dot"};
    for (int i = 0; i < BorderStyleCount; ++i)
        EXPECT_EQ(BorderStyleName(i), QString(names[i]));
    EXPECT_EQ(BorderWidthText(0), QString("1 pt"));
    EXPECT_EQ(BorderWidthText(1), QString("2 pts"));
    EXPECT_EQ(BorderWidthText(9), QString("10 pts"));
}

TEST(Sheet, LabelSizeInScreenPixels) {
    TSheetSettings s; // 2 x 1 in at 96 dpi in tests
    EXPECT_EQ(LabelPixelWidth(s), 192);
    EXPECT_EQ(LabelPixelHeight(s), 96);
    s.Metric = true;
    s.LabelWidth = 5.0; // 5 / 2.54 * 96 = 188.98
    EXPECT_EQ(LabelPixelWidth(s), 189);
}
