#include "grid/SelectionTotals.h"

#include "db/Error.h"
#include "db/VbFormat.h"
#include "grid/LazyTableModel.h"
#include "tables/ColumnTotals.h"

namespace grid {

namespace {

constexpr int kWaitMs = 60000;

struct Tally {
    double sum = 0;
    qint64 count = 0;
    bool notNumber = false;
};

// A cell's value as a number, as converting its text would give it; nothing for an empty cell or text.
std::optional<double> numberOf(const QVariant &value, const QLocale &locale) {
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double: return value.toDouble();
    case QMetaType::QString: {
        bool ok = false;
        double number = locale.toDouble(value.toString().trimmed(), &ok);
        if (!ok)
            number = value.toString().trimmed().toDouble(&ok);
        if (ok)
            return number;
        return std::nullopt;
    }
    default: return std::nullopt;
    }
}

// The cells of one block, read in runs the model can hold at once.
void tallyBlock(const QItemSelectionRange &block, LazyTableModel &model, Tally &tally) {
    const int column = block.left();
    const int run = LazyTableModel::maxWaitRows() / 2;
    for (int first = block.top(); first <= block.bottom() && !tally.notNumber; first += run) {
        const int last = std::min(block.bottom(), first + run - 1);
        if (!model.waitForRows(first, last, kWaitMs))
            throw db::Error(db::err::Reserved, QStringLiteral("The selected rows could not be read."));
        for (int row = first; row <= last; ++row) {
            const std::optional<double> number = numberOf(model.rawValue(row, column), model.displayLocale());
            if (!number) {
                tally.notNumber = true;
                return;
            }
            tally.sum += *number;
            ++tally.count;
        }
    }
}

bool isWholeColumn(const QItemSelectionRange &block, const LazyTableModel &model) {
    return block.top() == 0 && block.bottom() >= model.rowCount() - 1;
}

Tally tallyColumn(int column, const LazyTableModel &model) {
    const tables::ColumnTotals totals = tables::columnTotals(model.databasePath(), model.jetSql(),
                                                             model.fields()[std::size_t(column)].name);
    return {totals.sum, totals.numbers, totals.others > 0};
}

}  // namespace

QString computedText(double value, const QLocale &locale) {
    const QString us = db::vbFormat(QVariant(value), QStringLiteral("###,###,###,###,###.00"));
    QString out;
    out.reserve(us.size());
    for (const QChar c : us)
        out += c == u',' ? locale.groupSeparator() : c == u'.' ? locale.decimalPoint() : QString(c);
    return out;
}

std::optional<QString> selectionResult(const QString &op, const QItemSelection &blocks, LazyTableModel &model) {
    if (blocks.isEmpty())
        return std::nullopt;
    const int column = blocks.first().left();
    for (const QItemSelectionRange &block : blocks)
        if (block.left() != column || block.right() != column)
            return QStringLiteral("0");
    Tally tally;
    if (isWholeColumn(blocks.last(), model)) {
        tally = tallyColumn(column, model);
    } else {
        for (const QItemSelectionRange &block : blocks)
            if (!tally.notNumber)
                tallyBlock(block, model, tally);
    }
    if (tally.notNumber)
        return QStringLiteral("0");
    const QLocale &locale = model.displayLocale();
    if (op == QLatin1String("Count"))
        return computedText(double(tally.count), locale);
    if (op == QLatin1String("Average"))
        return tally.count ? computedText(tally.sum / double(tally.count), locale) : QString();
    return computedText(tally.sum, locale);
}

}  // namespace grid
