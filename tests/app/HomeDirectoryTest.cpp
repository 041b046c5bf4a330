// The home directory chosen from --home, $LOTWISE_HOME or the user's data folder.
#include "core/HomeDirectory.h"
#include "db/Error.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// --home wins over $LOTWISE_HOME, which wins over the user's data folder; each is created when missing.
TEST(HomeDirectory, CommandLineOverEnvironmentOverDataFolder) {
    testsupport::ScratchDir scratch;
    const QByteArray savedHome = qgetenv("LOTWISE_HOME"), savedData = qgetenv("XDG_DATA_HOME");
    qputenv("LOTWISE_HOME", scratch.path("from-env").toUtf8());
    qputenv("XDG_DATA_HOME", scratch.path("data").toUtf8());
    const QString canonical = QDir(scratch.path()).canonicalPath();

    EXPECT_EQ(app::resolveHomeDirectory(scratch.path("from-option/deeper")), canonical + "/from-option/deeper");
    EXPECT_TRUE(QFileInfo(scratch.path("from-option/deeper")).isDir());
    EXPECT_EQ(app::resolveHomeDirectory(), canonical + "/from-env");
    qunsetenv("LOTWISE_HOME");
    EXPECT_EQ(app::resolveHomeDirectory(), canonical + "/data/Lotwise");

    // A folder that cannot be made (a file stands in its way): error 76.
    QFile blocker(scratch.path("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        app::resolveHomeDirectory(scratch.path("file/home"));
        ADD_FAILURE() << "no error";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 76);
    }
    savedHome.isNull() ? qunsetenv("LOTWISE_HOME") : qputenv("LOTWISE_HOME", savedHome);
    savedData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", savedData);
}
