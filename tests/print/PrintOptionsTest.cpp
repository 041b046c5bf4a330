// The Print Options dialog: what it loads from the active data window, what OK writes back and redraws, Cancel,
// and its refusals.
#include "DataWindowFixture.h"

#include "grid/SpreadGrid.h"
#include "print/frmPrintOptions.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

using print::frmPrintOptions;

class PrintOptionsTest : public printtest::DataWindowFixture {
protected:
    void setSettings(double left, double top, double right, double bottom, int orientation) {
        window->setPrintSettings({left, right, top, bottom, orientation});
    }
    // A loaded dialog for the fixture's window.
    std::unique_ptr<frmPrintOptions> loaded() {
        auto dialog = std::make_unique<frmPrintOptions>(window.get(), ui);
        dialog->Form_Load();
        return dialog;
    }
    const QString &lastMessage() const { return ui.messages.back().text; }
};

}  // namespace

TEST_F(PrintOptionsTest, LoadShowsInchesAndOkWithoutChangesKeepsTheMarginsToTheHundredth) {
    setSettings(720, 1001, 1439, -30, print::kPortrait);
    auto dialog = loaded();
    EXPECT_EQ(dialog->windowTitle(), "Print Options");
    EXPECT_EQ(dialog->meLeft->text(), "0.50");
    EXPECT_EQ(dialog->meTop->text(), "0.70");
    EXPECT_EQ(dialog->meRight->text(), "1.00");
    EXPECT_EQ(dialog->meBottom->text(), "0.");  // a negative margin shows "0"
    EXPECT_EQ(dialog->meBottom->displayText(), "0.__");
    EXPECT_TRUE(dialog->optPortrait->isChecked());

    dialog->cmdOK_Click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const print::PrintSettings &settings = window->printSettings();
    EXPECT_DOUBLE_EQ(settings.marginLeft, 720);
    EXPECT_NEAR(settings.marginTop, 0.70 * 1440, 1e-9);
    EXPECT_NEAR(settings.marginRight, 1440, 1e-9);
    EXPECT_DOUBLE_EQ(settings.marginBottom, 0);
    EXPECT_EQ(settings.orientation, print::kPortrait);
}

TEST_F(PrintOptionsTest, AnOrientationOtherThanOneOrTwoShowsLandscapeAndOkStoresTwo) {
    for (const int orientation : {0, 3}) {
        setSettings(720, 720, 720, 720, orientation);
        auto dialog = loaded();
        EXPECT_TRUE(dialog->optLandscape->isChecked()) << orientation;
        dialog->cmdOK_Click();
        EXPECT_EQ(window->printSettings().orientation, print::kLandscape) << orientation;
    }
    auto dialog = loaded();
    dialog->optPortrait->setChecked(true);
    dialog->cmdOK_Click();
    EXPECT_EQ(window->printSettings().orientation, print::kPortrait);
}

TEST_F(PrintOptionsTest, BoxesTakeOneDigitAndTwoDecimalsUpToNineNinetyNine) {
    auto dialog = loaded();
    dialog->meLeft->selectAll();
    dialog->meLeft->insert(QStringLiteral("9.99"));
    dialog->meRight->setText(QStringLiteral("12.345"));  // the mask keeps one digit and two decimals
    EXPECT_EQ(dialog->meRight->text(), "1.23");
    dialog->cmdOK_Click();
    EXPECT_NEAR(window->printSettings().marginLeft, 9.99 * 1440, 1e-6);
    EXPECT_NEAR(window->printSettings().marginRight, 1.23 * 1440, 1e-6);
}

TEST_F(PrintOptionsTest, OkRedrawsThePageBreakMarksAndCancelChangesNothing) {
    window->setPageBreaks({{40}, {3}});
    EXPECT_TRUE(window->MSFlexGrid1->pageBreakMarks().empty());
    loaded()->cmdOK_Click();
    EXPECT_EQ(window->MSFlexGrid1->pageBreakMarks().rows, std::set<int>({40}));
    EXPECT_EQ(window->MSFlexGrid1->pageBreakMarks().columns, std::set<int>({3}));

    auto dialog = loaded();
    dialog->meLeft->setText(QStringLiteral("2.00"));
    dialog->optPortrait->setChecked(true);
    dialog->cmdCancel_Click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_DOUBLE_EQ(window->printSettings().marginLeft, 720);
    EXPECT_EQ(window->printSettings().orientation, print::kLandscape);
}

TEST_F(PrintOptionsTest, ABoxThatIsNotANumberStopsOkAfterTheMarginsBeforeIt) {
    auto dialog = loaded();
    dialog->meLeft->setText(QStringLiteral("1.00"));
    dialog->meRight->setText(QStringLiteral("2.00"));
    dialog->meTop->clear();
    dialog->meBottom->setText(QStringLiteral("3.00"));
    dialog->optPortrait->setChecked(true);
    ui.expectMessage(QString());
    dialog->cmdOK_Click();
    EXPECT_EQ(lastMessage(), "Error: 13 Type mismatch");
    EXPECT_NE(dialog->result(), QDialog::Accepted);  // the dialog stays open
    // Left and right were written before top failed; bottom and the orientation were not.
    const print::PrintSettings &settings = window->printSettings();
    EXPECT_DOUBLE_EQ(settings.marginLeft, 1440);
    EXPECT_DOUBLE_EQ(settings.marginRight, 2880);
    EXPECT_DOUBLE_EQ(settings.marginTop, 720);
    EXPECT_DOUBLE_EQ(settings.marginBottom, 720);
    EXPECT_EQ(settings.orientation, print::kLandscape);
}

TEST_F(PrintOptionsTest, WithoutADataWindowLoadAndOkAreRefusedAndTheDialogStillOpens) {
    ui.expectMessage(QStringLiteral("Error!"));
    frmPrintOptions none(nullptr, ui);
    none.Form_Load();
    EXPECT_EQ(lastMessage(), "You must have an active grid displayed.");
    EXPECT_EQ(ui.messages.back().style.icon, app::Icon::Exclamation);
    EXPECT_EQ(ui.messages.back().style.buttons, app::Buttons::OK);
    EXPECT_TRUE(none.optLandscape->isChecked());
    ui.expectMessage(QString());
    none.cmdOK_Click();
    EXPECT_EQ(lastMessage(), "Error: 91 Object variable or With block variable not set");

    QWidget other;  // an active child that is not a data window
    ui.expectMessage(QString());
    frmPrintOptions wrong(&other, ui);
    wrong.Form_Load();
    EXPECT_EQ(lastMessage(), "Error: 438 Object doesn't support this property or method");

    // File > Print Setup still shows the dialog after the message.
    ui.expectMessage(QStringLiteral("Error!"));
    bool shown = false;
    QTimer::singleShot(0, [&shown] {
        if (auto *dialog = qobject_cast<frmPrintOptions *>(QApplication::activeModalWidget())) {
            shown = true;
            dialog->cmdCancel->click();
        }
    });
    frmPrintOptions::showFor(nullptr, ui, nullptr);
    EXPECT_TRUE(shown);
}
