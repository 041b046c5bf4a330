// The widget tests run in one QApplication, offscreen, with settings kept apart from the user's and from other
// test processes.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

static void registerResources() { Q_INIT_RESOURCE(lotwise); }

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings of this test process only: tests run side by side, and never touch the user's own.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lotwise"));
    QApplication::setApplicationName(QStringLiteral("Lotwise"));
    registerResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
