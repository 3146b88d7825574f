#pragma once
// Writes a rectangle of a surface as a JPEG file through the image library: the pixels are
// converted to 32 bits (blue, green, red, alpha), top row first. Nothing is reported to the
// user; a snapshot that cannot be written leaves no file.
#include <cstdint>
#include <string>
#include <vector>

#include "image/ImageLibrary.h"
#include "platform/soft3d/Surface.h"

namespace marquill::image {

// 1 when the file was written, 0 when nothing was. A rect with a negative left edge, or none,
// means the whole surface.
[[nodiscard]] int32_t SurfaceSnapshotWriter(ImageLibrary& library, const std::string& fileName,
                                            platform::soft3d::Surface* surface,
                                            const platform::soft3d::Rect* rect = nullptr);

// One row of surface pixels as blue, green, red, alpha bytes; false for formats not read.
[[nodiscard]] bool convertRowTo32(const platform::soft3d::PixelFormat& format, const uint8_t* src,
                                  uint32_t width, uint8_t* out);

// The information record for a width x height picture at the snapshot quality.
[[nodiscard]] std::vector<uint8_t> snapshotInfoRecord(int32_t width, int32_t height);

}  // namespace marquill::image
