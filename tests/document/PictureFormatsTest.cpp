// Image controls with PNG, GIF, TIFF, WebP and SVG pictures: loading, see-through drawing,
// drawing at a zoom, and hostile files refused or defused.

#include "PictureBytes.h"
#include "TestSupport.h"
#include "document/GraphicLabel.h"
#include "platform/Messages.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
class PictureFormats : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = SetMessageHandler([this](const QString& m) { messages << m; });
    }
    void TearDown() override { SetMessageHandler(m_previous); }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = m_scratch.File(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }

    QStringList messages;
    TScratchFolder m_scratch;

private:
    std::function<void(const QString&)> m_previous;
};

QByteArray Encoded(const QImage& image, const char* format) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format << writer.errorString().toStdString();
    return buffer.data();
}

// Left half opaque red, right half fully transparent.
QImage HalfTransparent(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            image.setPixel(x, y, qRgba(255, 0, 0, 255));
    return image;
}

quint32 Crc32(const QByteArray& data) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A real PNG whose header (with a correct checksum) claims width x height.
QByteArray PngClaiming(int width, int height) {
    QByteArray png = Encoded(HalfTransparent(8, 8), "PNG");
    const qsizetype ihdr = png.indexOf("IHDR");
    qToBigEndian<quint32>(quint32(width), png.data() + ihdr + 4);
    qToBigEndian<quint32>(quint32(height), png.data() + ihdr + 8);
    qToBigEndian<quint32>(Crc32(png.mid(ihdr, 4 + 13)), png.data() + ihdr + 4 + 13);
    return png;
}

// A 100 x 50 drawing: a blue square on its left half.
const char* const kLogo = R"(<svg xmlns="http://www.w3.org/2000/svg" width="100" height="50">
  <rect x="0" y="0" width="50" height="50" fill="#0000ff"/>
</svg>)";
} // namespace

TEST_F(PictureFormats, EveryNewRasterKindLoadsByExtensionAndByPrivateName) {
    QImage opaque(12, 6, QImage::Format_RGB32);
    opaque.fill(qRgb(0, 128, 0));
    const std::pair<const char*, const char*> kinds[] = {
        {"png", "PNG"}, {"gif", "GIF"}, {"tif", "TIFF"}, {"tiff", "TIFF"}, {"webp", "WEBP"}};
    for (const auto& [extension, format] : kinds) {
        const QByteArray bytes = QByteArray(format) == "GIF"
                                     ? OneColourGif(12, 6, opaque.pixel(0, 0))
                                     : Encoded(opaque, format);
        TGraphicLabel byExtension, byName;
        EXPECT_TRUE(LoadImageByExtension(
            byExtension, Write(QStringLiteral("user.") + QLatin1String(extension), bytes)))
            << extension;
        EXPECT_TRUE(LoadImageByName(
            byName, Write(QString::fromLatin1(extension).left(3).toUpper() + "1F.TMP", bytes)))
            << extension;
        for (const TGraphicLabel* c : {&byExtension, &byName}) {
            EXPECT_EQ(c->Picture().size(), QSize(12, 6)) << extension;
            EXPECT_EQ(qGreen(c->Picture().pixel(3, 3)), 128) << extension;
        }
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
}

TEST_F(PictureFormats, APngKeepsItsAlphaSoWhatIsUnderShowsThrough) {
    TGraphicLabel control;
    ASSERT_TRUE(
        LoadImageByExtension(control, Write("logo.png", Encoded(HalfTransparent(20, 10), "PNG"))));
    EXPECT_TRUE(control.Picture().hasAlphaChannel());
    control.SetLoading(false);
    control.SetBox(TRect::FromBox(0, 0, 40, 20), false);
    control.Draw();
    const QImage& drawn = control.Image();
    ASSERT_EQ(drawn.size(), QSize(40, 20));
    EXPECT_EQ(qAlpha(drawn.pixel(5, 10)), 255);
    EXPECT_EQ(qRed(drawn.pixel(5, 10)), 255);
    EXPECT_EQ(qAlpha(drawn.pixel(35, 10)), 0); // not painted white
    EXPECT_EQ(qAlpha(control.ZoomedImage(2).pixel(70, 20)), 0);

    // An opaque picture still lies on white, as before.
    QImage opaque(10, 10, QImage::Format_RGB32);
    opaque.fill(Qt::red);
    TGraphicLabel plain;
    plain.SetLoading(false);
    ASSERT_TRUE(LoadImageByExtension(plain, Write("plain.png", Encoded(opaque, "PNG"))));
    plain.Draw();
    EXPECT_FALSE(plain.Image().hasAlphaChannel());
}

TEST_F(PictureFormats, AnSvgTakesItsProportionsFromItsOwnSizeAndIsDrawnAsVectorsAtEveryZoom) {
    TGraphicLabel control;
    ASSERT_TRUE(LoadImageByExtension(control, Write("logo.svg", kLogo)));
    EXPECT_FALSE(control.Vectors().IsNull());
    EXPECT_EQ(control.NaturalSize(), QSize(100, 50));
    EXPECT_EQ(control.Picture().size(), QSize(100, 50));

    // A tiny drawing made big: its 10 x 5 pixel copy scaled up would blur the square's edge.
    TGraphicLabel tiny;
    ASSERT_TRUE(LoadImageByExtension(tiny, Write("tiny.svg", R"(<svg
        xmlns="http://www.w3.org/2000/svg" width="10" height="5">
        <rect x="0" y="0" width="5" height="5" fill="#0000ff"/></svg>)")));
    tiny.SetLoading(false);
    tiny.SetBox(TRect::FromBox(0, 0, 40, 40), false);
    tiny.Draw();
    ASSERT_EQ(tiny.Image().size(), QSize(40, 20)); // kept aspect: 2 to 1
    for (const double zoom : {1.0, 8.0}) {
        const QImage zoomed = tiny.ZoomedImage(zoom);
        ASSERT_EQ(zoomed.size(), QSize(int(40 * zoom), int(20 * zoom)));
        const int edge = int(20 * zoom); // the square's right edge
        const int y = zoomed.height() / 2;
        EXPECT_EQ(zoomed.pixel(edge - 1, y), qRgba(0, 0, 255, 255)) << zoom;
        EXPECT_EQ(qAlpha(zoomed.pixel(edge, y)), 0) << zoom;
    }
}

TEST_F(PictureFormats, HostileOrBrokenPicturesAreRefusedWithAMessageAndTheControlKeepsItsPicture) {
    TGraphicLabel control;
    ASSERT_TRUE(LoadImageByExtension(control, Write("logo.svg", kLogo)));
    const QString huge = Write("huge.png", PngClaiming(60000, 60000));
    const QString notSvg = Write("words.svg", "this is not a drawing");
    const QString noSize = Write("empty.svg", R"(<svg xmlns="http://www.w3.org/2000/svg"/>)");
    const QString notGif = Write("GIF2.TMP", "GIF89a and nothing else");
    EXPECT_FALSE(LoadImageByExtension(control, huge));
    EXPECT_FALSE(LoadImageByExtension(control, notSvg));
    EXPECT_FALSE(LoadImageByExtension(control, noSize));
    EXPECT_FALSE(LoadImageByName(control, notGif));
    EXPECT_EQ(messages, (QStringList{"Unable to load png file\n\r" + huge,
                                     "Unable to load svg file\n\r" + notSvg,
                                     "Unable to load svg file\n\r" + noSize,
                                     "Unable to load gif file\n\r" + notGif}));
    EXPECT_EQ(control.NaturalSize(), QSize(100, 50));
    EXPECT_FALSE(control.Vectors().IsNull());
}

TEST_F(PictureFormats, AnSvgNeverLoadsOtherFilesButKeepsInlinePictures) {
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QString secret = Write("secret.png", Encoded(red, "PNG"));
    const QString svg = QStringLiteral(R"(<?xml version="1.0"?>
<!DOCTYPE svg [<!ENTITY where "%1">]>
<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink"
     width="40" height="20">
  <script>alert(1)</script>
  <image x="0" y="0" width="20" height="20" xlink:href="%1"/>
  <image x="0" y="0" width="20" height="20" href="file://%1"/>
  <image x="0" y="0" width="20" height="20" xlink:href="&where;"/>
  <image x="20" y="0" width="20" height="20" xlink:href="data:image/png;base64,%2"/>
</svg>)")
                            .arg(secret, QString::fromLatin1(Encoded(red, "PNG").toBase64()));
    TGraphicLabel control;
    ASSERT_TRUE(LoadImageByExtension(control, Write("hostile.svg", svg.toUtf8())));
    const QImage drawn = control.Picture();
    ASSERT_EQ(drawn.size(), QSize(40, 20));
    EXPECT_EQ(qAlpha(drawn.pixel(10, 10)), 0) << "a file outside the picture was drawn";
    EXPECT_EQ(drawn.pixel(30, 10), qRgba(255, 0, 0, 255)) << "an inline picture was lost";
}
