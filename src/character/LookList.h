#pragma once
// One choice list of the look pages (heads, head textures, bodies, body textures) as a model of
// the sorted list control it stands for: entries kept in order ignoring case, one selection.
#include <string>
#include <string_view>
#include <vector>

namespace marquill::character {

class LookList {
  public:
    void clear();
    // Inserts after every entry that sorts before or equal to it, ignoring case; the same text
    // twice gives two entries.
    void addSorted(std::string text);
    [[nodiscard]] int count() const { return static_cast<int>(entries_.size()); }
    // The first entry equal to the whole text, ignoring case; -1 for none.
    [[nodiscard]] int findExact(std::string_view text) const;
    // The first entry that begins with the text, ignoring case; -1 for none.
    [[nodiscard]] int findPrefix(std::string_view text) const;
    // An index outside the entries (such as -1) selects nothing.
    void select(int index);
    [[nodiscard]] int selected() const { return selected_; }
    // Empty when nothing is selected.
    [[nodiscard]] std::string selectedText() const;
    [[nodiscard]] const std::vector<std::string>& entries() const { return entries_; }

  private:
    std::vector<std::string> entries_;
    int selected_ = -1;
};

}  // namespace marquill::character
