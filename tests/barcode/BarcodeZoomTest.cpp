// The barcode control's picture on a zoomed design surface: every screen pixel of the symbol,
// and so every module, exactly zoom times as wide and as high.

#include "barcode/BarcodeLabel.h"
#include "document/LabelDocument.h"
#include "platform/Screen.h"

#include <gtest/gtest.h>

namespace {

TEST(BarcodeZoom, ModulesAreWidenedPixelByPixel) {
    SetScreenResolution(96, 96);
    TLabelDocument label;
    label.SetLabelSize(400, 300);
    for (const auto& [type, rotation] :
         {std::pair{btCode128, 0}, std::pair{btCode39, 1}, std::pair{btEan13, 0}}) {
        auto owned = std::make_unique<TBarcodeLabel>();
        TBarcodeLabel& c = *owned;
        c.SetBarcodeType(type);
        c.SetText(type == btEan13 ? QStringLiteral("400638133393") : QStringLiteral("ZOOM42"));
        c.SetBox(TRect::FromBox(10, 10, 60, 60), false);
        c.SetRotation(uint8_t(rotation));
        label.AddControl(std::move(owned));
        c.SetLoading(false);
        c.Draw();
        const QImage& one = c.Image();
        for (int zoom : {2, 3, 4}) {
            const QImage zoomed = c.ZoomedImage(zoom);
            ASSERT_EQ(zoomed.size(), one.size() * zoom) << type << " at " << zoom;
            int mismatched = 0;
            for (int y = 0; y < zoomed.height(); ++y)
                for (int x = 0; x < zoomed.width(); ++x)
                    mismatched += zoomed.pixel(x, y) != one.pixel(x / zoom, y / zoom);
            EXPECT_EQ(mismatched, 0) << type << " at " << zoom;
        }
        EXPECT_EQ(c.ZoomedImage(1), one);
    }
}

} // namespace
