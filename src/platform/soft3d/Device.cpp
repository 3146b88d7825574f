#include "platform/soft3d/Device.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace marquill::platform::soft3d {
namespace {

constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

Matrix multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            float s = 0;
            for (int k = 0; k < 4; ++k)
                s += a[size_t(i * 4 + k)] * b[size_t(k * 4 + j)];
            r[size_t(i * 4 + j)] = s;
        }
    }
    return r;
}

// Inverse transpose of the upper 3x3, for normals; the plain 3x3 when it is singular.
std::array<float, 9> normalMatrix(const Matrix& m) {
    const float a = m[0], b = m[1], c = m[2], d = m[4], e = m[5], f = m[6], g = m[8], h = m[9],
                i = m[10];
    const float A = e * i - f * h, B = -(d * i - f * g), C = d * h - e * g;
    const float det = a * A + b * B + c * C;
    if (std::fabs(det) < 1e-20f) return {a, b, c, d, e, f, g, h, i};
    const float k = 1.0f / det;
    // Rows of the inverse transpose are the cofactor rows divided by the determinant.
    return {A * k,
            B * k,
            C * k,
            -(b * i - c * h) * k,
            (a * i - c * g) * k,
            -(a * h - b * g) * k,
            (b * f - c * e) * k,
            -(a * f - c * d) * k,
            (a * e - b * d) * k};
}

ClipVertex lerp(const ClipVertex& p, const ClipVertex& q, float t) {
    auto l = [t](float x, float y) { return x + (y - x) * t; };
    return {l(p.cx, q.cx), l(p.cy, q.cy), l(p.cz, q.cz), l(p.cw, q.cw), l(p.r, q.r),
            l(p.g, q.g),   l(p.b, q.b),   l(p.a, q.a),   l(p.u, q.u),   l(p.v, q.v)};
}

// Signed distance to one plane of the view volume; inside when >= 0.
float planeDistance(const ClipVertex& v, int plane, float maxX, float maxY) {
    switch (plane) {
        case 0:
            return v.cx + maxX * v.cw;
        case 1:
            return maxX * v.cw - v.cx;
        case 2:
            return maxY * v.cw - v.cy;
        case 3:
            return v.cy + maxY * v.cw;
        case 4:
            return v.cz;
        default:
            return v.cw - v.cz;
    }
}

}  // namespace

Status Device::make(DrawingObject& owner, Surface& target, Ref<Device>& out) {
    const PixelFormat& f = target.pixelFormat();
    if ((target.desc().caps & SurfaceDesc::k3DDevice) == 0) return kInvalidParams;
    if (!f.has(PixelFormat::kRgb) || f.has(PixelFormat::kPalette8) ||
        (f.bitsPerPixel != 16 && f.bitsPerPixel != 32))
        return kUnsupported;
    out = Ref<Device>::adopt(new Device(owner, target));
    return kOk;
}

Device::Device(DrawingObject& owner, Surface& target)
    : owner_(&owner),
      target_(&target),
      world_(kIdentity),
      view_(kIdentity),
      projection_(kIdentity),
      clip_{2147483648.0f, -2147483648.0f, 2147483648.0f, -2147483648.0f} {
    auto set = [this](RenderState s, uint32_t v) { states_[size_t(s)] = v; };
    set(RenderState::TexturePerspective, 1);
    set(RenderState::ZEnable, 1);
    set(RenderState::ZWriteEnable, 1);
    set(RenderState::ZFunc, kCmpLessEqual);
    set(RenderState::FillMode, kFillSolid);
    set(RenderState::ShadeMode, kShadeGouraud);
    set(RenderState::TextureMag, kFilterNearest);
    set(RenderState::TextureMin, kFilterNearest);
    set(RenderState::TextureMapBlend, kBlendModulate);
    set(RenderState::SrcBlend, uint32_t(BlendFactor::One));
    set(RenderState::DestBlend, uint32_t(BlendFactor::Zero));
    set(RenderState::CullMode, kCullCounterClockwise);
}

Device::~Device() {
    for (Viewport* v : viewports_) {
        v->setDevice(nullptr);
        v->release();
    }
}

Status Device::enumTextureFormats(std::vector<PixelFormat>& out) const {
    out = {PixelFormat::rgb565(), PixelFormat::rgb555(), PixelFormat::argb1555(),
           PixelFormat::argb4444()};
    return kOk;
}

Status Device::addViewport(Viewport& v) {
    if (v.device() != nullptr) return kInvalidParams;
    v.addRef();
    v.setDevice(this);
    viewports_.push_back(&v);
    return kOk;
}

Status Device::deleteViewport(Viewport& v) {
    auto it = std::find(viewports_.begin(), viewports_.end(), &v);
    if (it == viewports_.end()) return kInvalidParams;
    viewports_.erase(it);
    if (current_ == &v) current_ = nullptr;
    v.setDevice(nullptr);
    v.release();
    return kOk;
}

Status Device::setCurrentViewport(Viewport& v) {
    if (v.device() != this) return kInvalidParams;
    current_ = &v;
    return kOk;
}

Status Device::beginScene() {
    if (inScene_) return kAlreadyInScene;
    if (target_->isLost()) return kSurfaceLost;
    inScene_ = true;
    return kOk;
}

Status Device::endScene() {
    if (!inScene_) return kNotInScene;
    inScene_ = false;
    return kOk;
}

Status Device::setRenderState(RenderState s, uint32_t value) {
    if (s >= RenderState::Count) return kInvalidParams;
    states_[size_t(s)] = value;
    return kOk;
}

Status Device::setLightState(LightState s, uint32_t value) {
    if (s >= LightState::Count) return kInvalidParams;
    lightStates_[size_t(s)] = value;
    return kOk;
}

Status Device::setTransform(TransformState which, const Matrix& m) {
    switch (which) {
        case TransformState::World:
            world_ = m;
            return kOk;
        case TransformState::View:
            view_ = m;
            return kOk;
        case TransformState::Projection:
            projection_ = m;
            return kOk;
    }
    return kInvalidParams;
}

Status Device::getClipStatus(ClipStatus& out) const {
    out = clip_;
    return kOk;
}

Status Device::setClipStatus(const ClipStatus& s) {
    clip_ = s;
    return kOk;
}

uint32_t Device::materialHandle(Material& m) {
    for (size_t i = 0; i < materials_.size(); ++i) {
        if (materials_[i].get() == &m) return uint32_t(i + 1);
    }
    for (size_t i = 0; i < materials_.size(); ++i) {
        if (!materials_[i]) {
            materials_[i] = Ref<Material>(&m);
            return uint32_t(i + 1);
        }
    }
    materials_.emplace_back(&m);
    return uint32_t(materials_.size());
}

void Device::releaseMaterialHandle(uint32_t handle) {
    if (handle >= 1 && handle <= materials_.size()) materials_[handle - 1].reset();
}

Status Device::textureHandle(Surface& texture, uint32_t& out) {
    if ((texture.desc().caps & SurfaceDesc::kTexture) == 0) return kInvalidParams;
    for (size_t i = 0; i < textures_.size(); ++i) {
        if (textures_[i].get() == &texture) {
            out = uint32_t(i + 1);
            return kOk;
        }
    }
    for (size_t i = 0; i < textures_.size(); ++i) {
        if (!textures_[i]) {
            textures_[i] = Ref<Surface>(&texture);
            out = uint32_t(i + 1);
            return kOk;
        }
    }
    textures_.emplace_back(&texture);
    out = uint32_t(textures_.size());
    return kOk;
}

void Device::releaseTextureHandle(uint32_t handle) {
    if (handle >= 1 && handle <= textures_.size()) textures_[handle - 1].reset();
}

Material* Device::material(uint32_t handle) const {
    if (handle == 0 || handle > materials_.size()) return nullptr;
    return materials_[handle - 1].get();
}

Surface* Device::texture(uint32_t handle) const {
    if (handle == 0 || handle > textures_.size()) return nullptr;
    return textures_[handle - 1].get();
}

bool Device::makeRasterTarget(const Viewport& vp, RasterTarget& out, Ref<Surface>& depth) {
    const PixelFormat& f = target_->pixelFormat();
    out.kind = f.bitsPerPixel == 32    ? TargetKind::Xrgb8888
               : f.greenMask == 0x07E0 ? TargetKind::Rgb565
                                       : TargetKind::Rgb555;
    out.color = target_->bitsForDrawing();
    out.colorPitch = target_->pitch();
    const ViewportRecord& r = vp.viewport();
    out.scissor =
        Rect{int32_t(r.x), int32_t(r.y), int32_t(r.x + r.width), int32_t(r.y + r.height)}.intersect(
            target_->bounds());
    out.depth = nullptr;
    depth.reset();
    if (states_[size_t(RenderState::ZEnable)] &&
        target_->attachedSurface(SurfaceDesc::kDepthBuffer, depth) == kOk &&
        depth->pixelFormat().bitsPerPixel == 16) {
        if (depth->isLost()) return false;
        out.depth = depth->bitsForDrawing();
        out.depthPitch = depth->pitch();
        out.scissor = out.scissor.intersect(depth->bounds());
        depth->contentsChanged();
    } else {
        depth.reset();
    }
    return true;
}

void Device::lightVertices(const Vertex* vertices, uint32_t first, uint32_t count) {
    VertexSetup setup;
    setup.clipFromModel = multiply(multiply(world_, view_), projection_);
    setup.normalMatrix = normalMatrix(world_);
    setup.world = world_;
    const Material* mat = material(lightStates_[size_t(LightState::Material)]);
    const MaterialRecord rec = mat ? mat->record() : MaterialRecord{};
    const uint32_t amb = lightStates_[size_t(LightState::Ambient)];
    const float ambR = float((amb >> 16) & 0xFF) / 255.0f, ambG = float((amb >> 8) & 0xFF) / 255.0f,
                ambB = float(amb & 0xFF) / 255.0f;
    setup.baseR = rec.emissive.r + rec.ambient.r * ambR;
    setup.baseG = rec.emissive.g + rec.ambient.g * ambG;
    setup.baseB = rec.emissive.b + rec.ambient.b * ambB;
    setup.alpha = rec.diffuse.a;

    std::vector<PreparedLight>& lights = preparedLights_;
    lights.clear();
    if (current_) {
        for (const Ref<Light>& l : current_->lights()) {
            const LightRecord& L = l->record();
            if ((L.flags & LightRecord::kActive) == 0) continue;
            lights.push_back(prepareLight(L, rec.diffuse));
        }
    }
    setup.lights = lights;

    const ViewportRecord& vr = current_ ? current_->viewport() : ViewportRecord{};
    setup.maxX = vr.maxX, setup.maxY = vr.maxY;
    const float halfW = float(vr.width) / 2, halfH = float(vr.height) / 2;
    setup.centreX = float(vr.x) + halfW, setup.centreY = float(vr.y) + halfH;
    setup.scaleX = vr.scaleX, setup.scaleY = vr.scaleY;
    // Only grows: the indices are checked against [first, first + count), so what lies beyond from
    // a larger batch is never read, and a batch smaller than the last costs no clearing.
    if (scratch_.size() < size_t(first) + count) scratch_.resize(size_t(first) + count);
    transformVertices(setup, vertices + first, count, scratch_.data() + first, clip_);
}

Status Device::drawIndexedTriangles(const Vertex* vertices, uint32_t first, uint32_t count,
                                    const uint16_t* indices, uint32_t indexCount, uint32_t flags) {
    (void)flags;  // clipping is always done where needed; the hint only saves work elsewhere
    if (!inScene_) return kNotInScene;
    if (!current_) return kInvalidParams;
    if (vertices == nullptr || indices == nullptr || indexCount % 3 != 0) return kInvalidParams;
    if (uint64_t(first) + count > 65536) return kInvalidParams;
    // One pass for the smallest and largest index (vectorised), then one check.
    uint16_t lowest = 0xFFFF, highest = 0;
    for (uint32_t i = 0; i < indexCount; ++i) {
        lowest = std::min(lowest, indices[i]);
        highest = std::max(highest, indices[i]);
    }
    if (indexCount > 0 && (lowest < first || highest >= first + count)) return kInvalidParams;
    if (target_->isLost()) return kSurfaceLost;

    RasterTarget target;
    Ref<Surface> depth;
    if (!makeRasterTarget(*current_, target, depth)) return kSurfaceLost;
    RasterState state;
    state.depthTest = states_[size_t(RenderState::ZEnable)] != 0 &&
                      states_[size_t(RenderState::ZFunc)] != kCmpAlways;
    state.depthWrite = states_[size_t(RenderState::ZEnable)] != 0 &&
                       states_[size_t(RenderState::ZWriteEnable)] != 0;
    state.flat = states_[size_t(RenderState::ShadeMode)] == kShadeFlat;
    state.perspective = states_[size_t(RenderState::TexturePerspective)] != 0;
    if (Surface* tex = texture(states_[size_t(RenderState::TextureHandle)])) {
        if (tex->isLost()) return kSurfaceLost;
        state.texels = tex->argb().data();
        state.texWidth = tex->width();
        state.texHeight = tex->height();
    }
    state.bilinear = states_[size_t(RenderState::TextureMag)] == kFilterLinear;
    state.modulate = states_[size_t(RenderState::TextureMapBlend)] != kBlendDecal;
    state.blend = states_[size_t(RenderState::AlphaBlendEnable)] != 0;
    auto factor = [](uint32_t v, BlendFactor fallback) {
        return v >= 1 && v <= 6 ? BlendFactor(v) : fallback;
    };
    state.srcBlend = factor(states_[size_t(RenderState::SrcBlend)], BlendFactor::One);
    state.dstBlend = factor(states_[size_t(RenderState::DestBlend)], BlendFactor::Zero);
    const uint32_t cull = states_[size_t(RenderState::CullMode)];

    lightVertices(vertices, first, count);
    target_->contentsChanged();

    const ViewportRecord& vr = current_->viewport();
    const float halfW = float(vr.width) / 2, halfH = float(vr.height) / 2;
    const float cxs = float(vr.x) + halfW, cys = float(vr.y) + halfH;
    auto toScreen = [&](const ClipVertex& c) {
        const float iw = 1.0f / c.cw;
        RasterVertex s{cxs + c.cx * iw * vr.scaleX,
                       cys - c.cy * iw * vr.scaleY,
                       c.cz * iw,
                       iw,
                       c.r,
                       c.g,
                       c.b,
                       c.a,
                       c.u,
                       c.v};
        clip_.minX = std::min(clip_.minX, s.x);
        clip_.maxX = std::max(clip_.maxX, s.x);
        clip_.minY = std::min(clip_.minY, s.y);
        clip_.maxY = std::max(clip_.maxY, s.y);
        return s;
    };
    auto culled = [cull](const RasterVertex& a, const RasterVertex& b, const RasterVertex& c) {
        if (cull == kCullNone) return false;
        const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        // Positive area is clockwise as seen on the screen (y grows downwards).
        return cull == kCullCounterClockwise ? area < 0 : area > 0;
    };

    TriangleFiller filler(target, state);
    for (uint32_t t = 0; t < indexCount; t += 3) {
        const TransformedVertex& p0 = scratch_[indices[t]];
        const TransformedVertex& p1 = scratch_[indices[t + 1]];
        const TransformedVertex& p2 = scratch_[indices[t + 2]];
        if ((p0.outside | p1.outside | p2.outside) == 0) {
            if (!culled(p0.screen, p1.screen, p2.screen))
                filler.draw(p0.screen, p1.screen, p2.screen);
            continue;
        }
        if ((p0.outside & p1.outside & p2.outside) != 0) continue;
        if ((p0.outside | p1.outside | p2.outside) & kInvalid) continue;
        // Clip the triangle against each plane it crosses.
        ClipVertex bufA[9], bufB[9];
        ClipVertex* in = bufA;
        ClipVertex* out = bufB;
        int n = 3;
        in[0] = p0.clip, in[1] = p1.clip, in[2] = p2.clip;
        const uint32_t crossed = p0.outside | p1.outside | p2.outside;
        for (int plane = 0; plane < 6 && n >= 3; ++plane) {
            if ((crossed & (1u << plane)) == 0) continue;
            int m = 0;
            for (int i = 0; i < n; ++i) {
                const ClipVertex& a = in[i];
                const ClipVertex& b = in[(i + 1) % n];
                const float da = planeDistance(a, plane, vr.maxX, vr.maxY);
                const float db = planeDistance(b, plane, vr.maxX, vr.maxY);
                if (da >= 0) out[m++] = a;
                if ((da >= 0) != (db >= 0)) out[m++] = lerp(a, b, da / (da - db));
            }
            std::swap(in, out);
            n = m;
        }
        if (n < 3) continue;
        RasterVertex sv[9];
        for (int i = 0; i < n; ++i) {
            if (!(in[i].cw > 0)) {
                n = 0;
                break;
            }
            sv[i] = toScreen(in[i]);
        }
        for (int i = 1; i + 1 < n; ++i) {
            if (!culled(sv[0], sv[i], sv[i + 1])) filler.draw(sv[0], sv[i], sv[i + 1]);
        }
    }
    target_->written(filler.drawn());
    if (depth) depth->written(filler.drawn());
    return kOk;
}

}  // namespace marquill::platform::soft3d
