#include "platform/Screen.h"

#ifdef VT_TEST_WIDGETS
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#endif
#include <QImageReader>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TTestApplication app(argc, argv);
    // Label geometry in tests is written for a 96-dpi screen.
    SetScreenResolution(96, 96);
    // Whole pages rendered at 600 dpi are larger than Qt's default image allocation limit.
    QImageReader::setAllocationLimit(1024);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
