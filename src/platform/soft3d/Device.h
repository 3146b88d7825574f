#pragma once
// The software 3D device: fixed-function transform and lighting of indexed triangle lists with
// position, normal and one texture coordinate pair, clipped to the view volume and filled into the
// render target with a 16-bit depth buffer. Points are row vectors (p x M).
#include <array>
#include <cstdint>
#include <vector>

#include "platform/soft3d/DrawingObject.h"
#include "platform/soft3d/Material.h"
#include "platform/soft3d/Rasteriser.h"
#include "platform/soft3d/RefCounted.h"
#include "platform/soft3d/Status.h"
#include "platform/soft3d/Surface.h"
#include "platform/soft3d/VertexLighting.h"
#include "platform/soft3d/Viewport.h"

namespace marquill::platform::soft3d {

enum class RenderState : uint32_t {
    TextureHandle,
    TexturePerspective,
    ZEnable,
    ZWriteEnable,
    ZFunc,
    FillMode,
    ShadeMode,
    DitherEnable,
    SpecularEnable,
    FogEnable,
    FogColor,
    FogTableMode,
    FogStart,  // float bits
    FogEnd,    // float bits
    TextureMag,
    TextureMin,
    TextureMapBlend,
    AlphaBlendEnable,
    SrcBlend,
    DestBlend,
    CullMode,
    Count
};
enum class LightState : uint32_t { Material, Ambient, ColorVertex, Count };
enum class TransformState : uint32_t { World, View, Projection };

enum ShadeMode : uint32_t { kShadeFlat = 1, kShadeGouraud = 2 };
enum FillMode : uint32_t { kFillPoint = 1, kFillWireframe = 2, kFillSolid = 3 };
enum TextureFilter : uint32_t { kFilterNearest = 1, kFilterLinear = 2 };
enum TextureBlend : uint32_t { kBlendDecal = 1, kBlendModulate = 2 };
enum CullMode : uint32_t { kCullNone = 1, kCullClockwise = 2, kCullCounterClockwise = 3 };
enum CompareFunc : uint32_t { kCmpLessEqual = 4, kCmpAlways = 8 };

struct DrawFlags {
    enum : uint32_t { kDoNotClip = 1u << 2 };
};

class Device final : public RefCounted {
  public:
    static Status make(DrawingObject& owner, Surface& target, Ref<Device>& out);

    [[nodiscard]] Status enumTextureFormats(std::vector<PixelFormat>& out) const;
    [[nodiscard]] Status addViewport(Viewport& v);
    [[nodiscard]] Status deleteViewport(Viewport& v);
    [[nodiscard]] Status setCurrentViewport(Viewport& v);
    [[nodiscard]] Viewport* currentViewport() const { return current_; }
    [[nodiscard]] Status beginScene();
    [[nodiscard]] Status endScene();
    [[nodiscard]] bool inScene() const { return inScene_; }
    [[nodiscard]] Status setRenderState(RenderState s, uint32_t value);
    [[nodiscard]] uint32_t renderState(RenderState s) const { return states_[size_t(s)]; }
    [[nodiscard]] Status setLightState(LightState s, uint32_t value);
    [[nodiscard]] uint32_t lightState(LightState s) const { return lightStates_[size_t(s)]; }
    [[nodiscard]] Status setTransform(TransformState which, const Matrix& m);
    [[nodiscard]] Status getClipStatus(ClipStatus& out) const;
    [[nodiscard]] Status setClipStatus(const ClipStatus& s);

    // Draws the triangles of `indices` (three per triangle) over vertices[first, first + count);
    // every index must lie in that range.
    [[nodiscard]] Status drawIndexedTriangles(const Vertex* vertices, uint32_t first,
                                              uint32_t count, const uint16_t* indices,
                                              uint32_t indexCount, uint32_t flags);

    // Handles of materials and textures for render and light states; 0 is "none".
    [[nodiscard]] uint32_t materialHandle(Material& m);
    void releaseMaterialHandle(uint32_t handle);
    [[nodiscard]] Status textureHandle(Surface& texture, uint32_t& out);
    void releaseTextureHandle(uint32_t handle);
    [[nodiscard]] Material* material(uint32_t handle) const;
    [[nodiscard]] Surface* texture(uint32_t handle) const;

    [[nodiscard]] Surface& renderTarget() const { return *target_; }

  private:
    Device(DrawingObject& owner, Surface& target);
    ~Device() override;
    bool makeRasterTarget(const Viewport& vp, RasterTarget& out, Ref<Surface>& depth);

    void lightVertices(const Vertex* vertices, uint32_t first, uint32_t count);

    Ref<DrawingObject> owner_;
    Ref<Surface> target_;
    std::vector<Viewport*> viewports_;
    Viewport* current_ = nullptr;
    bool inScene_ = false;
    std::array<uint32_t, size_t(RenderState::Count)> states_{};
    std::array<uint32_t, size_t(LightState::Count)> lightStates_{};
    Matrix world_, view_, projection_;
    ClipStatus clip_;
    std::vector<Ref<Material>> materials_;
    std::vector<Ref<Surface>> textures_;
    std::vector<TransformedVertex> scratch_;
    std::vector<PreparedLight> preparedLights_;
};

}  // namespace marquill::platform::soft3d
