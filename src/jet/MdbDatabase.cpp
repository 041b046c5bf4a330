#include "jet/MdbDatabase.h"

#include "common/ConvertError.h"
#include "jet/JetColumn.h"
#include "common/JetSignature.h"
#include "jet/MdbTableReader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

namespace jet {

namespace {

constexpr std::uint32_t kMinPages = 3;  // the header page, then the catalog's table definition on page 2
constexpr unsigned long kCatalogPage = 2;
constexpr std::int64_t kTableObject = 1;  // MSysObjects.Type of a local table (flags in the bits above 0x7F)

// The size of the file at `path`, after checking that it is a regular file.
std::uint64_t regularFileSize(const std::string &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw ConvertError(code::FileNotFound, "File not found: '" + path + "'");
        throw DamagedFile("file cannot be read");
    }
    if (!S_ISREG(info.st_mode))
        throw DamagedFile("not a regular file");
    return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace

MdbDatabase::MdbDatabase(const std::string &path) {
    const std::uint64_t size = regularFileSize(path);
    if (size < kMinPages * jetPageSize(Signature::Jet3))
        throw DamagedFile("too small for a Jet file");
    file_ = std::make_unique<MappedFile>(path, static_cast<std::size_t>(size));
    const Signature signature = signatureOf({static_cast<const char *>(file_->data()), kSignatureBytes});
    const std::size_t pageSize = jetPageSize(signature);
    if (pageSize == 0)
        throw DamagedFile("no Jet signature");
    if (size % pageSize != 0 || size / pageSize < kMinPages || size / pageSize > 0xFFFFFF)
        throw DamagedFile("size is not a whole number of pages");
    jet4_ = signature == Signature::Jet4;
    pageCount_ = static_cast<std::uint32_t>(size / pageSize);

    mdb_.reset(mdb_open_buffer(file_->data(), file_->size(), MDB_NOFLAGS));
    if (!mdb_)
        throw DamagedFile("libmdb cannot open the file");
    if (static_cast<std::size_t>(mdb_->fmt->pg_size) != pageSize || mdb_->pg_buf[0] != 0)
        throw DamagedFile("header page is not one");
    if (!mdb_read_catalog(mdb_.get(), MDB_TABLE))
        throw DamagedFile("catalog cannot be read");
    if (!jet4_)
        codePage_ = std::make_unique<CodePageDecoder>(mdb_->f->code_page);
    longValues_ = std::make_unique<LongValueReader>(mdb_.get(), size);
    verifyCatalog();
}

void MdbDatabase::verifyCatalog() {
    MdbCatalogEntry objects{};
    objects.mdb = mdb_.get();
    objects.object_type = MDB_TABLE;
    objects.table_pg = kCatalogPage;
    std::snprintf(objects.object_name, sizeof objects.object_name, "MSysObjects");
    MdbTableReader reader(*this, &objects);
    std::size_t typeColumn = 0;
    while (typeColumn < reader.columns().size() && reader.columns()[typeColumn].columnSpec.name != "Type")
        ++typeColumn;
    if (typeColumn == reader.columns().size())
        throw DamagedFile("catalog without a Type column");
    std::size_t tablesRead = 0;
    std::vector<Value> row;
    while (reader.next(row))
        tablesRead += row[typeColumn].kind == Value::Kind::Integer && (row[typeColumn].integer & 0x7F) == kTableObject;
    std::size_t tablesListed = 0;
    for (guint i = 0; i < mdb_->catalog->len; ++i)
        tablesListed += static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb_->catalog, i))->object_type == MDB_TABLE;
    if (tablesRead != tablesListed)
        throw DamagedFile("catalog rows libmdb could not read");
}

std::vector<MdbCatalogEntry *> MdbDatabase::userTables() const {
    std::vector<MdbCatalogEntry *> tables;
    for (guint i = 0; i < mdb_->catalog->len; ++i) {
        auto *entry = static_cast<MdbCatalogEntry *>(g_ptr_array_index(mdb_->catalog, i));
        if (!mdb_is_user_table(entry))
            continue;
        if (!isUsableName(entry->object_name))
            throw DamagedFile("table name that cannot be one");
        if (entry->table_pg == 0 || entry->table_pg >= pageCount_)
            throw DamagedFile("table definition outside the file");
        tables.push_back(entry);
    }
    return tables;
}

}  // namespace jet
