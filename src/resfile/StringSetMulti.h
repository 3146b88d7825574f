#pragma once
// The strings of up to 20 languages of a string resource, side by side.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "resfile/StringSetBase.h"

namespace marquill::resfile {

class StringSetMulti : public StringSetBase {
  public:
    enum class Languages { Current, All };
    enum class Fallback { None, Language0 };

    // What the next Load and Save use.
    void Select(iResFile& file, int16_t id, ResType type, StringForm form, uint8_t language);
    ResCode Load(Languages languages, Fallback fallback);
    // Merges this set's current-language strings into what is stored and writes every
    // language as format -3.
    ResCode Save();

    [[nodiscard]] int Count(int language) const;
    [[nodiscard]] std::optional<std::string> Get(int index, int language) const;
    [[nodiscard]] std::optional<std::string> GetComment(int index, int language) const;
    // Replaces string `index` of the language, or appends at Count + 1; others are ignored.
    void Set(int index, std::string text, int language);

    [[nodiscard]] const std::vector<StringEntry>& Slot(int language) const;

  private:
    static void Place(std::vector<StringEntry>& slot, int number, StringEntry entry);
    std::array<std::vector<StringEntry>, kLanguageCount> slots_;
};

}  // namespace marquill::resfile
