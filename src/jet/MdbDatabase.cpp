#include "jet/MdbDatabase.h"

#include "jet/ConvertError.h"
#include "jet/JetColumn.h"
#include "jet/JetSignature.h"

#include <sys/stat.h>

#include <cerrno>
#include <fstream>

namespace jet {

namespace {

constexpr std::uint32_t kMinPages = 3;  // the header page, then the catalog's table definition on page 2

Signature readSignature(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::string head(kSignatureBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return signatureOf(head);
}

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
    const Signature signature = readSignature(path);
    const std::size_t pageSize = jetPageSize(signature);
    if (pageSize == 0)
        throw DamagedFile("no Jet signature");
    if (size % pageSize != 0 || size / pageSize < kMinPages || size / pageSize > 0xFFFFFF)
        throw DamagedFile("size is not a whole number of pages");
    jet4_ = signature == Signature::Jet4;
    pageCount_ = static_cast<std::uint32_t>(size / pageSize);

    mdb_.reset(mdb_open(path.c_str(), MDB_NOFLAGS));
    if (!mdb_)
        throw DamagedFile("libmdb cannot open the file");
    if (static_cast<std::size_t>(mdb_->fmt->pg_size) != pageSize || mdb_->pg_buf[0] != 0)
        throw DamagedFile("header page is not one");
    if (!mdb_read_catalog(mdb_.get(), MDB_TABLE))
        throw DamagedFile("catalog cannot be read");
    if (!jet4_)
        codePage_ = std::make_unique<CodePageDecoder>(mdb_->f->code_page);
    longValues_ = std::make_unique<LongValueReader>(mdb_.get(), size);
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
