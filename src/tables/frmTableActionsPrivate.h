// The Table Actions dialog's own state behind its public controls: per filter row, the value list's model, its
// loader and the list of matches offered as the user types. Private to frmTableActions*.cpp.
//
// GUI thread only, except that the loaders' callbacks post to the dialog (tables/DistinctValues.h).
#pragma once

#include "tables/DistinctValues.h"
#include "tables/frmTableActions.h"

#include <array>
#include <map>
#include <memory>

class QCompleter;
class QStringListModel;
class QTimer;

namespace tables {

class MoveList;
class ValueListModel;

struct frmTableActions::Private {
    static constexpr int kMatchLimit = 200;    // values offered as the user types
    static constexpr int kMatchDelayMs = 150;  // typing pause before the matches are looked up

    ValueSource source;
    std::function<void(const QString &message)> reportError;

    struct ValueRow {
        ValueListModel *values = nullptr;  // the value box's list (owned by the box)
        QStringListModel *matches = nullptr;
        QCompleter *completer = nullptr;
        QTimer *matchTimer = nullptr;
        int generation = 0;  // the id of the row's current load (0: none); batches of an older one are dropped
        bool loading = false;
        bool ended = false;  // the current loader's thread has ended
        bool justChanged = false;  // the column list's index has just changed (its activation follows at once)
        std::unique_ptr<DistinctValueLoader> loader;
    };
    std::array<ValueRow, 4> rows;
    int lastLoad = 0;  // the id of the latest load of any row
    // Cancelled loads whose threads have not ended yet, by id: kept until they end, so that a newer choice never
    // waits for an older query (one waiting for another connection's lock notices the cancel only later).
    std::map<int, std::unique_ptr<DistinctValueLoader>> retired;

    static DistinctValueLoader::Events loaderEvents(frmTableActions *dialog, int row, int generation);

    // Cancels the row's load, if any, without waiting for it; its batches still on their way are dropped.
    void retire(ValueRow &row) {
        if (row.loader) {
            row.loader->cancel();
            if (row.ended)
                row.loader.reset();
            else
                retired.emplace(row.generation, std::move(row.loader));
        }
        row.generation = 0;
        row.loading = false;
        row.ended = false;
    }
};

// Appends text to a drop-down list, keeping "nothing chosen" when nothing was chosen (a combo box that gets its
// first item would otherwise choose it).
void appendKeepingChoice(QComboBox *box, const QString &text);
// Removes every item with this text; a removed chosen item leaves nothing chosen.
void removeKeepingChoice(QComboBox *box, const QString &text);

}  // namespace tables
