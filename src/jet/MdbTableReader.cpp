#include "jet/MdbTableReader.h"

#include "jet/ByteOrder.h"
#include "common/ConvertError.h"
#include "jet/PageLayout.h"

namespace jet {

namespace {

constexpr unsigned char kTableDefinitionPage = 0x02;
constexpr unsigned kMaxColumns = 255;
constexpr std::size_t kOverflowPointerSize = 4;  // row number, then the 3-byte page number

}  // namespace

MdbTableReader::MdbTableReader(MdbDatabase &database, MdbCatalogEntry *entry)
    : database_(database), mdb_(database.handle()), tablePage_(static_cast<std::uint32_t>(entry->table_pg)),
      name_(entry->object_name),
      decoder_(database.handle(), database.codePage(), &database.longValues()) {
    if (mdb_read_pg(mdb_, tablePage_) != mdb_->fmt->pg_size || mdb_->pg_buf[0] != kTableDefinitionPage ||
        mdb_->pg_buf[1] != 0x01)
        throw DamagedFile("table definition page is not one");
    table_.reset(mdb_read_table(entry));
    if (!table_ || !mdb_read_columns(table_.get()))
        throw DamagedFile("table definition cannot be read");
    const unsigned count = table_->num_cols;
    if (count == 0 || count > kMaxColumns || !table_->columns || table_->columns->len != count)
        throw DamagedFile("table with an impossible number of columns");
    for (unsigned i = 0; i < count; ++i) {
        const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(table_->columns, i));
        columns_.push_back(describeColumn(*column, database_.isJet4()));
    }
    fields_.resize(count);
    expectedRows_ = table_->num_rows;
    mdb_rewind_table(table_.get());
}

std::vector<db::ColumnSpec> MdbTableReader::columnSpecs() const {
    std::vector<db::ColumnSpec> columnSpecs;
    for (const JetColumn &column : columns_)
        columnSpecs.push_back(column.columnSpec);
    return columnSpecs;
}

bool MdbTableReader::next(std::vector<Value> &row) {
    row.resize(columns_.size());
    for (;;) {
        if (nextRow_ >= rowsOnPage_) {
            if (!nextPage()) {
                if (rowsRead_ != expectedRows_)
                    throw DamagedFile("fewer rows than the table definition counts");
                return false;
            }
            continue;
        }
        const auto slot = rowSlot(mdb_->pg_buf, *mdb_->fmt, rowsOnPage_, nextRow_++);
        if (!slot)
            throw DamagedFile("row outside its page");
        if (slot->deleted || slot->size == 0)
            continue;
        if (++rowsRead_ > expectedRows_)
            throw DamagedFile("more rows than the table definition counts");
        if (slot->overflow)
            decodeRelocatedRow(slot->start, slot->size, row);
        else
            decodeRow(slot->start, slot->size, row);
        return true;
    }
}

bool MdbTableReader::nextPage() {
    if (mdb_read_next_dpg(table_.get()) <= 0)
        return false;
    if (++pagesRead_ > database_.pageCount())
        throw DamagedFile("table visits more pages than the file has");
    if (!isDataPageOf(mdb_->pg_buf, tablePage_))
        throw DamagedFile("data page of another table");
    const auto count = rowCountOf(mdb_->pg_buf, *mdb_->fmt);
    if (!count)
        throw DamagedFile("row offset table larger than its page");
    rowsOnPage_ = *count;
    nextRow_ = 0;
    return true;
}

void MdbTableReader::decodeRow(std::size_t start, std::size_t size, std::vector<Value> &row) {
    if (mdb_crack_row(table_.get(), static_cast<int>(start), size, fields_.data()) < 0)
        throw DamagedFile("row cannot be split into fields");
    for (const MdbField &field : fields_) {
        if (field.colnum < 0 || static_cast<std::size_t>(field.colnum) >= columns_.size())
            throw DamagedFile("field of no column");
        const auto column = static_cast<std::size_t>(field.colnum);
        decoder_.decode(columns_[column], field, start, start + size, row[column]);
    }
}

// An overflow row holds a pointer to where the row now lives; the row there is read, then this page again.
void MdbTableReader::decodeRelocatedRow(std::size_t pointerStart, std::size_t pointerSize, std::vector<Value> &row) {
    if (pointerSize < kOverflowPointerSize)
        throw DamagedFile("overflow pointer cut short");
    const unsigned char *pointer = mdb_->pg_buf + pointerStart;
    const unsigned targetRow = pointer[0];
    const std::uint32_t targetPage = readU32(pointer) >> 8;
    const auto homePage = static_cast<unsigned long>(mdb_->cur_pg);
    if (targetPage == 0 || targetPage >= database_.pageCount() ||
        mdb_read_pg(mdb_, targetPage) != mdb_->fmt->pg_size || !isDataPageOf(mdb_->pg_buf, tablePage_))
        throw DamagedFile("overflow pointer to no page of the table");
    const auto count = rowCountOf(mdb_->pg_buf, *mdb_->fmt);
    if (!count || targetRow >= *count)
        throw DamagedFile("overflow pointer to no row");
    const auto slot = rowSlot(mdb_->pg_buf, *mdb_->fmt, *count, targetRow);
    if (!slot || slot->overflow || slot->size == 0)
        throw DamagedFile("overflow pointer to no row");
    decodeRow(slot->start, slot->size, row);
    if (mdb_read_pg(mdb_, homePage) != mdb_->fmt->pg_size)
        throw DamagedFile("page cannot be read again");
}

}  // namespace jet
