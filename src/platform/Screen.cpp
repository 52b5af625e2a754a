#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace {
int32_t g_ppiX = 96;
int32_t g_ppiY = 96;
} // namespace

int32_t ScreenPixelsPerInchX() {
    return g_ppiX;
}
int32_t ScreenPixelsPerInchY() {
    return g_ppiY;
}

void ReadScreenResolution() {
    g_ppiX = g_ppiY = 96;
    if (!qGuiApp)
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Qt 6 turns other densities into a device-pixel ratio, so logical dpi is what one
    // label pixel means on this screen.
    const int x = int(std::lround(screen->logicalDotsPerInchX()));
    const int y = int(std::lround(screen->logicalDotsPerInchY()));
    if (x > 0)
        g_ppiX = x;
    if (y > 0)
        g_ppiY = y;
}

void SetScreenResolution(int32_t x, int32_t y) {
    g_ppiX = x > 0 ? x : 96;
    g_ppiY = y > 0 ? y : 96;
}
