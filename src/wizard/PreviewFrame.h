#pragma once
// One frame of the preview as the wizard hands it to the window: where the pixels of the back
// buffer are, how many of them make one unit of the window, and which of them changed since the
// frame before.
#include <cstdint>
#include <vector>

#include "platform/soft3d/PixelFormat.h"

namespace marquill::preview {
class PreviewScene;
}

namespace marquill::wizard {

struct PreviewFrame {
    // 32-bit words 0x00RRGGBB, `stride` bytes from one row to the next; none while there is no
    // picture to show (before the preview is ready, or a buffer of another format).
    const uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    // Buffer pixels per unit of the window: 2 on a screen of twice the density.
    double devicePixelRatio = 1.0;
    // In buffer pixels. The whole picture is new when the pixels, the size or the ratio are.
    std::vector<platform::soft3d::Rect> changed;
};

// The scene's frame as it stands, taking its changed rectangles; an empty frame for no scene.
[[nodiscard]] PreviewFrame takePreviewFrame(preview::PreviewScene* scene);

}  // namespace marquill::wizard
