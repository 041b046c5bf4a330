#include "analysis/AnalysisWindowFixture.h"

#include "analysis/frmPivotList.h"
#include "analysis/frmRounds.h"
#include "db/Recordset.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

void AnalysisWindow::SetUp() {
    state.AuctionDbPath = auction;
    state.AuctionDb = db::Database::open(auction);
    window = std::make_unique<grid::frmFlexGrid>(*this);
}

void AnalysisWindow::TearDown() {
    workbooks.clear();
    window.reset();
    ui.verifyDone();
}

void AnalysisWindow::answerRounds(const QString &from, const QString &to, bool gross) {
    answers.push_back([from, to, gross](QDialog *shown) {
        auto *dialog = qobject_cast<analysis::frmRounds *>(shown);
        ASSERT_TRUE(dialog) << "expected the rounds dialog";
        dialog->mskFrom->setText(from);
        dialog->mskTo->setText(to);
        (gross ? dialog->optGross : dialog->optNet)->setChecked(true);
        dialog->cmdOK->click();
    });
}

void AnalysisWindow::cancelRounds() {
    answers.push_back([](QDialog *shown) {
        auto *dialog = qobject_cast<analysis::frmRounds *>(shown);
        ASSERT_TRUE(dialog) << "expected the rounds dialog";
        dialog->cmdCancel->click();
    });
}

void AnalysisWindow::pickEntries(const QStringList &entries) {
    answers.push_back([this, entries](QDialog *shown) {
        auto *dialog = qobject_cast<analysis::frmPivotList *>(shown);
        ASSERT_TRUE(dialog) << "expected the selection dialog";
        labels << dialog->Label1->text();
        for (const QString &entry : entries) {
            const auto found = dialog->List1->findItems(entry, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << entry;
            found.front()->setSelected(true);
        }
        dialog->cmdOK->click();
    });
}

void AnalysisWindow::cancelList() {
    answers.push_back([this](QDialog *shown) {
        auto *dialog = qobject_cast<analysis::frmPivotList *>(shown);
        ASSERT_TRUE(dialog) << "expected the selection dialog";
        labels << dialog->Label1->text();
        dialog->cmdCancel->click();
    });
}

// The rounds and selection dialogs are answered; the progress window is left to the work.
void AnalysisWindow::answerShownDialog() {
    QWidget *modal = QApplication::activeModalWidget();
    auto *dialog = qobject_cast<QDialog *>(modal);
    if (!dialog || !dialog->isVisible() ||
        (!qobject_cast<analysis::frmRounds *>(dialog) && !qobject_cast<analysis::frmPivotList *>(dialog)))
        return;
    if (answers.empty()) {
        ADD_FAILURE() << "no answer for " << dialog->objectName().toStdString();
        dialog->reject();
        return;
    }
    const auto answer = answers.front();
    answers.pop_front();
    answer(dialog);
    if (dialog->isVisible())
        dialog->reject();  // an answer that failed must not leave the test waiting
}

void AnalysisWindow::run(void (grid::frmFlexGrid::*analysis)()) {
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [this] { answerShownDialog(); });
    driver.start(5);
    (window.get()->*analysis)();
    EXPECT_TRUE(answers.empty()) << answers.size() << " answers left";
    answers.clear();
}

analysis::frmWorkbook *AnalysisWindow::workbook() const {
    return workbooks.empty() ? nullptr : qobject_cast<analysis::frmWorkbook *>(workbooks.back().get());
}

QStringList AnalysisWindow::engineColumn(const QString &sql) const {
    QStringList values;
    const auto rows = state.AuctionDb.openRecordset(sql, db::RecordsetType::Snapshot);
    for (; !rows->eof(); rows->moveNext())
        values << rows->value(0).toString();
    return values;
}
