// The rules behind the palette, without a window: bar width steps in printer dots, image scale,
// magnetic docking and the stored preferences.
#include "app/BarWidth.h"
#include "app/ImageScale.h"
#include "app/PaletteDocking.h"
#include "app/PalettePreferences.h"
#include "platform/Preferences.h"

#include "TestSupport.h"

#include <QSettings>
#include <gtest/gtest.h>

// --- bar width -------------------------------------------------------------------------------

TEST(BarWidthRule, StepsOneDotAt600DotsPerInch) {
    // 10 mils at 600 dpi are 6 dots: 7 dots are 11.667 mils, 5 dots 8.333.
    const TBarWidthRule rule(600, false);
    EXPECT_EQ(rule.Step("10", +1), "11.667");
    EXPECT_EQ(rule.Step("10", -1), "8.333");
    EXPECT_EQ(rule.Step("11.667", +1), "13.333");
    EXPECT_EQ(rule.Step("8.333", -1), "6.667");
    EXPECT_EQ(rule.UnitText(), "mils");
}

TEST(BarWidthRule, StaysBetweenOneAndAHundredDots) {
    const TBarWidthRule rule(600, false);
    EXPECT_EQ(rule.Step("1.667", -1), "1.667") << "1 dot does not step down";
    EXPECT_EQ(rule.Step("0", -1), "1.667");
    EXPECT_EQ(rule.Step("165", +1), "166.667") << "99 dots step to 100";
    EXPECT_EQ(rule.Step("166.667", +1), "166.667") << "100 dots do not step up";
    EXPECT_EQ(rule.Step("5000", +1), "166.667");
    // Absurd entries neither overflow nor leave the range.
    EXPECT_EQ(rule.Step("99999999999999", +1), "166.667");
    EXPECT_EQ(rule.Step("-40", +1), "1.667");
    EXPECT_EQ(rule.Step("-40", -1), "1.667");
}

TEST(BarWidthRule, TextThatIsNoNumberBecomesTenMilsInWholeDots) {
    // At 203 dpi ten mils are 2.03 dots, so 2 dots = 9.852 mils.
    const TBarWidthRule thermal(203, false);
    EXPECT_EQ(thermal.Step("abc", +1), "9.852");
    EXPECT_EQ(thermal.Step("", -1), "9.852");
    const TBarWidthRule::TApplied applied = thermal.Apply("x");
    EXPECT_TRUE(applied.Rewritten);
    EXPECT_EQ(applied.FieldText, "9.852");
    EXPECT_NEAR(applied.Mils, 2 / 203.0 * 1000, 1e-9);
}

TEST(BarWidthRule, MetricShowsMillimetres) {
    const TBarWidthRule rule(600, true);
    EXPECT_EQ(rule.Display(10), "0.254");
    EXPECT_EQ(rule.UnitText(), "mm");
    // 0.254 mm = 6 dots; one dot more is 0.0254 * 11.667.
    EXPECT_EQ(rule.Step("0.254", +1), "0.296");
    EXPECT_EQ(rule.Step("0.254", -1), "0.212");
    const TBarWidthRule::TApplied applied = rule.Apply("0.254");
    EXPECT_FALSE(applied.Rewritten);
    EXPECT_NEAR(applied.Mils, 10.0, 1e-9);
}

TEST(BarWidthRule, ApplyKeepsTypedWidthsAndBoundsAbsurdOnes) {
    const TBarWidthRule rule(600, false);
    auto applied = rule.Apply("12,5"); // either decimal separator
    EXPECT_FALSE(applied.Rewritten);
    EXPECT_DOUBLE_EQ(applied.Mils, 12.5);
    applied = rule.Apply("0");
    EXPECT_TRUE(applied.Rewritten) << "a bar no dot wide would not print";
    EXPECT_EQ(applied.FieldText, "1.667");
    applied = rule.Apply("900");
    EXPECT_TRUE(applied.Rewritten);
    EXPECT_EQ(applied.FieldText, "166.667");
}

TEST(BarWidthRule, PrinterWithoutResolutionCountsAsSixHundred) {
    const TBarWidthRule rule(0, false);
    EXPECT_EQ(rule.Step("10", +1), "11.667");
}

// --- image scale -----------------------------------------------------------------------------

namespace {
const QSize kPicture(200, 100);
const QSize kBox(100, 50); // 50 % of the picture

QSize Scaled(const char* height, const char* width, TScaleField left, bool keepAspect) {
    return ApplyImageScaleRule(height, width, left, keepAspect, kBox, kPicture).Size;
}
} // namespace

TEST(ImageScaleRule, EachFieldScalesItsSide) {
    EXPECT_EQ(Scaled("200", "25", TScaleField::Width, false), QSize(50, 200));
    const TImageScaleResult r =
        ApplyImageScaleRule("33.3333", "150", TScaleField::Height, false, kBox, kPicture);
    EXPECT_EQ(r.Size, QSize(300, 33));
    EXPECT_EQ(r.ScaleHeight, "33.333");
    EXPECT_EQ(r.ScaleWidth, "150.0");
}

TEST(ImageScaleRule, KeepAspectScalesBothSidesByTheFieldLeft) {
    EXPECT_EQ(Scaled("50", "25", TScaleField::Width, true), QSize(50, 25));
    EXPECT_EQ(Scaled("50", "25", TScaleField::Height, true), QSize(100, 50));
}

TEST(ImageScaleRule, RefusedWidthsFallBackToTheCurrentScale) {
    for (const char* width : {"0", "10000", "-3", "abc", ""}) {
        const TImageScaleResult r =
            ApplyImageScaleRule("50", width, TScaleField::Width, false, kBox, kPicture);
        EXPECT_EQ(r.ScaleWidth, "50.0") << width;
        EXPECT_EQ(r.Size, kBox) << width;
    }
    EXPECT_EQ(Scaled("50", "9999", TScaleField::Width, false).width(), 19998);
}

TEST(ImageScaleRule, HeightOfZeroPercentPassesButNotTenThousand) {
    TImageScaleResult r =
        ApplyImageScaleRule("0", "50", TScaleField::Height, false, kBox, kPicture);
    EXPECT_EQ(r.Size, QSize(100, 0));
    EXPECT_EQ(r.ScaleHeight, "0.0");
    r = ApplyImageScaleRule("10000", "50", TScaleField::Height, false, kBox, kPicture);
    EXPECT_EQ(r.ScaleHeight, "50.0");
    EXPECT_EQ(r.Size, kBox);
}

TEST(ImageScaleRule, SizeTextsInInchesAndCentimetres) {
    const TImageSizeTexts inches = ImageSizeTexts(QSize(192, 48), kPicture, false, 96, 96);
    EXPECT_EQ(inches.Height, "0.5 inches");
    EXPECT_EQ(inches.Width, "2.0 inches");
    EXPECT_EQ(inches.ScaleHeight, "48.0");
    EXPECT_EQ(inches.ScaleWidth, "96.0");
    const TImageSizeTexts cm = ImageSizeTexts(QSize(192, 48), kPicture, true, 96, 96);
    EXPECT_EQ(cm.Height, "1.27 cm");
    EXPECT_EQ(cm.Width, "5.08 cm");
    EXPECT_EQ(ImageSizeTexts(QSize(25, 25), QSize(), false, 96, 96).ScaleWidth, "0.0")
        << "a picture with no size divides nothing";
}

// --- docking ---------------------------------------------------------------------------------

namespace {
// The main window: left 100, top 100, right 500, bottom 400; the palette 163 x 220.
const QRect kMain(100, 100, 400, 300);
const QSize kPalette(163, 220);

struct TDragRow {
    QPoint Proposed;
    QPoint Placed;
    int Position;
};
} // namespace

TEST(PaletteDocking, DragSnapsByTheFirstMatchingTest) {
    // One row per line of the docking table, with the proposed point 15 pixels or less off.
    const TDragRow rows[] = {
        {{515, 85}, {500, 100}, 10},   // right edge, tops near
        {{485, 195}, {500, 180}, 12},  // right edge, bottoms near (195+220=415)
        {{520, 250}, {500, 250}, 11},  // right edge only: top kept
        {{-50, 110}, {-63, 100}, 7},   // left edge (x + w = 113)
        {{-70, 170}, {-63, 180}, 9},   // left edge, bottoms near (170+220=390)
        {{-80, 150}, {-63, 150}, 8},   // left edge only
        {{110, -130}, {100, -120}, 1}, // above (y + h = 90), lefts near
        {{340, -100}, {337, -120}, 3}, // above, rights near (340+163=503)
        {{250, -110}, {250, -120}, 2}, // above only: left kept
        {{90, 410}, {100, 400}, 4},    // below, lefts near
        {{330, 385}, {337, 400}, 6},   // below, rights near
        {{250, 420}, {250, 400}, 5},   // below only
        {{700, 700}, {700, 700}, 0},   // far away: floating
        {{260, 200}, {260, 200}, 0},   // over the window's middle
    };
    for (const TDragRow& row : rows) {
        TPaletteDocking docking;
        EXPECT_EQ(docking.Drag(kMain, row.Proposed, kPalette), row.Placed) << row.Position;
        EXPECT_EQ(docking.AttachPosition, row.Position)
            << row.Proposed.x() << "," << row.Proposed.y();
        EXPECT_EQ(docking.DockOffsetX, row.Placed.x() - kMain.x());
        EXPECT_EQ(docking.DockOffsetY, row.Placed.y() - kMain.y());
    }
}

TEST(PaletteDocking, SnapDistanceIsTwentyPixelsInclusive) {
    TPaletteDocking docking;
    docking.Drag(kMain, {520, 120}, kPalette);
    EXPECT_EQ(docking.AttachPosition, 10);
    docking.Drag(kMain, {480, 80}, kPalette);
    EXPECT_EQ(docking.AttachPosition, 10);
    docking.Drag(kMain, {521, 100}, kPalette);
    EXPECT_EQ(docking.AttachPosition, 0);
    docking.Drag(kMain, {500, 121}, kPalette);
    EXPECT_EQ(docking.AttachPosition, 11);
}

TEST(PaletteDocking, RightEdgeWinsOverTopWhenBothMatch) {
    // A palette above the window's top right corner is near the right edge first.
    TPaletteDocking docking;
    EXPECT_EQ(docking.Drag(kMain, {505, -125}, kPalette), QPoint(500, -125));
    EXPECT_EQ(docking.AttachPosition, 11);
}

TEST(PaletteDocking, DockPlacesEachPositionAgainstTheWindow) {
    TPaletteDocking docking;
    docking.DockOffsetX = 50;
    docking.DockOffsetY = 30;
    const int w = 163, e = 220;
    const QPoint expected[] = {
        {}, // floating: none
        {100, -120}, {150, -120}, {337, -120}, {100, 400}, {150, 400}, {337, 400},
        {-63, 100},  {-63, 130},  {-63, 180},  {500, 100}, {500, 130}, {500, 180},
    };
    for (int position = apFloating; position <= apRightBottom; ++position) {
        docking.AttachPosition = TAttachPosition(position);
        const auto at = docking.Dock(kMain, w, e);
        if (position == 0) {
            EXPECT_FALSE(at.has_value());
            continue;
        }
        ASSERT_TRUE(at.has_value()) << position;
        EXPECT_EQ(*at, expected[position]) << position;
    }
}

TEST(PaletteDocking, OffsetAlongTheTopNeverPassesTheRightEdge) {
    TPaletteDocking docking;
    docking.AttachPosition = apAboveAtOffset;
    docking.DockOffsetX = 1000;
    EXPECT_EQ(docking.Dock(kMain, 163, 220)->x(), 500);
    docking.AttachPosition = apBelowAtOffset;
    EXPECT_EQ(docking.Dock(kMain, 163, 220)->x(), 500);
}

TEST(PaletteDocking, DragThenDockFollowsTheMovedWindow) {
    TPaletteDocking docking;
    docking.Drag(kMain, {518, 90}, kPalette);
    ASSERT_EQ(docking.AttachPosition, 10);
    EXPECT_EQ(*docking.Dock(kMain.translated(-60, 40), 163, 220), QPoint(440, 140));
    docking.Drag(kMain, {510, 150}, kPalette);
    ASSERT_EQ(docking.AttachPosition, 11);
    EXPECT_EQ(*docking.Dock(kMain.translated(0, 10), 163, 220), QPoint(500, 160))
        << "the offset recorded at the drag is kept";
}

TEST(PaletteDocking, ExpandRule) {
    EXPECT_TRUE(ExpandedAfter(false, false)) << "without auto expand a rolled-up palette unrolls";
    EXPECT_TRUE(ExpandedAfter(false, true));
    EXPECT_TRUE(ExpandedAfter(true, true));
    EXPECT_FALSE(ExpandedAfter(true, false));
}

// --- preferences -----------------------------------------------------------------------------

TEST(PalettePreferences, RoundTripAndFallbacks) {
    TScratchFolder scratch;
    const QString file = scratch.File("prefs.ini");
    {
        TPreferenceStore store(file);
        const TPalettePreferences missing = TPalettePreferences::Read(store);
        EXPECT_FALSE(missing.AutoExpand);
        EXPECT_EQ(missing.AttachPosition, 10);
        TPalettePreferences{true, apAboveRight}.Write(store);
    }
    {
        TPreferenceStore store(file);
        const TPalettePreferences read = TPalettePreferences::Read(store);
        EXPECT_TRUE(read.AutoExpand);
        EXPECT_EQ(read.AttachPosition, 3);
        EXPECT_EQ(store.ReadInteger("CS_ATTO"), 3);
        EXPECT_EQ(store.ReadBool("AutoExpand"), true);
    }
    const auto readAfter = [&](const char* name, const QVariant& raw) {
        {
            QSettings settings(file, QSettings::IniFormat);
            settings.setValue(QLatin1String(name), raw);
        }
        TPreferenceStore store(file);
        return TPalettePreferences::Read(store);
    };
    // One unreadable value resets both.
    TPalettePreferences p = readAfter("CS_ATTO", QStringLiteral("seven"));
    EXPECT_FALSE(p.AutoExpand);
    EXPECT_EQ(p.AttachPosition, 10);
    // A position outside the docking table counts as unreadable.
    TPreferenceStore(file).WriteInteger("CS_ATTO", 13);
    p = TPalettePreferences::Read(TPreferenceStore(file));
    EXPECT_EQ(p.AttachPosition, 10);
    EXPECT_FALSE(p.AutoExpand);
    TPreferenceStore(file).WriteInteger("CS_ATTO", 0);
    EXPECT_EQ(TPalettePreferences::Read(TPreferenceStore(file)).AttachPosition, 0);
    EXPECT_TRUE(TPalettePreferences::Read(TPreferenceStore(file)).AutoExpand);
}
