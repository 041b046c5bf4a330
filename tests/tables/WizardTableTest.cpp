// The Table Wizard's make-table on auction 11: the table equals its query, its statement is recorded exactly as
// it ran and builds it again after later imports; a failing step leaves nothing behind.
#include "core/ModuleState.h"
#include "db/Database.h"
#include "db/Error.h"
#include "db/JetTranslator.h"
#include "db/Recordset.h"
#include "import/Rebuild.h"
#include "support/AuctionFacts.h"
#include "support/AuctionFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"
#include "tables/WizardStatement.h"
#include "tables/WizardTable.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class WizardTableOnAuction11 : public ::testing::Test {
protected:
    void SetUp() override {
        state.AuctionDbPath = testsupport::buildAuction(dir, "auction-11", 10);
        state.AuctionDb = db::Database::open(state.AuctionDbPath);
    }
    void TearDown() override { ui.verifyDone(); }

    // Every row of a query, its cells joined by tabs.
    QStringList rowsOf(const QString &sql) {
        QStringList out;
        const auto rs = state.AuctionDb.openRecordset(sql, db::RecordsetType::Snapshot);
        for (; !rs->eof(); rs->moveNext()) {
            QStringList cells;
            for (int i = 0; i < rs->fieldCount(); ++i)
                cells << rs->value(i).toString();
            out << cells.join('\t');
        }
        return out;
    }
    QStringList recorded(const QString &name) {
        return rowsOf("SELECT [SQL String] FROM [sysWizard] WHERE [Table Name] = " + db::jet::singleQuoted(name));
    }
    int listed(const QString &name) {
        return int(rowsOf("SELECT [TableName] FROM [sysTables] WHERE [TableName] = " + db::jet::singleQuoted(name)).size());
    }
    int errorOf(const QString &name, const QString &statement) {
        try {
            tables::makeWizardTable(state.AuctionDb, name, statement);
        } catch (const db::Error &error) {
            return error.number();
        }
        return 0;
    }

    testsupport::ScratchDir dir;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state{dir.path(), ui};
};

tables::TableChoices lateDAmicoBids() {
    tables::TableChoices choices;
    choices.target = {"Bidder", "Market", "Round", "Net Bid Amount"};
    choices.rows[0] = {"Round", ">", "5"};
    choices.rows[1] = {"Bidder", "=", "D'Amico Broadband Ventures LLC"};
    choices.rows[2] = {"Bidder", "=", "O'Hare Spectrum LLC"};
    choices.joints = {"And", "Or", "And"};
    choices.sort = {{"Market", true}, {"Round", false}, {"Net Bid Amount", false}};
    return choices;
}

}  // namespace

TEST_F(WizardTableOnAuction11, TheTableIsItsQueryAndItsStatementIsRecordedAsRun) {
    const QString name = "D'Amico's \"Late\" Bids";
    const QString statement = tables::wizardStatement(lateDAmicoBids(), name, "All Bids");
    tables::makeWizardTable(state.AuctionDb, name, statement);

    EXPECT_EQ(recorded(name), QStringList{statement});
    EXPECT_EQ(listed(name), 1);
    const QString query = QString(statement).remove(" INTO [" + name + "]").chopped(1);
    const QStringList expected = rowsOf(query);
    ASSERT_GT(expected.size(), 3);
    EXPECT_EQ(rowsOf("SELECT * FROM [" + name + "]"), expected);
    EXPECT_TRUE(expected.filter("O'Hare").size() > 0 && expected.filter("D'Amico").size() > 0);
}

TEST_F(WizardTableOnAuction11, TheTableIsBuiltAgainByEveryLaterImport) {
    tables::TableChoices choices;
    choices.target = {"Round", "Bidder", "Gross Bid Amount"};
    choices.rows[0] = {"Round", ">", "5"};
    choices.rows[1] = {"Bidder", "<>", "O'Hare \"Nobody\""};
    choices.joints = {"And", "And", "And"};
    choices.sort = {{"Round", false}, {"Bidder", true}, {"Gross Bid Amount", true}};
    const QString name = "O'Hare's \"Late\" Rounds";
    const QString statement = tables::wizardStatement(choices, name, "All Bids");
    const QString query = QString(statement).remove(" INTO [" + name + "]").chopped(1);
    tables::makeWizardTable(state.AuctionDb, name, statement);
    for (int round = 11; round <= 12; ++round) {
        const QString roundPath = testsupport::roundDatabase(dir, "auction-11", round);
        testsupport::importRound(state.AuctionDbPath, roundPath, round);
        QFile::remove(roundPath);
        importer::RebuildWizardTables(state);  // any message would fail the test
        const QStringList rows = rowsOf("SELECT * FROM [" + name + "]");
        EXPECT_EQ(rows, rowsOf(query)) << round;
        EXPECT_EQ(rows.filter(QRegularExpression("^" + QString::number(round) + "\t")).size(),
                  testsupport::kAuction11Rows[size_t(round - 1)][0]);
    }
    EXPECT_EQ(recorded(name), QStringList{statement});
}

TEST_F(WizardTableOnAuction11, AFailingStepLeavesNoTableAndNoRecord) {
    // The table exists: the engine's 3010, and nothing recorded.
    const int wizardRows = int(rowsOf("SELECT * FROM [sysWizard]").size());
    const int tableRows = int(rowsOf("SELECT * FROM [sysTables]").size());
    EXPECT_EQ(errorOf("Markets", "SELECT [Round] INTO [Markets] FROM [All Bids];"), db::err::TableExists);
    EXPECT_EQ(int(rowsOf("SELECT * FROM [sysWizard]").size()), wizardRows);
    EXPECT_EQ(int(rowsOf("SELECT * FROM [sysTables]").size()), tableRows);

    // The last record fails: the table and the first record are gone too.
    state.AuctionDb.execute("DROP TABLE [sysWizard]");
    EXPECT_NE(errorOf("Rounds Only", "SELECT [Round] INTO [Rounds Only] FROM [All Bids];"), 0);
    EXPECT_FALSE(state.AuctionDb.tableExists("Rounds Only"));
    EXPECT_EQ(listed("Rounds Only"), 0);
}

TEST_F(WizardTableOnAuction11, NamesThatCannotBeRecordedAreRefusedBeforeAnythingRuns) {
    const QString longest(tables::kWizardNameLength, u'N');
    EXPECT_TRUE(tables::wizardNameProblem(longest).isEmpty());
    const QString tooLong = longest + "O";
    EXPECT_TRUE(tables::wizardNameProblem(tooLong).contains("65")) << tables::wizardNameProblem(tooLong);
    EXPECT_EQ(errorOf(tooLong, "SELECT [Round] INTO [" + tooLong + "] FROM [All Bids];"), db::err::Reserved);
    EXPECT_FALSE(state.AuctionDb.tableExists(tooLong));
    EXPECT_FALSE(tables::wizardNameProblem("  ").isEmpty());
    EXPECT_FALSE(tables::wizardNameProblem("A]B").isEmpty());

    tables::makeWizardTable(state.AuctionDb, longest, "SELECT [Round] INTO [" + longest + "] FROM [Round Statistics];");
    EXPECT_EQ(recorded(longest).size(), 1);
    EXPECT_EQ(rowsOf("SELECT * FROM [" + longest + "]").size(), 10);
}
