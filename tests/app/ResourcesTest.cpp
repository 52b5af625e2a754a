#include "app/Resources.h"
#include "app/Cursors.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <set>

namespace {
class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { InitAppResources(); }
};

// Opaque pixels of a picture: proof that something was drawn.
int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 128;
    return count;
}

TEST_F(ResourcesTest, AddToolCursorsAreCrosshairsWithTheHotSpotOnTheCross) {
    std::set<size_t> distinct;
    for (int number = 5; number <= 9; ++number) {
        const QCursor cursor = AddToolCursor(number);
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor) << number;
        const QImage picture = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(picture.size(), QSize(32, 32)) << number;
        const QPoint hot = cursor.hotSpot();
        EXPECT_EQ(picture.pixel(hot), qRgb(0, 0, 0)) << number;
        // Black arms leave the hot spot in all four directions.
        for (const QPoint step : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
            EXPECT_EQ(picture.pixel(hot + 4 * step), qRgb(0, 0, 0)) << number;
        distinct.insert(qHash(
            QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes())));
    }
    EXPECT_EQ(distinct.size(), 5u); // five different pictures
}

TEST_F(ResourcesTest, OtherNumbersGiveTheArrow) {
    EXPECT_EQ(AddToolCursor(4).shape(), Qt::ArrowCursor);
    EXPECT_EQ(AddToolCursor(10).shape(), Qt::ArrowCursor);
}

TEST_F(ResourcesTest, EveryToolIconDrawsAtToolBarSizes) {
    // The names the main window's actions ask for.
    for (const char* name :
         {"new",         "open",          "save",         "labelsize",  "print",
          "align-top",   "align-vcenter", "align-bottom", "align-left", "align-hcenter",
          "align-right", "fields",        "edittext",     "font",       "select",
          "text",        "barcode",       "memo",         "shape",      "image",
          "rotatefocus"}) {
        const QIcon icon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
        for (const int size : {16, 24}) {
            const QImage image = icon.pixmap(size, size).toImage();
            ASSERT_FALSE(image.isNull()) << name << " " << size;
            EXPECT_GT(OpaquePixels(image), size * size / 8) << name << " " << size;
        }
    }
}

TEST_F(ResourcesTest, TheProgramAndDocumentIconsExistInBothForms) {
    EXPECT_GT(OpaquePixels(ProgramIcon().pixmap(48, 48).toImage()), 1000);
    for (const char* path : {":/icons/vellumtrace-48.png", ":/icons/vellumtrace-document-48.png"})
        EXPECT_EQ(QImage(QLatin1String(path)).size(), QSize(48, 48)) << path;
    EXPECT_GT(
        OpaquePixels(
            QIcon(QStringLiteral(":/icons/vellumtrace-document.svg")).pixmap(48, 48).toImage()),
        500);
}
} // namespace
