#include "app/HelpWindow.h"

#include "core/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace app {

namespace {

QPointer<HelpWindow> &theWindow() {
    static QPointer<HelpWindow> window;  // the one help window of the program; Qt deletes it with its parent
    return window;
}

QString pageText(const QString &path, QString *title) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    *title = document.metaInformation(QTextDocument::DocumentTitle);
    return document.toPlainText();
}

}  // namespace

QString HelpWindow::helpDirectory() {
    const QString folder = programDataFolder(QStringLiteral("help"), "LOTWISE_HELP_DIR");
    return !folder.isEmpty() && QFile::exists(folder + QStringLiteral("/index.html")) ? folder : QString();
}

void HelpWindow::showHelp(QWidget *parent, bool search) {
    const QString folder = helpDirectory();
    if (folder.isEmpty()) {
        QWidget *top = parent ? parent->window() : nullptr;
        QMessageBox::information(parent, top ? top->windowTitle() : QStringLiteral("Lotwise"),
                                 QStringLiteral("Unable to display Help Contents. There is no Help associated with this project."));
        return;
    }
    QPointer<HelpWindow> &window = theWindow();
    const bool created = !window;
    if (created)
        window = new HelpWindow(folder, parent ? parent->window() : nullptr);
    window->showContents();
    window->show();
    if (created)
        window->placeOnScreen();  // once shown, where the platform tells the size of the window's frame
    window->raise();
    window->activateWindow();
    if (search)
        window->focusSearch();
}

HelpWindow::HelpWindow(const QString &folder, QWidget *parent) : QWidget(parent, Qt::Window), folder_(folder) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Lotwise Help"));
    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    searchBox = new QLineEdit(this);
    searchBox->setPlaceholderText(QStringLiteral("Search for help on..."));
    searchBox->setClearButtonEnabled(true);
    auto *top = new QHBoxLayout();
    top->addWidget(contents);
    top->addWidget(new QLabel(QStringLiteral("&Search:"), this));
    top->addWidget(searchBox, 1);
    qobject_cast<QLabel *>(top->itemAt(1)->widget())->setBuddy(searchBox);
    results = new QListWidget(this);
    browser = new QTextBrowser(this);
    browser->setSearchPaths({folder_});
    browser->setOpenExternalLinks(true);
    auto *split = new QSplitter(this);
    split->addWidget(results);
    split->addWidget(browser);
    split->setStretchFactor(1, 3);
    results->hide();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    connect(searchBox, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(results, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { browser->setSource(QUrl::fromLocalFile(item->data(Qt::UserRole).toString())); });
    connect(results, &QListWidget::itemClicked, results, &QListWidget::itemActivated);
    resize(760, 560);
}

// Centred over the main window, within the screen's available room and no larger than it.
void HelpWindow::placeOnScreen() {
    QWidget *over = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen *where = over && over->screen() ? over->screen() : QGuiApplication::primaryScreen();
    if (!where)
        return;
    const QRect room = where->availableGeometry();
    // The frame's size, or a title bar's allowance while the window manager has not told it yet.
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty())
        frame = QSize(8, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8);
    const QSize outer = (QSize(760, 560) + frame).boundedTo(room.size() * 9 / 10);
    resize(outer - frame);
    const QPoint centre = over ? over->frameGeometry().center() : room.center();
    const int x = std::clamp(centre.x() - outer.width() / 2, room.left(), room.right() + 1 - outer.width());
    const int y = std::clamp(centre.y() - outer.height() / 2, room.top(), room.bottom() + 1 - outer.height());
    move(x, y);  // a window's position is that of its frame
}

void HelpWindow::showContents() { browser->setSource(QUrl::fromLocalFile(QDir(folder_).filePath(QStringLiteral("index.html")))); }

void HelpWindow::focusSearch() {
    searchBox->setFocus();
    searchBox->selectAll();
}

QStringList HelpWindow::search(const QString &query) const {
    const QStringList words = query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList found;
    if (words.isEmpty())
        return found;
    for (const QString &name : QDir(folder_).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QString title;
        const QString text = pageText(QDir(folder_).filePath(name), &title);
        const bool all = std::all_of(words.begin(), words.end(),
                                     [&](const QString &w) { return text.contains(w, Qt::CaseInsensitive); });
        if (all)
            found << name + u'\t' + (title.isEmpty() ? name : title);
    }
    return found;
}

void HelpWindow::runSearch() {
    results->clear();
    const QStringList found = search(searchBox->text());
    for (const QString &entry : found) {
        auto *item = new QListWidgetItem(entry.section(u'\t', 1), results);
        item->setData(Qt::UserRole, QDir(folder_).filePath(entry.section(u'\t', 0, 0)));
    }
    if (found.isEmpty())
        new QListWidgetItem(QStringLiteral("No page mentions \"%1\".").arg(searchBox->text()), results);
    results->show();
    if (!found.isEmpty())
        results->setCurrentRow(0), emit results->itemActivated(results->item(0));
}

}  // namespace app
