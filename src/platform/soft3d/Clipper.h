#pragma once
#include "platform/soft3d/RefCounted.h"
#include "platform/soft3d/Window.h"

namespace marquill::platform::soft3d {

// Keeps copies to the screen inside one window's client area.
class Clipper final : public RefCounted {
  public:
    void setWindow(Window* window) { window_ = window; }
    [[nodiscard]] Window* window() const { return window_; }

  private:
    Window* window_ = nullptr;
};

}  // namespace marquill::platform::soft3d
