#include "tables/frmSql.h"

#include "core/ModuleState.h"
#include "db/Error.h"
#include "grid/frmFlexGrid.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tables {

namespace {

QPointer<frmSql> openWindow;

const char *const kLabels[] = {"Select", "Into", "From", "Where", "Order By", "Query Name"};

}  // namespace

frmSql *frmSql::instance() { return openWindow.data(); }

frmSql *frmSql::open(app::ModuleState &state, ActiveChild activeChild, QWidget *owner) {
    if (!openWindow) {
        auto *window = new frmSql(state, std::move(activeChild), owner);
        try {
            window->reload();
        } catch (const db::Error &error) {
            delete window;
            state.ui().msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
            return nullptr;
        }
        window->current_ = 0;
        window->showRow();
        window->placeBeside(owner);
        openWindow = window;
    }
    openWindow->show();
    openWindow->raise();
    openWindow->activateWindow();
    return openWindow;
}

// Beside the main window, on its right where the screen has room, else as far right as the screen allows; wide
// enough for clauses of some length.
void frmSql::placeBeside(const QWidget *owner) {
    adjustSize();
    resize(std::max(width(), 520), height());
    if (!owner)
        return;
    const QRect frame = owner->frameGeometry();
    const QRect screen = owner->screen()->availableGeometry();
    const int x = std::max(screen.left(), std::min(frame.right() + 1, screen.right() + 1 - width()));
    const int y = std::max(screen.top(), std::min(frame.top(), screen.bottom() + 1 - height()));
    move(x, y);
}

frmSql::frmSql(app::ModuleState &state, ActiveChild activeChild, QWidget *owner)
    : QWidget(owner, Qt::Tool), state_(state), activeChild_(std::move(activeChild)) {
    setObjectName(QStringLiteral("frmSql"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("SQL Query Wizard"));
    buildLayout();
    for (QLineEdit *box : txtSql)
        connect(box, &QLineEdit::textChanged, this, [this] { txtSql_Change(); });
    connect(cmdFirst, &QToolButton::clicked, this, [this] { moveTo(0); });
    connect(cmdPrevious, &QToolButton::clicked, this, [this] { moveTo(std::max(current_ - 1, 0)); });
    connect(cmdNext, &QToolButton::clicked, this, [this] { moveTo(current_ + 1); });
    connect(cmdLast, &QToolButton::clicked, this, [this] { moveTo(std::max(rowCount() - 1, 0)); });
    connect(cmdRun, &QPushButton::clicked, this, [this] { cmdRun_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { close(); });
    if (owner)
        owner->installEventFilter(this);
}

frmSql::~frmSql() = default;

void frmSql::buildLayout() {
    for (size_t i = 0; i < txtSql.size(); ++i) {
        txtSql[i] = new QLineEdit(this);
        txtSql[i]->setObjectName(QStringLiteral("txtSql%1").arg(i));
        txtSql[i]->setMinimumWidth(420);
    }
    auto *name = new QFormLayout();
    name->addRow(QString::fromLatin1(kLabels[5]), txtSql[5]);
    auto *Frame1 = new QGroupBox(QStringLiteral("SQL Fields"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *fields = new QFormLayout(Frame1);
    for (int i = 0; i < 5; ++i)
        fields->addRow(QString::fromLatin1(kLabels[i]), txtSql[size_t(i)]);

    // The navigator's four buttons, with the desktop theme's icons where it has them.
    const auto navButton = [this](const char *objectName, const char *themeIcon, QStyle::StandardPixmap fallback,
                                  const QString &tip) {
        auto *button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(objectName));
        button->setIcon(QIcon::fromTheme(QString::fromLatin1(themeIcon), style()->standardIcon(fallback)));
        button->setToolTip(tip);
        return button;
    };
    cmdFirst = navButton("cmdFirst", "go-first", QStyle::SP_MediaSkipBackward, QStringLiteral("First query"));
    cmdPrevious = navButton("cmdPrevious", "go-previous", QStyle::SP_ArrowLeft, QStringLiteral("Previous query"));
    cmdNext = navButton("cmdNext", "go-next", QStyle::SP_ArrowRight,
                        QStringLiteral("Next query (past the last: a new one)"));
    cmdLast = navButton("cmdLast", "go-last", QStyle::SP_MediaSkipForward, QStringLiteral("Last query"));
    Data1 = new QLabel(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Data1->setFrameShape(QFrame::StyledPanel);
    auto *navigator = new QHBoxLayout();
    navigator->addWidget(cmdFirst);
    navigator->addWidget(cmdPrevious);
    navigator->addWidget(Data1, 1);
    navigator->addWidget(cmdNext);
    navigator->addWidget(cmdLast);

    cmdRun = new QPushButton(QStringLiteral("Run"), this);
    cmdDelete = new QPushButton(QStringLiteral("Delete"), this);
    cmdClose = new QPushButton(QStringLiteral("Close"), this);
    cmdRun->setObjectName(QStringLiteral("cmdRun"));
    cmdDelete->setObjectName(QStringLiteral("cdmDelete"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(cmdRun);
    buttons->addWidget(cmdDelete);
    buttons->addWidget(cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(name);
    layout->addWidget(Frame1);
    layout->addLayout(navigator);
    layout->addLayout(buttons);

    // Tab goes from the name down the clauses, then to the navigator and the buttons.
    const QList<QWidget *> order = {txtSql[5], txtSql[0], txtSql[1], txtSql[2], txtSql[3], txtSql[4], cmdFirst,
                                    cmdPrevious, cmdNext, cmdLast, cmdRun, cmdDelete, cmdClose};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void frmSql::reload() { rows_ = loadQueries(state_.AuctionDb); }

// Shows the row at current_, or an empty new row past the last.
void frmSql::showRow() {
    const bool stored = current_ < rowCount();
    const QueryRow row = stored ? rows_[current_] : QueryRow{};
    storedName_ = row.name;
    const QString texts[] = {row.clauses.select, row.clauses.into, row.clauses.from,
                             row.clauses.where,  row.clauses.order, row.name};
    for (size_t i = 0; i < txtSql.size(); ++i) {
        const QSignalBlocker blocker(txtSql[i]);
        txtSql[i]->setText(texts[i]);
    }
    txtSql_Change();
}

// A query can only be written once it has a name; the caption shows the name.
void frmSql::txtSql_Change() {
    const bool named = !txtSql[5]->text().trimmed().isEmpty();
    for (int i = 0; i < 5; ++i)
        txtSql[size_t(i)]->setEnabled(named);
    Data1->setText(named ? txtSql[5]->text() : QString());
}

QueryRow frmSql::currentRow() const {
    return {txtSql[5]->text(),
            {txtSql[0]->text(), txtSql[1]->text(), txtSql[2]->text(), txtSql[3]->text(), txtSql[4]->text()}};
}

bool frmSql::edited() const {
    const QueryRow row = currentRow();
    return current_ < rowCount() ? !(row == rows_[current_]) : !(row == QueryRow{});
}

bool frmSql::saveEdits() {
    if (!edited())
        return true;
    const QueryRow row = currentRow();
    try {
        const QString refusal = saveQuery(state_.AuctionDb, storedName_, row);
        if (!refusal.isEmpty()) {
            state_.ui().msgBox(refusal + app::CR + QStringLiteral("The query was not saved."),
                               {app::Buttons::OK, app::Icon::Exclamation}, windowTitle());
            return false;
        }
        reload();
    } catch (const db::Error &error) {
        state_.ui().msgBox(QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description()), {}, {});
        return false;
    }
    current_ = 0;
    while (current_ < rowCount() && rows_[current_].name != row.name)
        ++current_;
    storedName_ = row.name;
    return true;
}

bool frmSql::moveTo(int position) {
    if (!saveEdits())
        return false;
    current_ = std::clamp(position, 0, rowCount());
    showRow();
    return true;
}

void frmSql::closeEvent(QCloseEvent *event) {
    if (saveEdits())
        event->accept();
    else
        event->ignore();
}

bool frmSql::eventFilter(QObject *watched, QEvent *event) {
    if (watched == parentWidget() && event->type() == QEvent::Close)
        saveEdits();
    return QWidget::eventFilter(watched, event);
}

bool frmSql::runCurrent(const ReleaseTable &release) {
    if (!runQuery(state_, storedName_, currentRow(), release))
        return false;
    saveEdits();
    return true;
}

// Run goes through the active data window, which lets go of the target if it shows it; with none open the table
// is built all the same, every data window showing the target being released.
void frmSql::cmdRun_Click() {
    QWidget *child = activeChild_ ? activeChild_() : nullptr;
    if (!child) {
        QWidget *frame = parentWidget();
        runCurrent([frame](const QString &table) { grid::frmFlexGrid::releaseTable(frame, table); });
        return;
    }
    if (!QMetaObject::invokeMethod(child, "TableSql2", Qt::DirectConnection))
        state_.ui().msgBox(QStringLiteral("Error: %1 %2").arg(db::err::NoMethod).arg(
                               QStringLiteral("Object doesn't support this property or method")),
                           {}, {});
}

// Deletes the current row and shows the first; a new row not stored yet is simply given up.
void frmSql::cmdDelete_Click() {
    try {
        if (!storedName_.isEmpty())
            deleteQuery(state_.AuctionDb, storedName_);
        reload();
    } catch (const db::Error &) {
        // Errors of Delete are passed over: the window shows what is stored.
    }
    current_ = 0;
    showRow();
}

}  // namespace tables
