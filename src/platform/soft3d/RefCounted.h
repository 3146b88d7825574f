#pragma once
// Objects of the drawing layer are shared by reference count, as the renderer's owning wrappers
// expect: a new object holds one reference for its creator, the last release destroys it.
#include <cstdint>
#include <utility>

namespace marquill::platform::soft3d {

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

// Holds one reference. `adopt` takes over a reference the caller already owns.
template <typename T>
class Ref {
  public:
    Ref() = default;
    static Ref adopt(T* p) {
        Ref r;
        r.p_ = p;
        return r;
    }
    explicit Ref(T* p) : p_(p) {
        if (p_) p_->addRef();
    }
    Ref(const Ref& o) : Ref(o.p_) {}
    Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ref& operator=(Ref o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~Ref() {
        if (p_) p_->release();
    }
    void reset() { Ref().swap(*this); }
    void swap(Ref& o) noexcept { std::swap(p_, o.p_); }
    [[nodiscard]] T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // Hands the reference to the caller.
    [[nodiscard]] T* detach() { return std::exchange(p_, nullptr); }

  private:
    T* p_ = nullptr;
};

}  // namespace marquill::platform::soft3d
