// Text too large for its box drawn at the largest size that fits: the one rule, and the text
// kinds on the screen.

#include "TestSupport.h"
#include "document/Fonts.h"
#include "document/LabelDocument.h"
#include "document/TextLabel.h"
#include "document/TextRendering.h"
#include "platform/Screen.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {
// 40 characters: at 12 pt wider than an inch, at 4 pt narrower.
const QString kLongName = QStringLiteral("Lilli Fitz-Whitfield, little tilt filter");

QFont TestFont(int points = 12) {
    QFont f("Liberation Sans");
    f.setPointSize(points);
    return f;
}

QSize LineSize(const QFont& font, const QString& text) {
    return TextExtent(QFontMetrics(font), text);
}

TEST(FitTextFont, OneLineTakesTheLargestPixelSizeThatFits) {
    const QFont font = FontForResolution(TestFont(), 600); // 100 px
    const QSize room(600, 120);                            // one inch by a fifth at 600 dpi
    ASSERT_EQ(kLongName.size(), 40);
    ASSERT_GT(LineSize(font, kLongName).width(), room.width());

    const TFittedFont fitted = FitTextFont(font, kLongName, room, false, 600);
    EXPECT_TRUE(fitted.fits);
    EXPECT_LT(fitted.font.pixelSize(), font.pixelSize());
    EXPECT_LE(LineSize(fitted.font, kLongName).width(), room.width());
    QFont larger = fitted.font;
    larger.setPixelSize(fitted.font.pixelSize() + 1);
    EXPECT_GT(LineSize(larger, kLongName).width(), room.width()) << "the largest that fits";
    EXPECT_EQ(fitted.font.family(), font.family());

    // A text that fits keeps its size, and nothing grows to fill a larger box.
    EXPECT_EQ(FitTextFont(font, "Tea", room, false, 600).font.pixelSize(), font.pixelSize());
    EXPECT_EQ(FitTextFont(font, "Tea", QSize(6000, 6000), false, 600).font.pixelSize(),
              font.pixelSize());
    // The height counts too: a box lower than the line shrinks it.
    const TFittedFont low = FitTextFont(font, "Tea", QSize(600, 60), false, 600);
    EXPECT_LE(LineSize(low.font, "Tea").height(), 60);
    EXPECT_TRUE(low.fits);
}

TEST(FitTextFont, NothingSmallerThanFourPoints) {
    const QFont font = FontForResolution(TestFont(), 600);
    const TFittedFont cut = FitTextFont(font, kLongName, QSize(60, 120), false, 600);
    EXPECT_FALSE(cut.fits);
    EXPECT_EQ(cut.font.pixelSize(), 33) << "4 pt at 600 dpi";
    // at the screen's resolution, 4 pt is 5 pixels
    const TFittedFont screen =
        FitTextFont(FontForResolution(TestFont(), 96), kLongName, QSize(10, 20), false, 96);
    EXPECT_FALSE(screen.fits);
    EXPECT_EQ(screen.font.pixelSize(), 5);
    // A font already below the floor is left as it is.
    const QFont tiny = FontForResolution(TestFont(3), 600);
    EXPECT_EQ(FitTextFont(tiny, kLongName, QSize(60, 120), false, 600).font.pixelSize(),
              tiny.pixelSize());
}

TEST(FitTextFont, WrappedTextFitsItsHeightAndItsLongestWord) {
    const QFont font = FontForResolution(TestFont(), 600);
    const QString paragraph =
        QStringLiteral("Keep refrigerated below five degrees and use within three days of "
                       "opening the packet");
    const QSize room(600, 300);
    ASSERT_GT(WrappedTextExtent(font, paragraph, room.width(), 0).height(), room.height());
    const TFittedFont fitted = FitTextFont(font, paragraph, room, true, 600);
    EXPECT_TRUE(fitted.fits);
    const QSize size = WrappedTextExtent(fitted.font, paragraph, room.width(), 0);
    EXPECT_LE(size.height(), room.height());
    EXPECT_LE(size.width(), room.width());

    // One word that cannot break is shrunk until it is no wider than the box.
    const QString word = QStringLiteral("Featherstonehaugh");
    const TFittedFont narrow = FitTextFont(font, word, QSize(600, 6000), true, 600);
    EXPECT_TRUE(narrow.fits);
    EXPECT_LE(WrappedTextExtent(narrow.font, word, 600, 0).width(), 600);
    EXPECT_LT(narrow.font.pixelSize(), font.pixelSize());
}

class ShrinkOnScreen : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        label.SetLabelSize(400, 200);
    }
    template <class T> T* Add(int width, int height, bool shrink, bool autoSize = false) {
        auto c = std::make_unique<T>();
        T* raw = c.get();
        raw->SetAutoSizing(autoSize);
        raw->SetBox(TRect::FromBox(4, 4, width, height), false);
        raw->SetFont(TestFont());
        raw->SetShrinkToFit(shrink);
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }
    TLabelDocument label;
};

TEST_F(ShrinkOnScreen, ALongTextIsDrawnInsideItsBoxAShortOneAtItsSize) {
    TTextLabel* shrunk = Add<TTextLabel>(96, 24, true);
    shrunk->SetText(kLongName);
    TTextLabel* plain = Add<TTextLabel>(96, 24, false);
    plain->SetText(kLongName);
    TTextLabel* shortText = Add<TTextLabel>(96, 24, true);
    shortText->SetText("Tea");
    TTextLabel* shortPlain = Add<TTextLabel>(96, 24, false);
    shortPlain->SetText("Tea");
    label.DrawChanged();

    EXPECT_GT(plain->Image().width(), 96);
    EXPECT_LE(shrunk->Image().width(), 96);
    EXPECT_LE(shrunk->Image().height(), 24);
    EXPECT_GT(shrunk->Image().width(), 60) << "shrunk no more than needed";
    EXPECT_EQ(shortText->Image().size(), shortPlain->Image().size());
}

TEST_F(ShrinkOnScreen, ARotatedTextFitsItsTurnedBox) {
    TTextLabel* turned = Add<TTextLabel>(24, 96, true);
    turned->SetRotation(1);
    turned->SetText(kLongName);
    label.DrawChanged();
    EXPECT_LE(turned->Image().height(), 96);
    EXPECT_LE(turned->Image().width(), 24);
    EXPECT_GT(turned->Image().height(), 60);
}

TEST_F(ShrinkOnScreen, FormattedTextFitsItsBox) {
    const QString paragraph =
        QStringLiteral("Keep refrigerated below five degrees and use within three days of "
                       "opening the packet");
    TMemoLabel* shrunk = Add<TMemoLabel>(96, 48, true);
    shrunk->SetText(paragraph);
    TMemoLabel* plain = Add<TMemoLabel>(96, 48, false);
    plain->SetText(paragraph);
    label.DrawChanged();
    EXPECT_GT(plain->Image().height(), 48);
    EXPECT_LE(shrunk->Image().height(), 48);
    EXPECT_LE(shrunk->Image().width(), 96);
}

TEST_F(ShrinkOnScreen, AutoSizeIgnoresIt) {
    TTextLabel* growing = Add<TTextLabel>(96, 24, true, true);
    growing->SetText(kLongName);
    TTextLabel* plain = Add<TTextLabel>(96, 24, false, true);
    plain->SetText(kLongName);
    label.DrawChanged();
    EXPECT_EQ(growing->Image().size(), plain->Image().size());
    EXPECT_GT(growing->Width(), 96) << "the box follows the text at its own size";
}
} // namespace
