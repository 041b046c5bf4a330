// The analysis dialogs on their own: what the rounds dialog keeps and resets, the selection dialog's Cancel flag
// and selection, the progress window running work off the GUI thread (the event loop goes on, Cancel reaches the
// work, failures come back); the workbook window's column names and sums, and a pivot of 120,000 columns.
#include "analysis/PivotSheet.h"
#include "analysis/SheetModels.h"
#include "analysis/frmPivotList.h"
#include "analysis/frmProg.h"
#include "analysis/frmRounds.h"
#include "analysis/frmWorkbook.h"
#include "db/Error.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QValidator>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {

void pressKey(QWidget *widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &press);
}

TEST(RoundsDialog, OkKeepsTheEntriesCancelSetsTheFlagAndUnloadResets) {
    analysis::frmRounds dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select Rounds & Bid Type");
    EXPECT_TRUE(dialog.optNet->isChecked());
    EXPECT_TRUE(dialog.cmdOK->isDefault());
    dialog.show();
    dialog.mskFrom->setText("10");
    dialog.mskTo->setText("12");
    dialog.optGross->setChecked(true);
    dialog.cmdOK->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.cancelled());
    EXPECT_EQ(dialog.mskFrom->text(), "10");
    EXPECT_EQ(dialog.mskTo->text(), "12");
    EXPECT_TRUE(dialog.gross());

    dialog.show();
    pressKey(&dialog, Qt::Key_Escape);  // Esc is Cancel
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.cancelled());

    dialog.unload();
    EXPECT_FALSE(dialog.cancelled());
    EXPECT_TRUE(dialog.mskFrom->text().isEmpty());
    EXPECT_TRUE(dialog.mskTo->text().isEmpty());
    EXPECT_FALSE(dialog.gross());
}

TEST(RoundsDialog, BoxesTakeUpToFourDigits) {
    analysis::frmRounds dialog;
    int position = 0;
    QString text = QStringLiteral("9999");
    EXPECT_EQ(dialog.mskFrom->validator()->validate(text, position), QValidator::Acceptable);
    text = QStringLiteral("1a");
    EXPECT_EQ(dialog.mskFrom->validator()->validate(text, position), QValidator::Invalid);
    dialog.mskTo->setText(QStringLiteral("123456"));
    EXPECT_EQ(dialog.mskTo->text(), "1234");
}

TEST(SelectionDialog, FillClearsTheFlagAndTheSelection) {
    analysis::frmPivotList dialog;
    EXPECT_EQ(dialog.windowTitle(), "Select Analysis Criteria");
    dialog.fill(QStringLiteral("Select the Bidders to Analyze"), {"B", "A", "C"});
    dialog.show();
    dialog.List1->item(2)->setSelected(true);
    dialog.List1->item(0)->setSelected(true);
    EXPECT_EQ(dialog.selectedEntries(), QStringList({"B", "C"}));  // in list order
    dialog.cmdCancel->click();
    EXPECT_TRUE(dialog.cancelled());

    dialog.fill(QStringLiteral("Select the Licenses to Analyze"), {"X", "Y"});
    EXPECT_FALSE(dialog.cancelled());
    EXPECT_EQ(dialog.Label1->text(), "Select the Licenses to Analyze");
    EXPECT_TRUE(dialog.selectedEntries().isEmpty());
    dialog.show();
    pressKey(dialog.List1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(dialog.selectedEntries(), QStringList({"X", "Y"}));
}

// The work waits for a timer of the GUI thread: it can only end when the event loop runs during the work.
TEST(ProgressWindow, EventLoopRunsWhileTheWorkRuns) {
    std::atomic<bool> ticked{false};
    std::atomic<bool> onWorker{false};
    QTimer::singleShot(30, [&ticked] { ticked = true; });
    analysis::AnalysisProgress progress;
    const Qt::HANDLE gui = QThread::currentThreadId();
    analysis::frmProg::run(nullptr, QStringLiteral("Pivot Table Progress"), progress,
                           [&](analysis::AnalysisProgress &shown) {
                               onWorker = QThread::currentThreadId() != gui;
                               shown.total = 10;
                               for (int i = 0; i < 1000 && !ticked; ++i)
                                   QThread::msleep(5);
                               shown.done = 10;
                           });
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(onWorker);
    EXPECT_FALSE(progress.cancel);
}

TEST(ProgressWindow, CancelReachesTheWork) {
    analysis::frmProg::onShown = [](analysis::frmProg &window) {
        EXPECT_EQ(window.windowTitle(), "Pivot Table Progress");
        window.findChild<QPushButton *>()->click();  // its Cancel button
    };
    analysis::AnalysisProgress progress;
    bool stopped = false;
    analysis::frmProg::run(nullptr, QStringLiteral("Pivot Table Progress"), progress,
                           [&stopped](analysis::AnalysisProgress &shown) {
                               for (int i = 0; i < 1000 && !shown.cancel; ++i)
                                   QThread::msleep(5);
                               stopped = shown.cancel;
                           });
    analysis::frmProg::onShown = {};
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(progress.cancel);
}

TEST(ProgressWindow, FailuresOfTheWorkComeBack) {
    analysis::AnalysisProgress progress;
    try {
        analysis::frmProg::run(nullptr, QStringLiteral("Save As"), progress, [](analysis::AnalysisProgress &) {
            throw db::Error(3021, QStringLiteral("No current record."));
        });
        ADD_FAILURE() << "no error";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 3021);
    }
    EXPECT_THROW(analysis::frmProg::run(nullptr, QStringLiteral("Save As"), progress,
                                        [](analysis::AnalysisProgress &) { throw std::bad_alloc(); }),
                 db::Error);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // the window is gone either way
}

TEST(WorkbookSheets, ColumnLettersAsASpreadsheetNamesThem) {
    EXPECT_EQ(analysis::columnLetters(0), "A");
    EXPECT_EQ(analysis::columnLetters(25), "Z");
    EXPECT_EQ(analysis::columnLetters(26), "AA");
    EXPECT_EQ(analysis::columnLetters(51), "AZ");
    EXPECT_EQ(analysis::columnLetters(52), "BA");
    EXPECT_EQ(analysis::columnLetters(701), "ZZ");
    EXPECT_EQ(analysis::columnLetters(702), "AAA");
    EXPECT_EQ(analysis::columnLetters(16383), "XFD");
}

TEST(WorkbookSheets, SumsShowInCentsRoundedFromTheExactAmount) {
    const QLocale c = QLocale::c();
    EXPECT_EQ(analysis::sumText(123450, c), "$12.35");  // 12.345 is 12.3449999... as a double
    EXPECT_EQ(analysis::sumText(123449, c), "$12.34");
    EXPECT_EQ(analysis::sumText(-50, c), "-$0.01");
    EXPECT_EQ(analysis::sumText(-49, c), "$0.00");
    EXPECT_EQ(analysis::sumText(0, c), "$0.00");
    EXPECT_EQ(analysis::sumText(21475287482000, c), "$2,147,528,748.20");
    EXPECT_EQ(analysis::sumText(123456789999950, c), "$12,345,679,000.00");
}

}  // namespace

namespace {

// A pivot as wide as a whole large auction's: three rounds, 120,000 columns, a sum in every thousandth column.
std::shared_ptr<const analysis::AnalysisResult> widePivot() {
    auto result = std::make_shared<analysis::AnalysisResult>();
    analysis::PivotTable &pivot = result->pivot;
    pivot.gross = true;
    pivot.rounds = {1, 2, 3};
    pivot.texts = {QStringLiteral("A")};
    constexpr int kColumns = 120000;
    pivot.columns.resize(kColumns);
    for (int column = 0; column < kColumns; ++column) {
        auto &items = pivot.columns[std::size_t(column)];
        items.fill({analysis::DataCell::Kind::Integer, column});
        items[1] = {analysis::DataCell::Kind::Text, 0};
    }
    pivot.rowStart = {0};
    for (int row = 0; row < 3; ++row) {
        for (int column = row; column < kColumns; column += 1000) {
            pivot.cellColumn.push_back(column);
            pivot.cellSum.push_back(qint64(column) * 10000 + 5000);
        }
        pivot.rowStart.push_back(qint64(pivot.cellColumn.size()));
    }
    return result;
}

TEST(WorkbookWindowSize, WidePivotOpensAtOnce) {
    testsupport::ScriptedPrompter ui;
    QElapsedTimer timer;
    timer.start();
    analysis::frmWorkbook window(widePivot(), analysis::AnalysisKind::Rounds, {1, 3}, ui);
    window.resize(900, 520);
    window.show();
    QCoreApplication::processEvents();
    window.grdPivot->scrollTo(window.grdPivot->model()->index(9, 119990));
    QCoreApplication::processEvents();
    EXPECT_LT(timer.elapsed(), 2000);
    const QAbstractItemModel &model = *window.grdPivot->model();
    EXPECT_EQ(model.columnCount(), 120001);
    EXPECT_EQ(model.index(analysis::kPivotHeaderRows + 2, 2003).data().toString(), "$2,002.50");
    EXPECT_EQ(model.headerData(120000, Qt::Horizontal).toString(), analysis::columnLetters(120000));
}

}  // namespace
