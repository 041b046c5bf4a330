// The help book: HTML pages installed with the program, shown in one help window with a contents page and a
// search box. Without a help book, the program's "no Help" message is shown instead.
#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace app {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the one help window at its contents page (search: with the search box ready). parent's window gives
    // the caption of the "no Help" message.
    static void showHelp(QWidget *parent, bool search);
    // The folder of the help book, or empty when there is none.
    static QString helpDirectory();

    explicit HelpWindow(const QString &folder, QWidget *parent = nullptr);
    void showContents();
    void focusSearch();
    // Centred over its parent's window (or the screen), wholly inside the screen's available room.
    void placeOnScreen();
    // Pages whose text holds every word of the query, with their titles.
    QStringList search(const QString &query) const;

    QTextBrowser *browser = nullptr;
    QLineEdit *searchBox = nullptr;
    QListWidget *results = nullptr;

private:
    void runSearch();
    QString folder_;
};

}  // namespace app
