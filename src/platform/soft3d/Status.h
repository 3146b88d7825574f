#pragma once
// Result codes of the software drawing layer. They follow the numbering of the drawing interfaces
// the renderer was written against, so the renderer can pass them through unchanged.
#include <cstdint>

namespace marquill::platform::soft3d {

using Status = uint32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kGenericFailure = 0x80004005;
inline constexpr Status kUnsupported = 0x80004001;
inline constexpr Status kOutOfMemory = 0x8007000E;
inline constexpr Status kInvalidParams = 0x80070057;
inline constexpr Status kInvalidMode = 0x88760096;
inline constexpr Status kSurfaceBusy = 0x887601AE;
inline constexpr Status kSurfaceLost = 0x887601C2;
inline constexpr Status kNotLocked = 0x887601E0;
inline constexpr Status kImplicitlyCreated = 0x88760230;
inline constexpr Status kNoBlitHardware = 0x8876023F;
inline constexpr Status kNotFound = 0x887600FF;
inline constexpr Status kNotInScene = 0x887602C0;
inline constexpr Status kAlreadyInScene = 0x887602C1;
inline constexpr Status kBadHandle = 0x887602C2;

[[nodiscard]] inline constexpr bool succeeded(Status s) {
    return s == kOk;
}

}  // namespace marquill::platform::soft3d
