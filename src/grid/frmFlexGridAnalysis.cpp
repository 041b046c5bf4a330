// The data window's pivot analyses: the rounds dialog and its range loop, the selection of licenses or bidders,
// the pivot built off the GUI thread behind the progress window, and the workbook window that shows it.
#include "grid/frmFlexGrid.h"

#include "analysis/AnalysisQuery.h"
#include "analysis/AnalysisRun.h"
#include "analysis/RoundRange.h"
#include "analysis/frmPivotList.h"
#include "analysis/frmProg.h"
#include "analysis/frmRounds.h"
#include "analysis/frmWorkbook.h"
#include "core/ModuleState.h"
#include "core/Prompter.h"
#include "db/Error.h"
#include "grid/DataWindowHost.h"

#include <QFileInfo>
#include <QLineEdit>

namespace grid {

namespace {

void showAnalysisError(app::Prompter &ui, const db::Error &error) {
    ui.msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
}

// The dialogs are the window's children, made on first use and kept for its later analyses.
template <typename Dialog>
Dialog &keptDialog(QWidget &window) {
    if (auto *dialog = window.findChild<Dialog *>(QString(), Qt::FindDirectChildrenOnly))
        return *dialog;
    return *new Dialog(&window);
}

// The range loop: shows the rounds dialog until its entries are accepted. False when the analysis ends (Cancel
// or an empty From), the dialog then back at its design values.
bool askRange(analysis::frmRounds &dialog, app::Prompter &ui, analysis::AnalysisKind kind, qint64 highest,
              analysis::RoundRange &range) {
    for (;;) {
        dialog.exec();
        if (dialog.cancelled()) {
            dialog.unload();
            return false;
        }
        switch (analysis::checkRange(dialog.mskFrom->text(), dialog.mskTo->text(), highest, range)) {
        case analysis::RangeVerdict::Empty:
            dialog.unload();
            return false;
        case analysis::RangeVerdict::StartTooHigh:
            ui.msgBox(analysis::startTooHighMessage(kind), analysis::startTooHighStyle(),
                      analysis::rangeMessageTitle());
            break;
        case analysis::RangeVerdict::EndTooHigh:
            if (ui.msgBox(analysis::endTooHighQuestion(), analysis::endTooHighStyle(), analysis::rangeMessageTitle()) ==
                app::Answer::Yes) {
                range.end = highest;
                return true;
            }
            break;
        case analysis::RangeVerdict::Accepted:
            return true;
        }
    }
}

// The licenses or bidders to analyse, chosen in the kept selection dialog; empty when the analysis ends.
// Raises the errors of reading the list.
QStringList askSelection(QWidget &window, const db::Database &database, analysis::AnalysisKind kind,
                         analysis::RoundRange range) {
    const QStringList values = analysis::selectionValues(database, kind, range);
    auto &dialog = keptDialog<analysis::frmPivotList>(window);
    dialog.fill(analysis::selectionLabel(kind), values);
    dialog.exec();
    return dialog.cancelled() ? QStringList() : dialog.selectedEntries();
}

}  // namespace

void frmFlexGrid::MarketsAnalysis() { runAnalysis(analysis::AnalysisKind::Markets); }

void frmFlexGrid::BiddersAnalysis() { runAnalysis(analysis::AnalysisKind::Bidders); }

void frmFlexGrid::RoundsAnalysis() { runAnalysis(analysis::AnalysisKind::Rounds); }

void frmFlexGrid::runAnalysis(analysis::AnalysisKind kind) {
    app::ModuleState &state = host_.moduleState();
    app::Prompter &ui = state.ui();
    if (!state.auctionOpen())
        return;
    analysis::AnalysisRequest request;
    request.databasePath = state.AuctionDbPath;
    request.kind = kind;
    try {
        const qint64 highest = analysis::highestRound(state.AuctionDb);
        auto &rounds = keptDialog<analysis::frmRounds>(*this);
        if (!askRange(rounds, ui, kind, highest, request.range))
            return;
        request.gross = rounds.gross();
        if (kind != analysis::AnalysisKind::Rounds) {
            request.selection = askSelection(*this, state.AuctionDb, kind, request.range);
            if (request.selection.isEmpty())
                return;
        }
    } catch (const db::Error &error) {
        showAnalysisError(ui, error);
        return;
    }
    std::optional<analysis::AnalysisResult> result;
    try {
        app::BusyCursor busy(ui);
        analysis::AnalysisProgress progress;
        analysis::frmProg::run(
            this, QStringLiteral("Pivot Table Progress"), progress,
            [&request, &result](analysis::AnalysisProgress &shown) { result = analysis::runAnalysis(request, shown); });
        if (progress.cancel)
            return;
    } catch (const db::Error &error) {
        showAnalysisError(ui, error);
        return;
    }
    if (!result)
        return;
    auto shared = std::make_shared<const analysis::AnalysisResult>(std::move(*result));
    auto *workbook = new analysis::frmWorkbook(std::move(shared), kind, request.range, ui);
    workbook->setSaveFolder(QFileInfo(state.AuctionDbPath).absolutePath());
    host_.showChildWindow(workbook);
}

}  // namespace grid
