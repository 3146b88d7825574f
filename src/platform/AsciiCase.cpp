#include "platform/AsciiCase.h"

namespace marquill::platform {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && startsWithIgnoringCase(a, b);
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (lowerAscii(text[i]) != lowerAscii(prefix[i])) return false;
    return true;
}

bool containsIgnoringCase(std::string_view text, std::string_view part) {
    if (part.empty()) return false;
    for (size_t i = 0; i + part.size() <= text.size(); ++i)
        if (startsWithIgnoringCase(text.substr(i), part)) return true;
    return false;
}

std::string toLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

std::string toUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

}  // namespace marquill::platform
