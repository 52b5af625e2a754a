// The barcode control: defaults, setters, rendering on screen (module image, scale, auto size,
// POSTNET height), attach and its part of cloning.

#include "barcode/BarcodeLabel.h"
#include "barcode/PrnBarcode.h"
#include "document/LabelDocument.h"
#include "document/TextRendering.h"
#include "platform/Screen.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace {

class BarcodeLabel : public ::testing::Test {
protected:
    void SetUp() override {
        SetScreenResolution(96, 96);
        label.SetLabelSize(400, 300); // area (2, 2, 398, 298)
    }

    TBarcodeLabel* Add(const QString& text, TBarcodeType type) {
        auto c = std::make_unique<TBarcodeLabel>();
        TBarcodeLabel* raw = c.get();
        raw->SetBarcodeType(type);
        raw->SetText(text);
        raw->SetBox(TRect::FromBox(10, 10, 50, 60), false);
        label.AddControl(std::move(c));
        raw->SetLoading(false);
        return raw;
    }

    TLabelDocument label;
};

TEST_F(BarcodeLabel, CreationDefaults) {
    TBarcodeLabel c;
    EXPECT_EQ(c.Kind(), ckBarcode);
    EXPECT_EQ(c.BarcodeType(), btCode128);
    EXPECT_TRUE(c.AutoScale());
    EXPECT_TRUE(c.Interpret());
    EXPECT_DOUBLE_EQ(c.NarrowBarWidth(), 10.0);
    EXPECT_EQ(c.Font().family(), "Courier New");
    EXPECT_EQ(c.ModuleImage().size(), QSize(1, 1));
    EXPECT_EQ(c.Image().size(), QSize(1, 1));
    EXPECT_TRUE(c.Loading());
}

TEST_F(BarcodeLabel, ScaleFollowsTheModuleWidth) {
    // worked examples at 96 pixels per inch: 0.96 pixels per module, 2.112 for POSTNET
    TBarcodeLabel c;
    EXPECT_DOUBLE_EQ(c.Scale(), 0.96);
    c.SetBarcodeType(btPostnet);
    EXPECT_DOUBLE_EQ(c.ModuleMils(), 22.0);
    EXPECT_DOUBLE_EQ(c.Scale(), 2.112);
    c.SetAutoScale(false);
    c.SetNarrowBarWidth(15.0);
    EXPECT_DOUBLE_EQ(c.ModuleMils(), 15.0);
    EXPECT_DOUBLE_EQ(c.Scale(), 1.44);
}

TEST_F(BarcodeLabel, DrawStoresNormalisedDataAndSizesTheBox) {
    // worked example: typing abc into a Code 39 control stores ABC at the next repaint
    TBarcodeLabel* c = Add("abc", btCode39);
    c->Draw();
    EXPECT_EQ(c->Text(), "ABC");
    EXPECT_FALSE(c->Dirty());
    // 85 modules of one pixel, stretched by 0.96: round(81.6) = 82 pixels; across: the height
    EXPECT_EQ(c->ModuleImage().size(), QSize(85, 60));
    EXPECT_EQ(c->Image().size(), QSize(82, 60));
    EXPECT_EQ(c->Width(), 82); // auto size
    EXPECT_EQ(c->Height(), 60);
}

// A symbol of a hundred thousand characters would need an image of a million pixels: it is
// drawn from its data's first characters into images no longer than 100 inches.
TEST_F(BarcodeLabel, GiantSymbolDrawsIntoBoundedImages) {
    TBarcodeLabel* c = Add(QString(100000, '7'), btCode128);
    c->Draw();
    EXPECT_EQ(c->Text(), QString(MaxDrawnTextLength, '7'));
    EXPECT_EQ(c->ModuleImage().size(), QSize(9600, 60));
    EXPECT_EQ(c->Image().size(), QSize(9216, 60)); // 9600 modules at 0.96 pixels each
    c->SetRotation(1);
    c->Draw();
    EXPECT_EQ(c->ModuleImage().height(), 9600);
    EXPECT_EQ(c->Image().height(), 9216);
}

TEST_F(BarcodeLabel, TurnedSymbolRunsDownwards) {
    TBarcodeLabel* c = Add("ABC", btCode39);
    c->SetRotation(1);
    c->Draw();
    // the cross size is the width in rotations 1 and 3
    EXPECT_EQ(c->ModuleImage().width(), c->Width());
    EXPECT_EQ(c->ModuleImage().height(), 85);
    EXPECT_EQ(c->Image().height(), 82);
}

TEST_F(BarcodeLabel, PostnetIsAnEighthOfAnInchHigh) {
    // worked example: the box height is forced to 12 pixels, even without auto size
    TBarcodeLabel* c = Add("12345", btPostnet);
    c->SetAutoSizing(false);
    c->Draw();
    EXPECT_EQ(c->Height(), 12);
    EXPECT_EQ(c->ModuleImage().size(), QSize(83, 12));
    EXPECT_EQ(c->Width(), 175); // round(83 x 2.112)
}

TEST_F(BarcodeLabel, BoxKeptWithoutAutoSize) {
    TBarcodeLabel* c = Add("ABC", btCode39);
    c->SetAutoSizing(false);
    c->Draw();
    EXPECT_EQ(c->Box(), TRect::FromBox(10, 10, 50, 60));
    EXPECT_EQ(c->Image().width(), 82);
}

TEST_F(BarcodeLabel, NothingWhileLoading) {
    TBarcodeLabel* c = Add("abc", btCode39);
    c->SetLoading(true);
    c->Draw();
    EXPECT_EQ(c->Text(), "abc");
    EXPECT_TRUE(c->Dirty());
}

TEST_F(BarcodeLabel, ModuleImageScans) {
    TBarcodeLabel* c = Add("Vellumtrace 42", btCode128);
    c->Draw();
    const QImage grey = c->ModuleImage().convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    const ZXing::Result r = ZXing::ReadBarcode(view, ZXing::DecodeHints().setTryHarder(true));
    EXPECT_EQ(r.text(), "Vellumtrace 42");
}

TEST_F(BarcodeLabel, SettersSaveTheBoxAndMarkDirty) {
    TBarcodeLabel* c = Add("123", btCode128);
    c->Draw();
    const TRect drawn = c->Box();
    c->SetBox(TRect::FromBox(20, 20, 70, 70), false);
    // the change repaints the label at once, which draws the control again
    c->SetBarcodeType(btEan8);
    EXPECT_EQ(c->OldBounds(), TRect::FromBox(20, 20, 70, 70));
    EXPECT_FALSE(c->Dirty());
    EXPECT_EQ(c->Width(), 84); // 87 modules x 0.96 = 83.52
    EXPECT_NE(c->Box(), drawn);
    const QImage withText = c->ModuleImage();
    c->SetInterpret(false);
    EXPECT_FALSE(c->Interpret());
    EXPECT_NE(c->ModuleImage(), withText);
}

TEST_F(BarcodeLabel, AttachStartsFromTheOldBox) {
    TBarcodeLabel* c = Add("ABC", btCode39);
    c->SetAutoSizing(false);
    c->SaveOldBounds();
    c->SetAttach(atWholeLabel);
    EXPECT_EQ(c->Attach(), atWholeLabel);
    EXPECT_TRUE(c->AutoSize());
    EXPECT_EQ(c->Top(), 0);
    EXPECT_EQ(c->Left(), 0);
    EXPECT_EQ(c->Width(), 396);
    EXPECT_EQ(c->Height(), 296);
}

TEST_F(BarcodeLabel, CloningCopiesTheBarcodeProperties) {
    TBarcodeLabel* c = Add("12345", btSscc18);
    c->SetInterpret(false);
    c->SetAutoScale(false);
    c->SetNarrowBarWidth(13.5);
    std::unique_ptr<TLabelControl> copy = label.CloneControl();
    ASSERT_TRUE(copy);
    auto* barcode = dynamic_cast<TBarcodeLabel*>(copy.get());
    ASSERT_NE(barcode, nullptr);
    EXPECT_EQ(barcode->BarcodeType(), btSscc18);
    EXPECT_FALSE(barcode->Interpret());
    EXPECT_FALSE(barcode->AutoScale());
    EXPECT_DOUBLE_EQ(barcode->NarrowBarWidth(), 13.5);
    EXPECT_EQ(barcode->Text(), "12345");
}

} // namespace
