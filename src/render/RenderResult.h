#pragma once
// Results of renderer operations: 0 success, the renderer's own failures 0x9B0B00xx, and the
// drawing layer's codes passed through unchanged.
#include <cstdint>

namespace marquill::render {

using RenderResult = uint32_t;

inline constexpr RenderResult kRenderOk = 0;
// A missing platform module or entry point, or an unreadable system palette.
inline constexpr RenderResult kRenderPlatformMissing = 1;
inline constexpr RenderResult kRenderOutOfMemory = 0x9B0B0001;
inline constexpr RenderResult kRenderNoPlatformMaterial = 0x9B0B0002;
inline constexpr RenderResult kRenderNotSupported = 0x9B0B0004;
inline constexpr RenderResult kRenderImageEndedEarly = 0x9B0B0012;
inline constexpr RenderResult kRenderNoScreenContext = 0x9B0B0014;
inline constexpr RenderResult kRenderNotABitmap = 0x9B0B0017;
inline constexpr RenderResult kRenderCannotConvert = 0x9B0B0018;
inline constexpr RenderResult kRenderPaletteTooLarge = 0x9B0B0019;
inline constexpr RenderResult kRenderUnsupportedBitmap = 0x9B0B001A;
inline constexpr RenderResult kRenderNoSuitableDevice = 0x9B0B001C;
inline constexpr RenderResult kRenderNotAnImageFile = 0x9B0B001D;
inline constexpr RenderResult kRenderNoDisplayMode = 0x9B0B001E;
inline constexpr RenderResult kRenderNotAChild = 0x9B0B001F;
inline constexpr RenderResult kRenderTooManyLights = 0x9B0B0020;
// No file of that name on the search path (the host's "file not found").
inline constexpr RenderResult kRenderFileNotFound = 0x80070002;

}  // namespace marquill::render
