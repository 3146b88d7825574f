#pragma once
// Owns one reference to one platform object, or none.
#include <utility>

namespace marquill::render {

template <typename T>
class DDDCOMWrapper {
  public:
    DDDCOMWrapper() = default;
    explicit DDDCOMWrapper(T* p) { DDDCOMWrapper::set(p); }
    DDDCOMWrapper(const DDDCOMWrapper& o) { DDDCOMWrapper::set(o.p_); }
    DDDCOMWrapper& operator=(const DDDCOMWrapper& o) {
        if (this != &o) set(o.p_);
        return *this;
    }
    virtual ~DDDCOMWrapper() { release(); }

    // Releases the reference.
    virtual void destroy() { release(); }
    // Takes a reference to the new object and releases the old one.
    virtual void set(T* p) {
        if (p) p->addRef();
        release();
        p_ = p;
    }

    [[nodiscard]] T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    void release() {
        if (T* old = std::exchange(p_, nullptr)) old->release();
    }
    T* p_ = nullptr;
};

}  // namespace marquill::render
