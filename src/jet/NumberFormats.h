// Jet's stored number formats turned into SQLite values: Currency, Single, Decimal and replication ids (GUIDs).
#pragma once

#include "jet/Value.h"

#include <cstdint>
#include <string>

namespace jet {

// Currency is a 64-bit count of ten-thousandths: an INTEGER when whole, else the nearest REAL.
void setCurrency(std::int64_t tenThousandths, Value &out);

// A Single as the double that prints like it (0.1f becomes 0.1, not 0.100000001490116).
double singleToDouble(float value);

// A Decimal: a sign byte, then a 128-bit magnitude as four little-endian 32-bit words, the most significant first,
// scaled by 10^-scale. An INTEGER when whole and in range, else the nearest REAL.
void setDecimal(const unsigned char *data, int scale, Value &out);

// A replication id as "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", the form Access shows.
std::string guidText(const unsigned char *data);

}  // namespace jet
