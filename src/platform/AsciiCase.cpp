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
    if (part.empty() || part.size() > text.size()) return false;
    // Comparing only where the first character matches keeps a long text that rarely holds it (a
    // registry's section names) from costing a full comparison at every byte.
    const char first = lowerAscii(part[0]);
    const std::string_view rest = part.substr(1);
    for (size_t i = 0, last = text.size() - part.size(); i <= last; ++i)
        if (lowerAscii(text[i]) == first && startsWithIgnoringCase(text.substr(i + 1), rest))
            return true;
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
