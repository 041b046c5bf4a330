// A Jet file open for reading through libmdb.
//
// Opening checks what is cheap before libmdb, which is not hardened against damaged files, reads anything: a
// regular file, the Jet signature, a size that is a whole number of pages of that version. libmdb then reads the
// file from a memory mapping. A file that fails raises
// DamagedFile; a missing one ConvertError 53. The catalog is then read twice, by libmdb and by our own checked
// row reader, and must agree.
#pragma once

#include "jet/JetText.h"
#include "jet/LongValueReader.h"
#include "jet/MappedFile.h"

#include "jet/Mdb.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace jet {

// Owns the libmdb handle and the decoders shared by its tables; one thread.
class MdbDatabase {
public:
    explicit MdbDatabase(const std::string &path);
    MdbDatabase(const MdbDatabase &) = delete;
    MdbDatabase &operator=(const MdbDatabase &) = delete;

    MdbHandle *handle() const { return mdb_.get(); }
    bool isJet4() const { return jet4_; }
    std::uint32_t pageCount() const { return pageCount_; }

    // The user tables in catalog order (system tables, MSys*, left out), their names checked.
    std::vector<MdbCatalogEntry *> userTables() const;

    // The decoder of Jet 3 text (null for Jet 4, whose text is UCS-2) and the reader of memo and OLE values.
    CodePageDecoder *codePage() const { return codePage_.get(); }
    LongValueReader &longValues() { return *longValues_; }

private:
    // Reads the catalog table MSysObjects in full with the checks of MdbTableReader and compares its tables with
    // those libmdb found: libmdb skips catalog rows it cannot read, which would make a table vanish unnoticed.
    void verifyCatalog();

    struct Closer {
        void operator()(MdbHandle *mdb) const { mdb_close(mdb); }
    };
    std::unique_ptr<MappedFile> file_;  // read by libmdb from memory; outlives the handle
    std::unique_ptr<MdbHandle, Closer> mdb_;
    bool jet4_ = false;
    std::uint32_t pageCount_ = 0;
    std::unique_ptr<CodePageDecoder> codePage_;
    std::unique_ptr<LongValueReader> longValues_;
};

}  // namespace jet
