#include "resfile/ResType.h"

namespace marquill::resfile {
namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string ResTypeText(ResType type) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const auto c = static_cast<unsigned char>(type >> shift);
        if (c < 0x20 || c > 0x7E) {
            static constexpr char kHex[] = "0123456789abcdef";
            std::string hex = "0x";
            for (int nibble = 28; nibble >= 0; nibble -= 4)
                hex.push_back(kHex[(type >> nibble) & 0xF]);
            return hex;
        }
        text.push_back(static_cast<char>(c));
    }
    return text;
}

std::optional<ResType> ParseResType(std::string_view text) {
    if (text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")) {
        if (text.size() > 10) return std::nullopt;
        ResType value = 0;
        for (char c : text.substr(2)) {
            int digit;
            if (c >= '0' && c <= '9') {
                digit = c - '0';
            } else if (c >= 'a' && c <= 'f') {
                digit = c - 'a' + 10;
            } else if (c >= 'A' && c <= 'F') {
                digit = c - 'A' + 10;
            } else {
                return std::nullopt;
            }
            value = (value << 4) | static_cast<ResType>(digit);
        }
        return value;
    }
    if (text.size() != 4) return std::nullopt;
    ResType value = 0;
    for (char c : text)
        value = (value << 8) | static_cast<uint8_t>(c);
    return value;
}

bool SameResName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

}  // namespace marquill::resfile
