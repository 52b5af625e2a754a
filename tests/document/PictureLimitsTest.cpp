#include "document/PictureLimits.h"
#include "TestSupport.h"
#include "document/GraphicLabel.h"
#include "document/Jpeg.h"
#include "platform/Messages.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {
QByteArray Jpeg(const QImage& image, bool progressive, int quality = 80) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "JPEG");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << writer.errorString().toStdString();
    return buffer.data();
}

QImage Gradient(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) & 255));
    return image;
}

// The offset of the first marker of type code (0xFFcode) in a JPEG.
qsizetype Marker(const QByteArray& jpeg, uchar code, qsizetype from = 2) {
    return jpeg.indexOf(QByteArray("\xFF") + char(code), from);
}

// The file with its frame header claiming width x height.
QByteArray Claiming(QByteArray jpeg, int width, int height) {
    qsizetype sof = Marker(jpeg, 0xC0);
    if (sof < 0)
        sof = Marker(jpeg, 0xC2);
    EXPECT_GT(sof, 0);
    qToBigEndian<quint16>(quint16(height), jpeg.data() + sof + 5);
    qToBigEndian<quint16>(quint16(width), jpeg.data() + sof + 7);
    return jpeg;
}

// A progressive file with its first scan repeated extra more times.
QByteArray WithRepeatedFirstScan(const QByteArray& jpeg, int extra) {
    const qsizetype sos = Marker(jpeg, 0xDA);
    // The scan runs to the next marker that is not a stuffed zero or a restart.
    qsizetype end = sos + 2;
    for (;;) {
        end = jpeg.indexOf('\xFF', end + 1);
        const auto next = uchar(jpeg.at(end + 1));
        if (next != 0 && (next < 0xD0 || next > 0xD7))
            break;
    }
    const QByteArray scan = jpeg.mid(sos, end - sos);
    return jpeg.left(end) + scan.repeated(extra) + jpeg.mid(end);
}

class JpegLimits : public ::testing::Test {
protected:
    QString Write(const QByteArray& bytes) {
        const QString path = m_scratch.File("jpg1.TMP");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    TScratchFolder m_scratch;
};
} // namespace

TEST(JpegSize, PixelsAndPixelsPerByteDecideTogether) {
    using namespace PictureLimits;
    EXPECT_TRUE(JpegSizeAllowed(1000, 1000, 1)); // small pictures always pass
    EXPECT_FALSE(JpegSizeAllowed(0, 10, 1000));
    EXPECT_TRUE(JpegSizeAllowed(20000, 10000, MaxJpegPixels / MaxJpegPixelsPerByte));
    EXPECT_FALSE(JpegSizeAllowed(20000, 10000, MaxJpegPixels / MaxJpegPixelsPerByte - 1));
    EXPECT_FALSE(JpegSizeAllowed(20001, 10000, 1LL << 40));
    EXPECT_FALSE(JpegSizeAllowed(65535, 65535, 1LL << 40));
}

TEST_F(JpegLimits, AHeaderClaimingMoreThanTheFileCanHoldIsRefusedWithTheUsualMessage) {
    const QByteArray real = Jpeg(Gradient(64, 48), false);
    ASSERT_FALSE(DecodeJpegFile(Write(real)).isNull());
    for (const auto& [w, h] : {std::pair{3000, 3000}, std::pair{30000, 30000}})
        EXPECT_TRUE(DecodeJpegFile(Write(Claiming(real, w, h))).isNull()) << w;
    // Progressive files are refused before the decoder buffers the whole picture.
    EXPECT_TRUE(
        DecodeJpegFile(Write(Claiming(Jpeg(Gradient(64, 48), true), 20000, 20000))).isNull());

    QStringList messages;
    const auto previous = SetMessageHandler([&](const QString& m) { messages << m; });
    TGraphicLabel control;
    const QString path = Write(Claiming(real, 3000, 3000));
    EXPECT_FALSE(LoadImageByName(control, path));
    SetMessageHandler(previous);
    EXPECT_EQ(messages, QStringList{QString("Unable to load jpeg file\n\r") + path});
}

TEST_F(JpegLimits, ALargeEvenPictureOfARealFileStillLoads) {
    // 1.2 megapixels of white compress to a few kilobytes, well within the ratio.
    QImage white(1200, 1000, QImage::Format_RGB32);
    white.fill(Qt::white);
    const QImage decoded = DecodeJpegFile(Write(Jpeg(white, true, 100)));
    EXPECT_EQ(decoded.size(), QSize(1200, 1000));
}

TEST_F(JpegLimits, AProgressiveFileWithMoreScansThanAllowedIsRefused) {
    const QByteArray progressive = Jpeg(Gradient(64, 48), true);
    ASSERT_GE(Marker(progressive, 0xC2), 0) << "not progressive";
    // A repeated scan is a bogus progression the decoder puts up with; a few still load.
    EXPECT_EQ(DecodeJpegFile(Write(WithRepeatedFirstScan(progressive, 10))).size(), QSize(64, 48));
    EXPECT_TRUE(
        DecodeJpegFile(Write(WithRepeatedFirstScan(progressive, PictureLimits::MaxJpegScans)))
            .isNull());
}

TEST(BmpLimits, AHeaderClaimingAHugePictureIsRefusedWithTheUsualMessage) {
    TScratchFolder scratch;
    // An 8-bit BMP of 60000 x 60000 pixels whose file holds a palette and a few bytes.
    QByteArray info(40, '\0');
    qToLittleEndian<qint32>(40, info.data());
    qToLittleEndian<qint32>(60000, info.data() + 4);
    qToLittleEndian<qint32>(60000, info.data() + 8);
    qToLittleEndian<qint16>(1, info.data() + 12);
    qToLittleEndian<qint16>(8, info.data() + 14);
    const QByteArray palette(256 * 4, '\x7F');
    QByteArray head("BM", 2);
    head += QByteArray(12, '\0');
    qToLittleEndian<qint32>(14 + 40 + 1024, head.data() + 10);
    const QString path = scratch.File("bmp1.TMP");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(head + info + palette + QByteArray(64, '\0'));
    f.close();

    QStringList messages;
    const auto previous = SetMessageHandler([&](const QString& m) { messages << m; });
    TGraphicLabel control;
    EXPECT_FALSE(LoadImageByName(control, path));
    SetMessageHandler(previous);
    EXPECT_EQ(messages, QStringList{QString("Unable to load bitmap file\n\r") + path});
}
