#pragma once
// Serialisable records. A record class T has
//     bool Reconstitute(ReconStream& stream, int32_t version);
// walking its fields in order; SimpleReconObject<T> binds such a record to the four-character
// code under which it is stored.
#include <cstdint>

#include "resfile/ReconStream.h"
#include "resfile/ResType.h"

namespace marquill::resfile {

class ReconObject {
  public:
    ReconObject() = default;
    ReconObject(const ReconObject&) = default;
    ReconObject& operator=(const ReconObject&) = default;
    virtual ~ReconObject() = default;
    // False when the stream failed (data ran out or contradicted itself).
    virtual bool Reconstitute(ReconStream& stream, int32_t version) {
        (void)version;
        return !stream.Failed();
    }
    [[nodiscard]] virtual uint32_t Code() const { return MakeResType("Rcon"); }
};

template <typename T>
class SimpleReconObject final : public ReconObject {
  public:
    SimpleReconObject(T& object, uint32_t code) : object_(&object), code_(code) {}
    bool Reconstitute(ReconStream& stream, int32_t version) override {
        return object_->Reconstitute(stream, version) && !stream.Failed();
    }
    [[nodiscard]] uint32_t Code() const override { return code_; }

  private:
    T* object_;
    uint32_t code_;
};

}  // namespace marquill::resfile
