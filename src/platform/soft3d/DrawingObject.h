#pragma once
// The software drawing object: one display (a screen surface in memory) with its modes, and the
// factory of surfaces, clippers and palettes. A display mode change loses every surface.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/soft3d/Clipper.h"
#include "platform/soft3d/Palette.h"
#include "platform/soft3d/RefCounted.h"
#include "platform/soft3d/Status.h"
#include "platform/soft3d/Surface.h"

namespace marquill::platform::soft3d {

class Direct3D;

using Guid = std::array<uint8_t, 16>;

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bitsPerPixel = 0;
    friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

struct DisplayDriver {
    Guid guid{};
    bool isDefault = false;  // the default driver has no identifier of its own
    std::string description;
    std::string name;
};

// The driver and emulation capability records (record size 380).
struct DrawingCaps {
    enum Caps2 : uint32_t { kCanRenderWindowed = 1u << 19 };
    uint32_t size = 380;
    uint32_t caps = 0;
    uint32_t caps2 = 0;
};

enum class Cooperation { Normal, ExclusiveFullScreen };

// What the simulated machine offers; tests vary it.
struct DisplayConfig {
    DisplayMode current{1024, 768, 32};
    std::vector<DisplayMode> modes = {{640, 480, 8},    {640, 480, 16},  {640, 480, 32},
                                      {800, 600, 8},    {800, 600, 16},  {800, 600, 32},
                                      {1024, 768, 8},   {1024, 768, 16}, {1024, 768, 32},
                                      {1280, 1024, 16}, {1280, 1024, 32}};
    bool has3D = true;
    std::vector<DisplayDriver> drivers = {{Guid{}, true, "Primary Display Driver", "display"}};
};

class DrawingObject final : public RefCounted {
  public:
    static Ref<DrawingObject> make(const DisplayConfig& config);

    [[nodiscard]] DisplayMode displayMode() const { return mode_; }
    [[nodiscard]] const std::vector<DisplayMode>& displayModes() const { return config_.modes; }
    [[nodiscard]] Status setCooperativeLevel(Window* window, Cooperation level);
    [[nodiscard]] Cooperation cooperation() const { return cooperation_; }
    [[nodiscard]] Status setDisplayMode(const DisplayMode& mode);
    [[nodiscard]] Status restoreDisplayMode();
    [[nodiscard]] DrawingCaps driverCaps() const;
    [[nodiscard]] DrawingCaps emulationCaps() const;
    [[nodiscard]] PixelFormat displayFormat() const;
    // The palette of an 8-bit display.
    [[nodiscard]] Status systemPalette(PaletteEntries& out) const;

    [[nodiscard]] Status createSurface(const SurfaceDesc& desc, Ref<Surface>& out);
    [[nodiscard]] Status createClipper(Ref<Clipper>& out);
    [[nodiscard]] Status createPalette(const PaletteEntries& entries, Ref<Palette>& out);
    // The 3D object of this drawing object; kNotFound when the display has none.
    [[nodiscard]] Status query3D(Ref<Direct3D>& out);

    [[nodiscard]] Status restoreAllSurfaces();
    // Every live surface the object made (no references taken).
    [[nodiscard]] const std::vector<Surface*>& surfaces() const { return surfaces_; }
    // Another program changed the display: every surface is lost until restored.
    void loseAllSurfaces();
    [[nodiscard]] Surface* screen() const { return primary_; }

  private:
    explicit DrawingObject(const DisplayConfig& config);
    ~DrawingObject() override;
    void forget(Surface* s);

    DisplayConfig config_;
    DisplayMode mode_;
    Cooperation cooperation_ = Cooperation::Normal;
    std::vector<Surface*> surfaces_;
    Surface* primary_ = nullptr;

    friend class Surface;
};

}  // namespace marquill::platform::soft3d
