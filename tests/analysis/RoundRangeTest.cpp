// The round range of an analysis as the rounds dialog checks it, with the 12
// rounds of auction 11: To empty means To = From, a From above the highest
// round is refused, a To above it is asked about, From 0 passes, From after To
// passes (and later finds no bids); the messages letter for letter; the highest
// round after rounds missing from the middle of sysRounds.
#include "analysis/RoundRange.h"
#include "db/Database.h"
#include "support/AuctionFixture.h"
#include "support/TestSupport.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using analysis::AnalysisKind;
using analysis::RangeVerdict;
using analysis::RoundRange;

struct Checked {
  RangeVerdict verdict;
  RoundRange range;
};

Checked check(const QString &from, const QString &to, qint64 highest = 12) {
  RoundRange range;
  const RangeVerdict verdict = analysis::checkRange(from, to, highest, range);
  return {verdict, range};
}

TEST(RoundRange, EntriesAgainstTwelveRounds) {
  Checked c = check("10", "");
  EXPECT_EQ(c.verdict, RangeVerdict::Accepted);
  EXPECT_EQ(c.range.start, 10);
  EXPECT_EQ(c.range.end, 10); // To empty: round 10 alone

  c = check("10", "15");
  EXPECT_EQ(c.verdict, RangeVerdict::EndTooHigh);
  EXPECT_EQ(c.range.start, 10);

  EXPECT_EQ(check("13", "").verdict, RangeVerdict::StartTooHigh);
  EXPECT_EQ(check("13", "20").verdict,
            RangeVerdict::StartTooHigh); // the start is checked first
  EXPECT_EQ(check("12", "12").verdict, RangeVerdict::Accepted);

  c = check("0", "3");
  EXPECT_EQ(c.verdict, RangeVerdict::Accepted); // no lower bound
  EXPECT_EQ(c.range.start, 0);

  c = check("8", "5");
  EXPECT_EQ(c.verdict, RangeVerdict::Accepted); // no order check
  EXPECT_EQ(c.range.start, 8);
  EXPECT_EQ(c.range.end, 5);
}

TEST(RoundRange, MaskBoxTexts) {
  EXPECT_EQ(check("", "5").verdict, RangeVerdict::Empty);
  EXPECT_EQ(check("____", "5").verdict, RangeVerdict::Empty);
  EXPECT_EQ(check("    ", "").verdict, RangeVerdict::Empty);
  const Checked c = check("3___", " 7  ");
  EXPECT_EQ(c.verdict, RangeVerdict::Accepted);
  EXPECT_EQ(c.range.start, 3);
  EXPECT_EQ(c.range.end, 7);
  EXPECT_EQ(check("0012", "____").range.end, 12);
}

TEST(RoundRange, MessagesLetterForLetter) {
  const QChar cr(13);
  EXPECT_EQ(analysis::startTooHighMessage(AnalysisKind::Markets),
            QString("Error! The starting round you have requested is") + cr +
                "     outside the range of imported rounds." + cr +
                "               Please try again.");
  EXPECT_EQ(analysis::startTooHighMessage(AnalysisKind::Bidders),
            QString("Error! The starting round you have requested is") + cr +
                "      outside the range of imported rounds." + cr +
                "               Please try again.");
  EXPECT_EQ(analysis::startTooHighMessage(AnalysisKind::Rounds),
            QString("Error! The starting round you have requested is") + cr +
                "     outside the range of imported rounds." + cr +
                "                Please try again.");
  EXPECT_EQ(analysis::endTooHighQuestion(),
            QString(" Error! The ending round you have requested is") + cr +
                "      outside the range of imported rounds." + cr +
                "Would you like to use all available rounds after" + cr +
                "             the specified starting round?");
  EXPECT_EQ(analysis::rangeMessageTitle(), "Error");
  EXPECT_EQ(analysis::startTooHighStyle().buttons, app::Buttons::OK);
  EXPECT_EQ(analysis::startTooHighStyle().icon, app::Icon::Exclamation);
  EXPECT_EQ(analysis::endTooHighStyle().buttons, app::Buttons::YesNo);
  EXPECT_EQ(analysis::endTooHighStyle().icon, app::Icon::None);
  EXPECT_EQ(app::defaultAnswer(analysis::endTooHighStyle()), app::Answer::Yes);
}

class HighestRound : public testsupport::SharedAuction {
protected:
  static void SetUpTestSuite() {
    buildShared(QStringLiteral("auction-11"), 12);
  }
  testsupport::ScratchDir scratch;
};

TEST_F(HighestRound, IsTheHighestHeldNotTheCount) {
  EXPECT_EQ(analysis::highestRound(db::Database::open(auction)), 12);
  const QString path = scratch.path(QStringLiteral("copy.mdb"));
  ASSERT_TRUE(QFile::copy(auction, path));
  db::Database database = db::Database::open(path);
  // Rounds 10 and 11 not (yet) imported: 10 rounds held, the highest is 12.
  database.execute(
      QStringLiteral("DELETE * FROM [sysRounds] WHERE [Round] IN (10, 11)"));
  EXPECT_EQ(analysis::highestRound(database), 12);
  RoundRange range;
  EXPECT_EQ(
      analysis::checkRange("12", "", analysis::highestRound(database), range),
      RangeVerdict::Accepted);
  database.execute(QStringLiteral("DELETE * FROM [sysRounds]"));
  EXPECT_EQ(analysis::highestRound(database), 0);
}

} // namespace
