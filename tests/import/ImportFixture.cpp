#include "import/ImportFixture.h"

#include "db/Recordset.h"
#include "import/CreateAuction.h"
#include "import/RoundFileName.h"
#include "support/AuctionFacts.h"

#include <QDir>
#include <QFile>

ImportFixture::ImportFixture() : state(app::makeModuleState(home.path(), ui)) {}

QString ImportFixture::roundPath(const QString &set, int round) const {
    const QString prefix = set == QLatin1String("auction-07-edge") ? QStringLiteral("07") : QStringLiteral("11");
    return downloads.path(importer::roundFileName(prefix, round));
}

QString ImportFixture::copyRounds(const QString &set, int first, int last) {
    for (int round = first; round <= last; ++round) {
        const QString target = roundPath(set, round);
        QFile::copy(testsupport::dataPath(set + u'/' + QFileInfo(target).fileName()), target);
    }
    return roundPath(set, first);
}

void ImportFixture::createAuction11() {
    const QString first = copyRounds("auction-11", 1, 1);
    ui.expectOpen(first).expectMessage("Round Imported Successfully");
    ASSERT_EQ(importer::CreateAuction(state), importer::Creation::Created);
}

int ImportFixture::count(const QString &jetSql) {
    return state.AuctionDb.openRecordset(jetSql, db::RecordsetType::Snapshot)->value(0).toInt();
}

QStringList ImportFixture::column(const QString &jetSql) {
    QStringList values;
    const auto rs = state.AuctionDb.openRecordset(jetSql, db::RecordsetType::Snapshot);
    for (; !rs->eof(); rs->moveNext())
        values << rs->value(0).toString();
    return values;
}

void ImportFixture::expectRoundsWhole(const std::vector<int> &rounds, int lastImported) {
    QStringList expectedRounds;
    for (int round : rounds)
        expectedRounds << QString::number(round);
    EXPECT_EQ(this->rounds(), expectedRounds);
    for (int t = 0; t < testsupport::kAuction11Tables.size(); ++t) {
        const QString table = testsupport::kAuction11Tables[t];
        if (table == QLatin1String("Withdrawal Statistics")) {
            EXPECT_EQ(count("SELECT Count(*) FROM [Withdrawal Statistics]"),
                      testsupport::kAuction11Rows[size_t(lastImported - 1)][size_t(t)]);
            continue;
        }
        int expected = 0;
        for (int round : rounds)
            expected += testsupport::kAuction11Rows[size_t(round - 1)][size_t(t)];
        EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM [%1]").arg(table)), expected) << table;
        for (int round : rounds)
            EXPECT_EQ(count(QStringLiteral("SELECT Count(*) FROM [%1] WHERE [Round] = %2").arg(table).arg(round)),
                      testsupport::kAuction11Rows[size_t(round - 1)][size_t(t)])
                << table << " round " << round;
    }
}

QStringList ImportFixture::filesInHome() const {
    QStringList files;
    for (const QString &name : QDir(home.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (!name.endsWith("-wal") && !name.endsWith("-shm"))  // the open database's own log
            files << name;
    return files;
}
