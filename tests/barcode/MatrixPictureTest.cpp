// A symbol's modules drawn as one picture cover exactly the pixels its rectangles cover, in every
// rotation and module size; a transparent picture leaves what lies under its light modules.

#include "barcode/MatrixPicture.h"
#include "MatrixSupport.h"
#include "barcode/MatrixPainter.h"

#include <gtest/gtest.h>

#include <QPainter>

namespace {
const TSymbolCase kSymbols[] = {
    {btQrCode, "https://example.com/p?id=42"},
    {btDataMatrix, "Lot 42 / Serial A-0007"},
    {btGs1DataMatrix, "[01]09501101530003[17]250101"},
    {btAztec, "Aztec in memory"},
    {btPdf417, "PDF417 in memory"},
};

// The symbol at an odd position on a page with a ground of its own: a grey field crossed by a
// black stripe, which a transparent symbol must leave showing between its dark modules.
QImage Page(const TModuleMatrix& matrix, const TMatrixGeometry& g, bool transparent,
            TModulePaint modules) {
    QImage page(g.box.right() + 9, g.box.bottom() + 9, QImage::Format_RGB32);
    page.fill(QColor(128, 128, 128));
    QPainter p(&page);
    p.fillRect(QRect(0, g.box.center().y() - 3, page.width(), 7), Qt::black);
    DrawMatrixBarcode(p, matrix, g, TMatrixText(), QFont(), transparent, modules);
    return page;
}

int LightPixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qGray(image.pixel(x, y)) > 200;
    return n;
}
} // namespace

TEST(MatrixPictureTest, PictureCoversTheRectanglesPixelsInEveryRotationAndSize) {
    for (const TSymbolCase& symbol : kSymbols) {
        const TMatrixEncoding e = EncodeMatrix(symbol.type, QString::fromUtf8(symbol.data), {});
        ASSERT_TRUE(e.Valid()) << symbol.data;
        for (int rotation = 0; rotation < 4; ++rotation)
            for (const int32_t m : {1, 2, 3, 5})
                for (const bool transparent : {false, true})
                    for (const bool wideText : {false, true}) {
                        // a text line wider than the symbol centres the symbol over it
                        const int32_t textWidth = wideText ? e.matrix.ModulesAcross() * m + 11 : 0;
                        const TMatrixGeometry g =
                            MatrixGeometry(e.matrix, 7, 5, m, 0, rotation, textWidth);
                        const QImage want =
                            Page(e.matrix, g, transparent, TModulePaint::Rectangles);
                        const QImage got = Page(e.matrix, g, transparent, TModulePaint::Picture);
                        EXPECT_EQ(got, want)
                            << symbol.data << " rotation " << rotation << " module " << m
                            << (transparent ? " transparent" : " opaque")
                            << (wideText ? " under wide text" : "");
                        // opaque symbols paint their quiet zone white; transparent ones nothing
                        // light
                        EXPECT_EQ(LightPixels(got) == 0, transparent) << symbol.data;
                    }
    }
}

TEST(MatrixPictureTest, PictureHasOneSampleForEachModuleTurnedWithTheSymbol) {
    const TMatrixEncoding e = EncodeMatrix(btPdf417, QStringLiteral("PDF417 rows"), {});
    ASSERT_TRUE(e.Valid());
    ASSERT_NE(e.matrix.rows, e.matrix.columns);
    for (int rotation = 0; rotation < 4; ++rotation) {
        const QImage picture = MatrixModulePicture(e.matrix, rotation, false);
        const QSize want = IsVertical(rotation) ? QSize(e.matrix.rows, e.matrix.columns)
                                                : QSize(e.matrix.columns, e.matrix.rows);
        EXPECT_EQ(picture.size(), want) << rotation;
        EXPECT_EQ(picture.depth(), 1);
    }
    // a stacked row three modules deep draws as one sample three modules tall
    const TMatrixGeometry g = MatrixGeometry(e.matrix, 0, 0, 2, 0, 0, 0);
    EXPECT_EQ(MatrixModuleRect(e.matrix, g).height(), e.matrix.rows * e.matrix.rowModules * 2);
}

TEST(MatrixPictureTest, OnlyPicturesEnlargedFourTimesCountAsSharp) {
    const TMatrixEncoding qr = EncodeMatrix(btQrCode, QStringLiteral("sharp"), {});
    const TMatrixEncoding pdf417 = EncodeMatrix(btPdf417, QStringLiteral("sharp"), {});
    EXPECT_FALSE(PictureStaysSharp(qr.matrix, 3));
    EXPECT_TRUE(PictureStaysSharp(qr.matrix, 4));
    // rows three modules deep are enlarged three times as much down the symbol
    EXPECT_FALSE(PictureStaysSharp(pdf417.matrix, 1));
    EXPECT_TRUE(PictureStaysSharp(pdf417.matrix, 2));
}
