// One control checked as paper would print it: the rule the preflight check and the design
// surface's outlines share.

#include "print/ControlCheck.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "merge/AdvancedField.h"
#include "platform/Screen.h"
#include "print/Preflight.h"
#include "print/PreflightTexts.h"

#include <gtest/gtest.h>

#include <map>

namespace {
class ControlCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        sheet.LabelWidth = 1.0; // a one-inch label, one to a page
        sheet.LabelHeight = 1.0;
        sheet.ForcedCount = true;
        sheet.Rows = 1;
        sheet.Columns = 1;
        label.SetSheet(sheet);
        label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    }
    template <class T> T* Add(int left, int top, int width, int height, bool autoSize) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        raw->SetAutoSizing(autoSize);
        raw->SetBox(TRect::FromBox(left, top, width, height), false);
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    TBarcodeLabel* Barcode(TBarcodeType type, const QString& text, int left = 2, int top = 2) {
        TBarcodeLabel* c = Add<TBarcodeLabel>(left, top, 40, 60, true);
        c->SetBarcodeType(type);
        c->SetText(text);
        label.DrawChanged();
        return c;
    }
    TTextLabel* FixedText(const QString& text, int width) {
        TTextLabel* c = Add<TTextLabel>(4, 4, width, 30, false);
        c->SetText(text);
        label.DrawChanged();
        return c;
    }
    static TPrinterPage Page(int32_t resolution) {
        TPrinterPage page;
        page.PixelsPerInchX = page.PixelsPerInchY = resolution;
        return page;
    }

    TSheetSettings sheet;
    TLabelDocument label;
};

TEST_F(ControlCheckTest, TheSurfaceFindsWhatThePreflightFindsInTheSameWords) {
    TBarcodeLabel* wide = Barcode(btEan13, "400638133393"); // 1.15 in with its quiet zones
    // A plain barcode keeps only what it can carry; a composed one prints what it is given.
    TBarcodeLabel* letters = Barcode(btEan13, QString(), 2, 40);
    letters->Fields.push_back(std::make_unique<TTextField>("40063813339X"));
    letters->SetAdvanced(true);
    label.DrawChanged();
    TTextLabel* clipped = FixedText("a text much wider than its box", 30);
    TBarcodeLabel* fits = Barcode(btEan8, "1234567", 2, 70);

    std::map<const TLabelControl*, QStringList> preflight;
    const auto byName = [&](const QString& name) -> const TLabelControl* {
        if (name.contains("40063813339X"))
            return letters;
        if (name.contains("400638133393"))
            return wide;
        if (name.contains("a text much"))
            return clipped;
        return fits;
    };
    TPrintSettings settings;
    settings.Range = TPrintRange::Labels;
    settings.LabelCount = 1;
    TPreflightOptions options;
    options.ReadBack = false;
    TPdfPrinter printer;
    CheckLabels(
        sheet, label.Controls(), settings, printer,
        [&](const TPreflightProblem& p) { preflight[byName(p.Control)] << p.Problem; }, nullptr,
        options);

    const TPrinterPage page = Page(TPdfPrinter::Resolution);
    for (const TLabelControl* c : {(const TLabelControl*)wide, (const TLabelControl*)letters,
                                   (const TLabelControl*)clipped, (const TLabelControl*)fits})
        EXPECT_EQ(PaperProblems(*c, sheet, page), preflight[c]) << c->GetText().toStdString();

    const QStringList cut = PaperProblems(*wide, sheet, page);
    ASSERT_EQ(cut.size(), 1);
    EXPECT_TRUE(cut[0].startsWith("the right edge of the label cuts the barcode \"400638133393\""))
        << cut[0].toStdString();
    EXPECT_TRUE(PaperProblems(*letters, sheet, page).join(' ').contains("cannot carry"));
    EXPECT_TRUE(PaperProblems(*clipped, sheet, page).join(' ').contains("paper would cut it"));
    EXPECT_TRUE(PaperProblems(*fits, sheet, page).isEmpty());
}

TEST_F(ControlCheckTest, ASymbolIsMeasuredAtThePrintersWholePixelsPerModule) {
    sheet.LabelWidth = 1.7; // 121 modules: 1.61 inches at 600 dpi, 1.79 at 203
    label.SetSheet(sheet);
    label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    // 13 mils: 8 pixels at 600 dpi (13.3 mils), 3 at 203 dpi (14.8 mils).
    TBarcodeLabel* c = Barcode(btCode128, "VT-100");
    c->SetAutoScale(false);
    c->SetNarrowBarWidth(13);
    label.DrawChanged();
    EXPECT_TRUE(PaperProblems(*c, sheet, Page(600)).isEmpty());
    const QStringList cut = PaperProblems(*c, sheet, Page(203));
    ASSERT_EQ(cut.size(), 1);
    EXPECT_TRUE(cut[0].contains("right edge of the label")) << cut[0].toStdString();
}

TEST_F(ControlCheckTest, AShownRecordIsMeasuredInsteadOfThePlaceholder) {
    TTextLabel* c = FixedText(QString(), 40);
    c->Fields.push_back(std::make_unique<TImportedField>());
    c->SetAdvanced(true);
    label.DrawChanged();
    const TPrinterPage page = Page(600);
    EXPECT_TRUE(PaperProblems(*c, sheet, page).isEmpty()) << "F_1 fits";

    label.SetShownData(TShownData{{"Ada Lovelace, Countess"}, {}, 600, 600});
    const QStringList problems = PaperProblems(*c, sheet, page);
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith("text \"Ada Lovelace, Countess\" is "))
        << problems[0].toStdString();

    label.SetShownData(std::nullopt);
    EXPECT_TRUE(PaperProblems(*c, sheet, page).isEmpty());
}
} // namespace
