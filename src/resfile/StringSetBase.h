#pragma once
// What every string set holds: the file and resource it belongs to, whether the resource is in
// the text form, the language, the resource's name and the 1-based list of strings.
//
// Stored forms (16-bit values little-endian when the resource is flagged native):
//   format n >= 0: n strings of a length byte and its characters
//   format -1: count, then count 0-terminated strings
//   format -2: count, then count (string, comment) pairs, each 0-terminated
//   format -3: count, then count (language byte, string, comment); language byte 0 is the
//              current language, k >= 1 language k - 1
//   text form (type 0x00435354): strings between pairs of '^'
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "resfile/ResType.h"
#include "resfile/iResFile.h"

namespace marquill::resfile {

inline constexpr int kLanguageCount = 20;
// A language code with bit 7 set stands for the current language (language 0 here).
inline constexpr uint8_t kCurrentLanguage = 0x80;

enum class StringForm { Binary, Text };

struct StringEntry {
    std::string text;
    std::string comment;
    uint8_t languageByte = 0;  // slot + 1 when set explicitly, 0 for a copy from language 0
};

// The decoded contents of a string resource in any of its forms.
struct StringResourceData {
    enum class Form { Text, Counted, Plain, WithComments, Languages } form = Form::Text;
    std::vector<StringEntry> entries;  // language bytes as stored (form Languages only)
};

// The string conversion routine for big-endian data: swaps the format word, and the count
// word too when the format is -1.
void ConvertStrings(uint8_t* data, size_t length);
// Decodes stored data; -1 when it is truncated or inconsistent.
[[nodiscard]] ResCode DecodeStrings(std::span<const uint8_t> data, StringForm form,
                                    StringResourceData& out);

class StringSetBase {
  public:
    StringSetBase() = default;
    StringSetBase(const StringSetBase&) = default;
    StringSetBase& operator=(const StringSetBase&) = default;
    virtual ~StringSetBase() = default;

    [[nodiscard]] int16_t Id() const { return id_; }
    [[nodiscard]] ResType Type() const { return type_; }
    [[nodiscard]] const std::string& Name() const { return name_; }
    [[nodiscard]] int Language() const { return (language_ & kCurrentLanguage) ? 0 : language_; }

  protected:
    // Fetches the resource (binary type with the string conversion, or the text type) and
    // decodes it; -1 when the file is not open.
    ResCode Fetch(StringResourceData& data);
    // Adds the data under the set's type (STR# for 0 or the text type), id and name, writes
    // it, and hands the block back to the file.
    ResCode Store(const std::vector<uint8_t>& data);

    iResFile* file_ = nullptr;
    int16_t id_ = 0;
    ResType type_ = kTypeStrings;
    bool textForm_ = false;
    uint8_t language_ = 0;
    std::string name_;
};

}  // namespace marquill::resfile
