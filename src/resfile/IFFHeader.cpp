#include "resfile/IFFHeader.h"

#include <cstring>

namespace marquill::resfile {
namespace {

constexpr char kPattern2[] = "IFF FILE *.*:TYPE FOLLOWED BY SIZE\0 QUENTIL ABRAMO & KAVOR 1****";
constexpr char kHeader1[] = "IFF FILE 1.0:TYPE FOLLOWED BY SIZE\0 QUENTIL ABRAMO & KAVOR 1996";
static_assert(sizeof(kPattern2) == kIFFHeaderSize + 1);
static_assert(sizeof(kHeader1) == kIFFHeaderSize);  // the final 0 is the header's last byte

}  // namespace

std::optional<IFFHeaderInfo> ParseIFFHeader2(std::span<const uint8_t> bytes) {
    if (bytes.size() < kIFFHeaderSize) return std::nullopt;
    for (size_t i = 0; i < kIFFHeaderSize; ++i) {
        if (kPattern2[i] != '*' && bytes[i] != static_cast<uint8_t>(kPattern2[i]))
            return std::nullopt;
    }
    IFFHeaderInfo info;
    info.version =
        static_cast<uint16_t>(((bytes[9] - '0') & 0xFF) * 256 + ((bytes[11] - '0') & 0xFF));
    if (info.version != kIFFVersion20 && info.version != kIFFVersion25) return std::nullopt;
    if (info.version == kIFFVersion25) {
        info.mapOffset = (uint32_t{bytes[60]} << 24) | (uint32_t{bytes[61]} << 16) |
                         (uint32_t{bytes[62]} << 8) | uint32_t{bytes[63]};
    }
    return info;
}

std::array<uint8_t, kIFFHeaderSize> MakeIFFHeader2(uint32_t mapOffset) {
    std::array<uint8_t, kIFFHeaderSize> header{};
    std::memcpy(header.data(), kPattern2, kIFFHeaderSize);
    header[9] = '2';
    header[11] = '5';
    header[60] = static_cast<uint8_t>(mapOffset >> 24);
    header[61] = static_cast<uint8_t>(mapOffset >> 16);
    header[62] = static_cast<uint8_t>(mapOffset >> 8);
    header[63] = static_cast<uint8_t>(mapOffset);
    return header;
}

bool IsIFFHeader1(std::span<const uint8_t> bytes) {
    return bytes.size() >= kIFFHeaderSize &&
           std::memcmp(bytes.data(), kHeader1, kIFFHeaderSize) == 0;
}

std::array<uint8_t, kIFFHeaderSize> MakeIFFHeader1() {
    std::array<uint8_t, kIFFHeaderSize> header{};
    std::memcpy(header.data(), kHeader1, kIFFHeaderSize);
    return header;
}

}  // namespace marquill::resfile
