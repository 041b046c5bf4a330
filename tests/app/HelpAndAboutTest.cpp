// The help book is found and searchable; the About window shows the version.
#include "app/HelpWindow.h"
#include "app/Version.h"
#include "app/frmAbout.h"

#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTextDocument>
#include <QDir>
#include <QFile>

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

// The book quotes the program's own texts: the refusal, the errors of commands not built yet, the rebuild's
// status texts. A change of wording in one place shows here.
TEST(Help, BookQuotesTheProgramsTexts) {
    const QString folder = app::HelpWindow::helpDirectory();
    ASSERT_FALSE(folder.isEmpty());
    QString book;
    for (const QString &name : QDir(folder).entryList({"*.html"}, QDir::Files)) {
        QFile page(QDir(folder).filePath(name));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly));
        QTextDocument document;
        document.setHtml(QString::fromUtf8(page.readAll()));
        book += document.toPlainText().simplified() + u' ';
    }
    for (const char *text : {"A data grid must be opened to use this function. Open a data grid with the New button "
                             "and try again",
                             "Error: 438 Object doesn't support this property or method",
                             "Error: 91 Object variable or With block variable not set",
                             "Auto-Rebuilding Customized Table(s)...Please Standby!",
                             "Completed Auto-Rebuilding Customized Table(s)!",
                             "Can NOT Refresh User-Defined Table Due To Open! Please Rebuild It Manually",
                             "Optimizing Database...Please Standby!", "Stop After This Round"})
        EXPECT_TRUE(book.contains(QLatin1String(text))) << text;
    EXPECT_FALSE(book.contains("Open one with the New button and try again")) << "the refusal's former wording";
}
