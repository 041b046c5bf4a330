#include "tables/GridToolsFixture.h"

#include "db/Recordset.h"
#include "db/Sqlite.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "grid/SpreadGrid.h"
#include "support/AuctionFixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>

namespace {

QStringList column(const db::Database &database, const QString &sql) {
    QStringList values;
    for (auto rows = database.openRecordset(sql, db::RecordsetType::Snapshot); !rows->eof(); rows->moveNext())
        values << rows->value(0).toString();
    return values;
}

}  // namespace

void GridToolsFixture::SetUpTestSuite() {
    auctionDir = new testsupport::ScratchDir;
    auctionPath = testsupport::buildAuction(*auctionDir, QStringLiteral("auction-11"), 3);
    db::Database database = db::Database::open(auctionPath);
    database.execute(QStringLiteral("CREATE TABLE [Digit] ([N] Long)"));
    for (int n = 0; n < 10; ++n)
        database.execute(QStringLiteral("INSERT INTO [Digit] VALUES (%1)").arg(n));
    // [Many]: Id 0 .. 9999, Half (Id / 2 for even ids, empty for odd ones), Label (text).
    database.execute(QStringLiteral(
        "SELECT a.[N] + b.[N] * 10 + c.[N] * 100 + d.[N] * 1000 AS [Id], "
        "IIf((a.[N] Mod 2) = 0, (a.[N] + b.[N] * 10 + c.[N] * 100 + d.[N] * 1000) / 2, Null) AS [Half], "
        "'L' & a.[N] AS [Label] INTO [Many] FROM [Digit] AS a, [Digit] AS b, [Digit] AS c, [Digit] AS d "
        "ORDER BY d.[N], c.[N], b.[N], a.[N]"));
    database.execute(QStringLiteral("SELECT m.[Id] + d.[N] * 10000 AS [Id], m.[Label] INTO [Big] FROM [Many] AS m, "
                                    "[Digit] AS d WHERE d.[N] < 3"));
    database.execute(QStringLiteral("CREATE TABLE [Cells] ([Pos] Long, [Value] Double, [Name] Text(20), "
                                    "[Empty] Double)"));
    db::Statement insert(database.handle(), QStringLiteral("INSERT INTO \"Cells\" VALUES (?1, ?2, ?3, NULL)"));
    const std::vector<std::pair<QVariant, QString>> cells = {
        {0.0, "a"}, {0.0, "b"}, {1.5, "c"}, {2.0, "d"}, {QVariant(), "e"}, {1234567.891, "f"}, {-0.25, "g"}};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        insert.bind(1, qlonglong(i));
        insert.bind(2, cells[i].first);
        insert.bind(3, cells[i].second);
        insert.step();
        insert.reset();
    }
    for (const char *table : {"Many", "Big", "Cells"})
        database.execute(QStringLiteral("INSERT INTO [sysTables] ([TableName]) VALUES ('%1')").arg(table));
}

void GridToolsFixture::TearDownTestSuite() {
    delete auctionDir;
    auctionDir = nullptr;
}

GridToolsFixture::GridToolsFixture() : state(home.path(), ui) {
    state.AuctionDb = db::Database::open(auctionPath);
    state.AuctionDbPath = auctionPath;
    window = std::make_unique<grid::frmFlexGrid>(*this);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    window->resize(500, 400);
    window->QWidget::show();
    PopulateTables();
    PopulateRounds();
}

GridToolsFixture::~GridToolsFixture() { window.reset(); }

void GridToolsFixture::PopulateTables() {
    window->refillList(window->ddlTableName,
                       column(state.AuctionDb, QStringLiteral("SELECT [TableName] FROM [sysTables]")));
}

void GridToolsFixture::PopulateRounds() {
    window->refillList(window->ddlRoundNum,
                       column(state.AuctionDb, QStringLiteral("SELECT [Round] FROM [sysRounds] ORDER BY [Round] DESC")));
}

void GridToolsFixture::show(const QString &table) {
    if (window->ddlRoundNum->isEnabled())  // a table without rounds disables the list, as a user sees it
        window->selectRound(window->ddlRoundNum->findText(QStringLiteral("3")));
    const int index = window->ddlTableName->findText(table);
    ASSERT_GE(index, 0) << table;
    window->selectTable(index);
    QElapsedTimer timer;
    timer.start();
    while (!window->Data1->isRowCountKnown() && timer.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(window->Data1->isRowCountKnown()) << table;
    QCoreApplication::processEvents();
}

void GridToolsFixture::selectBlock(int column, int first, int last) {
    auto *model = window->Data1;
    window->MSFlexGrid1->selectionModel()->select(QItemSelection(model->index(first, column), model->index(last, column)),
                                                  QItemSelectionModel::Select);
}
