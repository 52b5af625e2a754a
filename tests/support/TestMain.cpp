#include "platform/Screen.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Label geometry in tests is written for a 96-dpi screen.
    SetScreenResolution(96, 96);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
