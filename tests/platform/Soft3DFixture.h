#pragma once
// A small software device for pixel tests: a back buffer with a 16-bit depth buffer, one viewport
// over all of it, identity transforms (so clip space is screen space scaled) and a white material.
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/soft3d/Direct3D.h"
#include "platform/soft3d/DrawingObject.h"

namespace marquill::platform::soft3d::testing {

struct Scene {
    int width, height;
    Ref<DrawingObject> draw;
    Ref<Direct3D> d3d;
    Ref<Surface> target;
    Ref<Surface> depth;
    Ref<Device> device;
    Ref<Viewport> viewport;
    Ref<Material> material;
    Ref<Material> background;

    explicit Scene(int w = 32, int h = 32, PixelFormat format = PixelFormat::xrgb8888())
        : width(w), height(h) {
        draw = DrawingObject::make(DisplayConfig{});
        (void)draw->query3D(d3d);
        SurfaceDesc desc;
        desc.width = uint32_t(w);
        desc.height = uint32_t(h);
        desc.caps =
            SurfaceDesc::kOffscreenPlain | SurfaceDesc::k3DDevice | SurfaceDesc::kSystemMemory;
        desc.hasPixelFormat = true;
        desc.pixelFormat = format;
        (void)draw->createSurface(desc, target);
        SurfaceDesc zdesc;
        zdesc.width = uint32_t(w);
        zdesc.height = uint32_t(h);
        zdesc.caps = SurfaceDesc::kDepthBuffer | SurfaceDesc::kSystemMemory;
        zdesc.hasPixelFormat = true;
        zdesc.pixelFormat = PixelFormat::depth16();
        (void)draw->createSurface(zdesc, depth);
        (void)target->addAttachedSurface(*depth);
        (void)d3d->createDevice(Direct3D::rasteriserGuid(), *target, device);
        (void)d3d->createViewport(viewport);
        (void)device->addViewport(*viewport);
        ViewportRecord r;
        r.width = uint32_t(w);
        r.height = uint32_t(h);
        r.scaleX = float(w) / 2;
        r.scaleY = float(h) / 2;
        (void)viewport->setViewport(r);
        (void)device->setCurrentViewport(*viewport);
        (void)d3d->createMaterial(material);
        MaterialRecord m;
        m.diffuse = {1, 1, 1, 1};
        m.emissive = {0, 0, 0, 1};
        material->setRecord(m);
        (void)device->setLightState(LightState::Material, device->materialHandle(*material));
        (void)d3d->createMaterial(background);
        (void)viewport->setBackground(device->materialHandle(*background));
        clear();
    }

    void clear() {
        const Rect all{0, 0, width, height};
        (void)viewport->clear({&all, 1}, Viewport::kClearTarget | Viewport::kClearDepth);
    }

    // A vertex at screen position (sx, sy) and depth z, facing the viewer.
    [[nodiscard]] Vertex at(float sx, float sy, float z = 0.5f, float u = 0, float v = 0) const {
        return {(sx - float(width) / 2) / (float(width) / 2),
                (float(height) / 2 - sy) / (float(height) / 2),
                z,
                0,
                0,
                -1,
                u,
                v};
    }

    // A 5-6-5 texture of w x h texels, texel(x, y) each, made the device's texture.
    template <typename Texel>
    Status bindTexture565(uint32_t w, uint32_t h, Texel texel) {
        SurfaceDesc d;
        d.width = w;
        d.height = h;
        d.caps = SurfaceDesc::kTexture | SurfaceDesc::kSystemMemory;
        d.hasPixelFormat = true;
        d.pixelFormat = PixelFormat::rgb565();
        Ref<Surface> tex;
        if (Status s = draw->createSurface(d, tex); s != kOk) return s;
        for (uint32_t y = 0; y < h; ++y) {
            for (uint32_t x = 0; x < w; ++x) {
                const uint16_t t = texel(x, y);
                std::memcpy(tex->row(y) + x * 2, &t, 2);
            }
        }
        tex->contentsChanged();
        uint32_t handle = 0;
        if (Status s = device->textureHandle(*tex, handle); s != kOk) return s;
        return device->setRenderState(RenderState::TextureHandle, handle);
    }

    Status draw3(const std::vector<Vertex>& v, const std::vector<uint16_t>& idx) {
        if (Status s = device->beginScene(); s != kOk) return s;
        const Status s = device->drawIndexedTriangles(v.data(), 0, uint32_t(v.size()), idx.data(),
                                                      uint32_t(idx.size()), 0);
        (void)device->endScene();
        return s;
    }

    [[nodiscard]] uint32_t pixel(int x, int y) const {
        uint32_t v;
        std::memcpy(&v, std::as_const(*target).row(uint32_t(y)) + size_t(x) * 4, 4);
        return v & 0x00FFFFFF;
    }
    [[nodiscard]] uint16_t depthAt(int x, int y) const {
        uint16_t v;
        std::memcpy(&v, std::as_const(*depth).row(uint32_t(y)) + size_t(x) * 2, 2);
        return v;
    }
};

}  // namespace marquill::platform::soft3d::testing
