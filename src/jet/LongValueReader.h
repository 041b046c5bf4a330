// Memo and OLE values of Jet rows.
//
// In the row such a value is a 12-byte header: the length with two flags in its top bits, then a page/row pointer.
// The data follows the header inline (flag 0x80), fills one row of an LVAL page (flag 0x40), or is a chain of LVAL
// rows, each starting with the pointer to the next. Read here rather than by libmdb, which cuts memo text at its
// bind size and does not check the chain. Every pointer, page and length is checked, so a damaged value ends as
// DamagedFile and a looping chain cannot run on.
#pragma once

#include "jet/Mdb.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace jet {

// Borrows the libmdb handle, which must outlive it; one thread. Reading keeps mdb->pg_buf (the row's page) as it
// is: LVAL pages are read into mdb->alt_pg_buf.
class LongValueReader {
public:
    LongValueReader(MdbHandle *mdb, std::uint64_t fileSize);

    // Appends the bytes of the value whose field (header and inline data) is `field`, `size` bytes long.
    void append(const unsigned char *field, std::size_t size, std::string &out);

private:
    // The data of row `pageRow` (page << 8 | row) of an LVAL page; valid until the next read.
    std::string_view lvalRow(std::uint32_t pageRow);

    MdbHandle *mdb_;
    std::uint64_t fileSize_;
    std::uint32_t pageCount_;
};

}  // namespace jet
