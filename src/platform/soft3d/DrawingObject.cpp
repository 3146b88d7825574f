#include "platform/soft3d/DrawingObject.h"

#include <algorithm>

#include "platform/soft3d/Direct3D.h"

namespace marquill::platform::soft3d {
namespace {
constexpr uint32_t kMaxSurfaceSide = 16384;
}

Ref<DrawingObject> DrawingObject::make(const DisplayConfig& config) {
    return Ref<DrawingObject>::adopt(new DrawingObject(config));
}

DrawingObject::DrawingObject(const DisplayConfig& config)
    : config_(config), mode_(config.current) {}

DrawingObject::~DrawingObject() {
    for (Surface* s : surfaces_)
        s->detachFromOwner();
}

void DrawingObject::forget(Surface* s) {
    std::erase(surfaces_, s);
    if (primary_ == s) primary_ = nullptr;
}

Status DrawingObject::setCooperativeLevel(Window* window, Cooperation level) {
    if (level == Cooperation::ExclusiveFullScreen && window == nullptr) return kInvalidParams;
    cooperation_ = level;
    return kOk;
}

Status DrawingObject::setDisplayMode(const DisplayMode& mode) {
    if (std::find(config_.modes.begin(), config_.modes.end(), mode) == config_.modes.end())
        return kInvalidMode;
    if (mode == mode_) return kOk;
    mode_ = mode;
    loseAllSurfaces();
    return kOk;
}

Status DrawingObject::restoreDisplayMode() {
    if (mode_ == config_.current) return kOk;
    mode_ = config_.current;
    loseAllSurfaces();
    return kOk;
}

DrawingCaps DrawingObject::driverCaps() const {
    DrawingCaps caps;
    caps.caps = 0x40;  // blits
    caps.caps2 = DrawingCaps::kCanRenderWindowed;
    return caps;
}

DrawingCaps DrawingObject::emulationCaps() const {
    return driverCaps();
}

PixelFormat DrawingObject::displayFormat() const {
    switch (mode_.bitsPerPixel) {
        case 8:
            return PixelFormat::palette8();
        case 16:
            return PixelFormat::rgb565();
        case 24:
            return PixelFormat::rgb888();
        default:
            return PixelFormat::xrgb8888();
    }
}

Status DrawingObject::systemPalette(PaletteEntries& out) const {
    if (mode_.bitsPerPixel != 8) return kUnsupported;
    // A fixed 3-3-2 colour cube stands in for the desktop's palette.
    for (int i = 0; i < 256; ++i) {
        out[size_t(i)] = {uint8_t((i >> 5) * 255 / 7), uint8_t(((i >> 2) & 7) * 255 / 7),
                          uint8_t((i & 3) * 255 / 3), PaletteEntry::kFree};
    }
    return kOk;
}

Status DrawingObject::createSurface(const SurfaceDesc& request, Ref<Surface>& out) {
    SurfaceDesc desc = request;
    if (desc.caps & SurfaceDesc::kPrimary) {
        if (primary_) return kInvalidParams;
        desc.width = mode_.width;
        desc.height = mode_.height;
        desc.pixelFormat = displayFormat();
        desc.hasPixelFormat = true;
    } else {
        if (desc.width == 0 || desc.height == 0 || desc.width > kMaxSurfaceSide ||
            desc.height > kMaxSurfaceSide)
            return kInvalidParams;
        if (!desc.hasPixelFormat) {
            if (desc.caps & SurfaceDesc::kDepthBuffer) return kInvalidParams;
            desc.pixelFormat = displayFormat();
            desc.hasPixelFormat = true;
        }
    }
    const PixelFormat& f = desc.pixelFormat;
    const bool depth = (desc.caps & SurfaceDesc::kDepthBuffer) != 0;
    if (depth != f.has(PixelFormat::kDepth)) return kInvalidParams;
    if (f.bitsPerPixel != 8 && f.bitsPerPixel != 16 && f.bitsPerPixel != 24 && f.bitsPerPixel != 32)
        return kInvalidParams;
    if ((desc.caps & SurfaceDesc::kSystemMemory) == 0) desc.caps |= SurfaceDesc::kVideoMemory;

    Ref<Surface> s = Surface::make(this, desc);
    surfaces_.push_back(s.get());
    if (desc.caps & SurfaceDesc::kPrimary) {
        primary_ = s.get();
        if ((desc.caps & SurfaceDesc::kFlip) && desc.backBufferCount > 0) {
            SurfaceDesc backDesc = desc;
            backDesc.caps = SurfaceDesc::kBackBuffer | SurfaceDesc::k3DDevice |
                            (desc.caps & SurfaceDesc::kVideoMemory);
            backDesc.backBufferCount = 0;
            Ref<Surface> back = Surface::make(this, backDesc);
            back->implicit_ = true;
            surfaces_.push_back(back.get());
            if (s->addAttachedSurface(*back) != kOk) return kGenericFailure;
        }
    }
    out = std::move(s);
    return kOk;
}

Status DrawingObject::createClipper(Ref<Clipper>& out) {
    out = Ref<Clipper>::adopt(new Clipper());
    return kOk;
}

Status DrawingObject::createPalette(const PaletteEntries& entries, Ref<Palette>& out) {
    out = Ref<Palette>::adopt(new Palette(entries));
    return kOk;
}

Status DrawingObject::query3D(Ref<Direct3D>& out) {
    if (!config_.has3D) return kNotFound;
    out = Direct3D::make(this);
    return kOk;
}

Status DrawingObject::restoreAllSurfaces() {
    Status result = kOk;
    // Restoring can never destroy a surface, so the list is stable.
    for (Surface* s : surfaces_) {
        const Status r = s->restore();
        if (r != kOk && r != kImplicitlyCreated) result = r;
    }
    return result;
}

void DrawingObject::loseAllSurfaces() {
    for (Surface* s : surfaces_)
        s->markLost();
}

}  // namespace marquill::platform::soft3d
