// The Table Actions dialog's own state behind its public controls: per filter row, the value list's model, its
// loader and the list of matches offered as the user types. Private to frmTableActions*.cpp.
//
// GUI thread only, except that the loaders' callbacks post to the dialog (tables/DistinctValues.h).
#pragma once

#include "tables/DistinctValues.h"
#include "tables/frmTableActions.h"

#include <QPointer>

#include <array>
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
        int generation = 0;  // the current load; batches of an older one are dropped
        bool loading = false;
        std::unique_ptr<DistinctValueLoader> loader;
    };
    std::array<ValueRow, 4> rows;
};

// Appends text to a drop-down list, keeping "nothing chosen" when nothing was chosen (a combo box that gets its
// first item would otherwise choose it).
void appendKeepingChoice(QComboBox *box, const QString &text);
// Removes every item with this text; a removed chosen item leaves nothing chosen.
void removeKeepingChoice(QComboBox *box, const QString &text);

}  // namespace tables
