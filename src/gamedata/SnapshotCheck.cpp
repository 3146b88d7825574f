#include "gamedata/SnapshotCheck.h"

#include "platform/ByteReader.h"

namespace marquill::gamedata {

// FF D8 (start of image), then segments FF xx with a big-endian length that counts itself;
// a frame header (SOF0-SOF15 except DHT C4, JPG C8 and DAC CC) holds precision, height, width
// and the component count; the scan (FF DA) follows, and the image ends with FF D9.
std::optional<JpegFrame> readJpegFrame(std::span<const uint8_t> bytes) {
    platform::ByteReader reader(bytes);
    if (reader.u16be() != 0xFFD8) return std::nullopt;
    std::optional<JpegFrame> frame;
    for (;;) {
        auto ff = reader.u8();
        if (!ff || *ff != 0xFF) return std::nullopt;
        auto marker = reader.u8();
        while (marker && *marker == 0xFF)
            marker = reader.u8();  // fill bytes
        if (!marker) return std::nullopt;
        if (*marker == 0x01 || (*marker >= 0xD0 && *marker <= 0xD7)) continue;  // no length
        auto length = reader.u16be();
        if (!length || *length < 2) return std::nullopt;
        auto segment = reader.sub(*length - 2u);
        if (!segment) return std::nullopt;
        const bool isFrame = *marker >= 0xC0 && *marker <= 0xCF && *marker != 0xC4 &&
                             *marker != 0xC8 && *marker != 0xCC;
        if (isFrame) {
            if (frame) return std::nullopt;
            auto precision = segment->u8();
            auto height = segment->u16be();
            auto width = segment->u16be();
            auto components = segment->u8();
            if (!precision || !height || !width || !components || *height == 0 || *width == 0 ||
                (*components != 1 && *components != 3) || segment->remaining() < 3u * *components)
                return std::nullopt;
            frame = JpegFrame{*width, *height};
        }
        if (*marker == 0xDA) break;
    }
    // The entropy-coded data runs to the end-of-image marker.
    if (!frame || bytes.size() < 2 || bytes[bytes.size() - 2] != 0xFF ||
        bytes[bytes.size() - 1] != 0xD9)
        return std::nullopt;
    return frame;
}

}  // namespace marquill::gamedata
