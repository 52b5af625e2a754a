// Pictures of every kind an image control reads travel inside the label archive and come back
// with the same pixels, under entry names whose prefix tells their kind.

#include "LabelTestSupport.h"
#include "PictureBytes.h"

#include <QFileInfo>
#include <QImageWriter>

namespace {
QImage Translucent(int w, int h) {
    QImage img(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, qRgba(30 * x, 40 * y, 100, x < w / 2 ? 255 : 40 * y));
    return img;
}

class PictureArchive : public TLabelFileTest {};
} // namespace

TEST_F(PictureArchive, EveryPictureKindTravelsInsideTheArchive) {
    struct TKind {
        QString File;
        const char* Prefix;
    };
    const std::vector<TKind> kinds = {
        {Scratch.File("logo.png"), "png"},  {Scratch.File("icon.gif"), "gif"},
        {Scratch.File("scan.tiff"), "tif"}, {Scratch.File("photo.webp"), "web"},
        {Scratch.File("mark.svg"), "svg"},
    };
    ASSERT_TRUE(Translucent(8, 6).save(kinds[0].File, "PNG"));
    WriteBytes(kinds[1].File, OneColourGif(7, 5, qRgb(200, 30, 10)));
    ASSERT_TRUE(TestPicture(9, 4).save(kinds[2].File, "TIFF"));
    ASSERT_TRUE(TestPicture(10, 10).save(kinds[3].File, "WEBP"));
    WriteBytes(kinds[4].File, R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 30 20">
  <circle cx="10" cy="10" r="8" fill="orange"/></svg>)");

    const QString path = Scratch.File("pictures.lbl");
    TControlList saved;
    for (const TKind& k : kinds)
        ASSERT_TRUE(ImportPicture(Add<TGraphicLabel>(saved), k.File)) << k.Prefix;
    WriteLabelDocument(path, TSheetSettings{}, true, saved);

    const TLabelContents read = ReadLabelDocument(path);
    ASSERT_EQ(read.Controls.size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i) {
        const auto& before = As<TGraphicLabel>(saved[i]);
        const auto& after = As<TGraphicLabel>(read.Controls[i]);
        EXPECT_TRUE(QFileInfo(after.ImageFile()).fileName().startsWith(kinds[i].Prefix))
            << after.ImageFile().toStdString();
        EXPECT_EQ(ReadBytes(after.ImageFile()), ReadBytes(kinds[i].File)) << kinds[i].Prefix;
        EXPECT_FALSE(before.Picture().isNull());
        EXPECT_EQ(after.Picture(), before.Picture()) << kinds[i].Prefix;
        EXPECT_EQ(after.NaturalSize(), before.NaturalSize()) << kinds[i].Prefix;
    }
    EXPECT_TRUE(As<TGraphicLabel>(read.Controls[0]).Picture().hasAlphaChannel());
    EXPECT_EQ(As<TGraphicLabel>(read.Controls[4]).NaturalSize(), QSize(30, 20));
    EXPECT_FALSE(As<TGraphicLabel>(read.Controls[4]).Vectors().IsNull());
    EXPECT_TRUE(Messages.isEmpty()) << Messages.join("|").toStdString();
}
