#include "analysis/frmWorkbook.h"

#include "analysis/PivotCsv.h"
#include "analysis/PivotTable.h"
#include "analysis/SheetModels.h"
#include "analysis/WorkbookFile.h"
#include "analysis/frmProg.h"
#include "db/Error.h"

#include <QDir>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace analysis {

namespace {

const QString kSaveFilter = QStringLiteral("Excel Workbook (*.xlsx)|*.xlsx|CSV (*.csv)|*.csv");
const QString kSaveTitle = QStringLiteral("Save As");

QString kindName(AnalysisKind kind) {
    switch (kind) {
    case AnalysisKind::Markets:
        return QStringLiteral("Markets");
    case AnalysisKind::Bidders:
        return QStringLiteral("Bidders");
    case AnalysisKind::Rounds:
        break;
    }
    return QStringLiteral("Rounds");
}

QString writtenText(const QString &path, const std::optional<WorkbookWritten> &written, bool csv) {
    QString text =
        (csv ? QStringLiteral("The pivot table was written to ") : QStringLiteral("The workbook was written to ")) +
        QDir::toNativeSeparators(path) + u'.';
    if (!csv && written->pivotSheets > 1)
        text += app::CR + QStringLiteral(
                              "The pivot table is wider than a sheet's %L1 columns: it goes on over %2 "
                              "sheets, each with the Round column.")
                              .arg(kSheetColumns)
                              .arg(written->pivotSheets);
    if (!csv && written->dataSheets > 1)
        text += app::CR + QStringLiteral("The data set is longer than a sheet's %L1 rows: it goes on over %2 sheets.")
                              .arg(kSheetRows)
                              .arg(written->dataSheets);
    return text;
}

}  // namespace

frmWorkbook::frmWorkbook(std::shared_ptr<const AnalysisResult> result, AnalysisKind kind, RoundRange range,
                         app::Prompter &ui, QWidget *parent)
    : QWidget(parent), result_(std::move(result)), ui_(ui) {
    setObjectName(QStringLiteral("frmWorkbook"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(captionFor(kind, range, result_->pivot.gross));
    tabSheets = new QTabWidget(this);
    tabSheets->setTabPosition(QTabWidget::South);
    tabSheets->setDocumentMode(true);
    grdPivot = makeSheet(new PivotModel(result_, this), QStringLiteral("grdPivot"));
    grdData = makeSheet(new DataSetModel(result_, this), QStringLiteral("grdData"));
    tabSheets->addTab(makePivotSheet(), QStringLiteral("PivotTable1"));
    tabSheets->addTab(grdData, QStringLiteral("Sheet1"));
    fitDataColumns();

    cmdSaveAs = new QPushButton(QStringLiteral("Save As..."), this);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmWorkbook::DBSaveAs);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(cmdSaveAs);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabSheets, 1);
    layout->addLayout(buttons);
}

QString frmWorkbook::captionFor(AnalysisKind kind, RoundRange range, bool gross) {
    const QString rounds = range.start == range.end ? QStringLiteral("Round %1").arg(range.start)
                                                    : QStringLiteral("Rounds %1 to %2").arg(range.start).arg(range.end);
    return QStringLiteral("Pivot Table (%1) - %2, %3").arg(kindName(kind), rounds, dataFieldCaption(gross));
}

// A grid whose sections all have one fixed size, so that its headers cost nothing however many columns it has.
QTableView *frmWorkbook::makeSheet(QAbstractItemModel *model, const QString &name) {
    auto *view = new QTableView(this);
    view->setObjectName(name);
    view->setModel(model);
    view->setWordWrap(false);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    const int rowHeight = view->fontMetrics().height() + 6;
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(rowHeight);
    view->verticalHeader()->setMinimumWidth(view->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setDefaultSectionSize(
        view->fontMetrics().horizontalAdvance(QStringLiteral("$0,000,000,000.00")));
    return view;
}

// The pivot's first column (the captions, field names and rounds) in a grid of its own at the left, scrolling
// up and down with the pivot: it stays in sight however far the pivot scrolls to the right. Both grids keep a
// horizontal scroll bar so that their rows line up.
QWidget *frmWorkbook::makePivotSheet() {
    auto *sheet = new QWidget(this);
    auto *firstColumn = new FirstColumnModel(this);
    firstColumn->setSourceModel(grdPivot->model());
    grdRounds = makeSheet(firstColumn, QStringLiteral("grdRounds"));
    QFont bold = grdRounds->font();
    bold.setBold(true);
    grdRounds->setColumnWidth(0, QFontMetrics(bold).horizontalAdvance(dataFieldCaption(true)) + 16);
    grdRounds->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grdRounds->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdRounds->setFixedWidth(
        std::max(grdRounds->verticalHeader()->minimumWidth(), grdRounds->verticalHeader()->sizeHint().width()) +
        grdRounds->columnWidth(0) + 2 * grdRounds->frameWidth());
    grdPivot->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grdPivot->verticalHeader()->hide();
    grdPivot->setColumnHidden(0, true);
    connect(grdPivot->verticalScrollBar(), &QScrollBar::valueChanged, grdRounds->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grdRounds->verticalScrollBar(), &QScrollBar::valueChanged, grdPivot->verticalScrollBar(),
            &QScrollBar::setValue);
    auto *layout = new QHBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(grdRounds);
    layout->addWidget(grdPivot, 1);
    return sheet;
}

// The data set's eleven columns as wide as their names and the texts of the first rows, within bounds.
void frmWorkbook::fitDataColumns() {
    constexpr int kSampleRows = 200;
    constexpr int kMaxWidth = 280;
    QFont bold = grdData->font();
    bold.setBold(true);
    const QFontMetrics names(bold);
    const QFontMetrics texts = grdData->fontMetrics();
    const QAbstractItemModel &model = *grdData->model();
    const int rows = std::min(model.rowCount(), kSampleRows + 1);
    for (int column = 0; column < model.columnCount(); ++column) {
        int width = names.horizontalAdvance(model.index(0, column).data().toString());
        for (int row = 1; row < rows; ++row)
            width = std::max(width, texts.horizontalAdvance(model.index(row, column).data().toString()));
        grdData->setColumnWidth(column, std::min(width + 16, kMaxWidth));
    }
}

QSize frmWorkbook::sizeHint() const { return {900, 520}; }

void frmWorkbook::DBSaveAs() {
    app::FileDialog dialog;
    dialog.filter = kSaveFilter;
    dialog.fileName = QStringLiteral("PivotTable1.xlsx");
    dialog.initialDir = saveFolder_;
    dialog.flags = 4;
    QString path;
    try {
        path = ui_.showSave(dialog);
    } catch (const db::Error &error) {
        if (error.number() != db::err::DialogCancelled)
            ui_.msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
        return;
    }
    if (!path.isEmpty())
        save(path);
}

// Writes on a worker thread; a cancelled .xlsx leaves nothing behind and ends without a message.
void frmWorkbook::save(const QString &path) {
    const bool csv = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive);
    std::optional<WorkbookWritten> written;
    try {
        app::BusyCursor busy(ui_);
        AnalysisProgress progress;
        frmProg::run(this, kSaveTitle, progress, [&](AnalysisProgress &shown) {
            if (csv) {
                writePivotCsv(path, result_->pivot);
                written = WorkbookWritten{0, 1};
                return;
            }
            written = writeWorkbook(path, *result_, [&shown](qint64 done, qint64 total) {
                shown.total = total;
                shown.done = done;
                return !shown.cancel.load();
            });
        });
    } catch (const db::Error &error) {
        ui_.msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
        return;
    }
    if (written)
        ui_.msgBox(writtenText(path, written, csv), {}, kSaveTitle);
}

}  // namespace analysis
