#pragma once
// Everything two-dimensional of one drawing window: the drawing object, the screen and back
// buffer with its depth buffer, clipper and palette, the rectangles to copy at the next present,
// and the search paths for image files.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/soft3d/Direct3D.h"
#include "platform/soft3d/DrawingModule.h"
#include "render/DDDCOMWrapper.h"
#include "render/DDDSurface4.h"
#include "render/DeviceCandidate.h"
#include "render/FileSource.h"
#include "render/RenderResult.h"
#include "render/UpdateRectList.h"

namespace marquill::render {

class Device3D;

enum class ScreenMode { Windowed, FullScreen };
enum class DepthBuffer { None, Wanted };

struct Point {
    int32_t x = 0, y = 0;
};

class AnimDevice {
  public:
    // `files` (may be none) receives the file types and answers texture lookups.
    AnimDevice(platform::soft3d::DrawingModule module, FileSource* files);
    virtual ~AnimDevice();
    AnimDevice(const AnimDevice&) = delete;
    AnimDevice& operator=(const AnimDevice&) = delete;

    [[nodiscard]] RenderResult initialise(
        platform::soft3d::Window* window, ScreenMode mode, int32_t width, int32_t height,
        uint32_t bitsPerPixel, DepthBuffer depth,
        const platform::soft3d::PaletteEntries* palette = nullptr);

    // The display driver to create the drawing object on: the second of exactly two in full
    // screen, else none (the default driver).
    [[nodiscard]] virtual const platform::soft3d::Guid* chooseDisplayDriver() const;

    void setTextureSearchPath(std::string path) { texturePath_ = std::move(path); }
    [[nodiscard]] const std::string& textureSearchPath() const { return texturePath_; }
    [[nodiscard]] const std::string& bitmapSearchPath() const { return bitmapPath_; }
    [[nodiscard]] const std::string& depthImageSearchPath() const { return depthPath_; }

    void addPresentRect(const Rect& r) { presentList_.add(r); }
    void addOneShotRect(const Rect& r) { oneShotList_.add(r); }
    void recomputeWindowOffset();
    [[nodiscard]] Point windowOffset() const { return windowOffset_; }
    void setRectListsEnabled(bool on);

    [[nodiscard]] RenderResult restoreAllSurfaces();
    [[nodiscard]] RenderResult present();

    [[nodiscard]] platform::soft3d::Surface* backBuffer() const { return back_.get(); }
    [[nodiscard]] platform::soft3d::Surface* frontSurface() const { return front_.get(); }
    [[nodiscard]] platform::soft3d::Surface* depthBuffer() const { return depth_.get(); }
    [[nodiscard]] platform::soft3d::Window* window() const { return window_; }
    [[nodiscard]] platform::soft3d::Window* topLevelWindow() const { return topLevel_; }
    [[nodiscard]] platform::soft3d::DrawingObject* drawingObject() const { return draw_.get(); }
    [[nodiscard]] platform::soft3d::Direct3D* direct3D() const { return d3d_.get(); }
    [[nodiscard]] const std::vector<DeviceCandidate>& candidates() const { return candidates_; }
    [[nodiscard]] const DeviceCandidate* chosenDevice() const;
    [[nodiscard]] const std::vector<platform::soft3d::DisplayMode>& displayModes() const {
        return modes_;
    }
    [[nodiscard]] int32_t width() const { return width_; }
    [[nodiscard]] int32_t height() const { return height_; }
    [[nodiscard]] uint32_t bitsPerPixel() const { return bitsPerPixel_; }
    [[nodiscard]] bool modeChanged() const { return modeChanged_; }
    [[nodiscard]] RenderResult lastResult() const { return result_; }
    [[nodiscard]] FileSource* files() const { return files_; }
    [[nodiscard]] const UpdateRectList& presentList() const { return presentList_; }
    [[nodiscard]] const UpdateRectList& previousPresentList() const { return previousList_; }
    [[nodiscard]] const UpdateRectList& copyList() const { return copyList_; }

    // Called by Device3D.
    void attachDevice(Device3D* d) { device3D_ = d; }
    [[nodiscard]] Device3D* device3D() const { return device3D_; }

  private:
    RenderResult fail(RenderResult r) { return result_ = r; }
    RenderResult createSurfaces(const platform::soft3d::PaletteEntries* palette);
    void releaseSurfaces();
    void releaseAll();

    platform::soft3d::DrawingModule module_;
    FileSource* files_;
    RenderResult result_ = kRenderOk;
    bool fullScreen_ = false;
    int32_t width_ = 0, height_ = 0;
    uint32_t bitsPerPixel_ = 0;
    bool depthWanted_ = false;
    platform::soft3d::Window* window_ = nullptr;
    platform::soft3d::Window* topLevel_ = nullptr;
    Point windowOffset_;
    std::vector<platform::soft3d::DisplayDriver> drivers_;
    DDDCOMWrapper<platform::soft3d::DrawingObject> draw_;
    DDDCOMWrapper<platform::soft3d::Direct3D> d3d_;
    DDDSurface4 front_, back_, depth_;
    DDDCOMWrapper<platform::soft3d::Clipper> clipper_;
    DDDCOMWrapper<platform::soft3d::Palette> palette_;
    platform::soft3d::DrawingCaps driverCaps_, emulationCaps_;
    std::vector<platform::soft3d::DisplayMode> modes_;
    std::vector<DeviceCandidate> candidates_;
    int chosen_ = -1;
    uint32_t depthFormatRecordSize_ = 32;
    bool modeChanged_ = false;
    platform::soft3d::PaletteEntries systemPalette_{};
    UpdateRectList presentList_, previousList_, oneShotList_, copyList_;
    std::string bitmapPath_, depthPath_, texturePath_;
    Device3D* device3D_ = nullptr;
};

}  // namespace marquill::render
