#pragma once
// The tree of things the preview draws. Every object keeps the screen rectangle it covered last,
// so a frame clears and presents only what changed; its reference count lives in bits 2 to 17 of
// one flags word together with two change bits.
#include <cstdint>

#include "render/RenderResult.h"
#include "render/U3DAlgebra3.h"
#include "render/UpdateRectList.h"

namespace marquill::render {

class Device3D;
class Viewport3D;

struct BoundingBox {
    Vec3 min{1e38f, 1e38f, 1e38f};
    Vec3 max{-1e38f, -1e38f, -1e38f};
    [[nodiscard]] bool valid() const { return min.x <= max.x && min.y <= max.y && min.z <= max.z; }
    void include(Vec3 p);
    void include(const BoundingBox& b);
    // The box around the eight corners moved by m.
    [[nodiscard]] BoundingBox transformed(const Matrix4& m) const;
};

// Clip modes of draw: 0 or 2 test against the view, 1 the object is known to be inside.
enum ClipMode : int { kClipTest = 0, kClipInside = 1, kClipPartial = 2 };

// The 8-corner view test: 0 fully inside; any of bits 12 to 17 set: entirely outside one plane
// (culled); otherwise partly inside.
[[nodiscard]] uint32_t viewTest(const Matrix4& worldViewProjection, const BoundingBox& box);
[[nodiscard]] inline bool viewTestCulled(uint32_t bits) {
    return (bits & 0x3F000) != 0;
}

inline constexpr Rect kEmptyScreenRect{2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1};

class RenderObject {
  public:
    enum Flag : uint32_t { kBoundsOutOfDate = 1u << 0, kTransformChanged = 1u << 1 };

    RenderObject(const RenderObject&) = delete;
    RenderObject& operator=(const RenderObject&) = delete;

    uint32_t addRef();
    uint32_t release();
    [[nodiscard]] uint32_t refCount() const { return (flags_ >> 2) & 0xFFFF; }

    virtual RenderResult draw(Viewport3D& viewport, int clipMode) = 0;
    [[nodiscard]] virtual BoundingBox boundingBox() const = 0;
    [[nodiscard]] virtual bool boundsOutOfDate() const = 0;
    virtual void resetScreenRect() { screenRect_ = kEmptyScreenRect; }
    [[nodiscard]] virtual bool query() const { return false; }

    [[nodiscard]] const Rect& screenRect() const { return screenRect_; }
    [[nodiscard]] const Matrix4& localTransform() const { return local_; }
    void setLocalTransform(const Matrix4& m) {
        local_ = m;
        flags_ |= kTransformChanged;
    }
    [[nodiscard]] uint32_t flags() const { return flags_; }
    void setFlag(Flag f, bool on) { flags_ = on ? (flags_ | f) : (flags_ & ~uint32_t(f)); }

  protected:
    RenderObject() = default;
    virtual ~RenderObject() = default;
    void addToScreenRect(const Rect& r);

    Rect screenRect_ = kEmptyScreenRect;

  private:
    uint32_t flags_ = (1u << 2) | kBoundsOutOfDate | kTransformChanged;
    Matrix4 local_;
};

class ConcreteRenderObject : public RenderObject {
  public:
    [[nodiscard]] Device3D& device() const { return device_; }

  protected:
    explicit ConcreteRenderObject(Device3D& device) : device_(device) {}

  private:
    Device3D& device_;
};

// Pushes the object's local transform on the viewport's world stack, draws, and pops whether or
// not the draw failed.
[[nodiscard]] RenderResult drawWithLocalTransform(RenderObject& object, Viewport3D& viewport,
                                                  int clipMode);

}  // namespace marquill::render
