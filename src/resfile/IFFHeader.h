#pragma once
// The 64-byte file header. Versions 2.0 and 2.5 match the pattern
//   "IFF FILE *.*:TYPE FOLLOWED BY SIZE" 0 " QUENTIL ABRAMO & KAVOR 1****"
// where '*' matches any byte: the version digits at bytes 9 and 11 and, for 2.5, the
// big-endian map offset at bytes 60-63. Version 1.0 headers are compared whole.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace marquill::resfile {

inline constexpr size_t kIFFHeaderSize = 64;
inline constexpr uint16_t kIFFVersion20 = 0x0200;
inline constexpr uint16_t kIFFVersion25 = 0x0205;

struct IFFHeaderInfo {
    uint16_t version = 0;    // (digit 9) * 256 + (digit 11)
    uint32_t mapOffset = 0;  // 0 unless version 2.5 names a map
};

// Version 2.0 or 2.5 headers only; anything else is none.
[[nodiscard]] std::optional<IFFHeaderInfo> ParseIFFHeader2(std::span<const uint8_t> bytes);
[[nodiscard]] std::array<uint8_t, kIFFHeaderSize> MakeIFFHeader2(uint32_t mapOffset);

[[nodiscard]] bool IsIFFHeader1(std::span<const uint8_t> bytes);
[[nodiscard]] std::array<uint8_t, kIFFHeaderSize> MakeIFFHeader1();

}  // namespace marquill::resfile
