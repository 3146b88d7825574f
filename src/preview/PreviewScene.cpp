#include "preview/PreviewScene.h"

#include <algorithm>
#include <cmath>

#include "character/AnimationClock.h"
#include "character/PreviewPerson.h"
#include "image/ImageLibrary.h"
#include "image/SurfaceSnapshotWriter.h"
#include "platform/GamePath.h"
#include "platform/GameRegistry.h"
#include "platform/SoundNames.h"
#include "platform/SystemClock.h"
#include "preview/SnapshotFraming.h"
#include "render/AnimDevice.h"
#include "render/CurrentDevice.h"
#include "render/Device3D.h"
#include "render/Light.h"
#include "render/Viewport3D.h"

namespace marquill::preview {

using character::AnimationClock;

namespace {

constexpr std::string_view kDefaultsStatus = "Setting default button states";
constexpr std::string_view kReadyStatus = "Ready!";
constexpr std::string_view kNotDetectedTitle = "Marquill Error";
constexpr std::string_view kNotDetectedMessage = platform::kGameNotDetectedMessage;
constexpr int kNotDetectedExitCode = -1;
constexpr std::string_view kGreetingSound = "Vox_heyshM2";
constexpr std::string_view kEventSoundKey = "sound";

// The person's root stands this far below the origin the camera looks at.
constexpr float kPersonDrop = -1.75f;

// A window with nothing of it on the screen, for a front end that reads the back buffer itself:
// presents keep their bookkeeping (what changed, the window offset) but copy no pixels, which no
// one would look at.
class QuietWindow final : public platform::soft3d::Window {
  public:
    [[nodiscard]] platform::soft3d::Rect clientRectOnScreen() const override { return {}; }
    void screenUpdated(const platform::soft3d::Surface&, const platform::soft3d::Rect&) override {}
};

render::Rect widened(const render::Rect& r) {
    return {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1};
}

std::function<uint32_t()> systemTimeOf(const PreviewEnvironment& environment) {
    if (environment.systemTime) return environment.systemTime;
    return [] { return platform::millisecondsSinceStart(); };
}

}  // namespace

PreviewScene::PreviewScene(PreviewHost& host, std::string gameFolder, int windowWidth,
                           int windowHeight, platform::RandomSource& random)
    : PreviewScene(host, std::move(gameFolder), windowWidth, windowHeight, random, {}) {}

PreviewScene::PreviewScene(PreviewHost& host, std::string gameFolder, int windowWidth,
                           int windowHeight, platform::RandomSource& random,
                           PreviewEnvironment environment)
    : host_(host),
      gameFolder_(std::move(gameFolder)),
      windowWidth_(windowWidth),
      windowHeight_(windowHeight),
      random_(random),
      env_(std::move(environment)),
      frames_(host, systemTimeOf(env_)),
      objects_(host, env_),
      person_(host, frames_, random) {
    if (!env_.window) {
        ownWindow_ = std::make_unique<QuietWindow>();
        env_.window = ownWindow_.get();
    }
    // A new scene starts its animation time afresh, so the first frame does not jump.
    AnimationClock::instance().reset(frames_.systemTime());
    camera_.zoomIndex = kInitialZoom;
    camera_.lastCameraTime = AnimationClock::instance().now();
}

PreviewScene::~PreviewScene() {
    if (render::CurrentDevice::instance().get() == objects_.device())
        render::CurrentDevice::instance().set(nullptr);
    frames_.setRunning(false);
    releaseScene();
}

render::Rect PreviewScene::evenClientRect() const {
    // The device needs even sizes; an odd window loses its last column or row.
    return {0, 0, std::max(0, windowWidth_) & ~1, std::max(0, windowHeight_) & ~1};
}

bool PreviewScene::setUp() {
    if (setUpDone_) return true;
    // The quit request is on its way; asking again would only repeat the message.
    if (quitRequested_) return false;
    switch (buildScene()) {
        case SceneObjects::Failure::None:
            return true;
        case SceneObjects::Failure::NotDetected:
            releaseScene();
            host_.setCursor(Cursor::Arrow);
            host_.showMessage(kNotDetectedTitle, kNotDetectedMessage);
            quitRequested_ = true;
            host_.postQuit(kNotDetectedExitCode);
            return false;
        case SceneObjects::Failure::Platform:
            releaseScene();
            host_.setCursor(Cursor::Arrow);
            return false;
    }
    return false;
}

SceneObjects::Failure PreviewScene::buildScene() {
    host_.setCursor(Cursor::Wait);
    random_.seed(env_.randomSeed.value_or(frames_.systemTime()));
    const SceneObjects::Failure built = objects_.build(
        gameFolder_, frameRectAt(std::max(pixelRatio_, largestPixelRatio_)), evenClientRect(),
        camera_, AnimationClock::instance().now(),
        [this](const character::PropertyList& properties) { animationEvent(properties); });
    if (built != SceneObjects::Failure::None) return built;
    drawAtRatio(pixelRatio_);

    host_.setStatus(kDefaultsStatus);
    host_.defaultButtonStates();
    person_.attach(*objects_.catalogue(), *objects_.device(), objects_.folderIndex(),
                   objects_.fileTypes(), env_.look);

    setUpDone_ = true;
    person_.start();
    host_.setCursor(Cursor::Arrow);
    host_.setStatus(kReadyStatus);
    host_.sounds().playNamed(kGreetingSound);
    host_.previewReady();
    return SceneObjects::Failure::None;
}

void PreviewScene::releaseScene() {
    if (render::CurrentDevice::instance().get() == objects_.device())
        render::CurrentDevice::instance().set(nullptr);
    setUpDone_ = false;
    lastDrawn_.clear();
    changed_.clear();
    person_.release();
    objects_.release();
}

void PreviewScene::timerTick() {
    if (frames_.busy() || !frames_.enterTick()) return;
    if (setUp()) {
        objects_.animDevice()->addPresentRect(frameRect());
        frame();
    }
    frames_.leaveTick();
}

void PreviewScene::frame() {
    if (!setUpDone_ || frames_.busy()) return;
    frames_.holdForFrame();

    person_.nextIdleIfFinished();
    const int32_t now = frames_.advanceAnimationClock();

    render::Viewport3D& viewport = *objects_.viewport();
    (void)render::placePreviewCamera(camera_, *objects_.camera(), viewport, now, evenClientRect());
    const render::Matrix4 root = render::Matrix4::translation({0, kPersonDrop, 0});
    character::PreviewPerson* person = person_.person();
    if (person && person->hasSkeleton()) {
        if (frames_.toolInitialised()) person->tick(root, now, true);
        (void)viewport.clear(render::ClearDepth::Yes);
        (void)viewport.beginScene(true);
        for (render::DirectionalLight* light : objects_.lights())
            (void)light->setIntensity(1.0f);
        (void)person->draw(viewport, now);
        (void)viewport.endScene();
        // The background is one colour, so only what this frame and the one before drew has
        // changed, whatever the clear and the present covered.
        changed_.addAll(lastDrawn_);
        changed_.addAll(viewport.drawnThisFrame());
        lastDrawn_ = viewport.drawnThisFrame();
        (void)objects_.animDevice()->present();
    }
    frames_.setRunning(true);
}

void PreviewScene::animationEvent(const character::PropertyList& properties) {
    if (!host_.isForeground()) return;
    for (const auto& [key, value] : properties.pairs)
        if (key == kEventSoundKey)
            host_.sounds().playFile(platform::resolveGamePath(gameFolder_, value));
}

void PreviewScene::paint() {
    if (frames_.busy() || !setUpDone_) return;
    objects_.animDevice()->addPresentRect(frameRect());
    frame();
    (void)objects_.animDevice()->present();
}

std::vector<platform::soft3d::Rect> PreviewScene::takeChangedRects() {
    std::vector<render::Rect> rects;
    if (!objects_.animDevice()) return rects;
    const render::Rect bounds = frameRect();
    // A pixel's margin covers the rounding of drawn extents.
    for (const render::Rect& r : changed_.rects())
        if (const render::Rect w = widened(r).intersect(bounds); !w.empty()) rects.push_back(w);
    changed_.clear();
    return rects;
}

render::Rect PreviewScene::frameRectAt(double ratio) const {
    const render::Rect window = evenClientRect();
    auto even = [ratio](int32_t units) {
        return 2 * int32_t(std::lround(double(units) * ratio / 2));
    };
    return {0, 0, even(window.width()), even(window.height())};
}

render::Rect PreviewScene::frameRect() const {
    const render::Viewport3D* viewport = objects_.viewport();
    return viewport ? viewport->rect() : frameRectAt(pixelRatio_);
}

double PreviewScene::pixelRatio() const {
    const int32_t units = evenClientRect().width();
    return units > 0 ? double(frameRect().width()) / double(units) : 1.0;
}

void PreviewScene::setPixelRatio(double ratio) {
    pixelRatio_ = std::clamp(ratio, 1.0, kMaximumPixelRatio);
    if (setUpDone_) drawAtRatio(pixelRatio_);
}

void PreviewScene::setLargestPixelRatio(double ratio) {
    largestPixelRatio_ = std::clamp(ratio, 1.0, kMaximumPixelRatio);
}

void PreviewScene::drawAtRatio(double ratio) {
    render::AnimDevice* anim = objects_.animDevice();
    render::Viewport3D* viewport = objects_.viewport();
    if (!anim || !viewport) return;
    const render::Rect buffer{0, 0, anim->width(), anim->height()};
    render::Rect wanted = frameRectAt(ratio);
    if (wanted.width() > buffer.width() || wanted.height() > buffer.height()) wanted = buffer;
    if (wanted == viewport->rect()) return;
    if (viewport->setRect(wanted) != render::kRenderOk) return;
    // What the other size drew may lie outside the new frame's clear; the next frame clears and
    // shows all of it.
    anim->addPresentRect(buffer);
    changed_.add(buffer);
}

void PreviewScene::setApplicationActive(bool active) {
    frames_.setApplicationActive(active);
}

void PreviewScene::setToolInitialised(bool initialised) {
    frames_.setToolInitialised(initialised);
}

void PreviewScene::beginModal() {
    frames_.beginModal();
}

void PreviewScene::endModal() {
    frames_.endModal();
    frame();
}

void PreviewScene::show(bool shown) {
    if (shown && objects_.animDevice()) objects_.animDevice()->recomputeWindowOffset();
    frames_.show(shown);
}

void PreviewScene::windowMoved() {
    if (objects_.animDevice()) objects_.animDevice()->recomputeWindowOffset();
}

void PreviewScene::setFacing(float quarterTurns) {
    camera_.facing = quarterTurns;
    camera_.spinRate = 0;
}

void PreviewScene::setSpinRate(float quarterTurnsPerSecond) {
    camera_.spinRate = quarterTurnsPerSecond;
}

void PreviewScene::setZoom(int index) {
    camera_.zoomIndex = std::clamp(index, kZoomMinimum, kZoomMaximum);
}

void PreviewScene::selectFacing(int index) {
    if (index < 0 || index >= int(kFacingChoices.size())) return;
    host_.sounds().playNamed(platform::sound::kClick);
    setFacing(kFacingChoices[size_t(index)].angle);
}

void PreviewScene::selectRotate(int index) {
    if (index < 0 || index >= int(kRotateChoices.size())) return;
    host_.sounds().playNamed(platform::sound::kClick);
    setSpinRate(kRotateChoices[size_t(index)].rate);
}

character::LookLists* PreviewScene::lookLists() {
    return setUpDone_ ? person_.lookLists() : nullptr;
}

const platform::soft3d::Surface* PreviewScene::backBuffer() const {
    return setUpDone_ && objects_.animDevice() ? objects_.animDevice()->backBuffer() : nullptr;
}

void PreviewScene::singleFrame() {
    frames_.setBusy(false);
    frames_.setRunning(true);
    frame();
    frames_.setBusy(true);
    frames_.setRunning(false);
}

int PreviewScene::takeSnapshots(const image::SnapshotPaths& paths) {
    platform::soft3d::Surface* surface =
        setUpDone_ && objects_.animDevice() ? objects_.animDevice()->backBuffer() : nullptr;
    const render::PreviewCameraSettings before = camera_;
    camera_.zoomIndex = kSnapshotZoom;
    camera_.facing = kSnapshotFacing;
    camera_.spinRate = kSnapshotSpin;

    auto capture = [&](const std::string& path, const platform::soft3d::Rect& region) {
        if (!surface || !env_.images || !env_.images->available()) return 0;
        return int(image::SurfaceSnapshotWriter(*env_.images, path, surface, &region));
    };
    // The regions are cut from a frame of the window's own size, whatever the screen's density.
    drawAtRatio(1.0);
    int written = 0;
    singleFrame();
    written += capture(paths.head, kHeadRegion);
    singleFrame();
    written += capture(paths.body, kBodyRegion);

    camera_.zoomIndex = before.zoomIndex;
    camera_.facing = before.facing;
    camera_.spinRate = before.spinRate;
    drawAtRatio(pixelRatio_);
    singleFrame();
    return written;
}

}  // namespace marquill::preview
