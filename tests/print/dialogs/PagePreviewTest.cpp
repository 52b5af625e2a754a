#include "print/dialogs/PagePreview.h"

#include "platform/Rounding.h"
#include "print/dialogs/PrintDialogRules.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
// Printer pages of the PDF printer at 600 dots per inch.
TPrinterPage Paper(int width, int height) {
    TPrinterPage p;
    p.PhysicalWidth = width;
    p.PhysicalHeight = height;
    return p;
}
const TPrinterPage Letter = Paper(5100, 6600);
const TPrinterPage LetterLandscape = Paper(6600, 5100);
constexpr QSize Box(167, 185);

TSheetSettings Sheet(int rows, int columns) {
    TSheetSettings s;
    s.TopMargin = s.LeftMargin = 0.5;
    s.ForcedCount = true;
    s.Rows = rows;
    s.Columns = columns;
    return s;
}

QImage Painted(const TPagePreview& preview, int skip) {
    QImage image(Box, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    preview.Paint(painter, skip, QColor(239, 239, 239));
    return image;
}

QColor Centre(const QImage& image, const QRect& r) {
    return image.pixelColor(r.center());
}

// How many pixels along the label's top edge (corners left out) are not black.
int BrokenTopEdge(const QImage& image, const QRect& r) {
    int broken = 0;
    for (int x = r.left() + 3; x < r.left() + r.width() - 3; ++x)
        broken += image.pixelColor(x, r.top()) != QColor(Qt::black);
    return broken;
}
} // namespace

// Expected edges worked out by hand from the sizes: 5100 × 175 / 6600 / 2 = 67.61.
TEST(PagePreview, LetterPortraitIsCentredAndFillsTheHeight) {
    const TPagePreview p(Sheet(10, 4), Letter, Box);
    EXPECT_EQ(p.PageRect().top(), 5);
    EXPECT_EQ(p.PageRect().bottom(), 181);
    EXPECT_EQ(p.PageRect().left(), 16);   // round(83.5 − 67.61)
    EXPECT_EQ(p.PageRect().right(), 151); // round(67.61 + 83.5)
    // 176 pixels for 11 inches: 16 per inch; 135 for 8.5 inches: 15.9.
    EXPECT_EQ(p.ResolutionY(), 16);
    EXPECT_EQ(p.ResolutionX(), 16);
    // Label (row 1, column 0): half an inch in, one inch down more; 2 × 1 inches.
    EXPECT_EQ(p.LabelRect(1, 0), QRect(16 + 8, 5 + 8 + 16, 32, 16));
}

TEST(PagePreview, LandscapeFillsTheWidth) {
    const TPagePreview p(Sheet(2, 2), LetterLandscape, Box);
    EXPECT_EQ(p.PageRect().left(), 5);
    EXPECT_EQ(p.PageRect().right(), 162);
    // 157 × 5100 / 6600 / 2 = 60.66 either side of 92.5; the bottom one further.
    EXPECT_EQ(p.PageRect().top(), 32);
    EXPECT_EQ(p.PageRect().bottom(), 154);
}

TEST(PagePreview, PrinterOffsetsAreNotSubtractedFromLabelPositions) {
    TPrinterPage page = Letter;
    page.OffsetX = page.OffsetY = 150;
    page.NonPrintableRight = page.NonPrintableBottom = 150;
    const TPagePreview p(Sheet(1, 1), page, Box);
    EXPECT_EQ(p.PageRect().top(), 5);
    // The page is the printable area, measured as if the offsets were paper.
    EXPECT_EQ(p.LabelRect(0, 0).topLeft(),
              p.PageRect().topLeft() + QPoint(RoundHalfEven(p.ResolutionX() * 0.5),
                                              RoundHalfEven(p.ResolutionY() * 0.5)));
}

TEST(PagePreview, AnEmptyPageShowsNothingAndTakesNoClicks) {
    const TPagePreview p(Sheet(2, 2), Paper(0, 0), Box);
    EXPECT_TRUE(p.PageRect().isNull());
    EXPECT_FALSE(p.LabelAt(QPoint(50, 50)));
    const QImage image = Painted(p, 0);
    EXPECT_EQ(image.pixelColor(80, 90), QColor(239, 239, 239));
}

TEST(PagePreview, ClicksFindTheLabelRowByRow) {
    const TPagePreview p(Sheet(5, 2), Letter, Box);
    EXPECT_EQ(p.LabelAt(p.LabelRect(0, 0).center()), 0);
    EXPECT_EQ(p.LabelAt(p.LabelRect(1, 1).center()), 3);
    EXPECT_EQ(p.LabelAt(p.LabelRect(4, 1).center()), 9);
    // The margin, and the pixel just past a label's right edge, are no label.
    EXPECT_FALSE(p.LabelAt(QPoint(p.PageRect().left() + 2, p.PageRect().top() + 2)));
    const QRect last = p.LabelRect(4, 1);
    EXPECT_FALSE(p.LabelAt(QPoint(last.left() + last.width(), last.center().y())));
}

TEST(PagePreview, SkippedLabelsSilverStartAquaWithFocusRestWhite) {
    const TPagePreview p(Sheet(5, 2), Letter, Box);
    const QImage image = Painted(p, 3);
    for (int n = 0; n < 10; ++n) {
        const QRect r = p.LabelRect(n / 2, n % 2);
        const QColor expected = n < 3    ? QColor(192, 192, 192)
                                : n == 3 ? QColor(0, 255, 255)
                                         : QColor(Qt::white);
        EXPECT_EQ(Centre(image, r), expected) << "label " << n;
        if (n == 3)
            EXPECT_GT(BrokenTopEdge(image, r), r.width() / 4) << "the focus outline";
        else
            EXPECT_EQ(BrokenTopEdge(image, r), 0) << "label " << n;
        if (n != 3)
            EXPECT_EQ(image.pixelColor(r.left(), r.center().y()), QColor(Qt::black)) << n;
    }
    // Background outside the paper, the paper white inside its black outline.
    EXPECT_EQ(image.pixelColor(2, 2), QColor(239, 239, 239));
    EXPECT_EQ(image.pixelColor(p.PageRect().left(), 90), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(p.PageRect().right() - 1, 90), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(p.PageRect().right(), 90), QColor(239, 239, 239));
    EXPECT_EQ(image.pixelColor(p.PageRect().left() + 3, 170), QColor(Qt::white));
}

TEST(PagePreview, LabelsAreClippedInsideThePaperOutline) {
    // A label wider than the page runs into the clip, never over the outline.
    TSheetSettings s = Sheet(1, 1);
    s.LabelWidth = 20;
    const TPagePreview p(s, Letter, Box);
    const QImage image = Painted(p, 0);
    const int y = p.LabelRect(0, 0).center().y();
    EXPECT_EQ(image.pixelColor(p.PageRect().right() - 1, y), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(p.PageRect().right() - 3, y), QColor(0, 255, 255));
    EXPECT_EQ(image.pixelColor(p.PageRect().right(), y), QColor(239, 239, 239));
}

TEST(PagePreview, HugeForcedSheetsPaintOnlyWhatCanShow) {
    TSheetSettings s = Sheet(9999, 9999);
    s.LabelWidth = s.LabelHeight = 0.01;
    s.TopMargin = s.LeftMargin = 0;
    const TPagePreview p(s, Letter, Box);
    EXPECT_LE(p.VisibleRows(), Box.height());
    EXPECT_LE(p.VisibleColumns(), Box.width());
    EXPECT_GT(p.VisibleRows(), 0);
    Painted(p, 5); // and paints in a moment
}

TEST(PrintDialogRules, SkipCountStaysOnOnePage) {
    EXPECT_EQ(ClampSkipCount(3, 5, 2), 3);
    EXPECT_EQ(ClampSkipCount(10, 5, 2), 9);
    EXPECT_EQ(ClampSkipCount(-1, 5, 2), 0);
    EXPECT_EQ(ClampSkipCount(4, 0, 2), 0); // no labels on the page
    EXPECT_EQ(SkipCountText(0), "Skip 0 Labels");
    EXPECT_EQ(SkipCountText(1), "Skip 1 Label");
    EXPECT_EQ(SkipCountText(3), "Skip 3 Labels");
}

TEST(PrintDialogRules, CountsAndRefusals) {
    EXPECT_EQ(CountOnExit(""), "1");
    EXPECT_EQ(CountOnExit("0"), "1");
    EXPECT_EQ(CountOnExit("000"), "1");
    EXPECT_EQ(CountOnExit("07"), "07");
    EXPECT_EQ(PrintRefusal(TPrintRange::All, "", false, ""),
              "You cannot print \"All\" without\n\rselecting a file to import from.");
    EXPECT_EQ(PrintRefusal(TPrintRange::Pages, "/x/d.csv", false, ""),
              "/x/d.csv\n\rfile does not exist!");
    EXPECT_EQ(PrintRefusal(TPrintRange::All, "/x/d.csv", true, ""), "");
    EXPECT_EQ(PrintRefusal(TPrintRange::Pages, "", false, ""), "");
    EXPECT_EQ(PrintRefusal(TPrintRange::Pages, "", false, "misfit"), "misfit");

    TPrintChoices c;
    c.Range = TPrintRange::Labels;
    c.LabelCount = "999999999";
    c.Copies = "3";
    c.CopiesShown = false;
    const TPrintSettings s = SettingsFromChoices(c);
    EXPECT_EQ(s.LabelCount, 999999999);
    EXPECT_EQ(s.Duplicates, 1) << "a hidden Duplicates box prints each label once";
}
