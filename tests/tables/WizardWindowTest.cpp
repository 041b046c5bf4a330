// The Table Wizard run from a data window over auction 11: the dialog's life, the name asked for, the stored
// statement, and the refusals that build nothing.
#include "tables/DataWindowFixture.h"

#include "db/JetTranslator.h"
#include "tables/frmTableActions.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using tables::frmTableActions;

namespace {

class WizardWindow : public DataWindowFixture {
protected:
    QStringList stored(const QString &name) {
        return engineColumn("SELECT [SQL String] FROM [sysWizard] WHERE [Table Name] = " + db::jet::singleQuoted(name));
    }
    int tableCount() { return int(engineColumn("SELECT * FROM [sysTables]").size()); }
};

QStringList items(const QListWidget *list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

}  // namespace

TEST_F(WizardWindow, OkWithoutTargetColumnsKeepsTheDialogAndListsEachColumnOnce) {
    QStringList first;
    onNextTableActions([&](frmTableActions *d) {
        EXPECT_EQ(d->SSTab1->currentIndex(), frmTableActions::WizardTab);
        first = items(d->lstSourceTable);
        d->txtTableName->setText("Kept Name");
        d->cmdOK->click();
    });
    window->TableWiz();
    ASSERT_NE(window->WizardDialog, nullptr);
    EXPECT_EQ(first.size(), 13);
    onNextTableActions([&](frmTableActions *d) {
        EXPECT_EQ(items(d->lstSourceTable), first);
        EXPECT_EQ(d->txtTableName->text(), "Kept Name");  // the kept dialog keeps its contents
        d->cmdCancel->click();
    });
    const int tables = tableCount();
    window->TableWiz();
    EXPECT_EQ(window->WizardDialog, nullptr);
    EXPECT_EQ(tableCount(), tables);
    EXPECT_FALSE(state.AuctionDb.tableExists("Kept Name"));
}

TEST_F(WizardWindow, BuildsTheTableUnderTheNameAskedForAndStoresItsStatement) {
    onNextTableActions([](frmTableActions *d) {
        moveToTarget(d, "Bidder");
        moveToTarget(d, "Market");
        EXPECT_EQ(d->lstFiltCol[0]->count() > 0 ? d->lstFiltCol[0]->findText("Market") >= 0 : false, true);
        d->lstFiltCol[0]->setCurrentIndex(d->lstFiltCol[0]->findText("Bidder"));
        d->lstOp[0]->setCurrentIndex(d->lstOp[0]->findText("<>"));
        d->txtFilter[0]->setEditText("O'Hare \"Spectrum\" LLC");
        moveToSort(d, "Market", true);
        moveToSort(d, "Bidder", false);
        d->cmdOK->click();
    });
    ui.inputs = {"Bob's \"Best\" Bids"};
    window->TableWiz();
    EXPECT_EQ(ui.asked, QStringList{"Please Enter Table Name|Name New Table"});
    EXPECT_EQ(window->WizardDialog, nullptr);
    const QString statement = "SELECT [Bidder], [Market] INTO [Bob's \"Best\" Bids] FROM [All Bids] WHERE [Bidder] "
                              "<>'O''Hare \"Spectrum\" LLC' ORDER BY [Market],  [Bidder] DESC;";
    EXPECT_EQ(stored("Bob's \"Best\" Bids"), QStringList{statement});
    EXPECT_EQ(engineColumn("SELECT [Bidder] FROM [Bob's \"Best\" Bids]"),
              engineColumn("SELECT [Bidder] FROM [All Bids] WHERE [Bidder] <> 'O''Hare \"Spectrum\" LLC' ORDER BY "
                           "[Market], [Bidder] DESC"));
    EXPECT_EQ(engineColumn("SELECT [TableName] FROM [sysTables] WHERE [TableName] = 'Bob''s \"Best\" Bids'").size(), 1);
}

TEST_F(WizardWindow, NamesThatCannotBeRecordedBuildNothingAndSaySo) {
    const int tables = tableCount();
    for (const QString &name : {QString(), QString(66, u'x'), QString("Markets")}) {
        onNextTableActions([](frmTableActions *d) {
            moveToTarget(d, "Round");
            d->cmdOK->click();
        });
        ui.inputs = {name};
        ui.expectMessage("");
        window->TableWiz();
        EXPECT_EQ(window->WizardDialog, nullptr);
    }
    ASSERT_EQ(ui.messages.size(), 3);
    EXPECT_TRUE(ui.messages[0].text.contains("No table name")) << ui.messages[0].text;
    EXPECT_TRUE(ui.messages[1].text.contains("65")) << ui.messages[1].text;
    EXPECT_TRUE(ui.messages[2].text.startsWith("Error 3010: ")) << ui.messages[2].text;
    EXPECT_EQ(tableCount(), tables);
    EXPECT_TRUE(engineColumn("SELECT * FROM [sysWizard]").isEmpty());
}
