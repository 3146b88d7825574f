#pragma once
// The drawing settings of one viewport; assigning a different record marks it dirty so that the
// next begin scene sends it to the device.
#include <cstdint>

namespace marquill::render {

struct RenderStateFields {
    bool depthTest = true;
    uint8_t reserved1 = 0;
    int32_t shading = 2;        // 1 flat, 2 Gouraud
    int32_t textureFilter = 1;  // 1 nearest, 2 linear
    int32_t reserved2 = 2;
    int32_t fillMode = 3;  // 1 points, 2 wireframe, 3 solid
    bool dither = false;
    bool specular = false;
    bool reserved3 = false;
    bool fog = false;
    uint32_t fogColor = 0;
    int32_t fogMode = 3;  // 1 exponential, 2 squared exponential, 3 linear
    float fogStart = 6.0f;
    float fogEnd = 11.0f;
    friend bool operator==(const RenderStateFields&, const RenderStateFields&) = default;
};

class RenderState {
  public:
    [[nodiscard]] const RenderStateFields& fields() const { return fields_; }
    // Copies the fields; the dirty flag is set only when one of them differs.
    void assign(const RenderStateFields& f) {
        if (!(f == fields_)) dirty_ = true;
        fields_ = f;
    }
    void restoreDefaults() { assign(RenderStateFields{}); }
    [[nodiscard]] bool dirty() const { return dirty_; }
    void markDirty() { dirty_ = true; }
    void clean() { dirty_ = false; }

  private:
    RenderStateFields fields_;
    bool dirty_ = true;
};

}  // namespace marquill::render
