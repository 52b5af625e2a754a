#include "document/Sheet.h"
#include "document/SheetLimits.h"
#include "document/TextRendering.h"

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

// Letter at 600 dpi, 2 x 1 in labels from 0.25 in: columns start at 150, 1350, 2550, 3750 and
// 4950 (on the paper, running past its 5100), then 6150 (beyond it); rows every 600 from 150,
// the eleventh at 6150 < 6600.
TEST(Sheet, PositionsOnThePaper) {
    TPrinterPage page;
    TSheetSettings s;
    RefreshPrinterPage(s, page, Letter600());
    s.ForcedCount = true;
    s.Columns = 8;
    s.Rows = 20;
    EXPECT_EQ(ColumnsOnPaper(s, page), 5);
    EXPECT_EQ(RowsOnPaper(s, page), 11);
    s.Columns = 3; // never more than the sheet has
    EXPECT_EQ(ColumnsOnPaper(s, page), 3);
    s.LeftMargin = 8.6; // the first column starts beyond the paper
    EXPECT_EQ(ColumnsOnPaper(s, page), 0);
    s.LeftMargin = -2; // ends exactly at the paper's left edge: nothing of it is on the paper
    EXPECT_EQ(ColumnsOnPaper(s, page), 0);
    s.LeftMargin = -1.5; // starts left of the paper but reaches onto it
    EXPECT_EQ(ColumnsOnPaper(s, page), 3);
}

TEST(Sheet, PositionsThatNeverAdvanceOrRunAwayStayBounded) {
    TPrinterPage page;
    TSheetSettings s;
    RefreshPrinterPage(s, page, Letter600());
    s.ForcedCount = true;
    s.Columns = INT32_MAX;
    s.Rows = INT32_MAX;
    s.GapWidth = -2; // every column on the first one
    EXPECT_EQ(ColumnsOnPaper(s, page), 1);
    s.GapWidth = -3; // each column left of the one before
    EXPECT_EQ(ColumnsOnPaper(s, page), 1);
    s.GapHeight = 2147483648.0; // the second row is far beyond the paper
    s.LabelHeight = 65536;
    EXPECT_EQ(RowsOnPaper(s, page), 1);
    EXPECT_EQ(RowOrigin(s, 1, 600), INT32_MAX); // held at the end of the range
    // Tiny labels on a paper roll 1666 in long: counting stops at the largest forced count.
    s.LabelWidth = 0.01;
    s.GapWidth = 0;
    page.PhysicalWidth = 1000000;
    EXPECT_EQ(ColumnsOnPaper(s, page), SheetLimits::MaxForcedCount);
}

// Each row breaks one limit; the message is the rest of "The file ... ".
TEST(Sheet, LimitsOfASheet) {
    const auto problem = [](void (*change)(TSheetSettings&)) {
        TSheetSettings s;
        change(s);
        return SheetLimitProblem(s);
    };
    struct TRow {
        const char* Name;
        void (*Change)(TSheetSettings&);
        const char* Problem;
    } rows[] = {
        {"built-in sheet", [](TSheetSettings&) {}, ""},
        {"largest label", [](TSheetSettings& s) { s.LabelWidth = s.LabelHeight = 100; }, ""},
        {"forced to the most",
         [](TSheetSettings& s) {
             s.ForcedCount = true;
             s.Rows = s.Columns = 9999;
         },
         ""},
        {"unforced counts are worked out anyway", [](TSheetSettings& s) { s.Rows = -5; }, ""},
        {"overlapping labels", [](TSheetSettings& s) { s.GapWidth = -1.95; }, ""},
        {"the issue's label", [](TSheetSettings& s) { s.LabelHeight = 65536; },
         "describes a label of 2 by 65536 inches; labels can be at most 100 inches on a side"},
        {"metric label",
         [](TSheetSettings& s) {
             s.Metric = true;
             s.LabelWidth = 300;
         },
         "describes a label of 118.11 by 0.393701 inches; labels can be at most 100 inches on "
         "a side"},
        {"gutter", [](TSheetSettings& s) { s.GapHeight = 2147483648.0; },
         "has a margin or gutter of 2.14748e+09 inches; margins and gutters can be at most 100 "
         "inches either way"},
        {"margin", [](TSheetSettings& s) { s.RightMargin = -101; },
         "has a margin or gutter of -101 inches; margins and gutters can be at most 100 inches "
         "either way"},
        {"labels on one another", [](TSheetSettings& s) { s.GapWidth = -2; },
         "starts a label every 0 inches across and every 1 inches down; labels must start at "
         "least 0.05 inches apart"},
        {"tiny labels", [](TSheetSettings& s) { s.LabelHeight = 0.001; },
         "starts a label every 2 inches across and every 0.001 inches down; labels must start "
         "at least 0.05 inches apart"},
        {"forced too many",
         [](TSheetSettings& s) {
             s.ForcedCount = true;
             s.Columns = 2147483647;
         },
         "forces the sheet to 1 rows and 2147483647 columns; a sheet can have from 0 to 9999 of "
         "each"},
        {"forced below none",
         [](TSheetSettings& s) {
             s.ForcedCount = true;
             s.Rows = -1;
         },
         "forces the sheet to -1 rows and 1 columns; a sheet can have from 0 to 9999 of each"},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(problem(row.Change), QString(row.Problem)) << row.Name;
}

TEST(Sheet, LongTextsAreCutForDrawing) {
    const QString shortText(1000, 'a');
    EXPECT_EQ(TextForDrawing(shortText), shortText);
    EXPECT_TRUE(TextForDrawing(shortText).isSharedWith(shortText)); // no copy for normal data
    const QString longText = QString(MaxDrawnTextLength, 'b') + "tail";
    EXPECT_EQ(TextForDrawing(longText), QString(MaxDrawnTextLength, 'b'));
    // A character outside the basic plane is kept whole or not at all.
    const QString clef = QString::fromUcs4(U"\U0001D11E");
    const QString pairs = QString(MaxDrawnTextLength - 1, 'c') + clef + clef;
    EXPECT_EQ(TextForDrawing(pairs), QString(MaxDrawnTextLength - 1, 'c'));
    EXPECT_EQ(MaxImageSide(96), 9600);
    EXPECT_EQ(MaxImageSide(600), 60000);
}
