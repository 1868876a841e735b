// Test entry of the window and form tests: one application object (with the central error handler) on
// Qt's offscreen platform.
#include <gtest/gtest.h>

#include "windows/dravn_application.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    dravn::DravnApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
