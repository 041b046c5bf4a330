// Reads one user table of a Jet file: its checked definition, then its live rows one at a time, decoded.
//
// Rows are found page by page through the table's usage map (libmdb) and the row offset tables (PageLayout):
// deleted rows are skipped and overflow pointers followed, which libmdb 1.0's own row loop gets the wrong way
// round. The definition's row count is checked against the rows read, so a damaged page that hides or invents
// rows ends as DamagedFile instead of a silently different table.
#pragma once

#include "jet/JetColumn.h"
#include "jet/MdbDatabase.h"
#include "jet/RowDecoder.h"
#include "jet/Value.h"

#include "jet/Mdb.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace jet {

// Borrows the database, which must outlive it; owns the libmdb table definition. One thread; one reader of a
// database at a time, since libmdb keeps the current page in the handle.
class MdbTableReader {
public:
    MdbTableReader(MdbDatabase &database, MdbCatalogEntry *entry);

    const std::string &name() const { return name_; }
    const std::vector<JetColumn> &columns() const { return columns_; }
    std::vector<db::ColumnSpec> columnSpecs() const;

    // Fills `row` (one value per column) with the next live row; false after the last one.
    bool next(std::vector<Value> &row);

private:
    bool nextPage();
    void decodeRow(std::size_t start, std::size_t size, std::vector<Value> &row);
    void decodeRelocatedRow(std::size_t pointerStart, std::size_t pointerSize, std::vector<Value> &row);

    struct TableFree {
        void operator()(MdbTableDef *table) const { mdb_free_tabledef(table); }
    };

    MdbDatabase &database_;
    MdbHandle *mdb_;
    std::unique_ptr<MdbTableDef, TableFree> table_;
    std::uint32_t tablePage_;
    std::string name_;
    std::vector<JetColumn> columns_;
    std::vector<MdbField> fields_;
    RowDecoder decoder_;
    std::uint64_t expectedRows_ = 0;
    std::uint64_t rowsRead_ = 0;
    std::uint32_t pagesRead_ = 0;
    unsigned rowsOnPage_ = 0;
    unsigned nextRow_ = 0;
};

}  // namespace jet
