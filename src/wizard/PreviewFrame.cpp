#include "wizard/PreviewFrame.h"

#include "preview/PreviewScene.h"

namespace marquill::wizard {

PreviewFrame takePreviewFrame(preview::PreviewScene* scene) {
    PreviewFrame frame;
    if (!scene) return frame;
    frame.changed = scene->takeChangedRects();
    const platform::soft3d::Surface* back = scene->backBuffer();
    if (!back || back->pixelFormat() != platform::soft3d::PixelFormat::xrgb8888() ||
        back->height() == 0)
        return frame;
    const platform::soft3d::Rect shown = scene->frameRect().intersect(
        {0, 0, static_cast<int32_t>(back->width()), static_cast<int32_t>(back->height())});
    if (shown.empty() || shown.left != 0 || shown.top != 0) return frame;
    frame.pixels = back->row(0);
    frame.width = shown.width();
    frame.height = shown.height();
    frame.stride = static_cast<int>(back->pitch());
    frame.devicePixelRatio = scene->pixelRatio();
    return frame;
}

}  // namespace marquill::wizard
