#pragma once

#include <QSplashScreen>
#include <QTimer>

// The window shown while the program starts: the product's name on its own picture. It
// closes itself a short while after StartClosing, which the main window signals once it is
// shown. Unattended runs never create one.
class TSplash : public QSplashScreen {
    Q_OBJECT
public:
    static constexpr int ClosingDelayMs = 1200;

    explicit TSplash(int closingDelayMs = ClosingDelayMs);

    // Starts the closing timer; later calls change nothing.
    void StartClosing();
    bool Closing() const { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

// The splash picture: program icon, product name, what it is and the version.
QPixmap SplashPicture();
