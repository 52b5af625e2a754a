#include "app/FAbout.h"
#include "app/Resources.h"
#include "app/Splash.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { InitAppResources(); }
};

QString LabelText(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

TEST_F(AboutTest, ShowsTheProductVersionDescriptionAndQt) {
    TFAbout about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Vellumtrace"));
    EXPECT_EQ(LabelText(about, "lProduct"), QStringLiteral("Vellumtrace"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))
                    .match(ProgramVersion())
                    .hasMatch())
        << ProgramVersion().toStdString();
    EXPECT_EQ(LabelText(about, "lVersion"), QStringLiteral("Version ") + ProgramVersion());
    EXPECT_EQ(LabelText(about, "lDescription"), QLatin1String(TFAbout::Description));
    EXPECT_EQ(LabelText(about, "lQtVersion"), QStringLiteral("Qt ") + QLatin1String(qVersion()));
    // The project has no web address yet, so the box names none (no placeholder either).
    EXPECT_EQ(about.findChild<QLabel*>(QStringLiteral("lHome")), nullptr);
    for (const QLabel* label : about.findChildren<QLabel*>())
        EXPECT_FALSE(
            label->text().contains(QRegularExpression(QStringLiteral("://|www\\.|\\.org|\\.com"))))
            << label->objectName().toStdString() << ": " << label->text().toStdString();
    const auto* icon = about.findChild<QLabel*>(QStringLiteral("lIcon"));
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
}

TEST_F(AboutTest, OkClosesTheBox) {
    TFAbout about;
    about.show();
    auto* ok = about.findChild<QPushButton*>(QStringLiteral("OkBtn"));
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(about.result(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

TEST_F(AboutTest, TheSplashPictureIsPainted) {
    const QImage picture = SplashPicture().toImage();
    ASSERT_FALSE(picture.isNull());
    // The name is painted in white on the blue ground: some pixels must be nearly white.
    int white = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 160; x < picture.width(); ++x)
            white += qGray(picture.pixel(x, y)) > 240;
    EXPECT_GT(white, 200);
}

TEST_F(AboutTest, TheSplashClosesOnlyAfterStartClosing) {
    TSplash splash(0);
    splash.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FALSE(splash.Closing());

    splash.StartClosing();
    EXPECT_TRUE(splash.Closing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !splash.isVisible(); }, 5000));
}

} // namespace
