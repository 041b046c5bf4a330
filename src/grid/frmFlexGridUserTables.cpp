// The data window's commands on user-defined tables: dropping one, building one from the Query Builder.
#include "grid/frmFlexGrid.h"

#include "core/ModuleState.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/LazyTableModel.h"
#include "tables/DropUserTable.h"
#include "tables/frmSql.h"

namespace grid {

namespace {

bool shows(const frmFlexGrid &window, const QString &table) {
    return window.Data1->baseTable().compare(table, Qt::CaseInsensitive) == 0 ||
           window.ddlTableName->currentText().compare(table, Qt::CaseInsensitive) == 0;
}

}  // namespace

void frmFlexGrid::releaseTable(QWidget *frame, const QString &table) {
    if (!frame)
        return;
    for (frmFlexGrid *window : frame->findChildren<frmFlexGrid *>()) {
        if (!shows(*window, table))
            continue;
        window->selectTable(0);
        if (shows(*window, table))  // the first table could not be shown: show nothing instead
            window->Data1->clear();
    }
}

// The table shown is let go of before it is dropped; afterwards the window shows the first table of its list.
void frmFlexGrid::DropTable() {
    const QString table = ddlTableName->currentText();
    if (table.isEmpty())
        return;
    bool released = false;
    const auto outcome = tables::DropUserTable(host_.moduleState(), table, [this, &released] {
        Data1->clear();
        released = true;
    });
    if (outcome == tables::DropOutcome::Dropped)
        host_.PopulateTables();  // the dropped table leaves the list at once
    if (released)
        selectTable(0);
}

// Builds the table of the Query Builder's current query; every data window showing the target lets go of it.
void frmFlexGrid::TableSql2() {
    tables::frmSql *sql = tables::frmSql::instance();
    if (!sql)
        return;
    QWidget *frame = window();
    sql->runCurrent([frame](const QString &target) { releaseTable(frame, target); });
}

}  // namespace grid
