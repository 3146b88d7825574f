#pragma once
// A resource type: four characters held as a 32-bit integer, the first character in the most
// significant byte, so the characters appear in reading order in a big-endian chunk header.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marquill::resfile {

using ResType = uint32_t;

consteval ResType MakeResType(const char (&code)[5]) {
    return (static_cast<uint32_t>(static_cast<uint8_t>(code[0])) << 24) |
           (static_cast<uint32_t>(static_cast<uint8_t>(code[1])) << 16) |
           (static_cast<uint32_t>(static_cast<uint8_t>(code[2])) << 8) |
           static_cast<uint32_t>(static_cast<uint8_t>(code[3]));
}

inline constexpr ResType kTypeMap = MakeResType("rsmp");
inline constexpr ResType kTypeFree = MakeResType("XXXX");
inline constexpr ResType kTypeStrings = MakeResType("STR#");
inline constexpr ResType kTypeTextStrings = 0x00435354;  // a zero byte, then "CST"
inline constexpr ResType kTypeNameList = MakeResType("NAME");
inline constexpr ResType kTypeFamily = MakeResType("FAMI");
inline constexpr ResType kTypeFamilyNames = MakeResType("FAMs");
inline constexpr ResType kTypeFamilyHouse = MakeResType("FAMh");
inline constexpr ResType kTypeTreeConstants = MakeResType("TRCN");

// The four characters when all are printable, else "0x" and eight hex digits.
[[nodiscard]] std::string ResTypeText(ResType type);
// Accepts exactly four characters, or "0x" and one to eight hex digits.
[[nodiscard]] std::optional<ResType> ParseResType(std::string_view text);

// Resource names compare equal when they have the same length and the same characters after
// folding A-Z to a-z.
[[nodiscard]] bool SameResName(std::string_view a, std::string_view b);

inline constexpr size_t kMaxResNameLength = 63;

}  // namespace marquill::resfile
