#include "jet/LongValueReader.h"

#include "jet/ByteOrder.h"
#include "common/ConvertError.h"
#include "jet/PageLayout.h"

namespace jet {

namespace {

constexpr std::size_t kHeaderSize = 12;
constexpr std::uint32_t kInline = 0x80000000u;
constexpr std::uint32_t kSinglePage = 0x40000000u;
constexpr std::uint32_t kLengthMask = 0x3FFFFFFFu;
constexpr std::size_t kNextPointerSize = 4;

}  // namespace

LongValueReader::LongValueReader(MdbHandle *mdb, std::uint64_t fileSize)
    : mdb_(mdb), fileSize_(fileSize),
      pageCount_(static_cast<std::uint32_t>(fileSize / static_cast<std::uint64_t>(mdb->fmt->pg_size))) {}

std::string_view LongValueReader::lvalRow(std::uint32_t pageRow) {
    const std::uint32_t page = pageRow >> 8;
    const unsigned row = pageRow & 0xFF;
    if (page == 0 || page >= pageCount_ || mdb_read_alt_pg(mdb_, page) != mdb_->fmt->pg_size)
        throw DamagedFile("long value pointer outside the file");
    const unsigned char *buf = mdb_->alt_pg_buf;
    if (!isLvalPage(buf))
        throw DamagedFile("long value pointer to a page that holds no long values");
    const auto count = rowCountOf(buf, *mdb_->fmt);
    if (!count || row >= *count)
        throw DamagedFile("long value pointer to a row that does not exist");
    const auto slot = rowSlot(buf, *mdb_->fmt, *count, row);
    if (!slot || slot->deleted)
        throw DamagedFile("long value row out of its page");
    return {reinterpret_cast<const char *>(buf) + slot->start, slot->size};
}

void LongValueReader::append(const unsigned char *field, std::size_t size, std::string &out) {
    if (size == 0)
        return;
    if (size < kHeaderSize)
        throw DamagedFile("long value header cut short");
    const std::uint32_t word = readU32(field);
    const std::size_t length = word & kLengthMask;
    if (length > fileSize_)
        throw DamagedFile("long value longer than the file");
    if (word & kInline) {
        if (word & kSinglePage || length != size - kHeaderSize)
            throw DamagedFile("inline long value of a wrong length");
        out.append(reinterpret_cast<const char *>(field) + kHeaderSize, length);
        return;
    }
    std::uint32_t pageRow = readU32(field + 4);
    if (word & kSinglePage) {
        const std::string_view data = lvalRow(pageRow);
        if (data.size() != length)
            throw DamagedFile("single page long value of a wrong length");
        out.append(data);
        return;
    }
    // A chain: every row adds at least one byte, so a looping chain ends when the length is reached.
    std::size_t remaining = length;
    while (remaining > 0) {
        const std::string_view row = lvalRow(pageRow);
        if (row.size() <= kNextPointerSize || row.size() - kNextPointerSize > remaining)
            throw DamagedFile("long value chain of a wrong length");
        pageRow = readU32(reinterpret_cast<const unsigned char *>(row.data()));
        out.append(row.substr(kNextPointerSize));
        remaining -= row.size() - kNextPointerSize;
    }
}

}  // namespace jet
