// Stored values of a statement's current row as data set cells: money as exact ten-thousandths, whole numbers as
// integers, texts interned into the data set. A text met before is found by its UTF-8 bytes, without decoding.
//
// Used on the thread that steps the statement; the data set must outlive the reader.
#pragma once

#include "analysis/DataSet.h"

#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3_stmt;

namespace analysis {

class StoredCells {
public:
    explicit StoredCells(DataSet &data) : data_(data) {}

    // Column `column` of the statement's row. A money column's amount in ten-thousandths (text that is no amount
    // stays text); a REAL without fraction as an integer; other numbers as reals; a blob as nothing.
    DataCell read(sqlite3_stmt *stmt, int column, bool money);

private:
    int intern(std::string_view utf8);

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    DataSet &data_;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> ids_;
};

}  // namespace analysis
