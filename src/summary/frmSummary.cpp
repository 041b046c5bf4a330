#include "summary/frmSummary.h"

#include "core/ModuleState.h"
#include "print/GridPagePainter.h"
#include "print/SummaryPage.h"
#include "summary/SummaryChart.h"
#include "summary/SummarySheet.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace summary {

namespace {

QString &printTarget() {
    static QString target;
    return target;
}

constexpr int kFirstFigureRow = 3;
constexpr int kFiguresPerColumn = 10;
// The sheet's columns: labels, figures, headings, labels, figures.
constexpr int kLeftLabels = 1, kLeftFigures = 2, kHeadings = 3, kRightLabels = 4, kRightFigures = 5;

// Labels read from the left; figures line up on their last digit; the headings sit centred over the sheet.
constexpr Qt::Alignment kLabelAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kFigureAlignment = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kHeadingAlignment = Qt::AlignCenter;

// The width of the widest label of a label column.
int labelWidth(const QFontMetrics &metrics, int column) {
    const QStringList &labels = figureLabels();
    const int first = column == kLeftLabels ? 0 : kFiguresPerColumn;
    int widest = 0;
    for (int i = first; i < first + kFiguresPerColumn; ++i)
        widest = std::max(widest, metrics.horizontalAdvance(labels[i]));
    return widest;
}

}  // namespace

frmSummary::frmSummary(app::ModuleState &state, QWidget *parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("frmSummary"));
    setWindowTitle(QStringLiteral("Round Summary"));

    lblRound = new QLabel(QStringLiteral("Round:"), this);
    ddlRound = new QComboBox(this);
    ddlRound->setObjectName(QStringLiteral("ddlRound"));
    ddlRound->setMinimumContentsLength(6);
    lblRound->setBuddy(ddlRound);

    vaSpread1 = new QTableWidget(kRows, kColumns, this);
    vaSpread1->setObjectName(QStringLiteral("vaSpread1"));
    vaSpread1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vaSpread1->setTabKeyNavigation(false);
    vaSpread1->setFocusPolicy(Qt::ClickFocus);
    vaSpread1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vaSpread1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vaSpread1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vaSpread1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vaSpread1->horizontalHeader()->setHighlightSections(false);
    vaSpread1->verticalHeader()->setHighlightSections(false);
    vaSpread1->setHorizontalHeaderLabels({"A", "B", "C", "D", "E"});

    chart = new SummaryChart(this);
    connect(chart, &SummaryChart::roundClicked, this, &frmSummary::showChartRound);

    cmdPrint = new QPushButton(QStringLiteral("Print"), this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    connect(ddlRound, &QComboBox::currentIndexChanged, this, &frmSummary::ddlRound_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmSummary::cmdPrint_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmSummary::cmdClose_Click);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &frmSummary::cmdClose_Click);
    arrangeControls();
}

// The round list above the sheet and the chart, the buttons below on the right.
void frmSummary::arrangeControls() {
    auto *top = new QHBoxLayout;
    top->addWidget(lblRound);
    top->addWidget(ddlRound);
    top->addStretch(1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(vaSpread1, 0, Qt::AlignTop);
    middle->addWidget(chart, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdPrint);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    setTabOrder(ddlRound, cmdPrint);
    setTabOrder(cmdPrint, cmdClose);
}

void frmSummary::Form_Load() {
    layOutSheet();
    loadChart();
    PopulateRounds();
    GetAuction();
    setCell(1, kHeadings, auctionHeading(AuctionNumber), kHeadingAlignment, true);
    fitSheet();
}

// The sheet exactly as large as its twelve rows and five columns: the layout gives the rest to the chart.
void frmSummary::fitSheet() {
    const int frame = 2 * vaSpread1->frameWidth();
    int width = vaSpread1->verticalHeader()->sizeHint().width() + frame;
    for (int column = 0; column < kColumns; ++column)
        width += vaSpread1->columnWidth(column);
    int height = vaSpread1->horizontalHeader()->sizeHint().height() + frame;
    for (int row = 0; row < kRows; ++row)
        height += vaSpread1->rowHeight(row);
    vaSpread1->setFixedSize(width, height);
}

// The labels and the empty figure cells, with their alignments; the figure columns wide enough for the largest amount,
// so that choosing another round does not move the sheet.
void frmSummary::layOutSheet() {
    for (int row = 1; row <= kRows; ++row)
        for (int column = 1; column <= kColumns; ++column)
            setCell(row, column, {},
                    column == kLeftLabels || column == kRightLabels ? kLabelAlignment : kFigureAlignment);
    const QStringList &labels = figureLabels();
    for (int i = 0; i < kFiguresPerColumn; ++i) {
        setCell(kFirstFigureRow + i, kLeftLabels, labels[i], kLabelAlignment);
        setCell(kFirstFigureRow + i, kRightLabels, labels[kFiguresPerColumn + i], kLabelAlignment);
    }
    setCell(1, kHeadings, {}, kHeadingAlignment, true);
    setCell(2, kHeadings, {}, kHeadingAlignment, true);
    const QFontMetrics metrics(vaSpread1->font());
    const int padding = 2 * metrics.averageCharWidth();
    vaSpread1->verticalHeader()->setDefaultSectionSize(metrics.height() + 8);
    for (const int column : {kLeftLabels, kRightLabels})
        vaSpread1->setColumnWidth(column - 1, labelWidth(metrics, column) + padding);
    const int figureWidth = metrics.horizontalAdvance(QStringLiteral("-$88,888,888,888")) + padding;
    for (const int column : {kLeftFigures, kRightFigures})
        vaSpread1->setColumnWidth(column - 1, figureWidth);
    QFont bold = vaSpread1->font();
    bold.setBold(true);
    vaSpread1->setColumnWidth(kHeadings - 1,
                              QFontMetrics(bold).horizontalAdvance(QStringLiteral("Auction 8888")) + padding);
}

void frmSummary::setCell(int row, int column, const QString &text, Qt::Alignment alignment, bool bold) {
    QTableWidgetItem *item = vaSpread1->item(row - 1, column - 1);
    if (!item) {
        item = new QTableWidgetItem;
        vaSpread1->setItem(row - 1, column - 1, item);
    }
    item->setText(text);
    item->setTextAlignment(alignment);
    if (bold) {
        QFont font = vaSpread1->font();
        font.setBold(true);
        item->setFont(font);
    }
}

QString frmSummary::cellText(int row, int column) const {
    const QTableWidgetItem *item = vaSpread1->item(row - 1, column - 1);
    return item ? item->text() : QString();
}

// The list is filled only while it holds a different number of rounds (on load, where it is empty); the newest round is
// then chosen and shown.
void frmSummary::PopulateRounds() {
    try {
        const std::vector<qint64> rounds = roundList(state_.AuctionDb);
        if (int(rounds.size()) == ddlRound->count())
            return;
        {
            const QSignalBlocker blocker(ddlRound);
            ddlRound->clear();
            for (const qint64 round : rounds)
                ddlRound->addItem(QString::number(round));
            ddlRound->setCurrentIndex(rounds.empty() ? -1 : 0);
        }
        if (!rounds.empty())
            ddlRound_Click();
    } catch (const db::Error &error) {
        showError(error);
    }
}

void frmSummary::GetAuction() {
    try {
        AuctionNumber = auctionNumber(state_.AuctionDb);
    } catch (const db::Error &error) {
        showError(error);
    }
}

// The chart is an addition to the sheet: where its data cannot be read it says so in its title and stays empty.
void frmSummary::loadChart() {
    try {
        chart->setRounds(readChartRounds(state_.AuctionDb));
    } catch (const db::Error &error) {
        chart->setRounds({});
        chart->chart()->setTitle(QStringLiteral("Net bids could not be read: ") + error.description());
    }
}

void frmSummary::ddlRound_Click() {
    bool ok = false;
    const qint64 round = ddlRound->currentText().toLongLong(&ok);
    if (!ok)
        return;
    try {
        FillSummary(round);
    } catch (const db::Error &error) {
        showError(error);
    }
}

// Every cell is written, a figure that cannot be read as empty text, so no cell keeps another round's figure. The day
// change is the one figure whose failure is told.
void frmSummary::FillSummary(qint64 round) {
    const RoundFigures figures = readRoundFigures(state_.AuctionDb, round);
    const QStringList texts = figureTexts(figures, QLocale());
    setCell(2, kHeadings, roundHeading(round), kHeadingAlignment, true);
    for (int i = 0; i < kFiguresPerColumn; ++i) {
        setCell(kFirstFigureRow + i, kLeftFigures, texts[i], kFigureAlignment);
        setCell(kFirstFigureRow + i, kRightFigures, texts[kFiguresPerColumn + i], kFigureAlignment);
    }
    shown_ = round;
    chart->markRound(round);
    if (figures.dayChangeError)
        showError(*figures.dayChangeError);
}

void frmSummary::showChartRound(qint64 round) {
    const int index = ddlRound->findText(QString::number(round));
    if (index >= 0)
        ddlRound->setCurrentIndex(index);
}

void frmSummary::setPrintTarget(const QString &pdfPath) { printTarget() = pdfPath; }

// The sheet of the round shown, read afresh, so the page holds the figures of that round whatever the cells say.
void frmSummary::cmdPrint_Click() {
    if (!shown_)
        return;
    try {
        const print::SummarySheetText sheet = print::summarySheetText(
            readRoundFigures(state_.AuctionDb, *shown_), AuctionNumber, QLocale());
        if (!printTarget().isEmpty()) {
            print::writeSummaryPdf(sheet, printTarget());
            return;
        }
        const print::PrintSettings settings = print::summaryPrintSettings();
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageLayout(print::summaryPageLayout(settings, printer.pageLayout().pageSize()));
        printer.setFullPage(true);
        printer.setDocName(QStringLiteral("Round Summary - ") + sheet.roundHeading);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        QPainter painter;
        if (!painter.begin(&printer))
            throw db::Error(print::kPrinterError, QStringLiteral("Printer error"));
        painter.setTransform(print::pointsToDevice(printer));
        print::paintSummaryPage(painter, sheet, settings, printer.pageLayout().pageSize());
        if (!painter.end())
            throw db::Error(print::kPrinterError, QStringLiteral("Printer error"));
    } catch (const db::Error &error) {
        showError(error);
    }
}

void frmSummary::cmdClose_Click() {
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget()))
        sub->close();
    else
        close();
}

void frmSummary::showError(const db::Error &error) {
    state_.ui().msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
}

}  // namespace summary
