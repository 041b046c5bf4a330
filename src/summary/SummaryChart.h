// The Round Summary's chart: net bids per round as a line with points, new bids per round on an axis of their own, the
// bidding days as alternating bands behind them, and the round the sheet shows marked. Clicking a point asks for that
// round.
//
// The chart owns its series and axes (Qt parents); the view is owned by its Qt parent. GUI thread only.
#pragma once

#include "db/Database.h"

#include <QChartView>
#include <QVariant>

#include <optional>
#include <vector>

class QLineSeries;
class QScatterSeries;
class QAreaSeries;
class QValueAxis;

namespace summary {

// One round of the chart: its number, its date as stored, its net bids (ten-thousandths of a dollar) and its count of
// new bids; a figure that cannot be read is nothing.
struct ChartRound {
    qint64 round = 0;
    QVariant date;
    std::optional<qint64> netBids;
    std::optional<qint64> newBids;
};

// Every round of [Round Statistics] in ascending order, read in one statement. Errors are raised.
std::vector<ChartRound> readChartRounds(const db::Database &database);

// The first round of each bidding day after the first: where a round's date differs from the round before it.
std::vector<qint64> dayStarts(const std::vector<ChartRound> &rounds);

class SummaryChart : public QChartView {
    Q_OBJECT
public:
    explicit SummaryChart(QWidget *parent = nullptr);

    // Replaces what the chart shows.
    void setRounds(std::vector<ChartRound> rounds);
    // Marks the round the sheet shows; a round without a point is not marked.
    void markRound(qint64 round);

    QSize sizeHint() const override;
    int pointCount() const;
    std::optional<qint64> markedRound() const { return marked_; }
    // The round nearest to a point of the chart (in chart values), or nothing when the chart is empty.
    std::optional<qint64> roundAt(const QPointF &value) const;

    // A click on a point of either line: asks for the point's round.
    void pointClicked(const QPointF &value);

protected:
    void resizeEvent(QResizeEvent *event) override;

signals:
    void roundClicked(qint64 round);

private:
    void buildAxes();
    void fillSeries();
    void fitRoundTicks();
    void fillDayBands(double low, double high);
    void showPointTip(const QPointF &value, bool entered);
    const ChartRound *roundNear(const QPointF &value) const;

    std::vector<ChartRound> rounds_;
    std::optional<qint64> marked_;
    QLineSeries *net_ = nullptr;
    QLineSeries *newBids_ = nullptr;
    QScatterSeries *mark_ = nullptr;
    QAreaSeries *days_ = nullptr;
    QValueAxis *roundAxis_ = nullptr;
    QValueAxis *moneyAxis_ = nullptr;
    QValueAxis *countAxis_ = nullptr;
};

}  // namespace summary
