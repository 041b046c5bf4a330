#include "summary/SummarySheet.h"

#include "db/ValueText.h"
#include "summary/Money.h"

namespace summary {

namespace {

template <typename T>
QVariant variantOf(const std::optional<T> &value) {
    if (!value)
        return {};
    if constexpr (std::is_same_v<T, StoredValue>)
        return value->value;
    else
        return QVariant(qlonglong(*value));
}

}  // namespace

const QStringList &figureLabels() {
    static const QStringList labels = {
        QStringLiteral("Round Date"),
        QStringLiteral("Stage"),
        QStringLiteral("Stage Transition %"),
        QStringLiteral("Net Bids"),
        QStringLiteral("Gross Bids"),
        QStringLiteral("Change in Net Prev Round"),
        QStringLiteral("Change in Net Prev Day"),
        QStringLiteral("Total Bids"),
        QStringLiteral("High Bids"),
        QStringLiteral("Tavren Held Licenses"),
        QStringLiteral("Withdrawals"),
        QStringLiteral("Eligibility Ratio"),
        QStringLiteral("Pctg of Covered BUs"),
        QStringLiteral("Bidders At Risk"),
        QStringLiteral("Eligible Bidders"),
        QStringLiteral("Additional Activity Required"),
        QStringLiteral("Waivers"),
        QStringLiteral("Bidders Reduced"),
        QStringLiteral("Multi-Increment Bids"),
        QStringLiteral("Bidders Raising Own High Bid"),
    };
    return labels;
}

FigureFormat figureFormat(int index) {
    switch (index) {
    case 0: case 1: case 2: case 11: case 12: return FigureFormat::AsStored;
    case 3: case 4: case 5: case 6: return FigureFormat::Money;
    default: return FigureFormat::Count;
    }
}

QVariant figureValue(const RoundFigures &f, int index) {
    switch (index) {
    case 0: return variantOf(f.roundDate);
    case 1: return variantOf(f.stage);
    case 2: return variantOf(f.stageTransitionPct);
    case 3: return variantOf(f.netBids);
    case 4: return variantOf(f.grossBids);
    case 5: return variantOf(f.changePrevRound);
    case 6: return variantOf(f.changePrevDay);
    case 7: return variantOf(f.totalBids);
    case 8: return variantOf(f.highBids);
    case 9: return variantOf(f.tavrenHeldLicenses);
    case 10: return variantOf(f.withdrawals);
    case 11: return variantOf(f.eligibilityRatio);
    case 12: return variantOf(f.coveredBUsPct);
    case 13: return variantOf(f.biddersAtRisk);
    case 14: return variantOf(f.eligibleBidders);
    case 15: return variantOf(f.additionalActivityRequired);
    case 16: return variantOf(f.waivers);
    case 17: return variantOf(f.biddersReduced);
    case 18: return variantOf(f.multiIncrementBids);
    case 19: return variantOf(f.raisingOwnHighBid);
    default: return {};
    }
}

db::ColumnType figureType(const RoundFigures &f, int index) {
    const std::optional<StoredValue> *stored = index == 0    ? &f.roundDate
                                               : index == 1  ? &f.stage
                                               : index == 2  ? &f.stageTransitionPct
                                               : index == 11 ? &f.eligibilityRatio
                                               : index == 12 ? &f.coveredBUsPct
                                                             : nullptr;
    return stored && *stored ? (*stored)->type : db::ColumnType::Unknown;
}

QStringList figureTexts(const RoundFigures &figures, const QLocale &locale) {
    QStringList texts;
    for (int i = 0; i < kFigureCount; ++i) {
        const QVariant value = figureValue(figures, i);
        if (value.isNull()) {
            texts << QString();
            continue;
        }
        switch (figureFormat(i)) {
        case FigureFormat::AsStored: texts << db::displayText(value, figureType(figures, i), locale); break;
        case FigureFormat::Money: texts << moneyText(value.toLongLong()); break;
        case FigureFormat::Count: texts << countText(value.toLongLong()); break;
        }
    }
    return texts;
}

QString auctionHeading(std::optional<qint64> auction) {
    return QStringLiteral("Auction ") + (auction ? QString::number(*auction) : QString());
}

QString roundHeading(qint64 round) { return QStringLiteral("Round ") + QString::number(round); }

}  // namespace summary
