// The opening choice: its three paths, and the ways it ends the program.
#include "app/MainWindowFixture.h"

#include "app/frmOpeningQuestions.h"
#include "grid/DropDownList.h"
#include "grid/frmFlexGrid.h"

#include <QApplication>
#include <QFile>
#include <QTimer>

#include <deque>
#include <memory>
#include <optional>

using testsupport::lines;
using Choice = app::frmOpeningQuestions::Choice;

namespace {

struct OpeningAnswers {
    std::deque<std::optional<Choice>> left;  // nullopt cancels
    std::vector<int> dialogsAlive;           // opening dialogs in existence when each was answered
};

// Answers the opening choices one after another as they show.
std::shared_ptr<OpeningAnswers> answerOpeningChoices(std::initializer_list<std::optional<Choice>> answers) {
    auto state = std::make_shared<OpeningAnswers>();
    state->left.assign(answers.begin(), answers.end());
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, state] {
        auto *dialog = qobject_cast<app::frmOpeningQuestions *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || state->left.empty())
            return;
        int alive = 0;
        for (QWidget *widget : QApplication::allWidgets())
            alive += qobject_cast<app::frmOpeningQuestions *>(widget) ? 1 : 0;
        state->dialogsAlive.push_back(alive);
        const std::optional<Choice> answer = state->left.front();
        state->left.pop_front();
        if (state->left.empty())
            timer->deleteLater();
        if (answer) {
            dialog->choose(*answer);
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    timer->start();
    return state;
}

QString copyRound(const testsupport::ScratchDir &folder, int round) {
    const QString name = QStringLiteral("11_00%1.zip").arg(round);
    QFile::copy(testsupport::dataPath("auction-11/" + name), folder.path(name));
    return folder.path(name);
}

}  // namespace

TEST_F(MainWindowFixture, CancelOrNoEndsTheProgram) {
    onNextDialog([](QDialog *dialog) { dialog->reject(); });
    window->FileOpen();
    EXPECT_TRUE(window->isEnding());
}

TEST_F(MainWindowFixture, NoRoundOneFileEndsTheProgram) {
    onNextDialog([](QDialog *dialog) {
        static_cast<app::frmOpeningQuestions *>(dialog)->choose(app::frmOpeningQuestions::Choice::New);
        dialog->accept();
    });
    ui.expectMessage("New Auction", app::Answer::No).expectMessage("Please Try Again");
    window->FileOpen();
    EXPECT_EQ(lines(ui.messages.front().text).value(2), "                    Do you have the first round results file?");
    EXPECT_EQ(lines(ui.messages.back().text),
              QStringList({"Please download the first round results file for",
                           " the auction you intend to create and try again."}));
    EXPECT_TRUE(window->isEnding());
}

TEST_F(MainWindowFixture, BatchChoiceAsksThenImports) {
    testsupport::ScratchDir rounds;
    for (int r = 1; r <= 3; ++r)
        QFile::copy(testsupport::dataPath(QStringLiteral("auction-11/11_00%1.zip").arg(r)), rounds.path(QStringLiteral("11_00%1.zip").arg(r)));
    onNextDialog([](QDialog *dialog) {
        static_cast<app::frmOpeningQuestions *>(dialog)->choose(app::frmOpeningQuestions::Choice::Batch);
        dialog->accept();
    });
    ui.expectMessage("Batch Auction Import", app::Answer::Yes)
        .expectMessage("Select File for Round 1")
        .expectOpen(rounds.path("11_001.zip"))
        .expectMessage("Finished Batch Import");
    window->FileOpen();
    EXPECT_FALSE(window->isEnding());
    EXPECT_EQ(ui.messages.back().text, "Finished importing rounds 1 to 3.");
    EXPECT_EQ(ui.caption, "Lotwise - " + home.path("Auction11.mdb"));
    EXPECT_EQ(dataWindowCount(), 0);  // the user opens one with New
}

TEST_F(MainWindowFixture, ExistingAuctionOpensOnItsNewestRound) {
    const QString path = buildAuction(12);
    openThroughFileOpen(path);
    EXPECT_EQ(window->windowTitle(), "Lotwise - " + path);
    ASSERT_EQ(dataWindowCount(), 1);
    grid::frmFlexGrid *data = activeDataWindow();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->ddlRoundNum->currentText(), "12");
    EXPECT_EQ(data->ddlTableName->currentText(), "All Bids");
    EXPECT_EQ(data->ddlRoundNum->count(), 12);
    EXPECT_EQ(data->shownStatement(), "SELECT * FROM [All Bids] WHERE [Round] = 12 Order By [Market], [Block], [Submarket]");
    EXPECT_EQ(ui.dialogs.back().filter, "Access (*.mdb)|*.mdb");
    EXPECT_EQ(ui.dialogs.back().initialDir, home.path());
}

// A Jet file of the earlier program is worked on through its converted copy, so the caption names the copy.
TEST_F(MainWindowFixture, LegacyAuctionCaptionNamesTheConvertedCopy) {
    const QString jet = home.path("Auction11.mdb");
    ASSERT_TRUE(QFile::copy(testsupport::dataPath("legacy/Auction11.mdb"), jet));
    onNextDialog([](QDialog *dialog) { dialog->accept(); });
    ui.expectOpen(jet).expectMessage("");  // the conversion is reported
    window->FileOpen();
    const QString copy = home.path("Auction11-lotwise.mdb");
    EXPECT_EQ(state.AuctionDbPath, copy);
    EXPECT_EQ(window->windowTitle(), "Lotwise - " + copy);
    ASSERT_NE(activeDataWindow(), nullptr);
    EXPECT_FALSE(activeDataWindow()->ddlTableName->currentText().isEmpty());
}

TEST_F(MainWindowFixture, CancelledFileDialogEndsTheProgram) {
    onNextDialog([](QDialog *dialog) { dialog->accept(); });
    ui.expectOpenCancelled();
    window->FileOpen();
    EXPECT_TRUE(window->isEnding());
    EXPECT_EQ(dataWindowCount(), 0);
}

// A round 2 file chosen to create an auction: "Wrong File", then the opening choice again, where the right file
// creates the auction; New then opens a data window on it.
TEST_F(MainWindowFixture, WrongFileLeadsBackToTheOpeningChoice) {
    testsupport::ScratchDir rounds;
    const auto answers = answerOpeningChoices({Choice::New, Choice::New});
    ui.expectMessage("New Auction", app::Answer::Yes)
        .expectOpen(copyRound(rounds, 2))
        .expectMessage("Wrong File")
        .expectMessage("New Auction", app::Answer::Yes)
        .expectOpen(copyRound(rounds, 1))
        .expectMessage("Round Imported Successfully");
    window->FileOpen();
    EXPECT_TRUE(answers->left.empty());
    EXPECT_FALSE(window->isEnding());
    EXPECT_EQ(state.AuctionDbPath, home.path("Auction11.mdb"));
    trigger("mnuFileNew");
    ASSERT_EQ(dataWindowCount(), 1);
    EXPECT_EQ(activeDataWindow()->ddlRoundNum->currentText(), "1");
}

// With no auction open New offers the opening choice instead of failing on the missing database.
TEST_F(MainWindowFixture, NewWithNoAuctionOpenOffersTheOpeningChoice) {
    const QString path = buildAuction(3);
    const auto answers = answerOpeningChoices({Choice::Existing});
    ui.expectOpen(path);
    trigger("mnuFileNew");
    EXPECT_TRUE(answers->left.empty());
    ASSERT_EQ(dataWindowCount(), 1);
    EXPECT_EQ(activeDataWindow()->ddlRoundNum->currentText(), "3");
    EXPECT_TRUE(ui.messages.empty());
}

// A cancelled file dialog of a creation shows the opening choice again, each time from the same level: no
// opening dialog waits behind another.
TEST_F(MainWindowFixture, CancelledCreationDialogAsksTheOpeningChoiceAgain) {
    const auto answers = answerOpeningChoices({Choice::New, Choice::Batch, std::nullopt});
    ui.expectMessage("New Auction", app::Answer::Yes)
        .expectOpenCancelled()
        .expectMessage("Batch Auction Import", app::Answer::Yes)
        .expectMessage("Select File for Round 1")
        .expectOpenCancelled();
    window->FileOpen();
    EXPECT_TRUE(answers->left.empty());
    EXPECT_EQ(answers->dialogsAlive, std::vector<int>({1, 1, 1}));
    EXPECT_TRUE(window->isEnding());
    EXPECT_FALSE(state.auctionOpen());
}
