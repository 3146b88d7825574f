#pragma once
// The preview's camera: an orthographic, game-style view from 30 degrees above at a compass
// facing (in quarter turns, turning at a spin rate), scaled by a zoom level.
#include <cstdint>

#include "render/Camera.h"
#include "render/RenderResult.h"
#include "render/Viewport3D.h"

namespace marquill::render {

struct PreviewCameraSettings {
    float facing = 0;    // quarter turns; 0 shows the person from the south-east
    float spinRate = 0;  // quarter turns per second
    int32_t zoomIndex = 3;
    int32_t lastCameraTime = 0;  // clock milliseconds of the last placement
};

// World units per zoom index: 128, 192, 256, 384, 512, then 128 x 2^i.
[[nodiscard]] float previewZoomScale(int32_t zoomIndex);

struct PreviewCameraPlacement {
    Vec3 position;
    Vec3 direction;
    float viewWidth;
    Matrix4 projection;
};

// Advances the facing by the spin since the last placement and computes the camera for a viewport
// of `framing`'s size; placePreviewCamera gives it to the camera and the viewport.
//
// A viewport of more pixels than `framing` (a screen of higher density) shows the same picture
// in finer pixels: the pan and the width of the view follow `framing`, only the projection's
// aspect follows the viewport.
[[nodiscard]] PreviewCameraPlacement computePreviewCamera(PreviewCameraSettings& settings,
                                                          const Rect& viewport, int32_t now,
                                                          const Rect& framing);
[[nodiscard]] inline PreviewCameraPlacement computePreviewCamera(PreviewCameraSettings& settings,
                                                                 const Rect& viewport,
                                                                 int32_t now) {
    return computePreviewCamera(settings, viewport, now, viewport);
}
[[nodiscard]] RenderResult placePreviewCamera(PreviewCameraSettings& settings, Camera& camera,
                                              Viewport3D& viewport, int32_t now,
                                              const Rect& framing);
[[nodiscard]] inline RenderResult placePreviewCamera(PreviewCameraSettings& settings,
                                                     Camera& camera, Viewport3D& viewport,
                                                     int32_t now) {
    return placePreviewCamera(settings, camera, viewport, now, viewport.rect());
}

}  // namespace marquill::render
