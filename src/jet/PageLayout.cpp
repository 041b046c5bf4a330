#include "jet/PageLayout.h"

#include "jet/ByteOrder.h"

#include <cstring>

namespace jet {

namespace {

constexpr std::uint16_t kDeletedFlag = 0x8000;
constexpr std::uint16_t kOverflowFlag = 0x4000;
constexpr std::uint16_t kOffsetMask = 0x1FFF;
constexpr unsigned char kDataPage = 0x01;

std::size_t pageSize(const MdbFormatConstants &format) { return static_cast<std::size_t>(format.pg_size); }

std::size_t offsetTableEnd(const MdbFormatConstants &format, unsigned rowCount) {
    return format.row_count_offset + 2u + 2u * rowCount;
}

}  // namespace

bool isDataPageOf(const unsigned char *page, std::uint32_t tablePage) {
    return page[0] == kDataPage && page[1] == 0x01 && readU32(page + 4) == tablePage;
}

bool isLvalPage(const unsigned char *page) {
    return page[0] == kDataPage && page[1] == 0x01 && std::memcmp(page + 4, "LVAL", 4) == 0;
}

std::optional<unsigned> rowCountOf(const unsigned char *page, const MdbFormatConstants &format) {
    const unsigned count = readU16(page + format.row_count_offset);
    if (offsetTableEnd(format, count) > pageSize(format))
        return std::nullopt;
    return count;
}

std::optional<RowSlot> rowSlot(const unsigned char *page, const MdbFormatConstants &format, unsigned rowCount,
                               unsigned row) {
    const unsigned entry = format.row_count_offset + 2u + 2u * row;
    const std::uint16_t raw = readU16(page + entry);
    RowSlot slot;
    slot.deleted = (raw & kDeletedFlag) != 0;
    slot.overflow = (raw & kOverflowFlag) != 0;
    const std::size_t start = raw & kOffsetMask;
    const std::size_t end = row == 0 ? pageSize(format) : (readU16(page + entry - 2) & kOffsetMask);
    if (start < offsetTableEnd(format, rowCount) || end > pageSize(format) || start > end) {
        if (slot.deleted)
            return slot;  // nothing of it is read
        return std::nullopt;
    }
    slot.start = start;
    slot.size = end - start;
    return slot;
}

}  // namespace jet
