#include "image/SurfaceSnapshotWriter.h"

#include <cstdio>
#include <cstring>

namespace marquill::image {

using platform::soft3d::LockedArea;
using platform::soft3d::PixelFormat;
using platform::soft3d::Rect;
using platform::soft3d::Surface;

namespace {

void put32(std::vector<uint8_t>& v, size_t offset, int32_t value) {
    std::memcpy(v.data() + offset, &value, 4);
}

}  // namespace

std::vector<uint8_t> snapshotInfoRecord(int32_t width, int32_t height) {
    std::vector<uint8_t> info(kInfoRecordSize, 0);
    put32(info, kInfoSizeOffset, int32_t(kInfoRecordSize));
    put32(info, kInfoVersionOffset, kInfoVersion);
    put32(info, kInfoFrameOffset, 1);
    put32(info, kInfoWidthOffset, width);
    put32(info, kInfoHeightOffset, height);
    put32(info, kInfoSourceBppOffset, 32);
    put32(info, kInfoBppOffset, 32);
    put32(info, kInfoQualityOffset, kSnapshotQuality);
    return info;
}

bool convertRowTo32(const PixelFormat& f, const uint8_t* src, uint32_t width, uint8_t* out) {
    switch (f.bitsPerPixel) {
        case 16:
            for (uint32_t x = 0; x < width; ++x, out += 4) {
                uint16_t p;
                std::memcpy(&p, src + size_t(x) * 2, 2);
                if (f.greenMask == 0x07E0) {
                    out[0] = uint8_t((p & 31) * 255 / 31);
                    out[1] = uint8_t(((p >> 5) & 63) * 255 / 63);
                    out[2] = uint8_t(((p >> 11) & 31) * 255 / 31);
                } else {
                    // The other 16-bit layout surfaces have here is x-5-5-5.
                    out[0] = uint8_t((p & 31) * 255 / 31);
                    out[1] = uint8_t(((p >> 5) & 31) * 255 / 31);
                    out[2] = uint8_t(((p >> 10) & 31) * 255 / 31);
                }
                out[3] = 0;
            }
            return true;
        case 24:
            for (uint32_t x = 0; x < width; ++x, out += 4) {
                out[0] = src[size_t(x) * 3];
                out[1] = src[size_t(x) * 3 + 1];
                out[2] = src[size_t(x) * 3 + 2];
                out[3] = 255;
            }
            return true;
        case 32:
            std::memcpy(out, src, size_t(width) * 4);
            return true;
        default:
            return false;
    }
}

int32_t SurfaceSnapshotWriter(ImageLibrary& library, const std::string& fileName, Surface* surface,
                              const Rect* rect) {
    if (fileName.empty() || surface == nullptr) return 0;
    const Rect whole = surface->bounds();
    const Rect r = (rect == nullptr || rect->left < 0) ? whole : *rect;
    if (r.empty() || r.intersect(whole) != r) return 0;
    const PixelFormat& f = surface->pixelFormat();
    if ((f.bitsPerPixel != 16 && f.bitsPerPixel != 24 && f.bitsPerPixel != 32) ||
        f.has(PixelFormat::kDepth))
        return 0;

    const bool console = fileName.rfind("con:", 0) == 0;
    // A half-written picture is worse than none.
    auto discard = [&] {
        if (!console) std::remove(fileName.c_str());
    };
    LockedArea locked;
    if (surface->lock(&r, locked) != platform::soft3d::kOk) return 0;
    int32_t written = 0;
    do {
        if (library.find("jpg", 0) == 0) break;
        const PictrixCallbacks& cb = library.callbacks();
        void* stream = cb.openWrite(fileName.c_str());
        if (!stream) break;
        void* context = nullptr;
        if (library.openWrite(&context, stream, fileName.c_str(), 1) == 0) {
            (void)cb.close(stream);
            discard();
            break;
        }
        const uint32_t w = uint32_t(r.width()), h = uint32_t(r.height());
        std::vector<uint8_t> pixels(size_t(w) * h * 4);
        for (uint32_t y = 0; y < h; ++y)
            (void)convertRowTo32(f, locked.bits + size_t(y) * size_t(locked.pitch), w,
                                 pixels.data() + size_t(y) * w * 4);
        const std::vector<uint8_t> info = snapshotInfoRecord(int32_t(w), int32_t(h));
        const int32_t ok = library.write(context, info.data(), pixels.data(), int32_t(w * 4));
        const int32_t closed = library.close(context);
        const int32_t streamClosed = cb.close(stream);
        if (ok != 0 && closed != 0 && streamClosed != 0) {
            written = 1;
        } else {
            discard();
        }
    } while (false);
    (void)surface->unlock();
    return written;
}

}  // namespace marquill::image
