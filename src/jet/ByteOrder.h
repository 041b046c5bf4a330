// Little-endian numbers in Jet pages, read without alignment or host byte order assumptions.
#pragma once

#include <cstdint>
#include <cstring>

namespace jet {

inline std::uint16_t readU16(const unsigned char *p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

inline std::uint32_t readU32(const unsigned char *p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

inline std::uint64_t readU64(const unsigned char *p) { return readU32(p) | (std::uint64_t(readU32(p + 4)) << 32); }

inline double readDouble(const unsigned char *p) {
    const std::uint64_t bits = readU64(p);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

inline float readFloat(const unsigned char *p) {
    const std::uint32_t bits = readU32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

}  // namespace jet
