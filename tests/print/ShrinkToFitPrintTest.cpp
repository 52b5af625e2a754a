// Texts that shrink to fit on paper, read back from the PDF: every word inside its control's
// box, at the set size when it fits; and what the preflight says of a text cut even at the
// smallest size.

#include "PdfProbe.h"
#include "TestSupport.h"
#include "document/Sheet.h"
#include "document/TextLabel.h"
#include "platform/Screen.h"
#include "print/ControlCheck.h"
#include "print/PrintU.h"

#include <gtest/gtest.h>

namespace {
// 40 characters: at 10 pt wider than an inch, at 4 pt narrower.
const QString kLongName = QStringLiteral("Lilli Fitz-Whitfield, little tilt filter");
const QString kParagraph = QStringLiteral(
    "Keep refrigerated below five degrees and use within three days of opening the packet");

class TLetterPdf : public TPdfPrinter {
public:
    TLetterPdf() { SetPaperSize(QPageSize::Letter); }
};

// A 4 by 2 inch label printed alone on a letter page at 150, 150; one screen pixel is 6.25
// printer pixels.
class ShrinkOnPaper : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        sheet.ForcedCount = true;
        sheet.LabelWidth = 4.0;
        sheet.LabelHeight = 2.0;
        label.SetLabelSize(384, 192);
        out = scratch.File("shrink.pdf");
    }
    template <class T>
    T* Place(int left, int top, int width, int height, const QString& text, bool shrink,
             bool autoSize = false) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        raw->SetAutoSizing(autoSize);
        raw->SetBox(TRect::FromBox(left, top, width, height), false);
        QFont font("Liberation Sans");
        font.setPointSize(10);
        raw->SetFont(font);
        raw->SetShrinkToFit(shrink);
        raw->SetText(text);
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    // The words printed, each with its box on the page.
    std::vector<TPdfWord> Print() {
        label.DrawChanged();
        TPrintSettings s;
        s.Range = TPrintRange::Pages;
        PrintLabels(sheet, label.Controls(), s, printer, out, QString(), nullptr);
        return PdfWords(out);
    }
    static QRectF PageBox(int left, int top, int width, int height) {
        return QRectF(150 + left * 6.25, 150 + top * 6.25, width * 6.25, height * 6.25);
    }
    // The words of a text, by the box they lie in.
    static std::vector<TPdfWord> In(const std::vector<TPdfWord>& words, const QRectF& area) {
        std::vector<TPdfWord> found;
        for (const TPdfWord& w : words)
            if (area.contains(QPointF((w.X + w.Right) / 2, (w.Y + w.Bottom) / 2)))
                found.push_back(w);
        return found;
    }
    // Every word inside box, allowing for a pixel or two of rounding in the PDF's numbers.
    static void ExpectInside(const std::vector<TPdfWord>& words, const QRectF& box) {
        const QRectF room = box.adjusted(-3, -3, 3, 3);
        for (const TPdfWord& w : words)
            EXPECT_TRUE(room.contains(QRectF(QPointF(w.X, w.Y), QPointF(w.Right, w.Bottom))))
                << w.Text.toStdString() << " at " << w.X << "," << w.Y << " - " << w.Right << ","
                << w.Bottom;
    }
    static double Height(const TPdfWord& w) { return w.Bottom - w.Y; }

    TScratchFolder scratch;
    TSheetSettings sheet;
    TLabelDocument label;
    TLetterPdf printer;
    QString out;
};

TEST_F(ShrinkOnPaper, ALongNameShrinksIntoAnInchAShortOneKeepsItsSize) {
    ASSERT_EQ(kLongName.size(), 40);
    Place<TTextLabel>(4, 4, 96, 24, kLongName, true);
    Place<TTextLabel>(4, 40, 96, 24, "Tea", true);
    Place<TTextLabel>(120, 40, 96, 24, "Cup", false);
    const std::vector<TPdfWord> words = Print();

    const std::vector<TPdfWord> name = In(words, PageBox(0, 0, 110, 30));
    ASSERT_EQ(name.size(), 5u);
    ExpectInside(name, PageBox(4, 4, 96, 24));
    const std::vector<TPdfWord> tea = In(words, PageBox(4, 40, 96, 24));
    const std::vector<TPdfWord> cup = In(words, PageBox(120, 40, 96, 24));
    ASSERT_EQ(tea.size(), 1u);
    ASSERT_EQ(cup.size(), 1u);
    EXPECT_NEAR(Height(tea[0]), Height(cup[0]), 1) << "a text that fits prints at its size";
    EXPECT_LT(Height(name[0]), Height(tea[0]) * 0.9);
    // no smaller than needed: the name takes most of the inch
    EXPECT_GT(name.back().Right - name.front().X, PageBox(4, 4, 96, 24).width() * 0.85);
}

TEST_F(ShrinkOnPaper, ARotatedNameFitsItsTurnedBox) {
    auto* turned = Place<TTextLabel>(200, 4, 24, 96, kLongName, true);
    turned->SetRotation(1);
    const std::vector<TPdfWord> name = In(Print(), PageBox(190, 0, 40, 110));
    ASSERT_EQ(name.size(), 5u);
    ExpectInside(name, PageBox(200, 4, 24, 96));
}

TEST_F(ShrinkOnPaper, FormattedTextFitsItsWrappedHeight) {
    Place<TMemoLabel>(4, 4, 96, 40, kParagraph, true);
    const std::vector<TPdfWord> words = In(Print(), PageBox(0, 0, 110, 100));
    ASSERT_EQ(words.size(), size_t(kParagraph.count(' ') + 1));
    ExpectInside(words, PageBox(4, 4, 96, 40));
    EXPECT_GT(words.back().Y, words.front().Y) << "still wrapped into lines";
}

TEST_F(ShrinkOnPaper, AutoSizeOnPrintsAtTheSetSize) {
    Place<TTextLabel>(4, 4, 96, 24, "Lilli Tea", true, true);
    Place<TTextLabel>(4, 60, 96, 24, "Cup", false);
    const std::vector<TPdfWord> words = Print();
    const std::vector<TPdfWord> grown = In(words, PageBox(0, 0, 384, 30));
    const std::vector<TPdfWord> cup = In(words, PageBox(4, 60, 96, 24));
    ASSERT_EQ(grown.size(), 2u);
    ASSERT_EQ(cup.size(), 1u);
    EXPECT_NEAR(Height(grown[0]), Height(cup[0]), 1);
}

// What the preflight says, and the outline on the design surface with it.
TEST_F(ShrinkOnPaper, OnlyATextCutEvenAtFourPointsIsAProblem) {
    TTextLabel* fits = Place<TTextLabel>(4, 4, 96, 24, kLongName, true);
    TTextLabel* cut = Place<TTextLabel>(4, 40, 40, 24, kLongName, true);
    TTextLabel* unshrunk = Place<TTextLabel>(4, 80, 96, 24, kLongName, false);
    TMemoLabel* memoFits = Place<TMemoLabel>(120, 4, 96, 40, kParagraph, true);
    TMemoLabel* memoCut = Place<TMemoLabel>(120, 60, 30, 20, kParagraph, true);
    label.DrawChanged();
    TPrinterPage page;
    page.PixelsPerInchX = page.PixelsPerInchY = 600;
    TControlCheck check(PagePrintScale(page), false);
    const QRect labelRect(0, 0, 2400, 1200);
    const auto problems = [&](const TLabelControl* c) {
        return check.Problems(*c, c->GetText(), labelRect);
    };
    EXPECT_TRUE(problems(fits).isEmpty()) << problems(fits).join('\n').toStdString();
    EXPECT_TRUE(problems(memoFits).isEmpty()) << problems(memoFits).join('\n').toStdString();
    EXPECT_FALSE(problems(unshrunk).isEmpty());
    const QStringList cutProblems = problems(cut);
    ASSERT_FALSE(cutProblems.isEmpty());
    EXPECT_TRUE(cutProblems.join(' ').contains("paper would cut it"))
        << cutProblems.join('\n').toStdString();
    EXPECT_FALSE(problems(memoCut).isEmpty());
}
} // namespace
