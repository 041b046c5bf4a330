#include "jet/RowDecoder.h"

#include "jet/ByteOrder.h"
#include "common/ConvertError.h"
#include "jet/JetDate.h"
#include "jet/NumberFormats.h"

#include <cmath>

namespace jet {

RowDecoder::RowDecoder(MdbHandle *mdb, CodePageDecoder *codePage, LongValueReader *longValues)
    : mdb_(mdb), codePage_(codePage), longValues_(longValues) {}

void RowDecoder::decode(const JetColumn &column, const MdbField &field, std::size_t rowStart, std::size_t rowEnd,
                        Value &out) {
    if (column.mdbType == MDB_BOOL) {  // kept in the null mask: a set bit is Yes
        out.setInteger(field.is_null ? 0 : -1);
        return;
    }
    if (field.is_null) {
        out.setNull();
        return;
    }
    if (field.start < 0 || field.siz < 0 || static_cast<std::size_t>(field.start) < rowStart ||
        static_cast<std::size_t>(field.start) + static_cast<std::size_t>(field.siz) > rowEnd)
        throw DamagedFile("field outside its row");
    const unsigned char *data = mdb_->pg_buf + field.start;
    const auto size = static_cast<std::size_t>(field.siz);
    if (column.valueSize != 0) {
        if (size < column.valueSize)
            throw DamagedFile("fixed-size field cut short");
        decodeFixed(column, data, out);
        return;
    }
    switch (column.mdbType) {
    case MDB_TEXT:
    case MDB_MEMO: decodeText(column, data, size, out); return;
    case MDB_BINARY: out.setBlob().assign(reinterpret_cast<const char *>(data), size); return;
    case MDB_OLE: longValues_->append(data, size, out.setBlob()); return;
    default: throw DamagedFile("column of an unknown type");
    }
}

void RowDecoder::decodeFixed(const JetColumn &column, const unsigned char *data, Value &out) {
    switch (column.mdbType) {
    case MDB_BYTE: out.setInteger(data[0]); return;
    case MDB_INT: out.setInteger(static_cast<std::int16_t>(readU16(data))); return;
    case MDB_LONGINT:
    case MDB_COMPLEX: out.setInteger(static_cast<std::int32_t>(readU32(data))); return;
    case kMdbBigInt: out.setInteger(static_cast<std::int64_t>(readU64(data))); return;
    case MDB_MONEY: setCurrency(static_cast<std::int64_t>(readU64(data)), out); return;
    case MDB_REPID: out.setText() = guidText(data); return;
    case MDB_NUMERIC: setDecimal(data, column.scale, out); return;
    case MDB_FLOAT:
    case MDB_DOUBLE: {
        const double value = column.mdbType == MDB_FLOAT ? singleToDouble(readFloat(data)) : readDouble(data);
        if (!std::isfinite(value))
            throw DamagedFile("floating point value that is not a number");
        out.setReal(value);
        return;
    }
    case MDB_DATETIME: {
        auto text = jetDateToIso(readDouble(data));
        if (!text)
            throw DamagedFile("date outside Jet's range");
        out.setText() = std::move(*text);
        return;
    }
    default: throw DamagedFile("column of an unknown type");
    }
}

void RowDecoder::decodeText(const JetColumn &column, const unsigned char *data, std::size_t size, Value &out) {
    std::string &text = out.setText();
    if (column.mdbType == MDB_MEMO) {
        scratch_.clear();
        longValues_->append(data, size, scratch_);
        appendText(reinterpret_cast<const unsigned char *>(scratch_.data()), scratch_.size(), text);
        return;
    }
    appendText(data, size, text);
    if (utf8Length(text) > static_cast<std::size_t>(column.columnSpec.textLength))
        throw DamagedFile("text longer than its column");
}

void RowDecoder::appendText(const unsigned char *data, std::size_t size, std::string &out) {
    if (codePage_) {
        codePage_->append(data, size, out);
        return;
    }
    if (!appendJet4Text(data, size, out))
        throw DamagedFile("text that does not decode");
}

}  // namespace jet
