// Unattended --check runs of labels whose design, not their data, has a problem: each such
// problem is listed once for the labels it affects, whatever the length of the run.

#include "ProgramRun.h"
#include "TestSupport.h"
#include "barcode/BarcodeLabel.h"
#include "barcode/BarcodeTypes.h"
#include "barcode/PrnBarcode.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "files/FileOperations.h"
#include "platform/Screen.h"

#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

class DesignCheckRunTest : public ::testing::Test {
protected:
    // One-inch labels, half an inch high, forty to a page.
    DesignCheckRunTest() {
        sheet.LabelWidth = 1.0;
        sheet.LabelHeight = 0.5;
        sheet.Rows = 10;
        sheet.Columns = 4;
        sheet.ForcedCount = true;
        label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    }
    TBarcodeLabel* Add(TBarcodeType type, const QString& text, int left, int top, int w, int h,
                       bool autoSize) {
        auto c = std::make_unique<TBarcodeLabel>();
        TBarcodeLabel* raw = c.get();
        raw->SetBarcodeType(type);
        raw->SetAutoSizing(autoSize);
        raw->SetBox(TRect::FromBox(left, top, w, h), false);
        raw->SetText(text);
        label.AddControl(std::move(c));
        return raw;
    }
    QString Save() {
        for (const auto& c : label.Controls())
            c->SetLoading(false);
        const QString path = scratch.File("tags.lbl");
        label.SetSheet(sheet);
        WriteLabelDescription(path, label);
        return path;
    }

    TScratchFolder scratch;
    TSheetSettings sheet;
    TLabelDocument label;
};

TEST_F(DesignCheckRunTest, ATooWideBarcodeIsListedOnceForTheWholeRun) {
    // Code 128 of twelve characters: about 1.9 inches with its quiet zones on a one-inch label.
    Add(btCode128, "VT-1000-WIDE", 4, 2, 40, 40, true);
    const QString path = Save();
    const TRun r = Vellumtrace({path, "--check", "-r", "176", "labels"}, scratch.Path());
    EXPECT_EQ(r.Exit, 3) << r.Err.toStdString();
    const QStringList lines = r.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << r.Out.toStdString();
    const QRegularExpression cut(
        "^barcode \"VT-1000-WIDE\" \\(Code 128\\): the right edge of the label cuts the barcode "
        "\"VT-1000-WIDE\" by (\\d+\\.\\d\\d) in \\(quiet zone included\\) on all 176 labels$");
    const QRegularExpressionMatch m = cut.match(lines[0]);
    ASSERT_TRUE(m.hasMatch()) << lines[0].toStdString();
    // modules of 10 mils, quiet zones included, from 4 design pixels in
    const double overhang = 4.0 / ScreenPixelsPerInchX() +
                            SymbolExtent(btCode128, QStringLiteral("VT-1000-WIDE"), 1) * 0.010 -
                            1.0;
    EXPECT_NEAR(m.captured(1).toDouble(), overhang, 0.02);
    EXPECT_EQ(lines[1], QString("checked 176 labels: 1 problem on 176 labels"));

    // In centimetres on a metric sheet.
    sheet.Metric = true;
    sheet.LabelWidth = 2.54;
    sheet.LabelHeight = 1.27;
    const TRun metric = Vellumtrace({Save(), "--check", "-r", "40", "labels"}, scratch.Path());
    EXPECT_EQ(metric.Exit, 3);
    EXPECT_TRUE(metric.Out.contains(" cm (quiet zone included) on all 40 labels\n"))
        << metric.Out.toStdString();
}

TEST_F(DesignCheckRunTest, ATwoDimensionalTextLineItsBoxWouldCutIsReported) {
    // A QR Code with its text line in a box under half an inch square: its lines do not fit.
    TBarcodeLabel* qr = Add(btQrCode, "VT QR 42 LINE", 4, 2, 44, 44, false);
    qr->SetInterpret(true);
    const TRun cut = Vellumtrace({Save(), "--check", "-r", "80", "labels"}, scratch.Path());
    EXPECT_EQ(cut.Exit, 3) << cut.Err.toStdString();
    const QStringList lines = cut.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << cut.Out.toStdString();
    EXPECT_TRUE(lines[0].startsWith("barcode \"VT QR 42 LINE\" (QR Code): text line \"VT QR 42 "
                                    "LINE\" needs "))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("paper would cut it on all 80 labels")) << lines[0].toStdString();
}

TEST_F(DesignCheckRunTest, ATwoDimensionalTextLineThatFitsIsNoProblem) {
    // The same text in a box that holds it, on two-inch labels.
    sheet.LabelWidth = 2.0;
    sheet.Columns = 3;
    label.SetLabelSize(LabelPixelWidth(sheet), LabelPixelHeight(sheet));
    Add(btQrCode, "VT QR 42 LINE", 2, 2, 180, 44, false)->SetInterpret(true);
    const TRun fits = Vellumtrace({Save(), "--check", "-r", "60", "labels"}, scratch.Path());
    EXPECT_EQ(fits.Exit, 0) << fits.Out.toStdString();
    EXPECT_EQ(fits.Out, QString("checked 60 labels: no problems\n"));
}
