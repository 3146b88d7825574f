#pragma once
// The resource names of a version 1.0 file, kept in the internal resource NAME 0 and referred
// to by key from the chunk headers. Stored directly as a sequence of records
//   key(4) length(1) characters
// (keys big-endian unless the resource is flagged native); the serialised form
//   count(4), per name: key(4), name (string)
// is read only when the direct form does not decode.
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "resfile/ReconStream.h"
#include "resfile/ResCode.h"

namespace marquill::resfile {

class IFFNameList {
  public:
    static constexpr int32_t kNoName = -1;

    // The direct form, then the serialised form; -1 when neither decodes.
    ResCode Decode(std::span<const uint8_t> data, bool littleEndian);
    [[nodiscard]] std::vector<uint8_t> EncodeDirect() const;
    bool Reconstitute(ReconStream& stream, int32_t version);

    [[nodiscard]] std::string NameOf(int32_t key) const;
    // The key of the name, a new one when the name is not listed yet.
    int32_t KeyFor(const std::string& name);
    [[nodiscard]] bool Changed() const { return changed_; }
    void MarkWritten() { changed_ = false; }
    void Clear() {
        names_.clear();
        changed_ = false;
    }
    [[nodiscard]] size_t Count() const { return names_.size(); }

  private:
    bool DecodeDirect(std::span<const uint8_t> data, bool littleEndian);
    std::map<int32_t, std::string> names_;
    bool changed_ = false;
};

}  // namespace marquill::resfile
