// The main window's placement between runs, and what closing does to the database.
#include "app/MainWindowFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QScreen>
#include <QSettings>

namespace {

QString stored(const char *key) {
    QSettings store(QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
    return store.value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
}

}  // namespace

// Nothing stored: two thirds of the screen's room, centred; afterwards the stored placement rules.
TEST_F(MainWindowFixture, PlacementStartsCentredOnTheScreenAndIsKeptInTwips) {
    const double perTwip = window->logicalDpiX() / 1440.0;
    const QRect room = window->screen()->availableGeometry();
    EXPECT_EQ(window->width(), room.width() * 2 / 3);
    EXPECT_EQ(window->height(), room.height() * 2 / 3);
    EXPECT_NEAR(window->x() + window->width() / 2, room.center().x(), 2);
    EXPECT_NEAR(window->y() + window->height() / 2, room.center().y(), 2);
    window->resize(int(9000 * perTwip), int(7200 * window->logicalDpiY() / 1440.0));
    window->close();
    EXPECT_NEAR(stored("MainWidth").toDouble(), 9000, 1);
    EXPECT_NEAR(stored("MainHeight").toDouble(), 7200, 1);

    app::frmMain again(state, ui);
    EXPECT_EQ(again.width(), int(9000 * perTwip));
    again.endNow();
}

TEST_F(MainWindowFixture, MinimizedWindowStoresNothing) {
    window->close();
    const QString width = stored("MainWidth");
    app::frmMain again(state, ui);
    again.show();
    again.resize(200, 200);
    again.showMinimized();
    again.close();
    EXPECT_EQ(stored("MainWidth"), width);
}

TEST_F(MainWindowFixture, ClosingCompactsTheOpenDatabase) {
    const QString path = buildAuction(2);
    openThroughFileOpen(path);
    state.AuctionDb.execute("DELETE * FROM [Markets]");
    const qint64 before = QFileInfo(path).size() + QFileInfo(path + "-wal").size();
    window->close();  // the open data window's loader connection is closed first, or compaction would be refused
    EXPECT_EQ(ui.statuses.back(), "Optimizing Database...Please Standby!");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(QFileInfo::exists(path + "-wal"));
    EXPECT_LT(QFileInfo(path).size(), before);
    const db::Database reopened = db::Database::open(path);
    EXPECT_EQ(reopened.tableDefs().size(), 17);
}

// While another program has the database open, closing leaves it as it is and says so.
TEST_F(MainWindowFixture, ClosingWhileAnotherProgramHasTheDatabaseSkipsCompaction) {
    const QString path = buildAuction(2);
    openThroughFileOpen(path);
    state.AuctionDb.execute("DELETE * FROM [Markets]");
    QProcess other;
    other.start("sqlite3", {path});
    other.write("SELECT count(*) FROM sysRounds;\n");
    ASSERT_TRUE(other.waitForReadyRead(10000));
    other.readAllStandardOutput();
    ui.expectMessage("");
    window->close();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages.back().text.contains("open in another program")) << ui.messages.back().text;
    other.write("SELECT count(*) FROM Markets;\n");
    ASSERT_TRUE(other.waitForReadyRead(10000));
    EXPECT_EQ(QString::fromUtf8(other.readAllStandardOutput()).trimmed(), "0");
    other.closeWriteChannel();
    other.waitForFinished(10000);
}

// A compaction that fails says why and leaves the file as it was.
TEST_F(MainWindowFixture, FailedCompactionSaysSoAndLeavesTheFile) {
    const QString path = buildAuction(2);
    openThroughFileOpen(path);
    // The file is replaced by something that is not a database while the program has it open.
    const QByteArray stranger = QByteArray("not an auction database\n").repeated(200);
    ASSERT_TRUE(QFile::remove(path));
    QFile replaced(path);
    ASSERT_TRUE(replaced.open(QIODevice::WriteOnly));
    replaced.write(stranger);
    replaced.close();
    ui.expectMessage("");
    window->close();
    ASSERT_EQ(ui.messages.size(), 1u);
    const QStringList shown = testsupport::lines(ui.messages.back().text);
    ASSERT_EQ(shown.size(), 2) << ui.messages.back().text;
    EXPECT_TRUE(QRegularExpression("^Error: \\d+ \\S").match(shown[0]).hasMatch()) << shown[0];
    EXPECT_EQ(shown[1], "The database was not compacted; it is unchanged.");
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), stranger);
}
