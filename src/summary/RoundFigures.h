// The twenty figures of one round for the Round Summary, read from the supplied tables of an auction database:
// the statistics row of the round, the sum of the bidders' additional activity required, the count of bidders
// raising their own high bid, the count of bids of more than one increment, and the change in net bids since
// the last round of the previous bidding day.
//
// Every round number is bound to the statements as a parameter. Each statement is read on its own: one that
// fails, or finds no row, leaves its figures empty (never another round's), and the others are still read.
// Money is held exactly (summary/Money.h).
//
// The database must be open and used on the calling thread (db/Database.h).
#pragma once

#include "common/ColumnType.h"
#include "db/Database.h"
#include "db/Error.h"

#include <QVariant>

#include <optional>
#include <vector>

namespace summary {

// A value shown as it is stored, with its column's type (a date, a number, text).
struct StoredValue {
    QVariant value;
    db::ColumnType type = db::ColumnType::Unknown;
};

struct RoundFigures {
    qint64 round = 0;
    // Column one of the sheet.
    std::optional<StoredValue> roundDate;
    std::optional<StoredValue> stage;
    std::optional<StoredValue> stageTransitionPct;  // [Pctg of BUs for High Bids]
    std::optional<qint64> netBids;                  // ten-thousandths of a dollar
    std::optional<qint64> grossBids;
    std::optional<qint64> changePrevRound;          // [Dollar Change in Net Bids]
    std::optional<qint64> changePrevDay;            // net bids less those of the last round of the previous day
    std::optional<qint64> totalBids;                // [New Bids]
    std::optional<qint64> highBids;                 // [Total High Bids]
    std::optional<qint64> tavrenHeldLicenses;
    // Column two of the sheet.
    std::optional<qint64> withdrawals;
    std::optional<StoredValue> eligibilityRatio;
    std::optional<StoredValue> coveredBUsPct;       // [Pctg of Covered BUs]
    std::optional<qint64> biddersAtRisk;
    std::optional<qint64> eligibleBidders;
    std::optional<qint64> additionalActivityRequired;  // Sum over [Bidders]
    std::optional<qint64> waivers;
    std::optional<qint64> biddersReduced;           // [Number Reduced]
    std::optional<qint64> multiIncrementBids;       // bids of [All Bids] of more than one increment
    std::optional<qint64> raisingOwnHighBid;        // rows of [Bidders Raising Own High Bid]

    // Why the day change could not be computed (no statistics for the round, a failed statement), for the window
    // to tell; empty when it was.
    std::optional<db::Error> dayChangeError;
};

// The rounds of [sysRounds], newest first.
std::vector<qint64> roundList(const db::Database &database);

// The auction number: [Auction ID] of the first row of [Markets]; nothing when there is none. Errors are raised.
std::optional<qint64> auctionNumber(const db::Database &database);

// The twenty figures of round R. Never raises for a statement that fails (see above).
RoundFigures readRoundFigures(const db::Database &database, qint64 round);

// The last round before R held on the latest date earlier than R's date, or nothing when there is no earlier
// date. Errors are raised.
std::optional<qint64> previousDayRound(const db::Database &database, qint64 round);

// Net bids of R less net bids of previousDayRound(R), or R's own net bids when there is no earlier date.
// Raises 3021 when a round has no statistics row or no net bids.
qint64 dayChange(const db::Database &database, qint64 round);

}  // namespace summary
