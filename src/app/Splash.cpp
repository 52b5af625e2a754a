#include "app/Splash.h"

#include "app/FAbout.h"
#include "app/Resources.h"

#include <QLinearGradient>
#include <QPainter>

namespace {
constexpr int kWidth = 420;
constexpr int kHeight = 200;
} // namespace

QPixmap SplashPicture() {
    QPixmap picture(kWidth, kHeight);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(0x4a, 0x8a, 0xe6));
    sky.setColorAt(1, QColor(0x1f, 0x56, 0xa8));
    p.fillRect(picture.rect(), sky);
    p.setPen(QColor(0x16, 0x3e, 0x7a));
    p.drawRect(picture.rect().adjusted(0, 0, -1, -1));

    p.drawPixmap(28, 44, ProgramIcon().pixmap(112, 112));

    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(44);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRect(160, 52, kWidth - 170, 56), Qt::AlignLeft | Qt::AlignVCenter,
               QLatin1String(TFAbout::Product));

    QFont line = name;
    line.setPixelSize(16);
    line.setBold(false);
    p.setFont(line);
    p.drawText(QRect(162, 108, kWidth - 170, 24), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Label designer and label printer"));
    line.setPixelSize(12);
    p.setFont(line);
    p.setPen(QColor(0xdd, 0xe6, 0xf5));
    p.drawText(QRect(0, kHeight - 28, kWidth - 14, 20), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Version %1").arg(ProgramVersion()));
    p.end();
    return picture;
}

TSplash::TSplash(int closingDelayMs) : QSplashScreen(SplashPicture(), Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Splash"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(closingDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &QWidget::close);
}

void TSplash::StartClosing() {
    if (!m_timer.isActive())
        m_timer.start();
}
