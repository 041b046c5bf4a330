#include "grid/LazyTableModel.h"

#include "grid/CellText.h"
#include "grid/QueryWorker.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>

#include <functional>
#include <memory>

namespace grid {

namespace {

bool sameFile(const QString &a, const QString &b) {
    const QFileInfo left(a), right(b);
    const QString l = left.canonicalFilePath(), r = right.canonicalFilePath();
    return !l.isEmpty() && !r.isEmpty() ? l == r : left.absoluteFilePath() == right.absoluteFilePath();
}

// Numbers to the right, as a spreadsheet shows them; an expression column without a declared type by its value.
int alignment(db::ColumnType type, const QVariant &value) {
    return int(Qt::AlignVCenter | (isNumberCell(type, value) ? Qt::AlignRight : Qt::AlignLeft));
}

}  // namespace

LazyTableModel::LazyTableModel(QObject *parent) : QAbstractTableModel(parent) {}

LazyTableModel::~LazyTableModel() { stopWorker(); }

void LazyTableModel::setHoldingDatabase(db::Database database) {
    holding_ = std::move(database);
    hold_ = holdFor(query_);
}

db::TableHold LazyTableModel::holdFor(const GridQuery &query) const {
    if (!query.keyed() || !holding_.isOpen() || !sameFile(holding_.path(), query.databasePath))
        return {};
    return holding_.holdTable(query.baseTable());
}

db::Database &LazyTableModel::connectionFor(const QString &databasePath) {
    if (holding_.isOpen() && sameFile(holding_.path(), databasePath))
        return holding_;
    if (!preparing_.isOpen() || !sameFile(preparing_.path(), databasePath))
        preparing_ = db::Database::open(databasePath);
    return preparing_;
}

void LazyTableModel::setQuery(const QString &databasePath, const QString &jetSql) {
    GridQuery query = prepareGridQuery(connectionFor(databasePath), jetSql);
    db::TableHold hold = holdFor(query);
    show(std::move(query), std::move(hold));
    startWorker();
}

void LazyTableModel::clear() { show({}, {}); }

// Stops the worker and shows the query's fields without rows. The new hold is taken before the old one ends, so
// a table shown again stays held throughout.
void LazyTableModel::show(GridQuery query, db::TableHold hold) {
    stopWorker();
    beginResetModel();
    ++generation_;
    query_ = std::move(query);
    rows_ = 0;
    countKnown_ = false;
    failed_ = false;
    cache_.clear();
    pending_.clear();
    hold_ = std::move(hold);
    endResetModel();
}

void LazyTableModel::stopWorker() { worker_.reset(); }

// A result of the worker on its way to the UI thread. The event owns what it carries: the worker gives it away
// with postEvent() and the UI thread runs and deletes it, or Qt deletes it with the model.
class LazyTableModel::Delivery : public QEvent {
public:
    explicit Delivery(std::function<void()> call) : QEvent(type()), call_(std::move(call)) {}
    static QEvent::Type type() {
        static const auto registered = QEvent::Type(QEvent::registerEventType());
        return registered;
    }
    void run() { call_(); }

private:
    std::function<void()> call_;
};

void LazyTableModel::customEvent(QEvent *event) {
    if (event->type() == Delivery::type())
        static_cast<Delivery *>(event)->run();
}

// Results are tagged with the query's generation: those of a stopped worker still in the event queue are
// ignored, and none is delivered once the model is gone.
void LazyTableModel::startWorker() {
    const quint64 generation = generation_;
    const auto deliver = [this](std::function<void()> call) {
        QCoreApplication::postEvent(this, new Delivery(std::move(call)));
    };
    QueryWorker::Events events;
    events.firstPage = [this, deliver, generation](RowPage page) {
        auto rows = std::make_shared<RowPage>(std::move(page));
        deliver([this, generation, rows] { onFirstPage(generation, std::move(*rows)); });
    };
    events.counted = [this, deliver, generation](int rows) { deliver([this, generation, rows] { onCounted(generation, rows); }); };
    events.pageLoaded = [this, deliver, generation](RowPage page) {
        auto rows = std::make_shared<RowPage>(std::move(page));
        deliver([this, generation, rows] { onPageLoaded(generation, std::move(*rows)); });
    };
    events.failed = [this, deliver, generation](const db::Error &error) {
        deliver([this, generation, error] { onFailed(generation, error); });
    };
    worker_ = std::make_unique<QueryWorker>(query_, kPageSize, std::move(events));
}

void LazyTableModel::onFirstPage(quint64 generation, RowPage page) {
    if (generation != generation_)
        return;
    const int rows = page.rows;
    cache_.insert(std::move(page));
    pending_.erase(0);
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    emit firstRowsReady();
}

void LazyTableModel::onCounted(quint64 generation, int rows) {
    if (generation != generation_)
        return;
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    } else if (rows < rows_) {  // the table changed between the first page and the count
        beginRemoveRows({}, rows, rows_ - 1);
        rows_ = rows;
        endRemoveRows();
    }
    countKnown_ = true;
    emit rowCountKnown(rows_);
    emit loadingFinished();
}

void LazyTableModel::onPageLoaded(quint64 generation, RowPage page) {
    if (generation != generation_)
        return;
    const int index = page.index;
    const int first = index * kPageSize;
    const int last = std::min(first + page.rows, rows_) - 1;
    cache_.insert(std::move(page));
    pending_.erase(index);
    if (last >= first && columnCount() > 0)
        emit dataChanged(this->index(first, 0), this->index(last, columnCount() - 1));
}

void LazyTableModel::onFailed(quint64 generation, const db::Error &error) {
    if (generation != generation_)
        return;
    failed_ = true;
    pending_.clear();
    emit failed(error);
}

void LazyTableModel::requestPage(int page) const {
    if (!worker_ || failed_ || pending_.count(page))
        return;
    pending_.insert(page);
    for (const int dropped : worker_->request(page))
        pending_.erase(dropped);
}

const RowPage *LazyTableModel::pageOf(int row) const {
    if (row < 0 || row >= rows_)
        return nullptr;
    return cache_.find(row / kPageSize);
}

bool LazyTableModel::isRowLoaded(int row) const { return pageOf(row) != nullptr; }

QVariant LazyTableModel::rawValue(int row, int column) const {
    const RowPage *page = pageOf(row);
    if (!page || column < 0 || column >= page->columns || row % kPageSize >= page->rows)
        return {};
    return page->at(row % kPageSize, column);
}

bool LazyTableModel::waitForRows(int first, int last, int timeoutMs) {
    if (first < 0 || last < first || last - first + 1 > maxWaitRows())
        return false;
    const quint64 generation = generation_;
    const int firstPage = first / kPageSize, lastPage = last / kPageSize;
    for (int page = firstPage; page <= lastPage; ++page)
        cache_.pin(page);
    const auto unpin = qScopeGuard([&] {
        if (generation == generation_)
            for (int page = firstPage; page <= lastPage; ++page)
                cache_.unpin(page);
    });
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;  // wakes the wait below now and then: a request dropped from the worker's queue is asked again
    tick.start(20);
    for (;;) {
        if (generation != generation_ || failed_ || !worker_ || (countKnown_ && last >= rows_))
            return false;
        bool loaded = last < rows_;
        for (int page = firstPage; loaded && page <= lastPage; ++page) {
            if (!cache_.contains(page)) {
                requestPage(page);
                loaded = false;
            }
        }
        if (loaded)
            return true;
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
    }
}

int LazyTableModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : rows_; }

int LazyTableModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(query_.fields.size());
}

QVariant LazyTableModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columnCount())
        return {};
    const db::Field &field = query_.fields[size_t(index.column())];
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != RawValueRole && role != Qt::TextAlignmentRole)
        return {};
    const RowPage *page = pageOf(index.row());
    if (!page) {
        requestPage(index.row() / kPageSize);
        return {};
    }
    const int row = index.row() % kPageSize;
    if (row >= page->rows)
        return {};
    const QVariant &value = page->at(row, index.column());
    switch (role) {
    case Qt::DisplayRole: return cellText(value, field.type, locale_);
    case Qt::TextAlignmentRole: return alignment(field.type, value);
    default: return value;
    }
}

QVariant LazyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= columnCount())
        return {};
    return query_.fields[size_t(section)].name;
}

}  // namespace grid
