#pragma once
// The preview panel of the wizard: everything the dialog builds to show the person being designed
// (drawing device, 3D device, viewport, camera, two lights, character catalogue, the person and
// the look-page lists), the one-time set-up that builds it, the frame routine the caller's timer
// drives, the facing, rotate and zoom controls, and the special frames of the snapshots.
//
// The scene never owns a timer: it tells the host the period it wants (10 ms while the tool is
// the active application, 150 ms otherwise, 0 when stopped) and the host calls timerTick().
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "character/CharacterRecords.h"
#include "character/IdleCycle.h"
#include "character/LookLists.h"
#include "character/SkinSelections.h"
#include "image/SnapshotTaker.h"
#include "platform/RandomSource.h"
#include "platform/soft3d/DrawingModule.h"
#include "platform/soft3d/Surface.h"
#include "platform/soft3d/Window.h"
#include "preview/PreviewHost.h"
#include "render/PreviewCamera.h"
#include "render/RenderResult.h"
#include "render/UpdateRectList.h"

namespace marquill::fileindex {
class FolderIndex;
class FileTypeRegistry;
}  // namespace marquill::fileindex

namespace marquill::image {
class ImageLibrary;
}

namespace marquill::render {
class AnimDevice;
class Camera;
class Device3D;
class DirectionalLight;
class Viewport3D;
}  // namespace marquill::render

namespace marquill::character {
class CharacterCatalogue;
class IndexedFileSource;
class PreviewPerson;
}  // namespace marquill::character

namespace marquill::preview {

// The preview window of the wizard: 184 x 254 dialog units at 2 pixels a unit.
inline constexpr int kPreviewWidth = 368;
inline constexpr int kPreviewHeight = 508;

inline constexpr int kActivePeriodMs = 10;
inline constexpr int kInactivePeriodMs = 150;

struct FacingChoice {
    std::string_view name;
    float angle;  // quarter turns
};
// The Facing list in its order; "South East" is selected at first.
inline constexpr std::array<FacingChoice, 4> kFacingChoices{{
    {"North West", 2.0f},
    {"North East", 3.0f},
    {"South West", 1.0f},
    {"South East", 0.0f},
}};
inline constexpr int kInitialFacingChoice = 3;

struct RotateChoice {
    std::string_view name;
    float rate;  // quarter turns per second
};
// The Rotate list in its order; "None" is selected at first.
inline constexpr std::array<RotateChoice, 3> kRotateChoices{{
    {"None", 0.0f},
    {"Slow", 0.1f},
    {"Fast", 1.5f},
}};

inline constexpr int kZoomMinimum = 0;
inline constexpr int kZoomMaximum = 4;
inline constexpr int kInitialZoom = 3;

// Where the scene gets what differs between the wizard, the command line and tests.
struct PreviewEnvironment {
    platform::soft3d::DrawingModule drawing = platform::soft3d::softwareDrawingModule();
    // What presents show on; none: the scene's own window, which keeps nothing (a front end
    // reads backBuffer() instead).
    platform::soft3d::Window* window = nullptr;
    // The multimedia timer in milliseconds; none: the platform's.
    std::function<uint32_t()> systemTime;
    // The file index and its type registry, given together; none: the process-wide ones.
    fileindex::FolderIndex* index = nullptr;
    fileindex::FileTypeRegistry* types = nullptr;
    // The image library the snapshots are written through; none: no pictures.
    image::ImageLibrary* images = nullptr;
    // The appearance selection the look lists edit; none: the scene's own.
    character::LookSelection* look = nullptr;
    // Seeds the random source at set-up instead of the clock, so a run can be repeated.
    std::optional<uint32_t> randomSeed;
    // Sees the result of each platform step of the set-up (by its number, 6 to 13) and returns
    // the result to go on with; lets a test make any one step fail.
    std::function<render::RenderResult(int step, render::RenderResult result)> stepResult;
};

class PreviewScene : public image::SnapshotTaker, public character::PersonControl {
  public:
    PreviewScene(PreviewHost& host, std::string gameFolder, int windowWidth, int windowHeight,
                 platform::RandomSource& random);
    PreviewScene(PreviewHost& host, std::string gameFolder, int windowWidth, int windowHeight,
                 platform::RandomSource& random, PreviewEnvironment environment);
    ~PreviewScene() override;
    PreviewScene(const PreviewScene&) = delete;
    PreviewScene& operator=(const PreviewScene&) = delete;

    // True once the preview is ready (at once when it already was). A failed attempt releases
    // what it made, so the next call starts afresh.
    bool setUp();
    void timerTick();
    // Draws one frame when the preview is ready and not busy.
    void frame();
    // A paint of the whole preview window.
    void paint();
    void setApplicationActive(bool active);
    void setToolInitialised(bool initialised);
    void setBusy(bool busy) override;
    [[nodiscard]] bool busy() const { return busy_; }
    // A modal operation or long work begins: busy, and the timer stopped.
    void beginModal();
    // ... and ends: not busy, the timer running again, one frame drawn.
    void endModal();
    // Shown by a direct request (true) starts the timer; any other show notification stops it.
    void show(bool shown);
    // The preview window moved or changed size on the screen.
    void windowMoved();
    // 10 or 150 while the timer runs, 0 when stopped.
    [[nodiscard]] int timerPeriod() const;

    void setFacing(float quarterTurns);  // also stops the rotation
    void setSpinRate(float quarterTurnsPerSecond);
    void setZoom(int index);
    // The Facing and Rotate lists' selections, with the list's click.
    void selectFacing(int index);
    void selectRotate(int index);
    [[nodiscard]] render::PreviewCameraSettings cameraSettings() const { return camera_; }

    [[nodiscard]] bool ready() const { return setUpDone_; }
    [[nodiscard]] character::LookLists* lookLists();  // null before ready
    // What the person wears beyond the appearance selection.
    [[nodiscard]] character::SkinSelections& selections() { return selections_; }
    [[nodiscard]] character::CharacterCatalogue* catalogue() { return catalogue_.get(); }
    [[nodiscard]] character::PreviewPerson* person() { return person_.get(); }
    [[nodiscard]] render::AnimDevice* animDevice() { return anim_.get(); }
    [[nodiscard]] render::Viewport3D* viewport() { return viewport_; }
    // The back buffer as 32-bit pixels for the window (size, stride, pointer); null before ready.
    [[nodiscard]] const platform::soft3d::Surface* backBuffer() const;
    // The back buffer's rectangles that may have changed since the last call, for a front end
    // that repaints only those; clipped to the buffer. The picture as a whole is new when the
    // back buffer is (see backBuffer()).
    [[nodiscard]] std::vector<platform::soft3d::Rect> takeChangedRects();

    // The head and body pictures at the snapshot framing; the user's framing is restored. Each
    // frame is drawn with busy cleared around it, and the scene is left busy with its timer
    // stopped, as inside a save, whose end clears them (endModal).
    [[nodiscard]] int takeSnapshots(const image::SnapshotPaths& paths) override;

    // What the look-page lists ask of the preview.
    void ensurePerson(const std::string& skeletonName) override;
    void dress(const character::Appearance& appearance, character::SkinSelections& dressing,
               bool fashionPage) override;
    void undressAll() override;
    void reloadTextures() override;
    void syncAnimation(std::string& animationName) override;

  private:
    enum class SetUpFailure { None, Platform, NotDetected };
    SetUpFailure buildScene();
    [[nodiscard]] bool platformStep(int step, render::RenderResult result);
    // Releases every preview object in teardown order; what was never made is skipped.
    void releaseScene();
    [[nodiscard]] uint32_t systemTime() const;
    [[nodiscard]] fileindex::FolderIndex& folderIndex() const;
    [[nodiscard]] fileindex::FileTypeRegistry& fileTypes() const;
    [[nodiscard]] render::Rect evenClientRect() const;
    void setTimerRunning(bool running);
    void nextIdleIfFinished();
    void animationEvent(const character::PropertyList& properties);
    // One frame with busy cleared around it, as the snapshots ask for it.
    void singleFrame();

    PreviewHost& host_;
    std::string gameFolder_;
    int windowWidth_, windowHeight_;
    platform::RandomSource& random_;
    PreviewEnvironment env_;

    bool setUpDone_ = false;
    bool quitRequested_ = false;
    bool active_ = false;
    bool busy_ = false;
    bool toolInitialised_ = false;
    bool inTick_ = false;
    bool timerRunning_ = false;
    int notifiedPeriod_ = 0;
    render::PreviewCameraSettings camera_;

    std::unique_ptr<platform::soft3d::Window> ownWindow_;
    std::unique_ptr<character::IndexedFileSource> files_;
    std::unique_ptr<render::AnimDevice> anim_;
    std::unique_ptr<render::Device3D> device_;
    render::Viewport3D* viewport_ = nullptr;
    render::Camera* cameraObject_ = nullptr;  // our reference; the viewport holds its own
    std::array<render::DirectionalLight*, 2> lights_{};
    std::unique_ptr<character::CharacterCatalogue> catalogue_;
    std::unique_ptr<character::PreviewPerson> person_;
    std::unique_ptr<character::LookLists> lookLists_;
    character::SkinSelections selections_;
    character::LookSelection ownLook_;
    character::IdleCycle idle_;
    // What the last frame drew, and what frames drew since the front end last asked.
    render::UpdateRectList lastDrawn_, changed_;
};

}  // namespace marquill::preview
