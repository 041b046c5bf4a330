// The data window's grid tools: export, Sum/Average/Count of the selection, frozen columns, the right click.
#include "grid/frmFlexGrid.h"

#include "core/ModuleState.h"
#include "core/Prompter.h"
#include "db/Error.h"
#include "grid/DataWindowHost.h"
#include "grid/DropDownList.h"
#include "grid/FrozenColumns.h"
#include "grid/LazyTableModel.h"
#include "grid/SelectionTotals.h"
#include "grid/SpreadGrid.h"
#include "tables/TableExport.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <climits>

namespace grid {

namespace {

const QString kExportFilter = QStringLiteral("Tab Delimited Text (*.txt)|*.txt|CSV, Comma Delimited (*.csv)|*.csv|"
                                             "Excel Workbook (*.xlsx)|*.xlsx");
// Below this many rows an export is over before a progress window would be worth showing.
constexpr qint64 kProgressFromRows = 20000;

// The progress window of a long export, closed whatever way the export ends.
class ExportProgressWindow {
public:
    ExportProgressWindow(app::Prompter &ui, qint64 total) : ui_(ui), shown_(total < 0 || total >= kProgressFromRows) {
        if (shown_)
            ui_.progressStart(QStringLiteral("Export"), total > 0 ? int(std::min<qint64>(total, INT_MAX)) : 0);
    }
    ~ExportProgressWindow() {
        if (shown_)
            ui_.progressDone();
    }
    ExportProgressWindow(const ExportProgressWindow &) = delete;
    ExportProgressWindow &operator=(const ExportProgressWindow &) = delete;

    bool step(qint64 done) {
        return !shown_ || ui_.progressStep(int(std::min<qint64>(done, INT_MAX)),
                                           QStringLiteral("%1 rows exported").arg(done));
    }

private:
    app::Prompter &ui_;
    bool shown_;
};

QString completedText(const tables::ExportResult &result) {
    QString text = QStringLiteral("       Export completed.");
    if (result.sheets > 1)
        text += app::CR + QStringLiteral("The %1 rows fill %2 worksheets: a worksheet holds %3 rows below its header.")
                              .arg(result.rows)
                              .arg(result.sheets)
                              .arg(tables::kXlsxSheetRows - 1);
    return text;
}

}  // namespace

// Called once by the constructor: the right click on the grid.
void frmFlexGrid::setUpGridTools() {
    MSFlexGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(MSFlexGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { gridRightClick(MSFlexGrid1, pos); });
}

// The clicked cell becomes current, then the main window's page-break menu pops up at the mouse.
void frmFlexGrid::gridRightClick(QAbstractItemView *view, const QPoint &pos) {
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid())
        return;
    MSFlexGrid1->setCurrentIndex(index);
    host_.showPageBreakMenu(view->viewport()->mapToGlobal(pos));
}

void frmFlexGrid::DBSaveAs() {
    app::Prompter &ui = host_.moduleState().ui();
    app::FileDialog dialog;
    dialog.filter = kExportFilter;
    dialog.fileName = ddlTableName->currentText();
    dialog.flags = 4;
    QString path;
    try {
        path = ui.showSave(dialog);
    } catch (const db::Error &error) {
        if (error.number() != db::err::DialogCancelled)
            ui.msgBox(QStringLiteral("Error %1 %2").arg(error.number()).arg(error.description()), {}, {});
        return;
    }
    if (path.isEmpty() || Data1->jetSql().isEmpty())
        return;
    app::BusyCursor busy(ui);
    try {
        tables::ExportOptions options;
        options.format = tables::exportFormatFor(path);
        options.locale = Data1->displayLocale();
        options.totalRows = Data1->isRowCountKnown() ? Data1->rowCount() : -1;
        ExportProgressWindow progress(ui, options.totalRows);
        options.progress = [&progress](qint64 done, qint64) { return progress.step(done); };
        const tables::ExportResult result = tables::exportQuery(Data1->databasePath(), Data1->jetSql(), path, options);
        if (result.completed)
            ui.msgBox(completedText(result), {}, QStringLiteral("Operation Complete"));
    } catch (const db::Error &error) {
        ui.msgBox(QStringLiteral("Error %1 %2").arg(error.number()).arg(error.description()), {}, {});
    }
}

void frmFlexGrid::ComputeSelection(const QString &Op) {
    if (Op != QLatin1String("Sum") && Op != QLatin1String("Average") && Op != QLatin1String("Count"))
        return;
    app::Prompter &ui = host_.moduleState().ui();
    try {
        app::BusyCursor busy(ui);
        const std::optional<QString> text = selectionResult(Op, MSFlexGrid1->selectionModel()->selection(), *Data1);
        if (text)
            ui.setStatus(app::kStatusPanelResult, *text);
    } catch (const db::Error &error) {
        ui.msgBox(QStringLiteral("Error: %1 %2").arg(error.number()).arg(error.description()), {}, {});
    }
}

void frmFlexGrid::FreezeCols() {
    if (!Data1->columnCount())
        return;
    const QModelIndex current = MSFlexGrid1->currentIndex();
    FrozenColumns::freeze(*MSFlexGrid1, (current.isValid() ? current.column() : 0) + 1);
    // A right click on the frozen columns acts as one on the grid.
    QTableView *overlay = FrozenColumns::overlay(*MSFlexGrid1);
    if (overlay && overlay->contextMenuPolicy() != Qt::CustomContextMenu) {
        overlay->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(overlay, &QWidget::customContextMenuRequested, this,
                [this, overlay](const QPoint &pos) { gridRightClick(overlay, pos); });
    }
}

void frmFlexGrid::UnfreezeCols() { FrozenColumns::freeze(*MSFlexGrid1, 0); }

void frmFlexGrid::ExcelView() {}

}  // namespace grid
