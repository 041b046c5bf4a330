// The layout of Jet data pages: page type, owner, and the row offset table with its flags.
//
// A data page starts with type 0x01, a 0x01 byte, the free space and the page of the owning table definition (or
// "LVAL" for long value pages); the row count and one 16-bit offset per row follow at the format's row count offset.
// Rows are stored back to front: a row ends where the previous one starts. The offset's top bits are flags: 0x8000
// a deleted row (also the relocated copy of an overflowing row), 0x4000 an overflow pointer to the row's new place.
#pragma once

#include "jet/Mdb.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace jet {

struct RowSlot {
    std::size_t start = 0;  // offset of the row in the page
    std::size_t size = 0;
    bool deleted = false;
    bool overflow = false;  // the row holds a pointer (row byte, 3-byte page) to where the row now lives
};

// True for a data page of the table whose definition is on page `tablePage`.
bool isDataPageOf(const unsigned char *page, std::uint32_t tablePage);
// True for a page of long values (memo and OLE data).
bool isLvalPage(const unsigned char *page);

// The number of rows on a data page; nothing when its offset table does not fit in the page.
std::optional<unsigned> rowCountOf(const unsigned char *page, const MdbFormatConstants &format);

// Row `row` (below the page's row count) of a data page; nothing when its offsets lie outside the page's row area.
// A deleted row with offsets outside that area is reported with size 0.
std::optional<RowSlot> rowSlot(const unsigned char *page, const MdbFormatConstants &format, unsigned rowCount,
                               unsigned row);

}  // namespace jet
