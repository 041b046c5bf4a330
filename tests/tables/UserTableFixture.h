// An open auction 11 (rounds 1 to 3) with the module state of a program run and the scripted Prompter, for the
// tests of user-defined tables. The auction is built once per test program and copied for each test.
#pragma once

#include "core/ModuleState.h"
#include "support/ScriptedPrompter.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QStringList>

class UserTableFixture : public ::testing::Test {
public:
    // The values of a query's first column, as text; and the first value as a whole number.
    QStringList column(const QString &jetSql);
    int count(const QString &jetSql);
    // Rows of sysTables naming the table.
    int listed(const QString &table);
    // Appends the next round of auction 11 (4, then 5, ...) with the import statements, then rebuilds the Query
    // Builder tables as an import does.
    void importNextRound();
    app::ModuleState &moduleState() { return state; }

protected:
    UserTableFixture();
    void TearDown() override { ui.verifyDone(); }

    testsupport::ScratchDir home;
    testsupport::ScriptedPrompter ui;
    app::ModuleState state;
    QString auctionPath;
    int lastRound = 3;
};
