// The filter rows' value lists of the Table Actions dialog: the distinct values of the chosen column, read off the
// UI thread, shown as the grid shows them with Null offered; rebuilt at every choice; left alone without a table;
// a failing query reported; and a column of 300,000 values that never freezes the dialog.
#include "common/ColumnType.h"
#include "db/Database.h"
#include "db/Sqlite.h"
#include "grid/CellText.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"
#include "tables/DistinctValues.h"
#include "tables/TableChoices.h"
#include "tables/frmTableActions.h"

#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <iostream>
#include <memory>

using tables::frmTableActions;

namespace {

QStringList texts(const QComboBox *box) {
    QStringList result;
    for (int i = 0; i < box->count(); ++i)
        result << box->itemText(i);
    return result;
}

bool waitFor(const std::function<bool()> &done, int timeoutMs = 60000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && !timer.hasExpired(timeoutMs)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    QCoreApplication::processEvents();
    return done();
}

// The column's distinct values read straight from SQLite, as the grid shows them for the column's type.
QStringList expectedValues(const QString &path, const QString &table, const QString &column, db::ColumnType type) {
    const db::Database database = db::Database::open(path);
    db::Statement statement(database.handle(),
                            QStringLiteral("SELECT DISTINCT \"%1\" FROM \"%2\"").arg(column, table));
    QStringList values;
    while (statement.step()) {
        const QVariant value = statement.value(0);
        values << (value.isNull() ? tables::nullChoiceText() : grid::cellText(value, type, QLocale()));
    }
    values.sort();
    return values;
}

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

// The dialog on an auction database, its table chosen by the test; errors are collected.
struct ValuesDialog {
    QString path;
    QString table;
    QStringList errors;
    std::unique_ptr<frmTableActions> dialog;

    explicit ValuesDialog(QString databasePath) : path(std::move(databasePath)) {
        dialog = std::make_unique<frmTableActions>(
            frmTableActions::ValueSource{[this] { return path; }, [this] { return table; }});
        dialog->setErrorReporter([this](const QString &message) { errors << message; });
    }
    // The user chooses a column in a row's column list.
    void choose(int row, const QString &column) {
        QComboBox *box = dialog->lstFiltCol[size_t(row)];
        box->setCurrentIndex(box->findText(column));
        emit box->activated(box->currentIndex());
    }
    bool loaded(int row) {
        return waitFor([&] { return !dialog->valuesLoading(row); });
    }
};

class TableActionsValues : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        scratch_ = new testsupport::ScratchDir;
        auction_ = testsupport::buildAuction(*scratch_, QStringLiteral("auction-11"), 3);
    }
    static void TearDownTestSuite() {
        delete scratch_;
        scratch_ = nullptr;
    }
    static testsupport::ScratchDir *scratch_;
    static QString auction_;
};

testsupport::ScratchDir *TableActionsValues::scratch_ = nullptr;
QString TableActionsValues::auction_;

}  // namespace

TEST(DistinctValues, StatementAndMatching) {
    EXPECT_EQ(tables::distinctValuesSql("High Bid", "Markets"), "SELECT DISTINCT [High Bid] FROM [Markets]");
    const QStringList values{"Alpha Wireless", "BETA", "alphabet", "Gamma"};
    EXPECT_EQ(tables::matchingValues(values, "ALPHA", 10), QStringList({"Alpha Wireless", "alphabet"}));
    EXPECT_EQ(tables::matchingValues(values, "a", 2), QStringList({"Alpha Wireless", "BETA"}));
    EXPECT_EQ(tables::matchingValues(values, "", 10), values);
    EXPECT_TRUE(tables::matchingValues(values, "zz", 10).isEmpty());
}

TEST_F(TableActionsValues, ShownAsTheGridShowsThemWithNullOffered) {
    ValuesDialog values(auction_);
    values.table = "Markets";
    values.dialog->fillSortFilterLists({"Market", "High Bid", "High Bidder"});
    values.choose(1, "High Bid");
    ASSERT_TRUE(values.loaded(1));
    const QStringList shown = texts(values.dialog->txtFilter[1]);
    EXPECT_EQ(sorted(shown), expectedValues(auction_, "Markets", "High Bid", db::ColumnType::Currency));
    EXPECT_TRUE(shown.contains(tables::nullChoiceText()));
    EXPECT_TRUE(std::all_of(shown.begin(), shown.end(), [](const QString &v) {
        return v == tables::nullChoiceText() || v.contains('.');  // currency with its two decimals
    }));

    values.table = "All Bids";
    values.dialog->fillSortFilterLists({"Bidder", "Bid Date Time"});
    values.choose(3, "Bid Date Time");
    ASSERT_TRUE(values.loaded(3));
    EXPECT_EQ(sorted(texts(values.dialog->txtFilter[3])),
              expectedValues(auction_, "All Bids", "Bid Date Time", db::ColumnType::DateTime));
    EXPECT_TRUE(values.errors.isEmpty()) << values.errors;
}

TEST_F(TableActionsValues, RebuiltAtEveryChoiceUntouchedWithoutATableTypedTextKept) {
    const QString path = scratch_->path("rebuilt.db");
    ASSERT_TRUE(QFile::copy(auction_, path));
    ValuesDialog values(path);
    values.table = "All Bids";
    values.dialog->fillSortFilterLists({"Round", "Bidder"});
    QComboBox *box = values.dialog->txtFilter[0];
    box->setEditText("O'Ne");
    values.choose(0, "Bidder");
    ASSERT_TRUE(values.loaded(0));
    const QStringList before = texts(box);
    EXPECT_FALSE(before.isEmpty());
    EXPECT_EQ(box->currentText(), "O'Ne");  // the list filled under what the user typed

    db::Database database = db::Database::open(path);
    database.execute("INSERT INTO [All Bids] ([Round], [Bidder]) VALUES (3, 'Zed O''Neil \"Z\"')");
    database.close();
    values.choose(0, "Bidder");
    ASSERT_TRUE(values.loaded(0));
    EXPECT_EQ(texts(box).size(), before.size() + 1);
    EXPECT_TRUE(texts(box).contains("Zed O'Neil \"Z\""));

    values.table.clear();  // the window shows no table: the list stays as it is
    values.choose(0, "Round");
    EXPECT_FALSE(values.dialog->valuesLoading(0));
    EXPECT_EQ(texts(box).size(), before.size() + 1);
    values.table = "All Bids";
    values.dialog->lstFiltCol[0]->setCurrentIndex(1);  // Bidder, chosen in code
    ASSERT_TRUE(values.loaded(0));
    EXPECT_EQ(texts(box).size(), before.size() + 1);
    values.choose(0, "Round");
    ASSERT_TRUE(values.loaded(0));
    EXPECT_EQ(sorted(texts(box)), QStringList({"1", "2", "3"}));
    EXPECT_TRUE(values.errors.isEmpty()) << values.errors;
}

TEST_F(TableActionsValues, FailingQueryIsReportedAndLeavesTheListEmpty) {
    ValuesDialog values(auction_);
    values.table = "Markets";
    values.dialog->fillSortFilterLists({"Market"});
    values.choose(2, "Market");
    ASSERT_TRUE(values.loaded(2));
    ASSERT_GT(values.dialog->txtFilter[2]->count(), 0);

    values.table = "No Such Table";
    values.choose(2, "Market");
    ASSERT_TRUE(values.loaded(2));
    ASSERT_EQ(values.errors.size(), 1);
    EXPECT_TRUE(values.errors[0].startsWith("Error 3078: ")) << values.errors[0];
    EXPECT_EQ(values.dialog->txtFilter[2]->count(), 0);

    values.table = "Markets";
    values.path = scratch_->path("missing.db");  // the file is gone
    values.choose(2, "Market");
    ASSERT_TRUE(values.loaded(2));
    EXPECT_EQ(values.errors.size(), 2);
}

// Currency shows two decimals: stored values that show alike are offered once.
TEST(DistinctValues, ValuesShownAlikeAreListedOnce) {
    testsupport::ScratchDir scratch;
    const QString path = scratch.path("money.db");
    {
        db::Database database = db::Database::create(path);
        db::exec(database.handle(), QStringLiteral("CREATE TABLE [M] ([Amount] %1)")
                                        .arg(QString::fromStdString(db::declaredType(db::ColumnType::Currency))));
        db::exec(database.handle(), "INSERT INTO [M] VALUES (1.001), (1.004), (2), (NULL), (1.004)");
    }
    ValuesDialog values(path);
    values.table = "M";
    values.dialog->fillSortFilterLists({"Amount"});
    values.choose(0, "Amount");
    ASSERT_TRUE(values.loaded(0));
    const QLocale locale;
    EXPECT_EQ(sorted(texts(values.dialog->txtFilter[0])),
              sorted({tables::nullChoiceText(), grid::cellText(1.001, db::ColumnType::Currency, locale),
                      grid::cellText(2, db::ColumnType::Currency, locale)}));
}

// 300,000 distinct values: the UI thread keeps running its timers while they load, the list ends up holding
// them all, and a newer choice in the row replaces a load still running.
TEST(TableActionsBigColumn, StaysResponsiveAndGetsEveryValue) {
    testsupport::ScratchDir scratch;
    const QString path = scratch.path("big.db");
    constexpr int kValues = 300000;
    {
        db::Database database = db::Database::create(path);
        db::exec(database.handle(), "CREATE TABLE [Big] ([Val] TEXT(30), [Grp] INTEGER)");
        db::exec(database.handle(), QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
                                                   "WHERE x < %1) INSERT INTO [Big] SELECT 'value ' || x, x % 3 "
                                                   "FROM n").arg(kValues));
    }
    ValuesDialog values(path);
    values.table = "Big";
    values.dialog->fillSortFilterLists({"Val", "Grp"});
    values.dialog->show();

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, sinceTick.restart());
    });
    QElapsedTimer load;
    load.start();
    values.choose(0, "Val");
    sinceTick.start();
    ticker.start();
    ASSERT_TRUE(values.loaded(0));
    ticker.stop();
    std::cout << "300,000 distinct values loaded in " << load.elapsed() << " ms, longest pause of the UI thread "
              << longestGap << " ms\n";
    EXPECT_EQ(values.dialog->txtFilter[0]->count(), kValues);
    EXPECT_LT(longestGap, 500);

    QComboBox *box = values.dialog->txtFilter[0];
    QElapsedTimer popup;
    popup.start();
    box->showPopup();
    QCoreApplication::processEvents();
    box->hidePopup();
    std::cout << "the drop-down list of 300,000 values opened in " << popup.elapsed() << " ms\n";
    EXPECT_LT(popup.elapsed(), 1000);

    box->lineEdit()->setFocus();
    QElapsedTimer typing;
    typing.start();
    for (const QChar c : QStringLiteral("value 29999")) {  // keys as the user types them
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(box->lineEdit(), &key);
    }
    const qint64 typed = typing.elapsed();
    EXPECT_EQ(box->currentText(), "value 29999");
    const auto *completer = box->findChild<QCompleter *>();
    ASSERT_NE(completer, nullptr);
    EXPECT_TRUE(waitFor([&] { return completer->completionModel()->rowCount() == 11; }, 5000))
        << completer->completionModel()->rowCount();  // value 29999 and value 299990 to value 299999
    std::cout << "typing 11 keys took " << typed << " ms\n";
    EXPECT_LT(typed, 200);

    values.choose(1, "Val");  // a big load, then at once a newer choice in the same row
    values.choose(1, "Grp");
    ASSERT_TRUE(values.loaded(1));
    QCoreApplication::processEvents();
    EXPECT_EQ(sorted(texts(values.dialog->txtFilter[1])), QStringList({"0", "1", "2"}));
    EXPECT_TRUE(values.errors.isEmpty()) << values.errors;
}

// A query kept waiting by another connection's lock never holds up the dialog: a newer choice, and a refill of
// the lists, return at once, and the newer choice's values come once the lock is gone.
TEST(TableActionsBigColumn, NewerChoiceDoesNotWaitForALockedQuery) {
    testsupport::ScratchDir scratch;
    const QString path = scratch.path("locked.db");
    {
        db::Database database = db::Database::create(path);
        db::exec(database.handle(), "CREATE TABLE [T] ([Val] TEXT(30), [Grp] INTEGER)");
        db::exec(database.handle(), "INSERT INTO [T] VALUES ('a', 1), ('b', 2)");
    }
    sqlite3 *holder = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; UPDATE T SET Grp = Grp;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    ValuesDialog values(path);
    values.table = "T";
    values.dialog->fillSortFilterLists({"Val", "Grp"});
    values.choose(0, "Val");
    QThread::msleep(200);  // the query now waits for the lock
    QElapsedTimer ui;
    ui.start();
    values.choose(0, "Grp");
    values.choose(1, "Val");
    values.dialog->fillSortFilterLists({"Val", "Grp"});
    values.choose(0, "Grp");
    EXPECT_LT(ui.elapsed(), 150);
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(values.dialog->valuesLoading(0));  // still waiting for the lock

    sqlite3_exec(holder, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    ASSERT_TRUE(values.loaded(0));
    EXPECT_EQ(sorted(texts(values.dialog->txtFilter[0])), QStringList({"1", "2"}));
    EXPECT_EQ(values.dialog->txtFilter[1]->count(), 0);  // the refill emptied it; its load was cancelled
    EXPECT_TRUE(values.errors.isEmpty()) << values.errors;
}
