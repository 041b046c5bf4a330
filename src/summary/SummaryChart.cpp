#include "summary/SummaryChart.h"

#include "db/Sqlite.h"
#include "summary/Money.h"

#include <QAreaSeries>
#include <QCursor>
#include <QDateTime>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace summary {

namespace {

constexpr double kMillion = 1e6 * kMoneyUnitsPerDollar;
constexpr size_t kMostPointsShown = 60;
constexpr int kPixelsPerRoundLabel = 56;

// A date as a key that is equal for every round of one day, whatever the stored form.
QString dayKey(const QVariant &date) {
    if (date.isNull())
        return {};
    const QDateTime moment = date.toDateTime();
    return moment.isValid() ? moment.date().toString(Qt::ISODate) : date.toString();
}

std::optional<qint64> wholeCount(const QVariant &value) {
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (value.isNull() || !ok || !std::isfinite(number))
        return std::nullopt;
    return qint64(std::llround(number));
}

// 1, 2 or 5 times a power of ten, at least span / wanted.
double niceStep(double span, int wanted) {
    const double raw = std::max(span / wanted, 1.0);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= raw)
            return factor * power;
    return 10 * power;
}

}  // namespace

std::vector<ChartRound> readChartRounds(const db::Database &database) {
    sqlite3 *connection = database.handle();
    if (!connection)
        throw db::Error(3420, QStringLiteral("Object invalid or no longer set."));
    const QString sql = QStringLiteral(
        "SELECT [Round], [Round Date], [Net Bids], [New Bids] "
        "FROM [Round Statistics] ORDER BY [Round]");
    db::Statement statement(connection, sql, {sql, {}, database.path()});
    std::vector<ChartRound> rounds;
    while (statement.step()) {
        if (statement.value(0).isNull())
            continue;
        rounds.push_back({statement.value(0).toLongLong(), statement.value(1), moneyUnits(statement.value(2)),
                          wholeCount(statement.value(3))});
    }
    return rounds;
}

std::vector<qint64> dayStarts(const std::vector<ChartRound> &rounds) {
    std::vector<qint64> starts;
    for (size_t i = 1; i < rounds.size(); ++i)
        if (dayKey(rounds[i].date) != dayKey(rounds[i - 1].date))
            starts.push_back(rounds[i].round);
    return starts;
}

SummaryChart::SummaryChart(QWidget *parent) : QChartView(parent) {
    setObjectName(QStringLiteral("chtSummary"));
    setRenderHint(QPainter::Antialiasing);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(300, 260);
    QChart *c = chart();
    c->setTitle(QStringLiteral("Net Bids by Round"));
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(4, 4, 4, 4));

    auto *upper = new QLineSeries(c);
    days_ = new QAreaSeries(upper, new QLineSeries(c));
    days_->setName(QStringLiteral("Bidding days"));
    days_->setColor(QColor(0, 0, 0, 26));
    days_->setPen(Qt::NoPen);
    net_ = new QLineSeries();
    net_->setName(QStringLiteral("Net bids"));
    net_->setPointsVisible(true);
    net_->setPen(QPen(QColor(0x1f, 0x5f, 0xa8), 2));
    newBids_ = new QLineSeries();
    newBids_->setName(QStringLiteral("New bids"));
    newBids_->setPointsVisible(true);
    newBids_->setPen(QPen(QColor(0x3a, 0x8a, 0x3a), 1.5, Qt::DashLine));
    mark_ = new QScatterSeries();
    mark_->setName(QStringLiteral("Shown round"));
    mark_->setMarkerSize(13);
    mark_->setColor(QColor(0xe0, 0x6c, 0x10));
    mark_->setBorderColor(Qt::black);
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(days_), static_cast<QAbstractSeries *>(newBids_),
                                    static_cast<QAbstractSeries *>(net_), static_cast<QAbstractSeries *>(mark_)})
        c->addSeries(series);
    buildAxes();

    for (QXYSeries *series :
         {static_cast<QXYSeries *>(net_), static_cast<QXYSeries *>(newBids_), static_cast<QXYSeries *>(mark_)}) {
        connect(series, &QXYSeries::clicked, this, &SummaryChart::pointClicked);
        connect(series, &QXYSeries::hovered, this, &SummaryChart::showPointTip);
    }
}

void SummaryChart::buildAxes() {
    QChart *c = chart();
    roundAxis_ = new QValueAxis(c);
    roundAxis_->setTitleText(QStringLiteral("Round"));
    roundAxis_->setLabelFormat(QStringLiteral("%.0f"));
    roundAxis_->setTickType(QValueAxis::TicksDynamic);
    roundAxis_->setTickAnchor(0);
    moneyAxis_ = new QValueAxis(c);
    moneyAxis_->setTitleText(QStringLiteral("Net bids ($ millions)"));
    countAxis_ = new QValueAxis(c);
    countAxis_->setTitleText(QStringLiteral("New bids"));
    countAxis_->setLabelFormat(QStringLiteral("%.0f"));
    countAxis_->setGridLineVisible(false);
    c->addAxis(roundAxis_, Qt::AlignBottom);
    c->addAxis(moneyAxis_, Qt::AlignLeft);
    c->addAxis(countAxis_, Qt::AlignRight);
    for (QAbstractSeries *series : {static_cast<QAbstractSeries *>(days_), static_cast<QAbstractSeries *>(net_),
                                    static_cast<QAbstractSeries *>(mark_)}) {
        series->attachAxis(roundAxis_);
        series->attachAxis(moneyAxis_);
    }
    newBids_->attachAxis(roundAxis_);
    newBids_->attachAxis(countAxis_);
    // The bands are background: no legend entry.
    for (QLegendMarker *marker : c->legend()->markers(days_))
        marker->setVisible(false);
}

void SummaryChart::setRounds(std::vector<ChartRound> rounds) {
    rounds_ = std::move(rounds);
    fillSeries();
    if (marked_)
        markRound(*marked_);
}

// The axes are fixed here, not left to the chart, so that the day bands fill the plot from bottom to top.
void SummaryChart::fillSeries() {
    QList<QPointF> net;
    QList<QPointF> counts;
    double low = 0, high = 0, most = 0;
    for (const ChartRound &r : rounds_) {
        if (r.netBids) {
            const double millions = double(*r.netBids) / kMillion;
            net.append(QPointF(double(r.round), millions));
            low = std::min(low, millions);
            high = std::max(high, millions);
        }
        if (r.newBids) {
            counts.append(QPointF(double(r.round), double(*r.newBids)));
            most = std::max(most, double(*r.newBids));
        }
    }
    net_->replace(net);
    newBids_->replace(counts);
    const double first = rounds_.empty() ? 0 : double(rounds_.front().round);
    const double last = rounds_.empty() ? 1 : double(rounds_.back().round);
    roundAxis_->setRange(first - 0.5, last + 0.5);
    fitRoundTicks();
    // Points of their own only where there is room for them; the lines still take clicks.
    const bool points = rounds_.size() <= kMostPointsShown;
    net_->setPointsVisible(points);
    newBids_->setPointsVisible(points);
    moneyAxis_->setRange(low, high > low ? high * 1.05 : low + 1);
    moneyAxis_->applyNiceNumbers();
    moneyAxis_->setLabelFormat(moneyAxis_->max() - moneyAxis_->min() < 10 ? QStringLiteral("%.1f")
                                                                          : QStringLiteral("%.0f"));
    countAxis_->setRange(0, std::max(most * 1.1, 1.0));
    countAxis_->applyNiceNumbers();
    fillDayBands(moneyAxis_->min(), moneyAxis_->max());
}

// Every other bidding day shaded: one area whose upper edge steps up over the shaded days.
void SummaryChart::fillDayBands(double low, double high) {
    QList<QPointF> upper;
    if (!rounds_.empty()) {
        const std::vector<qint64> starts = dayStarts(rounds_);
        std::vector<double> edges{double(rounds_.front().round) - 0.5};
        for (const qint64 start : starts)
            edges.push_back(double(start) - 0.5);
        edges.push_back(double(rounds_.back().round) + 0.5);
        upper.append(QPointF(edges.front(), low));
        for (size_t day = 1; day + 1 < edges.size(); day += 2) {
            upper << QPointF(edges[day], low) << QPointF(edges[day], high) << QPointF(edges[day + 1], high)
                  << QPointF(edges[day + 1], low);
        }
        upper.append(QPointF(edges.back(), low));
        days_->lowerSeries()->replace({QPointF(edges.front(), low), QPointF(edges.back(), low)});
    } else {
        days_->lowerSeries()->clear();
    }
    days_->upperSeries()->replace(upper);
}

void SummaryChart::markRound(qint64 round) {
    marked_ = round;
    mark_->clear();
    for (const ChartRound &r : rounds_)
        if (r.round == round && r.netBids)
            mark_->append(double(r.round), double(*r.netBids) / kMillion);
}

// As many round labels as the width shows without eliding them.
void SummaryChart::fitRoundTicks() {
    const double span = roundAxis_->max() - roundAxis_->min();
    roundAxis_->setTickInterval(niceStep(span, std::max(2, width() / kPixelsPerRoundLabel)));
}

void SummaryChart::resizeEvent(QResizeEvent *event) {
    QChartView::resizeEvent(event);
    fitRoundTicks();
}

QSize SummaryChart::sizeHint() const { return {520, 380}; }

int SummaryChart::pointCount() const { return int(net_->count()); }

const ChartRound *SummaryChart::roundNear(const QPointF &value) const {
    const ChartRound *nearest = nullptr;
    for (const ChartRound &r : rounds_)
        if (!nearest || std::fabs(double(r.round) - value.x()) < std::fabs(double(nearest->round) - value.x()))
            nearest = &r;
    return nearest;
}

std::optional<qint64> SummaryChart::roundAt(const QPointF &value) const {
    const ChartRound *r = roundNear(value);
    return r ? std::optional<qint64>(r->round) : std::nullopt;
}

void SummaryChart::pointClicked(const QPointF &value) {
    if (const std::optional<qint64> round = roundAt(value))
        emit roundClicked(*round);
}

void SummaryChart::showPointTip(const QPointF &value, bool entered) {
    const ChartRound *r = entered ? roundNear(value) : nullptr;
    if (!r) {
        QToolTip::hideText();
        return;
    }
    const QLocale locale;
    QString tip = QStringLiteral("Round %1").arg(r->round);
    if (!r->date.isNull())
        tip += QStringLiteral(", ") + locale.toString(r->date.toDate(), QLocale::ShortFormat);
    if (r->netBids)
        tip += QStringLiteral("\nNet bids ") + moneyText(*r->netBids);
    if (r->newBids)
        tip += QStringLiteral("\nNew bids ") + countText(*r->newBids);
    QToolTip::showText(QCursor::pos(), tip, this);
}

}  // namespace summary
