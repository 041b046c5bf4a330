// The SQL Query Wizard window and the data window's part in Run and Drop Table, offscreen with the scripted
// Prompter: boxes and navigator, saves refused without loss, Run with and without a data window.
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/frmFlexGrid.h"
#include "tables/QueryBuilder.h"
#include "tables/UserTableFixture.h"
#include "tables/frmSql.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <memory>

using tables::QueryRow;

namespace {

// Fills the lists of the window it was given, as the main window fills the active one's.
class TestHost : public grid::DataWindowHost {
public:
    explicit TestHost(UserTableFixture &fixture) : fixture_(fixture) {}
    void PopulateTables() override {
        window->refillList(window->ddlTableName, fixture_.column("SELECT * FROM sysTables"));
    }
    void PopulateRounds() override { window->refillList(window->ddlRoundNum, {"3", "2", "1"}); }
    app::ModuleState &moduleState() override { return fixture_.moduleState(); }
    grid::frmFlexGrid *window = nullptr;

private:
    UserTableFixture &fixture_;
};

class QueryBuilderWindowTest : public UserTableFixture {
protected:
    void TearDown() override {
        if (tables::frmSql::instance())
            delete tables::frmSql::instance();
        UserTableFixture::TearDown();
    }
    tables::frmSql *openWindow(QWidget *activeChild = nullptr) {
        tables::frmSql *window = tables::frmSql::open(state, [activeChild] { return activeChild; }, &frame);
        EXPECT_NE(window, nullptr);
        return window;
    }
    void type(tables::frmSql *window, int box, const QString &text) { window->txtSql[size_t(box)]->setText(text); }
    QStringList texts(tables::frmSql *window) {
        QStringList all;
        for (QLineEdit *box : window->txtSql)
            all << box->text();
        return all;
    }
    // Whether the five clause boxes are enabled, all alike.
    bool clausesEnabled(tables::frmSql *window) {
        for (int i = 1; i < 5; ++i)
            EXPECT_EQ(window->txtSql[size_t(i)]->isEnabled(), window->txtSql[0]->isEnabled());
        return window->txtSql[0]->isEnabled();
    }
    grid::frmFlexGrid *dataWindow(const QString &table) {
        auto *window = new grid::frmFlexGrid(host, &frame);
        host.window = window;
        host.PopulateTables();
        host.PopulateRounds();
        window->selectRound(0);
        window->selectTable(window->ddlTableName->findText(table));
        EXPECT_EQ(window->Data1->baseTable(), table);
        return window;
    }
    void store(const QueryRow &row) { ASSERT_EQ(tables::saveQuery(state.AuctionDb, {}, row), ""); }

    TestHost host{*this};
    QWidget frame;  // holds the windows; goes before the host they use
};

const QueryRow kFirst = {"First", {"[Round], [Bidder]", "[First Table]", "[Bidders]", "", ""}};
const QueryRow kSecond = {"Second", {"[Round]", "[Second Table]", "[All Bids]", "[Round] = 1", "[Round]"}};

}  // namespace

TEST_F(QueryBuilderWindowTest, BoxesNavigatorAndANewRowPastTheLast) {
    store(kFirst);
    store(kSecond);
    tables::frmSql *window = openWindow();
    EXPECT_EQ(window, openWindow());  // one instance
    EXPECT_EQ(texts(window), QStringList({"[Round], [Bidder]", "[First Table]", "[Bidders]", "", "", "First"}));
    type(window, 3, "[Round] = 2");
    window->cmdNext->click();  // saved in place: the next row is still the second
    EXPECT_EQ(window->Data1->text(), "Second");
    window->cmdLast->click();
    EXPECT_EQ(window->Data1->text(), "Second");
    window->cmdNext->click();  // past the last: a new, empty row
    EXPECT_EQ(window->position(), 2);
    EXPECT_EQ(texts(window), QStringList({"", "", "", "", "", ""}));
    EXPECT_FALSE(clausesEnabled(window));
    type(window, 5, "  ");
    EXPECT_FALSE(clausesEnabled(window));
    type(window, 5, "Third");
    EXPECT_TRUE(clausesEnabled(window));
    EXPECT_EQ(window->Data1->text(), "Third");
    type(window, 0, "*");
    window->cmdPrevious->click();  // saved, then one back
    EXPECT_EQ(window->Data1->text(), "Second");
    EXPECT_EQ(column("SELECT [Txt3] FROM [sysQueryBuilder]"), QStringList({"[Round] = 2", "[Round] = 1", ""}));
    window->cmdNext->click();
    EXPECT_EQ(texts(window), QStringList({"*", "", "", "", "", "Third"}));
    type(window, 4, "[Round]");
    frame.close();  // the program ending keeps the edits
    EXPECT_EQ(column("SELECT [Txt4] FROM [sysQueryBuilder] WHERE [Txt5] = 'Third'"), QStringList({"[Round]"}));
}

TEST_F(QueryBuilderWindowTest, RefusedSavesKeepTheRowAndItsTexts) {
    store(kFirst);
    tables::frmSql *window = openWindow();
    window->cmdNext->click();
    type(window, 5, "Draft");
    type(window, 0, "[Round]");
    type(window, 5, "");
    const QStringList typed = texts(window);
    ui.expectMessage("SQL Query Wizard");
    window->cmdFirst->click();
    EXPECT_TRUE(ui.messages.back().text.startsWith("A query needs a name")) << ui.messages.back().text;
    EXPECT_EQ(window->position(), 1);
    EXPECT_EQ(texts(window), typed);

    type(window, 5, "first");
    ui.expectMessage("SQL Query Wizard");
    window->cmdFirst->click();
    EXPECT_TRUE(ui.messages.back().text.startsWith("A query named 'first' already exists")) << ui.messages.back().text;

    ui.expectMessage("SQL Query Wizard");  // closing saves too, and a refusal keeps the window open
    window->cmdClose->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(column("SELECT [Txt5] FROM [sysQueryBuilder]"), QStringList({"First"}));

    type(window, 5, "Draft");
    window->cmdClose->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tables::frmSql::instance(), nullptr);
    EXPECT_EQ(column("SELECT [Txt0] FROM [sysQueryBuilder] WHERE [Txt5] = 'Draft'"), QStringList({"[Round]"}));
}

TEST_F(QueryBuilderWindowTest, RunWithoutADataWindowBuildsTheTableAndStoresTheRow) {
    tables::frmSql *window = openWindow();
    type(window, 5, "Built");
    type(window, 0, "[Round], [Bidder]");
    type(window, 1, "[Built Table]");
    type(window, 2, "[Bidders]");
    ui.expectMessage("");
    window->cmdRun->click();
    EXPECT_TRUE(ui.messages.back().text.startsWith("     Finished building the table 'Built Table'"));
    EXPECT_EQ(count("SELECT Count(*) FROM [Built Table]"), count("SELECT Count(*) FROM [Bidders]"));
    EXPECT_EQ(column("SELECT [Txt1] FROM [sysQueryBuilder] WHERE [Txt5] = 'Built'"), QStringList({"[Built Table]"}));
}

TEST_F(QueryBuilderWindowTest, RunReleasesEveryDataWindowShowingTheTarget) {
    store(kFirst);
    ui.expectMessage("");
    ASSERT_TRUE(tables::runQuery(state, "First", kFirst, {}));
    grid::frmFlexGrid *other = dataWindow("First Table");
    grid::frmFlexGrid *active = dataWindow("First Table");
    tables::frmSql *window = openWindow(active);
    type(window, 3, "[Round] = 2");
    ui.expectMessage("");
    window->cmdRun->click();
    EXPECT_TRUE(ui.messages.back().text.startsWith("     Finished building")) << ui.messages.back().text;
    EXPECT_EQ(column("SELECT DISTINCT [Round] FROM [First Table]"), QStringList({"2"}));
    for (grid::frmFlexGrid *shown : {other, active})
        EXPECT_EQ(shown->ddlTableName->currentText(), "All Bids");
    EXPECT_EQ(column("SELECT [Txt3] FROM [sysQueryBuilder]"), QStringList({"[Round] = 2"}));
}

TEST_F(QueryBuilderWindowTest, DropTableInTheDataWindow) {
    state.AuctionDb.execute("SELECT [Bidder] INTO [Doomed] FROM [Bidders]");
    state.AuctionDb.execute("INSERT INTO [sysTables] (TableName) VALUES ('Doomed')");
    grid::frmFlexGrid *window = dataWindow("Doomed");
    ui.expectMessage("Caution", app::Answer::Yes);
    window->DropTable();
    EXPECT_FALSE(state.AuctionDb.tableExists("Doomed"));
    EXPECT_EQ(window->ddlTableName->currentText(), "All Bids");
    EXPECT_EQ(window->ddlTableName->findText("Doomed"), -1);

    ui.expectMessage("Access Denied");
    window->DropTable();
    EXPECT_EQ(ui.messages.back().text, "Access to All Bids denied.");
}
