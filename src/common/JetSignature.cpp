#include "common/JetSignature.h"

namespace jet {

namespace {

constexpr std::string_view kJetMagic{"\x00\x01\x00\x00Standard Jet DB\x00", 20};
constexpr std::string_view kAceMagic{"\x00\x01\x00\x00Standard ACE DB\x00", 20};
constexpr std::string_view kSqliteMagic{"SQLite format 3\x00", 16};
constexpr std::size_t kVersionOffset = 0x14;

}  // namespace

Signature signatureOf(std::string_view head) {
    if (head.starts_with(kSqliteMagic))
        return Signature::Sqlite;
    if (head.size() <= kVersionOffset)
        return Signature::Unknown;
    const auto version = static_cast<unsigned char>(head[kVersionOffset]);
    if (head.starts_with(kJetMagic)) {
        if (version == 0)
            return Signature::Jet3;
        if (version == 1)
            return Signature::Jet4;
    } else if (head.starts_with(kAceMagic) && version >= 2 && version <= 6) {
        return Signature::Jet4;
    }
    return Signature::Unknown;
}

std::size_t jetPageSize(Signature signature) {
    switch (signature) {
    case Signature::Jet3: return 2048;
    case Signature::Jet4: return 4096;
    default: return 0;
    }
}

}  // namespace jet
