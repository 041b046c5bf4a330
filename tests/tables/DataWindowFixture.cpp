#include "tables/DataWindowFixture.h"

#include "db/Recordset.h"
#include "grid/CellText.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "support/AuctionFixture.h"
#include "tables/frmTableActions.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QThread>
#include <QTimer>

namespace {

bool waitUntil(const std::function<bool()> &done, int timeoutMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(1);
    }
    return done();
}

}  // namespace

QString InputPrompter::inputBox(const QString &prompt, const QString &title, const QString &) {
    asked << prompt + "|" + title;
    if (inputs.empty()) {
        ADD_FAILURE() << "unexpected input box: " << prompt.toStdString();
        return {};
    }
    const QString answer = inputs.front();
    inputs.pop_front();
    return answer;
}

void DataWindowFixture::SetUp() {
    state.AuctionDbPath = testsupport::buildAuction(dir, "auction-11", 12);
    state.AuctionDb = db::Database::open(state.AuctionDbPath);
    window = std::make_unique<grid::frmFlexGrid>(*this);
    PopulateTables();
    QStringList rounds;
    for (int round = 12; round >= 1; --round)
        rounds << QString::number(round);
    window->refillList(window->ddlRoundNum, rounds);
    window->selectRound(0);
    chooseTable("All Bids");
}

void DataWindowFixture::TearDown() {
    window.reset();
    ui.verifyDone();
}

void DataWindowFixture::PopulateTables() {
    window->refillList(window->ddlTableName, engineColumn("SELECT * FROM [sysTables]"));
}

void DataWindowFixture::onNextTableActions(const std::function<void(tables::frmTableActions *)> &answer) {
    QTimer::singleShot(0, [answer] {
        auto *dialog = qobject_cast<tables::frmTableActions *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no Table Actions dialog to answer";
            if (auto *other = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                other->reject();
            return;
        }
        answer(dialog);
    });
}

void DataWindowFixture::moveToSort(tables::frmTableActions *dialog, const QString &column, bool ascending) {
    const auto found = dialog->lstSource->findItems(column, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << column.toStdString();
    dialog->lstSource->setCurrentItem(found.front());
    emit dialog->lstSource->itemDoubleClicked(found.front());
    ASSERT_GT(dialog->lstSortCols->count(), 0);
    QListWidgetItem *added = dialog->lstSortCols->item(dialog->lstSortCols->count() - 1);
    ASSERT_EQ(added->text(), column);
    added->setSelected(ascending);
}

void DataWindowFixture::moveToTarget(tables::frmTableActions *dialog, const QString &column) {
    const auto found = dialog->lstSourceTable->findItems(column, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << column.toStdString();
    dialog->lstSourceTable->setCurrentItem(found.front());
    emit dialog->lstSourceTable->itemDoubleClicked(found.front());
}

void DataWindowFixture::pickListedValue(tables::frmTableActions *dialog, int row, const QString &value) {
    QComboBox *columns = dialog->lstFiltCol[size_t(row)];
    emit columns->activated(columns->currentIndex());
    ASSERT_TRUE(waitUntil([dialog, row] { return !dialog->valuesLoading(row); }));
    QComboBox *values = dialog->txtFilter[size_t(row)];
    const int index = values->findText(value);
    ASSERT_GE(index, 0) << value.toStdString() << " not listed among " << values->count();
    values->setCurrentIndex(index);
    emit values->activated(index);
}

void DataWindowFixture::chooseTable(const QString &table) { window->selectTable(window->ddlTableName->findText(table)); }

void DataWindowFixture::chooseRound(const QString &round) { window->selectRound(window->ddlRoundNum->findText(round)); }

QStringList DataWindowFixture::shownColumn(const QString &column, bool asShown) {
    grid::LazyTableModel &model = *window->Data1;
    EXPECT_TRUE(waitUntil([&model] { return model.isRowCountKnown(); })) << window->shownStatement();
    int index = -1;
    for (int i = 0; i < model.columnCount(); ++i)
        if (model.fields()[size_t(i)].name == column)
            index = i;
    EXPECT_GE(index, 0) << column.toStdString();
    QStringList values;
    if (index < 0 || (model.rowCount() > 0 && !model.waitForRows(0, model.rowCount() - 1, 20000)))
        return values;
    for (int row = 0; row < model.rowCount(); ++row)
        values << (asShown ? model.data(model.index(row, index)).toString() : model.rawValue(row, index).toString());
    return values;
}

int DataWindowFixture::shownTextCount(const QString &column, const QString &text) {
    const auto rows = state.AuctionDb.openRecordset("SELECT [" + column + "] FROM [All Bids] WHERE [Round] = " +
                                                        window->ddlRoundNum->currentText(),
                                                    db::RecordsetType::Snapshot);
    int count = 0;
    for (; !rows->eof(); rows->moveNext())
        count += grid::cellText(rows->value(0), rows->field(0).type, window->Data1->displayLocale()) == text;
    return count;
}

QStringList DataWindowFixture::engineColumn(const QString &sql) {
    QStringList values;
    const auto rows = state.AuctionDb.openRecordset(sql, db::RecordsetType::Snapshot);
    for (; !rows->eof(); rows->moveNext())
        values << rows->value(0).toString();
    return values;
}
