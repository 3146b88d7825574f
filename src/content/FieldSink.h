#pragma once
// The writing side of the character readers' fields: the same sequence of fields comes out as
// text or binary. A text that the text form cannot hold (empty, or with a line break) or that
// is longer than its limit marks the sink invalid instead of writing a file that reads back
// differently.
#include <cstdint>
#include <string_view>

#include "character/CharacterRecords.h"
#include "character/FieldSource.h"
#include "platform/ByteSink.h"

namespace marquill::content {

class FieldSink {
  public:
    FieldSink(platform::ByteSink& out, character::FileFormat format) : out_(out), format_(format) {}
    [[nodiscard]] character::FileFormat format() const { return format_; }
    void line(std::string_view text);  // a raw text line (headers); nothing in binary
    void text(std::string_view s, size_t limit = 255);
    void integer(int32_t v);
    void real(float v);
    void vector(const character::Vec3& v);
    void rotation(const character::Quat& q);
    void properties(const character::PropertyList& list);
    // The has-properties flag, then the list when there is one.
    void optionalProperties(const character::PropertyList& list);
    // Ends the current line of numbers in text files, so the file reads like the game's.
    void endLine();
    [[nodiscard]] bool ok() const { return valid_ && !out_.failed(); }

  private:
    void token(std::string_view t);
    platform::ByteSink& out_;
    character::FileFormat format_;
    bool valid_ = true;
    bool midLine_ = false;
};

}  // namespace marquill::content
