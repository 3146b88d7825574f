#pragma once
// What the drawing layer draws into: a window with a client area on the screen. The screen is the
// drawing object's primary surface; when a copy changes part of the screen under a window, the
// window is told and takes the pixels it shows (the preview widget, or an image in tests).
#include "platform/soft3d/PixelFormat.h"

namespace marquill::platform::soft3d {

class Surface;

class Window {
  public:
    virtual ~Window() = default;
    [[nodiscard]] virtual Window* parent() const { return nullptr; }
    [[nodiscard]] virtual Rect clientRectOnScreen() const = 0;
    virtual void screenUpdated(const Surface& screen, const Rect& screenRect) = 0;
};

}  // namespace marquill::platform::soft3d
