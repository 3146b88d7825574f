#pragma once
// Pictures as PNG files, eight bits a channel, red, green, blue, top row first: the command
// line's renders and the stored reference frames of the tests.
#include <optional>
#include <string>

#include "image/RgbImage.h"

namespace marquill::image {

// False when the file cannot be written (nothing is left behind) or the image is malformed.
[[nodiscard]] bool writePng(const std::string& path, const RgbImage& image);
// None when the file is missing, not a PNG, or implausibly large; any PNG is converted to 8-bit
// RGB.
[[nodiscard]] std::optional<RgbImage> readPng(const std::string& path);

}  // namespace marquill::image
