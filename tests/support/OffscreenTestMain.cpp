// The main of the test programs with widgets: a QApplication on the offscreen platform (widgets, dialogs, the
// clipboard, and the event loop that delivers rows and worker results).
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))  // test discovery runs without the test's environment
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
