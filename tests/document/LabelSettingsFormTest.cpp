#include "document/LabelSettingsForm.h"

#include <QLocale>
#include <gtest/gtest.h>

class LabelSettingsFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        facts.PixelsPerInchX = facts.PixelsPerInchY = 600;
        facts.PhysicalWidth = 5100;
        facts.PhysicalHeight = 6600;
        facts.OffsetX = 75;
        facts.OffsetY = 150;
        facts.PrintableWidth = 4950;
        facts.PrintableHeight = 6300;
    }
    TLabelSettingsForm Form() {
        return TLabelSettingsForm(sheet, page, [this] { return facts; });
    }
    TSheetSettings sheet;
    TPrinterPage page;
    TPrinterFacts facts;
};

TEST_F(LabelSettingsFormTest, OpeningFillsTheFields) {
    sheet.BorderPct = 12.5;
    TLabelSettingsForm f = Form();
    f.SaveAsDefault = true;
    f.Open();
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit3], QString("1.0"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit4], QString("2.0"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit1], QString("0.25"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit8], QString("0.0"));
    EXPECT_EQ(f.eRoundPct, QString("12.5"));
    EXPECT_EQ(f.eCols, QString("4"));
    EXPECT_EQ(f.eRows, QString("10"));
    EXPECT_FALSE(f.SaveAsDefault);
    EXPECT_FALSE(f.CountsEnabled());
}

TEST_F(LabelSettingsFormTest, PageInfoInInchesAndCentimetres) {
    TLabelSettingsForm f = Form();
    f.Open();
    EXPECT_EQ(f.PageTop, QString("Top: 0.25\""));
    EXPECT_EQ(f.PageLeft, QString("Left: 0.125\""));
    EXPECT_EQ(f.PageBottom, QString("Bottom: 0.25\"")); // 6600 - 6300 - 150 = 150
    EXPECT_EQ(f.PageRight, QString("Right: 0.125\""));  // 5100 - 4950 - 75 = 75
    EXPECT_EQ(f.PageHeight, QString("Height: 11\""));
    EXPECT_EQ(f.PageWidth, QString("Width: 8.5\""));
    f.SwitchUnit(true);
    EXPECT_EQ(f.PageTop, QString("Top: 0.635 cm"));
    EXPECT_EQ(f.PageHeight, QString("Height: 27.94 cm"));
    EXPECT_EQ(f.PageWidth, QString("Width: 21.59 cm"));
}

TEST_F(LabelSettingsFormTest, UnitSwitchRoundTripsTheTexts) {
    sheet.GapWidth = 0.125;
    sheet.LabelHeight = 1.1875;
    TLabelSettingsForm f = Form();
    f.Open();
    const auto before = f.Lengths;
    f.SwitchUnit(true);
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit4], QString("5.08"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit1], QString("0.635"));
    EXPECT_EQ(f.eCols, QString("3")); // recalculated in centimetres: the same sheet, gutters too
    f.SwitchUnit(false);
    EXPECT_EQ(f.Lengths, before);
}

TEST_F(LabelSettingsFormTest, MinimumLabelSizeMessages) {
    TLabelSettingsForm f = Form();
    f.Open();
    f.Lengths[TLabelSettingsForm::Edit4] = "0.04";
    auto msg = f.LeaveLength(TLabelSettingsForm::Edit4);
    ASSERT_TRUE(msg);
    EXPECT_EQ(*msg, QString("Minimum label width is 0.05\" wide!"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit4], QString("0.25"));
    f.Lengths[TLabelSettingsForm::Edit3] = "abc"; // not a number counts as 0
    msg = f.LeaveLength(TLabelSettingsForm::Edit3);
    ASSERT_TRUE(msg);
    EXPECT_EQ(*msg, QString("Minimum label height is 0.05 tall!"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit3], QString("0.25"));
    f.SwitchUnit(true);
    f.Lengths[TLabelSettingsForm::Edit3] = "0,09";
    msg = f.LeaveLength(TLabelSettingsForm::Edit3);
    ASSERT_TRUE(msg);
    EXPECT_EQ(*msg, QString("Minimum label height is 0.10 centimeter tall!"));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit3], QString("1.0"));
    f.Lengths[TLabelSettingsForm::Edit4] = "0.05";
    EXPECT_EQ(*f.LeaveLength(TLabelSettingsForm::Edit4),
              QString("Minimum label width is 0.10 centimeter wide!"));
    f.Lengths[TLabelSettingsForm::Edit1] = "0,5"; // margins have no minimum
    EXPECT_FALSE(f.LeaveLength(TLabelSettingsForm::Edit1));
    EXPECT_EQ(f.Lengths[TLabelSettingsForm::Edit1], QString("0.5"));
}

// The limits every reader of sheets holds them to, told when a field is left.
TEST_F(LabelSettingsFormTest, SheetLimitMessages) {
    using F = TLabelSettingsForm;
    TLabelSettingsForm f = Form();
    f.Open();
    f.Lengths[F::Edit3] = "65536";
    auto msg = f.LeaveLength(F::Edit3);
    ASSERT_TRUE(msg);
    EXPECT_EQ(*msg, QString("Labels can be at most 100 inches on a side."));
    EXPECT_EQ(f.Lengths[F::Edit3], QString("100.0"));
    EXPECT_EQ(f.eRows, QString("0")); // recalculated with the held value
    f.Lengths[F::Edit5] = "2147483648";
    EXPECT_EQ(f.LeaveLength(F::Edit5),
              QString("Margins and gutters can be at most 100 inches either way."));
    EXPECT_EQ(f.Lengths[F::Edit5], QString("100.0"));
    f.Lengths[F::Edit2] = "-9999";
    EXPECT_EQ(f.LeaveLength(F::Edit2),
              QString("Margins and gutters can be at most 100 inches either way."));
    EXPECT_EQ(f.Lengths[F::Edit2], QString("-100.0"));
    f.Lengths[F::Edit2] = "-100"; // the limits themselves are allowed
    EXPECT_FALSE(f.LeaveLength(F::Edit2));

    // Labels may overlap, but each must start at least the smallest label's size further on.
    f.Lengths[F::Edit6] = "-1.9";
    EXPECT_FALSE(f.LeaveLength(F::Edit6)); // 2 - 1.9 = 0.1
    f.Lengths[F::Edit6] = "-1.96";
    EXPECT_EQ(f.LeaveLength(F::Edit6), QString("Each label must start at least 0.05\" after the "
                                               "one before it; the gutter is set to 0."));
    EXPECT_EQ(f.Lengths[F::Edit6], QString("0.0"));
    f.Lengths[F::Edit6] = "-1.5";
    f.LeaveLength(F::Edit6);
    f.Lengths[F::Edit4] = "1.5"; // a narrower label makes the same gutter too much
    EXPECT_TRUE(f.LeaveLength(F::Edit4));
    EXPECT_EQ(f.Lengths[F::Edit6], QString("0.0"));

    f.SwitchUnit(true);
    f.Lengths[F::Edit4] = "300";
    EXPECT_EQ(f.LeaveLength(F::Edit4), QString("Labels can be at most 254 centimeters on a side."));
    EXPECT_EQ(f.Lengths[F::Edit4], QString("254.0"));
    f.Lengths[F::Edit7] = "255";
    EXPECT_EQ(f.LeaveLength(F::Edit7),
              QString("Margins and gutters can be at most 254 centimeters either way."));
    f.Lengths[F::Edit5] = "-254";
    EXPECT_EQ(f.LeaveLength(F::Edit5), QString("Each label must start at least 0.10 centimeter "
                                               "after the one before it; the gutter is set to 0."));
}

TEST_F(LabelSettingsFormTest, CountsPercentAndManualMode) {
    TLabelSettingsForm f = Form();
    f.Open();
    f.eCols = "";
    f.LeaveCount(f.eCols);
    EXPECT_EQ(f.eCols, QString("1"));
    f.eRows = "0";
    f.LeaveCount(f.eRows);
    EXPECT_EQ(f.eRows, QString("1"));
    f.eRoundPct = "150";
    f.LeavePercent();
    EXPECT_EQ(f.eRoundPct, QString("100.0"));
    f.eRoundPct = "-3";
    f.LeavePercent();
    EXPECT_EQ(f.eRoundPct, QString("0.0"));

    f.SetManual(true);
    EXPECT_TRUE(f.CountsEnabled());
    f.eCols = "7";
    f.Lengths[TLabelSettingsForm::Edit4] = "1.0";
    f.LeaveLength(TLabelSettingsForm::Edit4);
    EXPECT_EQ(f.eCols, QString("7")); // manual: the typed count stays
    f.SetManual(false);
    EXPECT_EQ(f.eCols, QString("8")); // auto: 0.25 + 8 * 1 <= 8.5
}

TEST_F(LabelSettingsFormTest, BorderEnabling) {
    TLabelSettingsForm f = Form();
    f.Open();
    f.SetBorderStyle(1);
    EXPECT_TRUE(f.SizeListEnabled());
    f.BorderSize = 4;
    EXPECT_TRUE(f.ShapeEnabled());
    EXPECT_FALSE(f.PercentEnabled());
    f.SetRounded(true);
    EXPECT_TRUE(f.PercentEnabled());
    f.SetBorderStyle(3); // dotted lines are one unit wide
    EXPECT_FALSE(f.SizeListEnabled());
    EXPECT_EQ(f.BorderSize, 0);
    f.SetBorderStyle(0);
    EXPECT_FALSE(f.ShapeEnabled());
    EXPECT_FALSE(f.PercentEnabled());
}

TEST_F(LabelSettingsFormTest, ApplyStoresEveryField) {
    TLabelSettingsForm f = Form();
    f.Open();
    f.SwitchUnit(true);
    f.SetManual(true);
    f.eRows = "3";
    f.eCols = "2";
    f.SetBorderStyle(1);
    f.BorderSize = 2;
    f.SetRounded(true);
    f.eRoundPct = "25.5";
    f.Apply();
    EXPECT_TRUE(sheet.Metric);
    EXPECT_TRUE(sheet.ForcedCount);
    EXPECT_DOUBLE_EQ(sheet.LabelWidth, 5.08);
    EXPECT_DOUBLE_EQ(sheet.TopMargin, 0.635);
    EXPECT_EQ(sheet.Rows, 3);
    EXPECT_EQ(sheet.Columns, 2);
    EXPECT_EQ(sheet.BorderStyle, 1);
    EXPECT_EQ(sheet.BorderSize, 2);
    EXPECT_EQ(sheet.BorderShape, 1);
    EXPECT_DOUBLE_EQ(sheet.BorderPct, 25.5);
}

TEST_F(LabelSettingsFormTest, KeyFilters) {
    for (QChar c : QString("0123456789,.-\b\r\n"))
        EXPECT_TRUE(TLabelSettingsForm::LengthKeyAccepted(c));
    for (QChar c : QString("a e+ /"))
        EXPECT_FALSE(TLabelSettingsForm::LengthKeyAccepted(c));
    EXPECT_TRUE(TLabelSettingsForm::CountKeyAccepted('7'));
    EXPECT_FALSE(TLabelSettingsForm::CountKeyAccepted('.'));
    EXPECT_FALSE(TLabelSettingsForm::CountKeyAccepted('-'));
}
