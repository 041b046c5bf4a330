// Rows of each supplied table in each round file of auction 11 (tests/data/auction-11), as mdb-export counts them.
#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace testsupport {

inline const QStringList kAuction11Tables = {"All Bids",
                                             "Bidders",
                                             "Bidders Raising Own High Bid",
                                             "Bidders Who Reduced",
                                             "Increment Statistics",
                                             "Markets",
                                             "Miscellaneous Statistics",
                                             "Reduction Statistics",
                                             "Round Statistics",
                                             "Waiver Statistics",
                                             "Withdrawal Statistics"};

// kAuction11Rows[round - 1][table], tables in the order above.
inline constexpr std::array<std::array<int, 11>, 12> kAuction11Rows = {{
    {17, 8, 0, 0, 9, 24, 9, 0, 1, 0, 0},
    {12, 8, 0, 0, 9, 24, 9, 0, 1, 1, 0},
    {6, 8, 1, 0, 9, 24, 9, 0, 1, 2, 0},
    {3, 8, 0, 0, 9, 24, 9, 0, 1, 1, 0},
    {9, 8, 0, 0, 9, 24, 9, 0, 1, 0, 0},
    {8, 8, 0, 0, 9, 24, 9, 0, 1, 0, 1},
    {7, 8, 0, 0, 9, 24, 9, 0, 1, 1, 1},
    {6, 7, 0, 1, 9, 24, 9, 1, 1, 1, 1},
    {18, 7, 0, 1, 9, 24, 9, 1, 1, 3, 1},
    {9, 7, 0, 0, 9, 24, 9, 0, 1, 3, 1},
    {5, 7, 0, 1, 9, 24, 9, 1, 1, 3, 1},
    {2, 7, 0, 1, 9, 24, 9, 1, 1, 3, 1},
}};

}  // namespace testsupport
