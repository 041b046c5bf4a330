// The main window's placement between runs, and what closing does to the database.
#include "app/MainWindowFixture.h"

#include <QFileInfo>
#include <QSettings>

namespace {

QString stored(const char *key) {
    QSettings store(QStringLiteral("Lotwise"), QStringLiteral("Lotwise"));
    return store.value(QStringLiteral("Settings/") + QLatin1String(key)).toString();
}

}  // namespace

TEST_F(MainWindowFixture, PlacementStartsAtTheDefaultsAndIsKeptInTwips) {
    const double perTwip = window->logicalDpiX() / 1440.0;
    EXPECT_EQ(window->width(), int(6500 * perTwip));
    EXPECT_EQ(window->pos().x(), int(1000 * perTwip));
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
    window->close();
    EXPECT_EQ(ui.statuses.back(), "Optimizing Database...Please Standby!");
    EXPECT_FALSE(QFileInfo::exists(path + ".reorg"));
    EXPECT_FALSE(QFileInfo::exists(path + "-wal"));
    const db::Database reopened = db::Database::open(path);
    EXPECT_EQ(reopened.tableDefs().size(), 17);
}
