// The workbook window of an analysis: the pivot ("PivotTable1", shown first) and the data set ("Sheet1") on
// sheet tabs, each in a lazy grid, with Save As (an .xlsx of both sheets, or the pivot as CSV) and Close.
//
// Takes a share of the result it shows. The prompter must outlive the window. Saving runs on a worker thread
// behind a cancellable progress window. GUI thread only; the window deletes itself when closed.
#pragma once

#include "analysis/AnalysisKind.h"
#include "analysis/AnalysisRun.h"
#include "core/Prompter.h"

#include <QWidget>

#include <memory>

class QAbstractItemModel;
class QPushButton;
class QTabWidget;
class QTableView;

namespace analysis {

class frmWorkbook : public QWidget {
    Q_OBJECT
public:
    frmWorkbook(std::shared_ptr<const AnalysisResult> result, AnalysisKind kind, RoundRange range, app::Prompter &ui,
                QWidget *parent = nullptr);

    // "Pivot Table (Markets) - Rounds 10 to 12, Sum of Gross Bid Amount".
    static QString captionFor(AnalysisKind kind, RoundRange range, bool gross);

    // Asks for a file and writes the workbook (.xlsx) or the pivot (.csv) to it. File > Export calls it by name.
    Q_INVOKABLE void DBSaveAs();

    const AnalysisResult &result() const { return *result_; }
    // Where Save As starts (the auction's folder); none: the file dialog's own choice.
    void setSaveFolder(const QString &folder) { saveFolder_ = folder; }

    QTabWidget *tabSheets = nullptr;
    QTableView *grdPivot = nullptr;
    QTableView *grdRounds = nullptr;  // the pivot's first column, kept in sight beside it
    QTableView *grdData = nullptr;
    QPushButton *cmdSaveAs = nullptr;
    QPushButton *cmdClose = nullptr;

    QSize sizeHint() const override;

private:
    QTableView *makeSheet(QAbstractItemModel *model, const QString &name);
    void save(const QString &path);
    void fitDataColumns();
    QWidget *makePivotSheet();

    std::shared_ptr<const AnalysisResult> result_;
    app::Prompter &ui_;
    QString saveFolder_;
};

}  // namespace analysis
