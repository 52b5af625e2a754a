#include "MainWindowSupport.h"

#include "document/GraphicLabel.h"
#include "document/LabelDocument.h"
#include "document/Sheet.h"
#include "document/widgets/CanvasLabel.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

// Import Image with the newer picture kinds, and an SVG on the design surface at two zooms.
namespace {
class ImportPictures : public ::testing::Test, public TMainWindowFixture {
protected:
    void SetUp() override {
        const auto ask = Services.FileName;
        Services.FileName = [this, ask](QWidget* parent, const TFileDialogRequest& r) {
            Filters << r.Filter;
            return ask(parent, r);
        };
        W = Window();
        W->resize(900, 700);
        W->show();
        QApplication::setActiveWindow(W.get());
    }
    TLabelDocument& D() { return W->Document(); }
    // Counts along row y of the surface: pixels wholly blue, and pixels between blue and white
    // (a blurred edge) within a few pixels of the blue.
    std::pair<int, int> BlueAndBlended(const QImage& surface, int y) {
        int blue = 0, blended = 0, last = -1;
        for (int x = 0; x < surface.width(); ++x) {
            const QRgb p = surface.pixel(x, y);
            if (qBlue(p) > 245 && qRed(p) < 10 && qGreen(p) < 10) {
                ++blue;
                last = x;
            }
        }
        for (int x = last + 1; last >= 0 && x < std::min(surface.width(), last + 40); ++x) {
            const QRgb p = surface.pixel(x, y);
            blended +=
                qBlue(p) > 245 && qAbs(qRed(p) - qGreen(p)) < 4 && qRed(p) >= 10 && qRed(p) < 245;
        }
        return {blue, blended};
    }

    QStringList Filters;
    std::unique_ptr<TFMain> W;
};
} // namespace

TEST_F(ImportPictures, AnSvgChosenInImportImageStaysSharpAtEveryZoom) {
    const QString svg = Scratch.File("logo.svg");
    QFile f(svg);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // A tiny drawing (10 x 5) made big: a bitmap of it would blur over many pixels.
    f.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="5">
  <rect x="0" y="0" width="5" height="5" fill="#0000ff"/></svg>)");
    f.close();
    FileNames = {svg};
    W->Action("acAddImage")->trigger();
    const QPoint at = W->Label().rect().topLeft() + QPoint(20, 20);
    QTest::mouseClick(&W->Label(), Qt::LeftButton, {}, at);
    ASSERT_EQ(D().Controls().size(), 1u);
    auto* image = dynamic_cast<TGraphicLabel*>(D().Controls()[0].get());
    ASSERT_NE(image, nullptr);
    ASSERT_FALSE(image->Vectors().IsNull());
    ASSERT_EQ(Filters.size(), 1);
    for (const char* pattern : {"*.png", "*.svg", "*.gif", "*.tif", "*.tiff", "*.webp", "*.bmp"})
        EXPECT_TRUE(Filters[0].section(";;", 0, 0).contains(QLatin1String(pattern))) << pattern;

    image->SetKeepAspect(false);
    image->SetBox(TRect::FromBox(image->Left(), image->Top(), 80, 40), false);
    image->Draw();
    D().SelectNone();
    int blueAtOne = 0;
    for (const double zoom : {1.0, 4.0}) {
        W->Label().SetZoom(zoom);
        QApplication::processEvents();
        const QImage surface = W->Label().grab().toImage();
        // The row through the square that shows the most of it.
        std::pair<int, int> row{0, 0};
        for (int y = 0; y < surface.height(); ++y)
            row = std::max(row, BlueAndBlended(surface, y));
        const auto [blue, blended] = row;
        if (zoom == 1)
            blueAtOne = blue;
        else
            EXPECT_NEAR(blue, blueAtOne * zoom, zoom);
        EXPECT_GE(blue, int(38 * zoom)) << zoom;
        EXPECT_LE(blended, 2) << "a blurred edge at zoom " << zoom;
    }
}
