#pragma once
// Pictures of downloaded celebrities, decoded through the image module. It holds the module
// without initialising it, so the snapshot writer's hold on the same module is not disturbed.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "image/PictrixAbi.h"
#include "image/RgbImage.h"
#include "platform/SharedModule.h"

namespace marquill::image {

class JpegDecoder {
  public:
    // None when the module cannot be loaded or has no decoder.
    [[nodiscard]] static std::unique_ptr<JpegDecoder> load(const std::string& modulePath);

    // None when the bytes are no JPEG or the picture is larger than maxSide on a side.
    [[nodiscard]] std::optional<RgbImage> decode(std::span<const uint8_t> jpeg,
                                                 int32_t maxSide) const;

  private:
    JpegDecoder() = default;
    std::unique_ptr<platform::SharedModule> module_;
    PictrixDecodeJpegFn decode_ = nullptr;
};

}  // namespace marquill::image
