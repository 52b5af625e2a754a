// The barcode control's picture on a zoomed design surface: the symbol at zoom times its size,
// with every module shown (none merged as the true-size screen picture may merge them), and
// read back by an independent decoder.

#include "barcode/BarcodeLabel.h"
#include "document/LabelDocument.h"
#include "platform/Screen.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace {

// Dark runs along a line across the symbol: one per bar when no bars touch.
int DarkRuns(const QImage& image, bool vertical) {
    const int along = vertical ? image.height() : image.width();
    const int at = (vertical ? image.width() : image.height()) / 4; // across the bars, above text
    int runs = 0;
    bool dark = false;
    for (int i = 0; i < along; ++i) {
        const QRgb p = vertical ? image.pixel(at, i) : image.pixel(i, at);
        const bool now = qGray(p) < 128;
        runs += now && !dark;
        dark = now;
    }
    return runs;
}

std::string Decode(const QImage& picture) {
    const QImage gray = picture.convertToFormat(QImage::Format_Grayscale8);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
                                ZXing::ImageFormat::Lum, int(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setTryHarder(true).setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    return result.isValid() ? result.text() : std::string("<no symbol>");
}

TEST(BarcodeZoom, EveryModuleShowsAndTheSymbolReadsBack) {
    SetScreenResolution(96, 96);
    TLabelDocument label;
    label.SetLabelSize(600, 400);
    const struct {
        TBarcodeType type;
        int rotation;
        const char* text;
        std::string decoded;
    } cases[] = {{btCode128, 0, "ZOOM42", "ZOOM42"},
                 {btCode39, 1, "ZOOM42", "ZOOM42"},
                 {btEan13, 0, "400638133393", "4006381333931"}};
    for (const auto& k : cases) {
        auto owned = std::make_unique<TBarcodeLabel>();
        TBarcodeLabel& c = *owned;
        c.SetBarcodeType(k.type);
        c.SetAutoScale(false);
        // 8 mils: narrower than a screen pixel at 96 pixels per inch
        c.SetNarrowBarWidth(8);
        c.SetText(QString::fromLatin1(k.text));
        c.SetBox(TRect::FromBox(10, 10, 60, 60), false);
        c.SetRotation(uint8_t(k.rotation));
        label.AddControl(std::move(owned));
        c.SetLoading(false);
        c.Draw();
        const bool vertical = k.rotation % 2 == 1;
        const int bars = DarkRuns(c.ModuleImage(), vertical);
        ASSERT_GT(bars, 10) << k.text;
        EXPECT_EQ(c.ZoomedImage(1), c.Image());
        for (int zoom : {2, 3, 4, 8}) {
            const QImage zoomed = c.ZoomedImage(zoom);
            EXPECT_EQ(zoomed.size(), c.Image().size() * zoom) << k.text << " at " << zoom;
            EXPECT_EQ(DarkRuns(zoomed, vertical), bars) << k.text << " at " << zoom;
            // From three pixels a module on, the uneven widths of nearest-neighbour widening
            // stay within what a reader allows.
            if (zoom >= 4)
                EXPECT_EQ(Decode(zoomed), k.decoded) << k.text << " at " << zoom;
        }
    }
}

TEST(BarcodeZoom, TwoDimensionalModulesAreWidenedPixelByPixel) {
    SetScreenResolution(96, 96);
    TLabelDocument label;
    label.SetLabelSize(400, 300);
    auto owned = std::make_unique<TBarcodeLabel>();
    TBarcodeLabel& c = *owned;
    c.SetBarcodeType(btQrCode);
    c.SetText(QStringLiteral("ZOOM42"));
    c.SetBox(TRect::FromBox(10, 10, 80, 80), false);
    label.AddControl(std::move(owned));
    c.SetLoading(false);
    c.Draw();
    const QImage& one = c.Image();
    for (int zoom : {2, 3}) {
        const QImage zoomed = c.ZoomedImage(zoom);
        ASSERT_EQ(zoomed.size(), one.size() * zoom);
        int mismatched = 0;
        for (int y = 0; y < zoomed.height(); ++y)
            for (int x = 0; x < zoomed.width(); ++x)
                mismatched += zoomed.pixel(x, y) != one.pixel(x / zoom, y / zoom);
        EXPECT_EQ(mismatched, 0) << "at " << zoom;
        EXPECT_EQ(Decode(zoomed), "ZOOM42") << "at " << zoom;
    }
}

} // namespace
