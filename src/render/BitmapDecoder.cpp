#include "render/BitmapDecoder.h"

#include <bit>
#include <cstring>
#include <unordered_map>

#include "platform/ByteReader.h"

namespace marquill::render {

using platform::ByteReader;
using platform::soft3d::PaletteEntries;
using platform::soft3d::PaletteEntry;
using platform::soft3d::PixelFormat;

namespace {

constexpr uint32_t kNoCompression = 0;
constexpr uint32_t kRunLength8 = 1;

bool supported16(const PixelFormat& f) {
    struct Masks {
        uint32_t r, g, b;
    };
    constexpr Masks kAllowed[] = {{0x7C00, 0x03E0, 0x001F},
                                  {0xF800, 0x07E0, 0x001F},
                                  {0xF800, 0x07C0, 0x003F},
                                  {0xFC00, 0x03E0, 0x001F}};
    for (const Masks& m : kAllowed) {
        if (f.redMask == m.r && f.greenMask == m.g && f.blueMask == m.b) return true;
    }
    return false;
}

uint32_t packChannel(uint8_t v, uint32_t mask) {
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    return (uint32_t(v >> (8 - bits)) << shift) & mask;
}

// Run-length 8-bit data into one index per pixel, rows in file order. Every run and literal is
// checked against the row and the image.
RenderResult expandRunLength(ByteReader& r, int32_t w, int32_t h, std::vector<uint8_t>& out) {
    out.assign(size_t(w) * size_t(h), 0);
    int64_t x = 0, y = 0;
    while (true) {
        const auto count = r.u8();
        const auto value = r.u8();
        if (!count || !value) {
            if (y >= h) return kRenderOk;  // every row was given; the end marker is missing
            return kRenderImageEndedEarly;
        }
        if (*count > 0) {
            if (y >= h || x + *count > w) return kRenderCannotConvert;
            std::memset(out.data() + size_t(y) * size_t(w) + size_t(x), *value, *count);
            x += *count;
            continue;
        }
        switch (*value) {
            case 0:
                x = 0;
                ++y;
                break;
            case 1:
                return kRenderOk;
            case 2: {
                const auto dx = r.u8();
                const auto dy = r.u8();
                if (!dx || !dy) return kRenderImageEndedEarly;
                x += *dx;
                y += *dy;
                if (x > w || y > h) return kRenderCannotConvert;
                break;
            }
            default: {
                const uint8_t n = *value;
                if (y >= h || x + n > w) return kRenderCannotConvert;
                if (!r.copy(out.data() + size_t(y) * size_t(w) + size_t(x), n))
                    return kRenderImageEndedEarly;
                if ((n & 1) && !r.skip(1)) return kRenderImageEndedEarly;
                x += n;
            }
        }
    }
}

}  // namespace

uint16_t packColor16(const PixelFormat& f, uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t(packChannel(r, f.redMask) | packChannel(g, f.greenMask) |
                    packChannel(b, f.blueMask));
}

RenderResult readBitmapHeader(std::span<const uint8_t> file, BitmapHeader& out) {
    ByteReader r(file);
    const auto signature = r.chars(2);
    if (!signature) return kRenderImageEndedEarly;
    if (*signature != "BM") return kRenderNotABitmap;
    if (!r.skip(12)) return kRenderImageEndedEarly;
    const auto infoSize = r.u32le();
    const auto width = r.i32le();
    const auto height = r.i32le();
    const auto planes = r.u16le();
    const auto bits = r.u16le();
    const auto compression = r.u32le();
    if (!infoSize || !width || !height || !planes || !bits || !compression || !r.skip(12))
        return kRenderImageEndedEarly;
    const auto colorsUsed = r.u32le();
    if (!colorsUsed || !r.skip(4)) return kRenderImageEndedEarly;
    if (*infoSize < 40) return kRenderUnsupportedBitmap;
    if (!r.skip(*infoSize - 40)) return kRenderImageEndedEarly;

    if (*width <= 0 || *height == 0 || *height == INT32_MIN) return kRenderUnsupportedBitmap;
    const int32_t rows = *height < 0 ? -*height : *height;
    if (*width > kMaxBitmapSide || rows > kMaxBitmapSide) return kRenderUnsupportedBitmap;
    if (*bits != 1 && *bits != 4 && *bits != 8 && *bits != 24) return kRenderUnsupportedBitmap;

    out.width = *width;
    out.height = rows;
    out.topDown = *height < 0;
    out.bits = *bits;
    out.compression = *compression;
    out.palette.clear();
    if (!(*bits == 24 && *colorsUsed == 0)) {
        const uint64_t count = *colorsUsed ? *colorsUsed : (uint64_t{1} << *bits);
        if (count > 256) return kRenderPaletteTooLarge;
        for (uint64_t i = 0; i < count; ++i) {
            const auto bgr = r.bytes(4);
            if (!bgr) return kRenderImageEndedEarly;
            out.palette.push_back({(*bgr)[2], (*bgr)[1], (*bgr)[0], 0});
        }
    }
    out.pixelOffset = r.position();
    return kRenderOk;
}

RenderResult decodeBitmap(std::span<const uint8_t> file, const BitmapHeader& h,
                          const BitmapTarget& target, PaletteEntries& palette) {
    const PixelFormat& f = target.format;
    if (!f.has(PixelFormat::kRgb)) return kRenderUnsupportedBitmap;
    const bool to8 = f.bitsPerPixel == 8 && f.has(PixelFormat::kPalette8);
    if (!to8 && f.bitsPerPixel != 16) return kRenderCannotConvert;
    if (!to8 && !supported16(f)) return kRenderCannotConvert;
    if (target.width != uint32_t(h.width) || target.height != uint32_t(h.height))
        return kRenderCannotConvert;
    const bool indexed = h.bits != 24;
    if (h.bits == 24 && h.compression != kNoCompression) return kRenderUnsupportedBitmap;
    if (h.compression != kNoCompression && !(h.bits == 8 && h.compression == kRunLength8))
        return kRenderUnsupportedBitmap;

    ByteReader r(file);
    if (!r.seek(h.pixelOffset)) return kRenderImageEndedEarly;
    const int32_t w = h.width;
    std::vector<uint8_t> expanded;
    size_t rowBytes = (size_t(w) * h.bits + 31) / 32 * 4;
    std::span<const uint8_t> rowsData;
    if (h.compression == kRunLength8) {
        if (RenderResult res = expandRunLength(r, w, h.height, expanded); res != kRenderOk)
            return res;
        rowsData = expanded;
        rowBytes = size_t(w);
    } else {
        const auto data = r.bytes(rowBytes * size_t(h.height));
        if (!data) return kRenderImageEndedEarly;
        rowsData = *data;
    }

    palette.fill(PaletteEntry{});
    for (size_t i = 0; i < h.palette.size(); ++i)
        palette[i] = h.palette[i];
    std::unordered_map<uint32_t, uint8_t> built;  // 24-bit colours into an 8-bit target
    for (int32_t row = 0; row < h.height; ++row) {
        const uint8_t* src = rowsData.data() + size_t(row) * rowBytes;
        const int32_t y = h.topDown ? row : h.height - 1 - row;
        uint8_t* dst = target.bits + size_t(y) * size_t(target.pitch);
        for (int32_t x = 0; x < w; ++x) {
            uint8_t red, green, blue, index = 0;
            if (indexed) {
                switch (h.bits) {
                    case 8:
                        index = src[x];
                        break;
                    case 4:
                        index = uint8_t((src[x / 2] >> ((x & 1) ? 0 : 4)) & 0x0F);
                        break;
                    default:
                        index = uint8_t((src[x / 8] >> (7 - (x & 7))) & 1);
                        break;
                }
                // An index past the bitmap's colours reads as black.
                const PaletteEntry c = index < h.palette.size() ? h.palette[index] : PaletteEntry{};
                red = c.red, green = c.green, blue = c.blue;
            } else {
                blue = src[size_t(x) * 3], green = src[size_t(x) * 3 + 1],
                red = src[size_t(x) * 3 + 2];
                if (to8) {
                    const uint32_t key = uint32_t(red) << 16 | uint32_t(green) << 8 | blue;
                    auto it = built.find(key);
                    if (it == built.end()) {
                        if (built.size() == 256) return kRenderPaletteTooLarge;
                        const uint8_t next = uint8_t(built.size());
                        it = built.emplace(key, next).first;
                        palette[next] = {red, green, blue, 0};
                    }
                    index = it->second;
                }
            }
            if (to8) {
                dst[x] = index;
            } else {
                const uint16_t v = packColor16(f, red, green, blue);
                std::memcpy(dst + size_t(x) * 2, &v, 2);
            }
        }
    }
    return kRenderOk;
}

}  // namespace marquill::render
