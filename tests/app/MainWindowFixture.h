// A main window over a scratch home directory and the scripted Prompter, with helpers to answer its modal
// dialogs and to build an auction to open.
#pragma once

#include "core/ModuleState.h"
#include "app/frmMain.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <memory>

namespace grid {
class frmFlexGrid;
}

class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;
    void TearDown() override { ui.verifyDone(); }

    // Runs `answer` on the next modal dialog as soon as it shows.
    static void onNextDialog(const std::function<void(QDialog *)> &answer);
    // Auction 11 with rounds 1..last, built in the home directory; its path.
    QString buildAuction(int last);
    // Opens the auction through the opening choice's first option.
    void openThroughFileOpen(const QString &path);
    grid::frmFlexGrid *activeDataWindow() const;
    int dataWindowCount() const;
    void trigger(const QString &action);

    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state;
    std::unique_ptr<app::frmMain> window;
};
