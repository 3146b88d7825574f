#include "render/AnimDevice.h"

#include <algorithm>
#include <cstring>

#include "render/Device3D.h"
#include "render/Viewport3D.h"

namespace marquill::render {

using namespace platform::soft3d;

namespace {
constexpr int32_t kMinimumSide = 50;
}

AnimDevice::AnimDevice(DrawingModule module, FileSource* files)
    : module_(std::move(module)), files_(files) {}

AnimDevice::~AnimDevice() {
    releaseAll();
}

void AnimDevice::releaseSurfaces() {
    if (depth_ && back_) (void)back_->deleteAttachedSurface(*depth_.get());
    depth_.destroy();
    back_.destroy();
    if (front_) front_->setClipper(nullptr);
    clipper_.destroy();
    front_.destroy();
}

void AnimDevice::releaseAll() {
    palette_.destroy();
    releaseSurfaces();
    if (draw_ && modeChanged_) (void)draw_->restoreDisplayMode();
    d3d_.destroy();
    draw_.destroy();
}

const Guid* AnimDevice::chooseDisplayDriver() const {
    if (fullScreen_ && drivers_.size() == 2) return &drivers_[1].guid;
    return nullptr;
}

const DeviceCandidate* AnimDevice::chosenDevice() const {
    return chosen_ >= 0 ? &candidates_[size_t(chosen_)] : nullptr;
}

void AnimDevice::recomputeWindowOffset() {
    if (fullScreen_ || !window_) {
        windowOffset_ = {0, 0};
        return;
    }
    const Rect r = window_->clientRectOnScreen();
    windowOffset_ = {r.left, r.top};
}

void AnimDevice::setRectListsEnabled(bool on) {
    for (UpdateRectList* l : {&presentList_, &previousList_, &oneShotList_, &copyList_})
        l->setEnabled(on);
}

RenderResult AnimDevice::initialise(Window* window, ScreenMode mode, int32_t width, int32_t height,
                                    uint32_t bitsPerPixel, DepthBuffer depth,
                                    const PaletteEntries* palette) {
    window_ = window;
    fullScreen_ = mode == ScreenMode::FullScreen;
    width_ = std::max(width, kMinimumSide);
    height_ = std::max(height, kMinimumSide);
    bitsPerPixel_ = bitsPerPixel;
    depthWanted_ = depth == DepthBuffer::Wanted;
    presentList_.clear();
    presentList_.add({0, 0, width_, height_});
    topLevel_ = window_;
    while (topLevel_ && topLevel_->parent())
        topLevel_ = topLevel_->parent();

    if (!draw_) {
        releaseAll();
        if (!module_.create || !module_.enumerate) return fail(kRenderPlatformMissing);
        if (Status s = module_.enumerate(drivers_); s != kOk) return fail(s);
        Ref<DrawingObject> draw;
        if (Status s = module_.create(chooseDisplayDriver(), draw); s != kOk) return fail(s);
        draw_.set(draw.get());
        driverCaps_ = draw_->driverCaps();
        emulationCaps_ = draw_->emulationCaps();
        modes_.clear();
        for (const DisplayMode& m : draw_->displayModes()) {
            if (m.width <= 1024 && m.height <= 768) modes_.push_back(m);
        }
        std::sort(modes_.begin(), modes_.end(), [](const DisplayMode& a, const DisplayMode& b) {
            return std::tie(a.width, a.height, a.bitsPerPixel) <
                   std::tie(b.width, b.height, b.bitsPerPixel);
        });
        Ref<Direct3D> d3d;
        if (draw_->query3D(d3d) == kOk) d3d_.set(d3d.get());
    }

    const DisplayMode current = draw_->displayMode();
    const DisplayMode wanted{uint32_t(width_), uint32_t(height_), bitsPerPixel_};
    const bool changeMode = fullScreen_ || current.bitsPerPixel != bitsPerPixel_ ||
                            current.width < wanted.width || current.height < wanted.height;
    if (changeMode) {
        if (std::find(modes_.begin(), modes_.end(), wanted) == modes_.end())
            return fail(kRenderNoDisplayMode);
        if (current.bitsPerPixel == 8 && draw_->systemPalette(systemPalette_) != kOk)
            return fail(kRenderPlatformMissing);
    }

    if (!d3d_) return fail(kRenderNoSuitableDevice);
    chosen_ = chooseDevice(*d3d_.get(), driverCaps_.caps2, candidates_);
    if (chosen_ < 0) return fail(kRenderNoSuitableDevice);

    if (Status s = draw_->setCooperativeLevel(
            topLevel_, fullScreen_ ? Cooperation::ExclusiveFullScreen : Cooperation::Normal);
        s != kOk)
        return fail(s);
    if (changeMode) {
        if (Status s = draw_->setDisplayMode(wanted); s != kOk) {
            (void)draw_->setCooperativeLevel(topLevel_, Cooperation::Normal);
            return fail(s);
        }
        modeChanged_ = true;
    }

    recomputeWindowOffset();
    presentList_.clear();
    presentList_.add({0, 0, width_, height_});
    if (files_) {
        files_->registerFileType("IMAG", "BMP");
        files_->registerFileType("ZBUF", "ZBF");
        files_->registerFileType("Mesh", "MSH");
        files_->registerFileType("Mesh", "MSB");
    }
    bitmapPath_ = "Bitmaps; ../Bitmaps";
    depthPath_ = "ZBuffers; ../ZBuffers";
    texturePath_ = "Textures; ../Textures";
    return fail(createSurfaces(palette));
}

RenderResult AnimDevice::createSurfaces(const PaletteEntries* paletteEntries) {
    releaseSurfaces();
    width_ = std::max(width_, kMinimumSide);
    height_ = std::max(height_, kMinimumSide);

    SurfaceDesc front;
    front.caps = SurfaceDesc::kPrimary | SurfaceDesc::k3DDevice;
    if (fullScreen_) {
        front.caps |= SurfaceDesc::kFlip | SurfaceDesc::kComplex;
        front.backBufferCount = 1;
    }
    Ref<Surface> surface;
    if (Status s = draw_->createSurface(front, surface); s != kOk) return s;
    front_.set(surface.get());

    if (fullScreen_) {
        Ref<Surface> back;
        if (Status s = front_->attachedSurface(SurfaceDesc::kBackBuffer, back); s != kOk) return s;
        back_.set(back.get());
    } else {
        SurfaceDesc back;
        back.width = uint32_t(width_);
        back.height = uint32_t(height_);
        back.caps =
            SurfaceDesc::kOffscreenPlain | SurfaceDesc::k3DDevice | SurfaceDesc::kSystemMemory;
        Ref<Surface> b;
        if (Status s = draw_->createSurface(back, b); s != kOk) return s;
        back_.set(b.get());
        Ref<Clipper> clipper;
        if (Status s = draw_->createClipper(clipper); s != kOk) return s;
        clipper->setWindow(window_);
        clipper_.set(clipper.get());
        front_->setClipper(clipper_.get());
    }

    if (front_->pixelFormat().has(PixelFormat::kPalette8)) {
        PaletteEntries entries = paletteEntries ? *paletteEntries : systemPalette_;
        if (!paletteEntries && draw_->systemPalette(entries) != kOk) return kRenderPlatformMissing;
        for (size_t i = 0; i < entries.size(); ++i) {
            uint8_t& f = entries[i].flags;
            f = f == PaletteEntry::kReserved     ? PaletteEntry::kReserved
                : f == PaletteEntry::kNoCollapse ? PaletteEntry::kReadOnly
                                                 : PaletteEntry::kFree;
            const bool edge = fullScreen_ ? (i == 0 || i == 255) : (i < 10 || i >= 246);
            if (edge) f = PaletteEntry::kReadOnly;
        }
        Ref<Palette> palette;
        if (Status s = draw_->createPalette(entries, palette); s != kOk) return s;
        palette_.set(palette.get());
        front_->setPalette(palette_.get());
        back_->setPalette(palette_.get());
    }

    if (depthWanted_) {
        const DeviceCandidate* chosen = chosenDevice();
        SurfaceDesc z;
        z.width = uint32_t(width_);
        z.height = uint32_t(height_);
        z.caps = SurfaceDesc::kDepthBuffer | SurfaceDesc::kSystemMemory;
        z.hasPixelFormat = true;
        z.pixelFormat = chosen ? chosen->depthFormat : PixelFormat::depth16();
        Ref<Surface> d;
        if (Status s = draw_->createSurface(z, d); s != kOk) return s;
        if (Status s = back_->addAttachedSurface(*d); s != kOk) return s;
        depth_.set(d.get());
    }
    return kRenderOk;
}

RenderResult AnimDevice::restoreAllSurfaces() {
    if (!front_) return fail(kRenderOk);
    Status s = front_->restore();
    if (s != kOk && s != kImplicitlyCreated) {
        if (RenderResult r = createSurfaces(nullptr); r != kRenderOk) return fail(r);
    }
    if (back_) (void)back_->restore();
    if (depth_) (void)depth_->restore();
    return fail(draw_->restoreAllSurfaces());
}

RenderResult AnimDevice::present() {
    if (!front_ || !back_) return fail(kRenderNoSuitableDevice);
    if (palette_) {
        front_->setPalette(palette_.get());
        back_->setPalette(palette_.get());
    }
    copyList_.clear();
    copyList_.addAll(presentList_);
    copyList_.addAll(previousList_);
    copyList_.addAll(oneShotList_);
    oneShotList_.clear();
    if (device3D_) {
        for (const auto& v : device3D_->viewports()) {
            copyList_.addAll(v->drawnThisFrame());
            copyList_.addAll(v->drawnPreviousFrame());
        }
    }
    copyList_.clip({0, 0, width_, height_});

    bool allCopied = true;
    if (fullScreen_) {
        Status s = front_->flip();
        if (s == kSurfaceLost) {
            (void)restoreAllSurfaces();
            s = front_->flip();
        }
        if (s != kOk) {
            allCopied = false;
            result_ = s;
        }
    } else {
        for (const Rect& r : copyList_.rects()) {
            const Rect dst = r.offset(windowOffset_.x, windowOffset_.y);
            Status s = front_->blt(&dst, *back_.get(), &r);
            if (s == kSurfaceLost) {
                (void)restoreAllSurfaces();
                s = front_->blt(&dst, *back_.get(), &r);
            }
            if (s == kNoBlitHardware) {
                LockedArea from, to;
                const Rect visible = dst.intersect(front_->bounds());
                s = visible.empty() ? kOk : front_->lock(&visible, to);
                if (s == kOk && !visible.empty()) {
                    const Rect src = visible.offset(-windowOffset_.x, -windowOffset_.y);
                    s = back_->lock(&src, from);
                    if (s == kOk) {
                        const size_t bytes =
                            size_t(visible.width()) * back_->pixelFormat().bytesPerPixel();
                        for (int32_t y = 0; y < visible.height(); ++y)
                            std::memcpy(to.bits + size_t(y) * to.pitch,
                                        from.bits + size_t(y) * from.pitch, bytes);
                        (void)back_->unlock();
                    }
                    (void)front_->unlock();
                }
            }
            if (s != kOk) {
                allCopied = false;
                result_ = s;
            }
        }
    }
    if (!allCopied) return result_;
    previousList_ = presentList_;
    presentList_.clear();
    if (device3D_) {
        for (const auto& v : device3D_->viewports()) {
            v->drawnPreviousFrame() = v->drawnThisFrame();
            v->drawnThisFrame().clear();
        }
    }
    return fail(kRenderOk);
}

}  // namespace marquill::render
