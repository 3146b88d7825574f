#pragma once
// The preview panel of the wizard: everything the dialog builds to show the person being designed
// (drawing device, 3D device, viewport, camera, two lights, character catalogue, the person and
// the look-page lists), the one-time set-up that builds it, the frame routine the caller's timer
// drives, the facing, rotate and zoom controls, and the special frames of the snapshots.
//
// The scene is the whole that the wizard and the command line use; it joins three parts: the
// objects it draws with and their life (SceneObjects), when it draws (FrameClock: the timer
// period, busy, the animation clock), and the person the look page dresses (ScenePerson).
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "character/LookLists.h"
#include "character/SkinSelections.h"
#include "image/SnapshotTaker.h"
#include "platform/RandomSource.h"
#include "platform/soft3d/Surface.h"
#include "preview/FrameClock.h"
#include "preview/PreviewEnvironment.h"
#include "preview/PreviewHost.h"
#include "preview/SceneObjects.h"
#include "preview/ScenePerson.h"
#include "render/PreviewCamera.h"
#include "render/UpdateRectList.h"

namespace marquill::preview {

// The preview window of the wizard: 184 x 254 dialog units at 2 pixels a unit.
inline constexpr int kPreviewWidth = 368;
inline constexpr int kPreviewHeight = 508;

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

// Screens denser than this still get frames of this density, scaled by the window system.
inline constexpr double kMaximumPixelRatio = 4.0;

class PreviewScene final : public image::SnapshotTaker {
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
    void setBusy(bool busy) { frames_.setBusy(busy); }
    [[nodiscard]] bool busy() const { return frames_.busy(); }
    // A modal operation or long work begins: busy, and the timer stopped.
    void beginModal();
    // ... and ends: not busy, the timer running again, one frame drawn.
    void endModal();
    // Shown by a direct request (true) starts the timer; any other show notification stops it.
    void show(bool shown);
    // The preview window moved or changed size on the screen.
    void windowMoved();
    // 10 or 150 while the timer runs, 0 when stopped.
    [[nodiscard]] int timerPeriod() const { return frames_.period(); }
    // The density of the screen the preview window is on: pixels per unit of the window. The
    // frames are drawn at that resolution with the same framing, at the nearest even size; the
    // back buffer is made at the set-up for this density or setLargestPixelRatio's, whichever is
    // higher, and a later density above both is drawn at the buffer's.
    void setPixelRatio(double ratio);
    // The highest density of the screens the window may move to, known before the set-up: a
    // move to the densest screen then needs no other buffer.
    void setLargestPixelRatio(double ratio);
    // The density the frames are drawn at; the frame is the top left frameRect() of the buffer.
    [[nodiscard]] double pixelRatio() const;
    [[nodiscard]] render::Rect frameRect() const;

    void setFacing(float quarterTurns);  // also stops the rotation
    void setSpinRate(float quarterTurnsPerSecond);
    void setZoom(int index);
    // The Facing and Rotate lists' selections, with the list's click.
    void selectFacing(int index);
    void selectRotate(int index);
    [[nodiscard]] render::PreviewCameraSettings cameraSettings() const { return camera_; }

    [[nodiscard]] bool ready() const { return setUpDone_; }
    [[nodiscard]] character::LookLists* lookLists();  // null before ready
    [[nodiscard]] character::SkinSelections& selections() { return person_.selections(); }
    [[nodiscard]] character::CharacterCatalogue* catalogue() { return objects_.catalogue(); }
    [[nodiscard]] character::PreviewPerson* person() { return person_.person(); }
    [[nodiscard]] render::AnimDevice* animDevice() { return objects_.animDevice(); }
    [[nodiscard]] render::Viewport3D* viewport() { return objects_.viewport(); }
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

  private:
    [[nodiscard]] SceneObjects::Failure buildScene();
    // Releases the person, then the scene's objects.
    void releaseScene();
    [[nodiscard]] render::Rect evenClientRect() const;
    // The frame's rectangle of the buffer at a density.
    [[nodiscard]] render::Rect frameRectAt(double ratio) const;
    // Draws at `ratio` from the next frame on, within the buffer.
    void drawAtRatio(double ratio);
    void animationEvent(const character::PropertyList& properties);
    // One frame with busy cleared around it, as the snapshots ask for it.
    void singleFrame();

    PreviewHost& host_;
    std::string gameFolder_;
    int windowWidth_, windowHeight_;
    platform::RandomSource& random_;
    PreviewEnvironment env_;
    std::unique_ptr<platform::soft3d::Window> ownWindow_;

    bool setUpDone_ = false;
    bool quitRequested_ = false;
    double pixelRatio_ = 1.0;  // as the screen asks
    double largestPixelRatio_ = 1.0;
    render::PreviewCameraSettings camera_;
    FrameClock frames_;
    SceneObjects objects_;
    ScenePerson person_;
    // What the last frame drew, and what frames drew since the front end last asked.
    render::UpdateRectList lastDrawn_, changed_;
};

}  // namespace marquill::preview
