// A home directory, a download folder of round files and the module state of a program run, with the scripted
// Prompter; helpers to create auction 11 and to check its tables against the round files.
#pragma once

#include "core/ModuleState.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>

class ImportFixture : public ::testing::Test {
protected:
    ImportFixture();
    void TearDown() override { ui.verifyDone(); }

    // Copies round files of a set (e.g. "auction-11") into the download folder; returns the path of the first.
    QString copyRounds(const QString &set, int first, int last);
    QString roundPath(const QString &set, int round) const;

    // Creates auction 11 from round 1 in the download folder, answering the closing question with No.
    void createAuction11();

    // The first value of a query on the open auction database, as a whole number or a list.
    int count(const QString &jetSql);
    QStringList column(const QString &jetSql);
    QStringList rounds() { return column("SELECT [Round] FROM [sysRounds] ORDER BY [Round]"); }
    // Every supplied table holds exactly each listed round's rows (and Withdrawal Statistics the last one's).
    void expectRoundsWhole(const std::vector<int> &rounds, int lastImported);
    QStringList filesInHome() const;  // besides the log files of the open database

    testsupport::ScratchDir home;
    testsupport::ScratchDir downloads;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state;
};
