#pragma once
// The strings of one language of a string resource.
#include <optional>
#include <string>
#include <vector>

#include "resfile/StringSetBase.h"

namespace marquill::resfile {

class StringSet : public StringSetBase {
  public:
    StringSet() = default;
    explicit StringSet(uint8_t language) { language_ = language; }

    // Tries STR# (binary) and then the text type; 0 or the file's result, -1 when the file is
    // not open. The set is empty after a failure.
    ResCode Load(iResFile& file, int16_t id);
    // Writes the strings as format -3 in this set's language, under STR# (or the set's own
    // type), id and name. Strings of other languages the resource held are not kept.
    ResCode Save();

    [[nodiscard]] int Count() const { return static_cast<int>(strings_.size()); }
    // 1-based; none outside 1..Count().
    [[nodiscard]] std::optional<std::string> Get(int index) const;
    // Replaces string `index`, or appends at Count() + 1; other indexes are ignored.
    void Set(int index, std::string text);

  private:
    void InsertAt(int index, std::string text);
    std::vector<std::string> strings_;
};

}  // namespace marquill::resfile
