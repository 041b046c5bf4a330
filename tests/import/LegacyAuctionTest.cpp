// An auction database of the earlier Windows program: opened, it becomes an SQLite copy beside it, the original
// stays as it was, and imports into the copy rebuild its stored tables.
#include "core/AuctionDatabase.h"
#include "db/Recordset.h"
#include "import/ImportFixture.h"
#include "import/ImportRound.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

#include <unistd.h>

using testsupport::lines;

namespace {

QByteArray digest(const QString &path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

TEST_F(ImportFixture, LegacyAuctionIsConvertedOnceAndImportsRebuildItsTables) {
    const QString legacy = downloads.path("Auction11.mdb");
    ASSERT_TRUE(QFile::copy(testsupport::dataPath("legacy/Auction11.mdb"), legacy));
    const QByteArray before = digest(legacy);

    ui.expectMessage("");
    app::OpenAuctionDatabase(state, legacy);
    const QString copy = downloads.path("Auction11-lotwise.mdb");
    EXPECT_EQ(state.AuctionDbPath, copy);
    EXPECT_EQ(lines(ui.messages.back().text).value(1), legacy);
    EXPECT_EQ(lines(ui.messages.back().text).value(4), copy);
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Information);
    EXPECT_EQ(rounds(), QStringList({"1", "2", "3", "4", "5", "6"}));

    copyRounds("auction-11", 7, 7);
    ui.expectMessage("").expectOpen(roundPath("auction-11", 7)).expectMessage("Round Imported Successfully");  // no last-import file yet
    ASSERT_TRUE(importer::ImportRound(state, false));
    expectRoundsWhole({1, 2, 3, 4, 5, 6, 7}, 7);
    EXPECT_EQ(count("SELECT Count(*) FROM [High Bids Over 1M]"),
              count("SELECT Count(*) FROM [All Bids] WHERE [Net Bid Amount] > 1000000"));
    EXPECT_EQ(count("SELECT Count(*) FROM [Big Bids]"),
              count("SELECT Count(*) FROM [All Bids] WHERE [Net Bid Amount] > 5000000"));
    EXPECT_GT(count("SELECT Count(*) FROM [Big Bids]"), 18);
    EXPECT_EQ(column("SELECT [TableName] FROM [sysTables] WHERE [TableName] Like '*Big Bids*'"), QStringList({"Big Bids"}));
    // Its Query Builder names are still one per query.
    EXPECT_THROW(state.AuctionDb.execute("INSERT INTO sysQueryBuilder (Txt5) VALUES ('big bids')"), db::Error);

    // Opening the original again opens the copy, with the round imported into it.
    ui.expectMessage("");
    app::OpenAuctionDatabase(state, legacy);
    EXPECT_EQ(state.AuctionDbPath, copy);
    EXPECT_TRUE(ui.messages.back().text.contains("already been converted"));
    EXPECT_EQ(rounds().size(), 7);
    EXPECT_EQ(digest(legacy), before);
}

namespace {

// For as long as it lives the process runs as the unprivileged user "nobody", so that folders without write
// permission refuse it (root writes anywhere). The saved user stays root, so root is taken back at the end.
class AsNobody {
public:
    AsNobody() { active_ = setresgid(kNobody, kNobody, 0) == 0 && setresuid(kNobody, kNobody, 0) == 0; }
    ~AsNobody() {
        if (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0)
            ADD_FAILURE() << "could not become root again";
    }
    AsNobody(const AsNobody &) = delete;
    AsNobody &operator=(const AsNobody &) = delete;
    bool active() const { return active_; }

private:
    static constexpr uid_t kNobody = 65534;
    bool active_ = false;
};

constexpr QFileDevice::Permissions kEveryoneAll = QFileDevice::Permissions(0x7777);

}  // namespace

// A legacy database in a folder the user cannot write to is converted into the home directory instead.
TEST_F(ImportFixture, LegacyAuctionInAReadOnlyFolderIsConvertedIntoTheHomeDirectory) {
    testsupport::ScratchDir shelf;
    const QString legacy = shelf.path("Auction11.mdb");
    ASSERT_TRUE(QFile::copy(testsupport::dataPath("legacy/Auction11.mdb"), legacy));
    ASSERT_TRUE(QFile::setPermissions(legacy, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
    const QByteArray before = digest(legacy);
    ASSERT_TRUE(QFile::setPermissions(home.path(), kEveryoneAll));
    const auto readAndEnter = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                              QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(shelf.path(), readAndEnter));
    std::optional<AsNobody> unprivileged;
    if (QFileInfo(shelf.path()).isWritable()) {  // root: permissions do not stop its writes
        unprivileged.emplace();
        if (!unprivileged->active() || QFileInfo(shelf.path()).isWritable())
            GTEST_SKIP() << "the read-only folder stays writable for this user, who cannot become another";
    }
    const QString copy = home.path("Auction11-lotwise.mdb");
    EXPECT_EQ(app::convertedCopyPath(legacy, home.path()), copy);
    // A folder this user can write to keeps the copy beside the original.
    EXPECT_EQ(app::convertedCopyPath(home.path("Auction7.mdb"), shelf.path()), home.path("Auction7-lotwise.mdb"));

    ui.expectMessage("");
    app::OpenAuctionDatabase(state, legacy);
    unprivileged.reset();
    EXPECT_EQ(state.AuctionDbPath, copy);
    EXPECT_EQ(lines(ui.messages.back().text).value(4), copy);
    EXPECT_EQ(rounds().size(), 6);
    EXPECT_EQ(QDir(shelf.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"Auction11.mdb"}));
    EXPECT_EQ(digest(legacy), before);
}
