// The print settings of a sheet (a data window's grid, the Round Summary): margins in twips (1440 to the inch) and
// the page orientation, 1 portrait or 2 landscape. A new data window prints landscape with half-inch margins.
//
// Plain data.
#pragma once

namespace print {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPortrait = 1;
inline constexpr int kLandscape = 2;

struct PrintSettings {
    double marginLeft = 720;  // twips
    double marginRight = 720;
    double marginTop = 720;
    double marginBottom = 720;
    int orientation = kLandscape;  // 1 portrait, 2 landscape; any other value prints landscape
};

}  // namespace print
