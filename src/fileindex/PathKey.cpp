#include "fileindex/PathKey.h"

namespace marquill::fileindex {
namespace {

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string normalisePath(std::string_view path) {
    std::string out(path);
    for (char& c : out) {
        if (c == '/')
            c = '\\';
        else
            c = lowerAscii(c);
    }
    return out;
}

SplitKey splitKey(std::string_view normalised) {
    size_t slash = normalised.rfind('\\');
    if (slash == std::string_view::npos) return {"", std::string(normalised)};
    return {std::string(normalised.substr(0, slash + 1)),
            std::string(normalised.substr(slash + 1))};
}

std::string folderKey(std::string_view folderPath) {
    std::string key = normalisePath(folderPath);
    if (!key.empty() && key.back() != '\\') key += '\\';
    return key;
}

std::string toHostPath(std::string_view gamePath) {
    std::string out(gamePath);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (suffix.size() > text.size()) return false;
    return equalsIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

}  // namespace marquill::fileindex
