// The desktop program's Prompter: file filters in Qt's form, message boxes with their lines, icon, title and
// default button, a cancelled file dialog raising 32755, status panels and caption.
#include "app/GuiPrompter.h"
#include "db/Error.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using app::GuiPrompter;

namespace {

// Runs `inspect` on the next modal dialog once it shows, then leaves closing it to `inspect`.
template <class Dialog>
void onModal(const std::function<void(Dialog *)> &inspect) {
    QTimer::singleShot(0, [inspect] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no modal dialog of the expected kind";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        inspect(dialog);
    });
}

}  // namespace

TEST(GuiPrompter, FileFiltersInQtsForm) {
    EXPECT_EQ(GuiPrompter::qtFilter("Zip (*.zip)|*.zip"), "Zip (*.zip)");
    EXPECT_EQ(GuiPrompter::qtFilter("Access (*.mdb)|*.mdb|All Files (*.*)|*.*"), "Access (*.mdb);;All Files (*.*)");
    // Without its patterns a description would be taken as the pattern: they are appended.
    EXPECT_EQ(GuiPrompter::qtFilter("Round files|*.zip;*.ZIP"), "Round files (*.zip *.ZIP)");
    EXPECT_EQ(GuiPrompter::qtFilter(""), "");
}

TEST(GuiPrompter, MessageBoxShowsLinesIconTitleAndDefaultButton) {
    QMainWindow main;
    GuiPrompter prompter;
    prompter.setWindow(&main);
    onModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "First line\nsecond line");
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        EXPECT_EQ(box->windowTitle(), "Lotwise");
        ASSERT_NE(box->defaultButton(), nullptr);
        EXPECT_EQ(box->standardButton(box->defaultButton()), QMessageBox::No);
        EXPECT_EQ(box->buttons().size(), 2);
        box->defaultButton()->click();  // Enter
    });
    const app::MessageStyle question{app::Buttons::YesNo, app::Icon::Exclamation, app::DefaultButton::Second};
    EXPECT_EQ(prompter.msgBox(QStringLiteral("First line") + app::CR + "second line", question, {}), app::Answer::No);

    onModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->windowTitle(), "New Auction");
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->standardButton(box->defaultButton()), QMessageBox::Cancel);
        box->button(QMessageBox::Yes)->click();
    });
    const app::MessageStyle three{app::Buttons::YesNoCancel, app::Icon::Information, app::DefaultButton::Third};
    EXPECT_EQ(prompter.msgBox("Replace it?", three, "New Auction"), app::Answer::Yes);

    // Closed without a choice: a question answers No, an OK box OK.
    onModal<QMessageBox>([](QMessageBox *box) { box->reject(); });
    EXPECT_EQ(prompter.msgBox("Sure?", {app::Buttons::YesNo}, {}), app::Answer::No);
}

TEST(GuiPrompter, CancelledFileDialogRaises32755AndShowsTheFilter) {
    QMainWindow main;
    GuiPrompter prompter;
    prompter.setWindow(&main);
    app::FileDialog dialog;
    dialog.filter = "Zip (*.zip)|*.zip";
    dialog.initialDir = QDir::tempPath();
    QStringList filters;
    onModal<QFileDialog>([&filters](QFileDialog *files) {
        filters = files->nameFilters();
        files->reject();
    });
    try {
        prompter.showOpen(dialog);
        ADD_FAILURE() << "no error";
    } catch (const db::Error &error) {
        EXPECT_EQ(error.number(), 32755);
    }
    EXPECT_EQ(filters, QStringList{"Zip (*.zip)"});

    dialog.cancelError = false;
    onModal<QFileDialog>([](QFileDialog *files) { files->reject(); });
    EXPECT_EQ(prompter.showOpen(dialog), "");
}

TEST(GuiPrompter, StatusPanelsAndCaption) {
    QMainWindow main;
    QLabel panel;
    GuiPrompter prompter;
    prompter.setWindow(&main);
    prompter.setStatusPanel(1, &panel);
    prompter.setStatus(1, "Optimizing Database...Please Standby!");
    prompter.setStatus(2, "no such label: ignored");
    prompter.setStatus(7, "no such panel: ignored");
    EXPECT_EQ(panel.text(), "Optimizing Database...Please Standby!");
    prompter.setCaption("Lotwise - /tmp/Auction11.mdb");
    EXPECT_EQ(main.windowTitle(), "Lotwise - /tmp/Auction11.mdb");
}
