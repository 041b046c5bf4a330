// The help book is found and searchable; the About window shows the version.
#include "app/HelpWindow.h"
#include "app/Version.h"
#include "app/frmAbout.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>

#include <gtest/gtest.h>

TEST(Help, BookIsFoundAndSearchable) {
    const QString folder = app::HelpWindow::helpDirectory();
    ASSERT_FALSE(folder.isEmpty());
    app::HelpWindow help(folder);
    help.showContents();
    EXPECT_TRUE(help.browser->toPlainText().contains("Contents"));
    const QStringList found = help.search("auto import");
    EXPECT_FALSE(found.isEmpty());
    for (const QString &page : found)
        EXPECT_TRUE(page.contains(u'\t'));
    EXPECT_TRUE(help.search("importing.html bogusword").isEmpty());
    EXPECT_TRUE(help.search("withdrawal statistics").join(u' ').contains("Importing rounds"));
}

TEST(About, ShowsTheVersion) {
    app::frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About the Lotwise");
    EXPECT_EQ(about.lblTitle->text(), "Lotwise");
    EXPECT_EQ(about.lblVersion->text(), "Version " + app::programVersion());
    EXPECT_TRUE(app::versionLabel().contains(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$")));
}
