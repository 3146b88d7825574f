#include "platform/soft3d/Surface.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/soft3d/DrawingObject.h"

namespace marquill::platform::soft3d {

Ref<Surface> Surface::make(DrawingObject* owner, const SurfaceDesc& desc) {
    return Ref<Surface>::adopt(new Surface(owner, desc));
}

Surface::Surface(DrawingObject* owner, const SurfaceDesc& desc) : owner_(owner), desc_(desc) {
    const uint32_t bytes = desc_.pixelFormat.bytesPerPixel();
    // Rows are kept 4-byte aligned, as the drawing interfaces promise.
    desc_.pitch = static_cast<int32_t>((desc_.width * bytes + 3) & ~3u);
    pixels_.assign(size_t(desc_.pitch) * desc_.height, 0);
}

Surface::~Surface() {
    unlinkCopies();
    if (owner_) owner_->forget(this);
}

namespace {
Rect bounding(const Rect& a, const Rect& b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}
}  // namespace

void Surface::unlinkCopies() {
    if (copySource_) copySource_->copiedTo_ = nullptr;
    if (copiedTo_) copiedTo_->copySource_ = nullptr;
    copySource_ = copiedTo_ = nullptr;
}

void Surface::forgetCopies(const Rect& area) {
    if (area.empty()) return;
    if (copySource_) {
        copySource_->copiedTo_ = nullptr;
        copySource_ = nullptr;
    }
    if (copiedTo_) changedSinceCopy_ = bounding(changedSinceCopy_, area.intersect(bounds()));
}

Status Surface::lock(const Rect* area, LockedArea& out) {
    if (lost_) return kSurfaceLost;
    if (locked_) return kSurfaceBusy;
    Rect r = bounds();
    if (area) {
        if (area->empty() || area->intersect(r) != *area) return kInvalidParams;
        r = *area;
    }
    locked_ = true;
    written(r);
    out.bits = pixels_.data() + size_t(r.top) * desc_.pitch +
               size_t(r.left) * desc_.pixelFormat.bytesPerPixel();
    out.pitch = desc_.pitch;
    return kOk;
}

Status Surface::unlock() {
    if (!locked_) return kNotLocked;
    locked_ = false;
    ++version_;
    return kOk;
}

void Surface::written(const Rect& area) {
    const Rect a = area.intersect(bounds());
    if (a.empty()) return;
    forgetCopies(a);
    if (uniform_) dirty_ = bounding(dirty_, a);
}

void Surface::notifyScreen(const Rect& r) {
    if (!clipper_ || !clipper_->window()) return;
    if ((desc_.caps & SurfaceDesc::kPrimary) == 0) return;
    clipper_->window()->screenUpdated(*this, r);
}

Status Surface::blt(const Rect* dstRect, Surface& src, const Rect* srcRect) {
    if (lost_ || src.lost_) return kSurfaceLost;
    if (locked_ || src.locked_) return kSurfaceBusy;
    if (src.pixelFormat() != pixelFormat()) return kUnsupported;
    Rect s = srcRect ? *srcRect : src.bounds();
    if (s.empty() || s.intersect(src.bounds()) != s) return kInvalidParams;
    Rect d = dstRect ? *dstRect : bounds();
    if (d.width() != s.width() || d.height() != s.height()) return kUnsupported;  // no scaling
    Rect clip = bounds();
    if (clipper_ && clipper_->window())
        clip = clip.intersect(clipper_->window()->clientRectOnScreen());
    const Rect visible = d.intersect(clip);
    if (visible.empty()) return kOk;
    const int32_t sx = s.left + (visible.left - d.left);
    const int32_t sy = s.top + (visible.top - d.top);
    const int32_t offX = visible.left - sx, offY = visible.top - sy;
    // Pixels this surface already holds from the same place of the source need no copy.
    Rect copy = visible;
    if (&src != this && copySource_ == &src && copyOffsetX_ == offX && copyOffsetY_ == offY &&
        copyArea_.intersect(visible) == visible) {
        copy = visible.intersect(src.changedSinceCopy_.offset(offX, offY));
    }
    const size_t bpp = pixelFormat().bytesPerPixel();
    if (!copy.empty()) {
        const size_t rowBytes = size_t(copy.width()) * bpp;
        uint8_t* const to = pixels_.data() + size_t(copy.top) * pitch() + size_t(copy.left) * bpp;
        const uint8_t* const from =
            std::as_const(src).row(uint32_t(copy.top - offY)) + size_t(copy.left - offX) * bpp;
        for (int32_t y = 0; y < copy.height(); ++y)
            std::memmove(to + size_t(y) * pitch(), from + size_t(y) * src.pitch(), rowBytes);
    }
    if (uniform_) dirty_ = bounding(dirty_, visible);
    if (&src == this) {
        forgetCopies(visible);
    } else {
        if (copiedTo_) changedSinceCopy_ = bounding(changedSinceCopy_, copy);
        if (copySource_ != &src) {
            if (copySource_) copySource_->copiedTo_ = nullptr;
            if (src.copiedTo_) src.copiedTo_->copySource_ = nullptr;
            copySource_ = &src;
            src.copiedTo_ = this;
        }
        copyArea_ = visible;
        copyOffsetX_ = offX, copyOffsetY_ = offY;
        src.changedSinceCopy_ = Rect{};
    }
    ++version_;
    notifyScreen(visible);
    return kOk;
}

Status Surface::colorFill(const Rect* dstRect, uint32_t pixel) {
    if (lost_) return kSurfaceLost;
    if (locked_) return kSurfaceBusy;
    const Rect d = (dstRect ? *dstRect : bounds()).intersect(bounds());
    if (d.empty()) return kOk;
    const uint32_t bpp = pixelFormat().bytesPerPixel();
    const uint32_t value = bpp >= 4 ? pixel : pixel & ((1u << (8 * bpp)) - 1);
    // Outside dirty_ the pixels already hold the value.
    Rect fill = d;
    if (uniform_ && value == uniformPixel_) {
        fill = d.intersect(dirty_);
        if (fill == dirty_) dirty_ = Rect{};
    } else if (d == bounds()) {
        uniform_ = true;
        uniformPixel_ = value;
        dirty_ = Rect{};
    } else {
        written(d);
    }
    // Only `fill` changes: the rest of d already holds the value.
    forgetCopies(fill);
    for (int32_t y = fill.top; y < fill.bottom && !fill.empty(); ++y) {
        uint8_t* p = pixels_.data() + size_t(y) * pitch() + size_t(fill.left) * bpp;
        const int32_t n = fill.width();
        switch (bpp) {
            case 4:
                std::fill_n(reinterpret_cast<uint32_t*>(p), n, pixel);
                break;
            case 2:
                std::fill_n(reinterpret_cast<uint16_t*>(p), n, uint16_t(pixel));
                break;
            case 1:
                std::memset(p, int(pixel & 0xFF), size_t(n));
                break;
            default:
                for (int32_t x = 0; x < n; ++x)
                    std::memcpy(p + size_t(x) * bpp, &pixel, bpp);
        }
    }
    ++version_;
    notifyScreen(d);
    return kOk;
}

Status Surface::flip() {
    if (lost_) return kSurfaceLost;
    if ((desc_.caps & SurfaceDesc::kFlip) == 0) return kUnsupported;
    Ref<Surface> back;
    if (attachedSurface(SurfaceDesc::kBackBuffer, back) != kOk) return kUnsupported;
    if (back->lost_) return kSurfaceLost;
    pixels_.swap(back->pixels_);
    forgetCopies(bounds());
    back->forgetCopies(back->bounds());
    std::swap(uniform_, back->uniform_);
    std::swap(uniformPixel_, back->uniformPixel_);
    std::swap(dirty_, back->dirty_);
    ++version_;
    ++back->version_;
    notifyScreen(bounds());
    return kOk;
}

Status Surface::restore() {
    if (!lost_) return kOk;
    if (implicit_) return kImplicitlyCreated;
    if (owner_ && owner_->mode_.bitsPerPixel != 0 && (desc_.caps & SurfaceDesc::kPrimary) &&
        owner_->displayFormat() != desc_.pixelFormat) {
        return kSurfaceLost;  // the screen changed format: only a new surface will do
    }
    lost_ = false;
    for (auto& a : attached_) {
        if (a->implicit_) a->lost_ = false;
    }
    return kOk;
}

Status Surface::addAttachedSurface(Surface& s) {
    if (&s == this) return kInvalidParams;
    for (auto& a : attached_) {
        if (a.get() == &s) return kInvalidParams;
    }
    if ((s.desc_.caps & SurfaceDesc::kDepthBuffer) &&
        (s.width() != width() || s.height() != height())) {
        return kInvalidParams;
    }
    attached_.emplace_back(&s);
    return kOk;
}

Status Surface::deleteAttachedSurface(Surface& s) {
    auto it = std::find_if(attached_.begin(), attached_.end(),
                           [&](const Ref<Surface>& a) { return a.get() == &s; });
    if (it == attached_.end()) return kNotFound;
    attached_.erase(it);
    return kOk;
}

Status Surface::attachedSurface(uint32_t caps, Ref<Surface>& out) const {
    for (const auto& a : attached_) {
        if ((a->desc_.caps & caps) == caps) {
            out = a;
            return kOk;
        }
    }
    return kNotFound;
}

Status Surface::loadFrom(Surface& src) {
    if (lost_ || src.lost_) return kSurfaceLost;
    if (src.pixelFormat() != pixelFormat() || src.width() != width() || src.height() != height())
        return kInvalidParams;
    const size_t rowBytes = size_t(width()) * pixelFormat().bytesPerPixel();
    for (uint32_t y = 0; y < height(); ++y)
        std::memcpy(row(y), std::as_const(src).row(y), rowBytes);
    if (src.palette()) setPalette(src.palette());
    ++version_;
    return kOk;
}

const std::vector<uint32_t>& Surface::argb() {
    if (argbVersion_ == version_) return argb_;
    argb_.resize(size_t(width()) * height());
    const PixelFormat& f = pixelFormat();
    const uint32_t bpp = f.bytesPerPixel();
    for (uint32_t y = 0; y < height(); ++y) {
        const uint8_t* p = std::as_const(*this).row(y);
        uint32_t* out = argb_.data() + size_t(y) * width();
        for (uint32_t x = 0; x < width(); ++x, p += bpp) {
            Channels c{};
            if (f.has(PixelFormat::kPalette8)) {
                const PaletteEntry e = palette_ ? palette_->entries()[*p] : PaletteEntry{};
                c = {e.red, e.green, e.blue, 255};
            } else {
                uint32_t v = 0;
                std::memcpy(&v, p, bpp);
                c = unpackPixel(f, v);
            }
            out[x] = uint32_t(c.a) << 24 | uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
        }
    }
    argbVersion_ = version_;
    return argb_;
}

}  // namespace marquill::platform::soft3d
