// The widget tests run in one QApplication, offscreen, with settings kept apart from the user's.
#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

static void registerResources() { Q_INIT_RESOURCE(lotwise); }

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Lotwise"));
    QApplication::setApplicationName(QStringLiteral("Lotwise"));
    registerResources();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
