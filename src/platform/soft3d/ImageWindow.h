#pragma once
// A window whose client area is an image in memory: what tests and the command line present to.
#include <cstdint>
#include <vector>

#include "platform/soft3d/Window.h"

namespace marquill::platform::soft3d {

class ImageWindow final : public Window {
  public:
    ImageWindow(Rect clientOnScreen, Window* parent = nullptr);
    [[nodiscard]] Window* parent() const override { return parent_; }
    [[nodiscard]] Rect clientRectOnScreen() const override { return client_; }
    void moveTo(int32_t x, int32_t y) {
        client_ = client_.offset(x - client_.left, y - client_.top);
    }
    void screenUpdated(const Surface& screen, const Rect& screenRect) override;

    // Client-area pixels as 0x00RRGGBB, row by row.
    [[nodiscard]] const std::vector<uint32_t>& pixels() const { return pixels_; }
    [[nodiscard]] uint32_t pixel(int32_t x, int32_t y) const {
        return pixels_[size_t(y) * size_t(client_.width()) + size_t(x)];
    }
    [[nodiscard]] const std::vector<Rect>& updates() const { return updates_; }
    void clearUpdates() { updates_.clear(); }

  private:
    Rect client_;
    Window* parent_;
    std::vector<uint32_t> pixels_;
    std::vector<Rect> updates_;  // in client coordinates
};

}  // namespace marquill::platform::soft3d
