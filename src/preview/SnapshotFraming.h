#pragma once
// The two snapshot pictures: where they are cut from the preview's back buffer (left, top,
// right, bottom; right and bottom exclusive) and the framing they are drawn at.
#include "platform/soft3d/PixelFormat.h"

namespace marquill::preview {

inline constexpr platform::soft3d::Rect kHeadRegion{145, 146, 190, 191};
inline constexpr platform::soft3d::Rect kBodyRegion{120, 146, 220, 366};

inline constexpr int kSnapshotZoom = 2;
inline constexpr float kSnapshotFacing = 0.0f;  // South East
inline constexpr float kSnapshotSpin = 0.0f;

}  // namespace marquill::preview
