#pragma once
// A rectangle of pixels in memory with a pixel format: the screen (primary), back buffers, depth
// buffers, textures and plain off-screen surfaces. Lock gives the caller the pixels; blits copy
// between surfaces of one format, clipped to a window when the target has a clipper.
#include <cstdint>
#include <vector>

#include "platform/soft3d/Clipper.h"
#include "platform/soft3d/Palette.h"
#include "platform/soft3d/PixelFormat.h"
#include "platform/soft3d/RefCounted.h"
#include "platform/soft3d/Status.h"

namespace marquill::platform::soft3d {

class DrawingObject;

struct SurfaceDesc {
    enum Caps : uint32_t {
        kPrimary = 1u << 0,
        kFlip = 1u << 1,
        kComplex = 1u << 2,
        k3DDevice = 1u << 3,
        kOffscreenPlain = 1u << 4,
        kSystemMemory = 1u << 5,
        kVideoMemory = 1u << 6,
        kTexture = 1u << 7,
        kDepthBuffer = 1u << 8,
        kBackBuffer = 1u << 9,
    };
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t caps = 0;
    bool hasPixelFormat = false;  // otherwise the display's format
    PixelFormat pixelFormat;
    uint32_t backBufferCount = 0;
    int32_t pitch = 0;  // filled in by the surface
};

struct LockedArea {
    uint8_t* bits = nullptr;
    int32_t pitch = 0;
};

class Surface final : public RefCounted {
  public:
    [[nodiscard]] const SurfaceDesc& desc() const { return desc_; }
    [[nodiscard]] const PixelFormat& pixelFormat() const { return desc_.pixelFormat; }
    [[nodiscard]] uint32_t width() const { return desc_.width; }
    [[nodiscard]] uint32_t height() const { return desc_.height; }
    [[nodiscard]] Rect bounds() const {
        return {0, 0, static_cast<int32_t>(desc_.width), static_cast<int32_t>(desc_.height)};
    }

    // Locks the whole surface, or `area` when given; the bits point at the area's first pixel.
    [[nodiscard]] Status lock(const Rect* area, LockedArea& out);
    [[nodiscard]] Status unlock();
    [[nodiscard]] bool isLocked() const { return locked_; }

    // Copies src (whole, or srcRect) to this surface at dst (whole, or dstRect's top-left) without
    // scaling. Both surfaces must share one pixel format. A clipper limits the target area.
    [[nodiscard]] Status blt(const Rect* dstRect, Surface& src, const Rect* srcRect);
    [[nodiscard]] Status colorFill(const Rect* dstRect, uint32_t pixel);
    // Full-screen page flip of a primary with an attached back buffer.
    [[nodiscard]] Status flip();

    [[nodiscard]] bool isLost() const { return lost_; }
    void markLost() {
        lost_ = true;
        forgetCopies(bounds());
    }
    [[nodiscard]] Status restore();

    [[nodiscard]] Status addAttachedSurface(Surface& s);
    [[nodiscard]] Status deleteAttachedSurface(Surface& s);
    // The first attached surface with all of `caps`; a new reference for the caller.
    [[nodiscard]] Status attachedSurface(uint32_t caps, Ref<Surface>& out) const;

    void setPalette(Palette* p) {
        palette_ = Ref<Palette>(p);
        ++version_;
    }
    [[nodiscard]] Palette* palette() const { return palette_.get(); }
    void setClipper(Clipper* c) { clipper_ = Ref<Clipper>(c); }
    [[nodiscard]] Clipper* clipper() const { return clipper_.get(); }

    // The texture load: copies the pixels and palette of a surface of the same size and format.
    [[nodiscard]] Status loadFrom(Surface& src);

    // Direct access for presentation and tests (callers check the format first). Writable rows
    // may be written anywhere, so the surface forgets what it knew of its contents.
    [[nodiscard]] uint8_t* row(uint32_t y) {
        uniform_ = false;
        forgetCopies(bounds());
        return pixels_.data() + size_t{y} * pitch();
    }
    [[nodiscard]] const uint8_t* row(uint32_t y) const {
        return pixels_.data() + size_t{y} * pitch();
    }
    [[nodiscard]] int32_t pitch() const { return desc_.pitch; }
    // The first row for the 3D device, which reports the area it draws through written().
    [[nodiscard]] uint8_t* bitsForDrawing() { return pixels_.data(); }
    void written(const Rect& area);
    // Pixels as 0xAARRGGBB, rebuilt when the contents changed (textures are sampled from this).
    [[nodiscard]] const std::vector<uint32_t>& argb();
    void contentsChanged() { ++version_; }

    // Made by the drawing object only.
    static Ref<Surface> make(DrawingObject* owner, const SurfaceDesc& desc);
    void detachFromOwner() { owner_ = nullptr; }

  private:
    Surface(DrawingObject* owner, const SurfaceDesc& desc);
    ~Surface() override;
    void notifyScreen(const Rect& r);
    // The pixels of `area` changed other than by a copy this surface remembers.
    void forgetCopies(const Rect& area);
    void unlinkCopies();

    DrawingObject* owner_;
    SurfaceDesc desc_;
    std::vector<uint8_t> pixels_;
    std::vector<Ref<Surface>> attached_;
    Ref<Palette> palette_;
    Ref<Clipper> clipper_;
    bool locked_ = false;
    bool lost_ = false;
    bool implicit_ = false;
    // While uniform_, every pixel outside dirty_ holds uniformPixel_, so a fill with that value
    // need only rewrite dirty_: clearing a frame costs what the last frame drew, not the surface.
    bool uniform_ = true;  // new pixels are all zero
    uint32_t uniformPixel_ = 0;
    Rect dirty_;
    // A blit remembers what it copied, so the next copy of the same rectangle from the same
    // source takes only what changed there since (the window presents the whole frame every
    // time, most of it as it was). As a target: copySource_'s pixels at p - copyOffset_ equal
    // these over copyArea_, except where the source has changed since. As a source: copiedTo_
    // is the target that remembers it, changedSinceCopy_ what was written here since.
    Surface* copySource_ = nullptr;
    Rect copyArea_;
    int32_t copyOffsetX_ = 0, copyOffsetY_ = 0;
    Surface* copiedTo_ = nullptr;
    Rect changedSinceCopy_;
    uint64_t version_ = 1;
    uint64_t argbVersion_ = 0;
    std::vector<uint32_t> argb_;

    friend class DrawingObject;
};

}  // namespace marquill::platform::soft3d
