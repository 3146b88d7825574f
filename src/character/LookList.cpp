#include "character/LookList.h"

#include <algorithm>

#include "platform/AsciiCase.h"

namespace marquill::character {
namespace {

bool sortsBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(platform::lowerAscii(x)) <
               static_cast<unsigned char>(platform::lowerAscii(y));
    });
}

}  // namespace

void LookList::clear() {
    entries_.clear();
    selected_ = -1;
}

void LookList::addSorted(std::string text) {
    auto at = std::upper_bound(
        entries_.begin(), entries_.end(), text,
        [](const std::string& a, const std::string& b) { return sortsBefore(a, b); });
    const int position = static_cast<int>(at - entries_.begin());
    entries_.insert(at, std::move(text));
    // The selection stays on the entry it was on.
    if (selected_ >= position) ++selected_;
}

int LookList::findExact(std::string_view text) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (platform::equalsIgnoringCase(entries_[i], text)) return static_cast<int>(i);
    return -1;
}

int LookList::findPrefix(std::string_view text) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (platform::startsWithIgnoringCase(entries_[i], text)) return static_cast<int>(i);
    return -1;
}

void LookList::select(int index) {
    selected_ = index >= 0 && index < count() ? index : -1;
}

std::string LookList::selectedText() const {
    return selected_ >= 0 ? entries_[static_cast<size_t>(selected_)] : std::string();
}

}  // namespace marquill::character
