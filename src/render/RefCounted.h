#pragma once
// Reference counting of renderer objects: a new object holds one reference for its creator and
// the last release destroys it.
#include <cstdint>

namespace marquill::render {

class RefCounted {
  public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    uint32_t addRef() { return ++refs_; }
    uint32_t release() {
        const uint32_t left = --refs_;
        if (left == 0) delete this;
        return left;
    }
    [[nodiscard]] uint32_t refCount() const { return refs_; }

  protected:
    virtual ~RefCounted() = default;

  private:
    uint32_t refs_ = 1;
};

}  // namespace marquill::render
