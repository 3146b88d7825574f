#include "image/JpegDecoder.h"

#include <limits>

namespace marquill::image {

std::unique_ptr<JpegDecoder> JpegDecoder::load(const std::string& modulePath) {
    std::unique_ptr<JpegDecoder> decoder(new JpegDecoder());
    decoder->module_ = platform::SharedModule::load(modulePath);
    if (!decoder->module_) return nullptr;
    decoder->decode_ =
        reinterpret_cast<PictrixDecodeJpegFn>(decoder->module_->symbol(kDecodeJpegEntry));
    if (!decoder->decode_) return nullptr;
    return decoder;
}

std::optional<RgbImage> JpegDecoder::decode(std::span<const uint8_t> jpeg, int32_t maxSide) const {
    if (jpeg.empty() || jpeg.size() > size_t(std::numeric_limits<int32_t>::max()) || maxSide <= 0 ||
        maxSide > 8192)
        return std::nullopt;
    RgbImage image;
    image.pixels.resize(size_t(maxSide) * size_t(maxSide) * 3);
    if (!decode_(jpeg.data(), int32_t(jpeg.size()), maxSide, &image.width, &image.height,
                 image.pixels.data(), int32_t(image.pixels.size())))
        return std::nullopt;
    image.pixels.resize(size_t(image.width) * size_t(image.height) * 3);
    return image;
}

}  // namespace marquill::image
