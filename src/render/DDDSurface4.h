#pragma once
// A surface wrapper that also keeps the surface's plain interface, taken again on every set.
#include "platform/soft3d/Surface.h"
#include "render/DDDCOMWrapper.h"

namespace marquill::render {

class DDDSurface4 final : public DDDCOMWrapper<platform::soft3d::Surface> {
  public:
    DDDSurface4() = default;
    explicit DDDSurface4(platform::soft3d::Surface* s) { DDDSurface4::set(s); }
    DDDSurface4(const DDDSurface4& o) : DDDCOMWrapper(o) { plain_.set(o.get()); }
    DDDSurface4& operator=(const DDDSurface4& o) {
        if (this != &o) set(o.get());
        return *this;
    }
    ~DDDSurface4() override = default;

    void destroy() override {
        plain_.destroy();
        DDDCOMWrapper::destroy();
    }
    void set(platform::soft3d::Surface* s) override {
        DDDCOMWrapper::set(s);
        plain_.set(s);
    }
    [[nodiscard]] platform::soft3d::Surface* plain() const { return plain_.get(); }

  private:
    DDDCOMWrapper<platform::soft3d::Surface> plain_;
};

}  // namespace marquill::render
