// The Round Summary window: a round list, the summary sheet of twenty figures for the chosen round, and a chart of net
// bids per round beside it. An MDI child of the main window (it is shown inside a QMdiSubWindow, which it closes on
// Close or Esc).
//
// The window owns its controls (Qt parents). It reads the open auction database of the module state, which must outlive
// it, and talks to the user through the state's Prompter. GUI thread only.
#pragma once

#include "summary/RoundFigures.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace app {
struct ModuleState;
}

namespace summary {

class SummaryChart;

class frmSummary : public QWidget {
    Q_OBJECT
public:
    // The sheet's size: five columns, twelve rows.
    static constexpr int kColumns = 5;
    static constexpr int kRows = 12;

    explicit frmSummary(app::ModuleState &state, QWidget *parent = nullptr);

    // Lays out the sheet, fills the round list (which shows the newest round) and reads the auction number and the
    // chart. Each step that fails says so and the others still run.
    void Form_Load();

    // Shows the figures of the round chosen in ddlRound.
    void ddlRound_Click();
    // Prints the sheet of the shown round on one portrait page (print::SummaryPage.h) through the platform's print
    // dialog; cancelling the dialog prints nothing.
    void cmdPrint_Click();
    // Test hook: while not empty, cmdPrint_Click writes the page to this PDF instead of showing the print dialog.
    static void setPrintTarget(const QString &pdfPath);
    void cmdClose_Click();

    // The round the sheet shows, or nothing before one was chosen.
    std::optional<qint64> shownRound() const { return shown_; }
    // The text of a sheet cell, counting rows and columns from 1 as the sheet does.
    QString cellText(int row, int column) const;

    QLabel *lblRound = nullptr;
    QComboBox *ddlRound = nullptr;
    QTableWidget *vaSpread1 = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdClose = nullptr;
    SummaryChart *chart = nullptr;

private:
    void PopulateRounds();
    void GetAuction();
    void FillSummary(qint64 round);
    void arrangeControls();
    void layOutSheet();
    void fitSheet();
    void loadChart();
    void setCell(int row, int column, const QString &text, Qt::Alignment alignment, bool bold = false);
    void showChartRound(qint64 round);
    void showError(const db::Error &error);

    app::ModuleState &state_;
    std::optional<qint64> AuctionNumber;
    std::optional<qint64> shown_;
};

}  // namespace summary
