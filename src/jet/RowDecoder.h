// Decodes the fields of a Jet row, as mdb_crack_row finds them in the page, into values for SQLite.
//
// Numbers are read from the page bytes; Currency keeps its four decimals exactly (an integer when whole), dates
// become ISO text, Yes/No -1/0, text UTF-8, binary data a blob. A field that does not fit in its row, or a value no
// sound file holds (text longer than its column, a date outside Jet's range, a double that is not a number)
// raises DamagedFile.
#pragma once

#include "jet/JetColumn.h"
#include "jet/JetText.h"
#include "jet/LongValueReader.h"
#include "jet/Value.h"

#include "jet/Mdb.h"

#include <cstddef>

namespace jet {

// Borrows the handle, the code page decoder (Jet 3 only, else null) and the long value reader, which must outlive
// it; one thread.
class RowDecoder {
public:
    RowDecoder(MdbHandle *mdb, CodePageDecoder *codePage, LongValueReader *longValues);

    // Decodes `field` of the row at [rowStart, rowEnd) of mdb->pg_buf into `out`.
    void decode(const JetColumn &column, const MdbField &field, std::size_t rowStart, std::size_t rowEnd,
                Value &out);

private:
    void decodeFixed(const JetColumn &column, const unsigned char *data, Value &out);
    void decodeText(const JetColumn &column, const unsigned char *data, std::size_t size, Value &out);
    void appendText(const unsigned char *data, std::size_t size, std::string &out);

    MdbHandle *mdb_;
    CodePageDecoder *codePage_;
    LongValueReader *longValues_;
    std::string scratch_;  // long values before decoding; capacity kept between rows
};

}  // namespace jet
