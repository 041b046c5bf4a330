// The Table Actions dialog's filter value lists: choosing a row's column reads the column's distinct values off
// the UI thread into the row's value box, as the grid shows them; typing in the box offers the values that
// contain what was typed.
#include "grid/CellText.h"
#include "tables/ValueListModel.h"
#include "tables/frmTableActions.h"
#include "tables/frmTableActionsPrivate.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QStringListModel>
#include <QTimer>

#include <utility>

namespace tables {

namespace {

// Runs change() on a value box's list while keeping what is typed in the box: a combo box that gets its first
// item, or loses its list, would otherwise replace the typed text.
template <typename Change>
void keepingEditText(QComboBox *box, Change change) {
    const int chosen = box->currentIndex();
    const QString text = box->currentText();
    const int cursor = box->lineEdit()->cursorPosition();
    const QSignalBlocker block(box);
    change();
    if (box->currentIndex() != chosen || box->currentText() != text) {
        box->setCurrentIndex(-1);
        box->setEditText(text);
        box->lineEdit()->setCursorPosition(cursor);
    }
}

}  // namespace

void frmTableActions::setupValueBox(int row) {
    Private::ValueRow &values = d_->rows[size_t(row)];
    QComboBox *box = txtFilter[row];
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);  // the combo box's own completer would scan the whole list at every key
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);  // never measures every value
    box->setMinimumContentsLength(16);
    values.values = new ValueListModel(box);
    box->setModel(values.values);
    if (auto *view = qobject_cast<QListView *>(box->view()))
        view->setUniformItemSizes(true);  // the drop-down list lays out a huge list at once

    values.matches = new QStringListModel(box);
    values.completer = new QCompleter(values.matches, box);
    values.completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    values.completer->setCaseSensitivity(Qt::CaseInsensitive);
    values.completer->setWidget(box->lineEdit());
    connect(values.completer, qOverload<const QString &>(&QCompleter::activated), box, &QComboBox::setEditText);
    values.matchTimer = new QTimer(box);
    values.matchTimer->setSingleShot(true);
    values.matchTimer->setInterval(Private::kMatchDelayMs);
    connect(values.matchTimer, &QTimer::timeout, this, [this, row] { showMatches(row); });
    connect(box->lineEdit(), &QLineEdit::textEdited, values.matchTimer, qOverload<>(&QTimer::start));
    // A column chosen in code or by the user loads the values; choosing the column already chosen loads them
    // again. A user's choice of another column signals both, and loads once.
    connect(lstFiltCol[row], &QComboBox::currentIndexChanged, this, [this, row] {
        loadValues(row);
        d_->rows[size_t(row)].justChanged = true;
        QTimer::singleShot(0, this, [this, row] { d_->rows[size_t(row)].justChanged = false; });
    });
    connect(lstFiltCol[row], &QComboBox::activated, this, [this, row] {
        if (!std::exchange(d_->rows[size_t(row)].justChanged, false))
            loadValues(row);
    });
}

// The loader's callbacks, on its thread: each posts to the dialog, tagged with the load it belongs to.
DistinctValueLoader::Events frmTableActions::Private::loaderEvents(frmTableActions *dialog, int row, int generation) {
    DistinctValueLoader::Events events;
    events.values = [dialog, row, generation](QStringList batch) {
        auto append = [dialog, row, generation, batch = std::move(batch)] {
            dialog->appendValues(row, generation, batch);
        };
        QMetaObject::invokeMethod(dialog, std::move(append), Qt::QueuedConnection);
    };
    events.finished = [dialog, row, generation](int) {
        QMetaObject::invokeMethod(
            dialog, [dialog, row, generation] { dialog->valuesDone(row, generation); }, Qt::QueuedConnection);
    };
    events.failed = [dialog, row, generation](const db::Error &error) {
        const QString message = QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description());
        QMetaObject::invokeMethod(
            dialog, [dialog, row, generation, message] { dialog->valuesFailed(row, generation, message); },
            Qt::QueuedConnection);
    };
    events.ended = [dialog, row, generation] {
        QMetaObject::invokeMethod(
            dialog, [dialog, row, generation] { dialog->loadEnded(row, generation); }, Qt::QueuedConnection);
    };
    return events;
}

bool frmTableActions::valuesLoading(int row) const { return d_->rows.at(size_t(row)).loading; }

// Rebuilds the row's value list from the database; a load still running for the row is cancelled.
void frmTableActions::loadValues(int row) {
    const QString column = lstFiltCol[row]->currentText();
    const QString table = d_->source.tableName ? d_->source.tableName() : QString();
    if (column.isEmpty() || table.isEmpty())
        return;
    Private::ValueRow &values = d_->rows[size_t(row)];
    d_->retire(values);
    const int generation = values.generation = ++d_->lastLoad;
    keepingEditText(txtFilter[row], [&] { values.values->clear(); });
    values.loading = true;
    const QString path = d_->source.databasePath ? d_->source.databasePath() : QString();
    const QLocale locale;
    auto format = [locale](const QVariant &value, db::ColumnType type) { return grid::cellText(value, type, locale); };
    values.loader = std::make_unique<DistinctValueLoader>(path, column, table, format,
                                                          Private::loaderEvents(this, row, generation));
}

void frmTableActions::appendValues(int row, int generation, const QStringList &batch) {
    Private::ValueRow &values = d_->rows[size_t(row)];
    if (generation != values.generation)
        return;
    keepingEditText(txtFilter[row], [&] { values.values->append(batch); });
}

void frmTableActions::valuesDone(int row, int generation) {
    Private::ValueRow &values = d_->rows[size_t(row)];
    if (generation == values.generation)
        values.loading = false;
}

// A loader's thread has ended: a retired one is let go now; the row's current one is kept (with its values).
void frmTableActions::loadEnded(int row, int generation) {
    Private::ValueRow &values = d_->rows[size_t(row)];
    if (generation == values.generation)
        values.ended = true;
    else
        d_->retired.erase(generation);
}

void frmTableActions::valuesFailed(int row, int generation, const QString &message) {
    Private::ValueRow &values = d_->rows[size_t(row)];
    if (generation != values.generation)
        return;
    values.loading = false;
    keepingEditText(txtFilter[row], [&] { values.values->clear(); });
    if (d_->reportError)
        d_->reportError(message);
    else
        QMessageBox::warning(this, QStringLiteral("Lotwise"), message);
}

// The values that contain what is typed, looked up once the user pauses, so that typing never waits for a scan
// of a huge list.
void frmTableActions::showMatches(int row) {
    Private::ValueRow &values = d_->rows[size_t(row)];
    const QString typed = txtFilter[row]->currentText();
    if (typed.isEmpty() || values.values->rowCount() == 0) {
        values.completer->popup()->hide();
        return;
    }
    const QStringList matches = matchingValues(values.values->values(), typed, Private::kMatchLimit);
    values.matches->setStringList(matches);
    if (matches.isEmpty() || (matches.size() == 1 && matches.first() == typed))
        values.completer->popup()->hide();
    else if (txtFilter[row]->lineEdit()->hasFocus())
        values.completer->complete();
}

}  // namespace tables
