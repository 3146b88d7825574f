#include "platform/soft3d/ImageWindow.h"

#include <cstring>

#include "platform/soft3d/Surface.h"

namespace marquill::platform::soft3d {

ImageWindow::ImageWindow(Rect clientOnScreen, Window* parent)
    : client_(clientOnScreen),
      parent_(parent),
      pixels_(size_t(clientOnScreen.width()) * size_t(clientOnScreen.height()), 0) {}

void ImageWindow::screenUpdated(const Surface& screen, const Rect& screenRect) {
    const Rect r = screenRect.intersect(client_).intersect(screen.bounds());
    if (r.empty()) return;
    const PixelFormat& f = screen.pixelFormat();
    const uint32_t bpp = f.bytesPerPixel();
    for (int32_t y = r.top; y < r.bottom; ++y) {
        const uint8_t* src = screen.row(uint32_t(y)) + size_t(r.left) * bpp;
        uint32_t* dst = pixels_.data() + size_t(y - client_.top) * size_t(client_.width()) +
                        size_t(r.left - client_.left);
        for (int32_t x = r.left; x < r.right; ++x, src += bpp) {
            uint32_t v = 0;
            std::memcpy(&v, src, bpp);
            Channels c = unpackPixel(f, v);
            if (f.has(PixelFormat::kPalette8) && screen.palette()) {
                const PaletteEntry& e = screen.palette()->entries()[v & 0xFF];
                c = {e.red, e.green, e.blue, 255};
            }
            *dst++ = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
        }
    }
    updates_.push_back(r.offset(-client_.left, -client_.top));
}

}  // namespace marquill::platform::soft3d
