#include "platform/soft3d/Device.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace marquill::platform::soft3d {
namespace {

constexpr Matrix kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

enum Outside : uint32_t {
    kLeft = 1u << 0,
    kRight = 1u << 1,
    kTop = 1u << 2,
    kBottom = 1u << 3,
    kNear = 1u << 4,
    kFar = 1u << 5,
    kInvalid = 1u << 6,  // not a finite position: never drawn
};

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

Vector3 normalise(Vector3 v) {
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (!(len > 0)) return v;
    const float k = 1.0f / len;
    return {v.x * k, v.y * k, v.z * k};
}

// NaN becomes 0.
inline float clamp01(float v) {
    return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
}

float dot(Vector3 a, Vector3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

struct ClipVertex {
    float cx, cy, cz, cw;
    float r, g, b, a;
    float u, v;
};

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

// A light as the vertex loop uses it: colours already multiplied by the material's diffuse.
struct Device::Prepared {
    uint32_t kind;
    Vector3 toLight;  // directional: unit vector towards the light
    Vector3 position, spotDir;
    float r, g, b;
    float range, a0, a1, a2, cosInner, cosOuter, falloff;
};

struct Device::Processed {
    ClipVertex clip;
    RasterVertex screen;
    uint32_t outside;
};

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

void Device::lightVertices(const Vertex* vertices, uint32_t first, uint32_t count,
                           std::vector<Processed>& out) {
    const Matrix m = multiply(multiply(world_, view_), projection_);
    const std::array<float, 9> nm = normalMatrix(world_);
    const Material* mat = material(lightStates_[size_t(LightState::Material)]);
    const MaterialRecord rec = mat ? mat->record() : MaterialRecord{};
    const uint32_t amb = lightStates_[size_t(LightState::Ambient)];
    const float ambR = float((amb >> 16) & 0xFF) / 255.0f, ambG = float((amb >> 8) & 0xFF) / 255.0f,
                ambB = float(amb & 0xFF) / 255.0f;
    const float baseR = rec.emissive.r + rec.ambient.r * ambR;
    const float baseG = rec.emissive.g + rec.ambient.g * ambG;
    const float baseB = rec.emissive.b + rec.ambient.b * ambB;

    std::vector<Prepared>& lights = preparedLights_;
    lights.clear();
    bool needPosition = false;
    if (current_) {
        for (const Ref<Light>& l : current_->lights()) {
            const LightRecord& L = l->record();
            if ((L.flags & LightRecord::kActive) == 0) continue;
            Prepared p{};
            p.kind = L.kind;
            p.r = rec.diffuse.r * L.color.r;
            p.g = rec.diffuse.g * L.color.g;
            p.b = rec.diffuse.b * L.color.b;
            const Vector3 d = normalise(L.direction);
            p.toLight = {-d.x, -d.y, -d.z};
            p.spotDir = d;
            p.position = L.position;
            p.range = L.range;
            p.a0 = L.attenuation0, p.a1 = L.attenuation1, p.a2 = L.attenuation2;
            p.cosInner = std::cos(L.theta / 2), p.cosOuter = std::cos(L.phi / 2);
            p.falloff = L.falloff;
            if (L.kind != LightRecord::kDirectional) needPosition = true;
            lights.push_back(p);
        }
    }

    const ViewportRecord& vr = current_ ? current_->viewport() : ViewportRecord{};
    const float maxX = vr.maxX, maxY = vr.maxY;
    const float halfW = float(vr.width) / 2, halfH = float(vr.height) / 2;
    const float cxs = float(vr.x) + halfW, cys = float(vr.y) + halfH;
    const float scaleX = vr.scaleX, scaleY = vr.scaleY;
    out.resize(size_t(first) + count);
    for (uint32_t i = first; i < first + count; ++i) {
        const Vertex& v = vertices[i];
        Processed& o = out[i];
        const float cx = v.x * m[0] + v.y * m[4] + v.z * m[8] + m[12];
        const float cy = v.x * m[1] + v.y * m[5] + v.z * m[9] + m[13];
        const float cz = v.x * m[2] + v.y * m[6] + v.z * m[10] + m[14];
        const float cw = v.x * m[3] + v.y * m[7] + v.z * m[11] + m[15];
        Vector3 n{v.nx * nm[0] + v.ny * nm[3] + v.nz * nm[6],
                  v.nx * nm[1] + v.ny * nm[4] + v.nz * nm[7],
                  v.nx * nm[2] + v.ny * nm[5] + v.nz * nm[8]};
        n = normalise(n);
        float r = baseR, g = baseG, b = baseB;
        Vector3 wp{};
        if (needPosition) {
            wp = {v.x * world_[0] + v.y * world_[4] + v.z * world_[8] + world_[12],
                  v.x * world_[1] + v.y * world_[5] + v.z * world_[9] + world_[13],
                  v.x * world_[2] + v.y * world_[6] + v.z * world_[10] + world_[14]};
        }
        for (const Prepared& p : lights) {
            if (p.kind == LightRecord::kDirectional) {
                const float d = dot(n, p.toLight);
                if (d > 0) r += p.r * d, g += p.g * d, b += p.b * d;
                continue;
            }
            Vector3 toLight{p.position.x - wp.x, p.position.y - wp.y, p.position.z - wp.z};
            const float dist = std::sqrt(dot(toLight, toLight));
            if (!(dist <= p.range)) continue;
            toLight = dist > 0 ? Vector3{toLight.x / dist, toLight.y / dist, toLight.z / dist}
                               : Vector3{0, 0, 0};
            const float denom = p.a0 + p.a1 * dist + p.a2 * dist * dist;
            float k = denom > 0 ? 1.0f / denom : 1.0f;
            if (p.kind == LightRecord::kSpot) {
                const float rho = -dot(toLight, p.spotDir);
                if (rho <= p.cosOuter) continue;
                if (rho < p.cosInner) {
                    const float t = (rho - p.cosOuter) / (p.cosInner - p.cosOuter);
                    k *= p.falloff == 0 ? 1.0f : std::pow(t, p.falloff);
                }
            }
            const float d = dot(n, toLight) * k;
            if (d > 0) r += p.r * d, g += p.g * d, b += p.b * d;
        }
        o.clip = {cx,  cy, cz, cw, clamp01(r), clamp01(g), clamp01(b), clamp01(rec.diffuse.a),
                  v.u, v.v};
        uint32_t code = 0;
        if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(cz) || !std::isfinite(cw)) {
            code = kInvalid;
        } else {
            if (cx < -maxX * cw) code |= kLeft;
            if (cx > maxX * cw) code |= kRight;
            if (cy > maxY * cw) code |= kTop;
            if (cy < -maxY * cw) code |= kBottom;
            if (cz < 0) code |= kNear;
            if (cz > cw) code |= kFar;
        }
        o.outside = code;
        if (code == 0) {
            const float iw = 1.0f / cw;
            o.screen = {cxs + cx * iw * scaleX,
                        cys - cy * iw * scaleY,
                        cz * iw,
                        iw,
                        o.clip.r,
                        o.clip.g,
                        o.clip.b,
                        o.clip.a,
                        v.u,
                        v.v};
            clip_.minX = std::min(clip_.minX, o.screen.x);
            clip_.maxX = std::max(clip_.maxX, o.screen.x);
            clip_.minY = std::min(clip_.minY, o.screen.y);
            clip_.maxY = std::max(clip_.maxY, o.screen.y);
        }
    }
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
    Rect drawn;
    target.drawn = &drawn;
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

    lightVertices(vertices, first, count, scratch_);
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

    for (uint32_t t = 0; t < indexCount; t += 3) {
        const Processed& p0 = scratch_[indices[t]];
        const Processed& p1 = scratch_[indices[t + 1]];
        const Processed& p2 = scratch_[indices[t + 2]];
        if ((p0.outside | p1.outside | p2.outside) == 0) {
            if (!culled(p0.screen, p1.screen, p2.screen))
                rasteriseTriangle(target, state, p0.screen, p1.screen, p2.screen);
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
            if (!culled(sv[0], sv[i], sv[i + 1]))
                rasteriseTriangle(target, state, sv[0], sv[i], sv[i + 1]);
        }
    }
    target_->written(drawn);
    if (depth) depth->written(drawn);
    return kOk;
}

}  // namespace marquill::platform::soft3d
