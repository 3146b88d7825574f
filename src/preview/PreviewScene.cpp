#include "preview/PreviewScene.h"

#include <algorithm>
#include <numbers>

#include "character/AnimationClock.h"
#include "character/AnimationInstance.h"
#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"
#include "character/IndexedFileSource.h"
#include "character/PreviewPerson.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "image/ImageLibrary.h"
#include "image/SurfaceSnapshotWriter.h"
#include "platform/GamePath.h"
#include "platform/SystemClock.h"
#include "preview/SnapshotFraming.h"
#include "render/AnimDevice.h"
#include "render/Camera.h"
#include "render/CurrentDevice.h"
#include "render/Device3D.h"
#include "render/Light.h"
#include "render/MaterialLibrary.h"
#include "render/TextureLibrary.h"
#include "render/Viewport3D.h"

namespace marquill::preview {

using character::AnimationClock;
using render::kRenderOk;
using render::RenderResult;

namespace {

constexpr std::string_view kInitializingStatus = "Initializing DDD:";
constexpr std::string_view kLoadingStatus = "Loading data - This takes a while...";
constexpr std::string_view kDefaultsStatus = "Setting default button states";
constexpr std::string_view kReadyStatus = "Ready!";
constexpr std::string_view kNotDetectedTitle = "Marquill Error";
constexpr std::string_view kNotDetectedMessage =
    "The Pemms was not detected on this computer. You must have The Pemms installed to use this "
    "program.";
constexpr int kNotDetectedExitCode = -1;
constexpr std::string_view kGreetingSound = "Vox_heyshM2";
constexpr std::string_view kClickSound = "Click";
constexpr std::string_view kEventSoundKey = "sound";

constexpr uint32_t kFallbackDepth = 16;
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

// The depth of the display the preview window is on; an unreadable display counts as 16 bits.
uint32_t displayDepth(const platform::soft3d::DrawingModule& module) {
    if (!module.create) return kFallbackDepth;
    platform::soft3d::Ref<platform::soft3d::DrawingObject> drawing;
    if (module.create(nullptr, drawing) != platform::soft3d::kOk || !drawing) return kFallbackDepth;
    const uint32_t bits = drawing->displayMode().bitsPerPixel;
    return bits != 0 ? bits : kFallbackDepth;
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
      env_(std::move(environment)) {
    if (!env_.window) {
        ownWindow_ = std::make_unique<QuietWindow>();
        env_.window = ownWindow_.get();
    }
    // A new scene starts its animation time afresh, so the first frame does not jump.
    AnimationClock::instance().reset(systemTime());
    camera_.zoomIndex = kInitialZoom;
    camera_.lastCameraTime = AnimationClock::instance().now();
}

PreviewScene::~PreviewScene() {
    if (render::CurrentDevice::instance().get() == device_.get())
        render::CurrentDevice::instance().set(nullptr);
    setTimerRunning(false);
    releaseScene();
}

uint32_t PreviewScene::systemTime() const {
    return env_.systemTime ? env_.systemTime() : platform::millisecondsSinceStart();
}

fileindex::FolderIndex& PreviewScene::folderIndex() const {
    return env_.index ? *env_.index : fileindex::processFolderIndex();
}

fileindex::FileTypeRegistry& PreviewScene::fileTypes() const {
    return env_.types ? *env_.types : fileindex::processFileTypes();
}

render::Rect PreviewScene::evenClientRect() const {
    // The device needs even sizes; an odd window loses its last column or row.
    return {0, 0, std::max(0, windowWidth_) & ~1, std::max(0, windowHeight_) & ~1};
}

bool PreviewScene::platformStep(int step, RenderResult result) {
    if (env_.stepResult) result = env_.stepResult(step, result);
    return result == kRenderOk;
}

bool PreviewScene::setUp() {
    if (setUpDone_) return true;
    // The quit request is on its way; asking again would only repeat the message.
    if (quitRequested_) return false;
    switch (buildScene()) {
        case SetUpFailure::None:
            return true;
        case SetUpFailure::NotDetected:
            releaseScene();
            host_.setCursor(Cursor::Arrow);
            host_.showMessage(kNotDetectedTitle, kNotDetectedMessage);
            quitRequested_ = true;
            host_.postQuit(kNotDetectedExitCode);
            return false;
        case SetUpFailure::Platform:
            releaseScene();
            host_.setCursor(Cursor::Arrow);
            return false;
    }
    return false;
}

PreviewScene::SetUpFailure PreviewScene::buildScene() {
    using namespace render;
    host_.setCursor(Cursor::Wait);
    random_.seed(env_.randomSeed.value_or(systemTime()));

    const uint32_t depth = displayDepth(env_.drawing);
    host_.setStatus(kInitializingStatus);
    const Rect client = evenClientRect();

    files_ = std::make_unique<character::IndexedFileSource>(fileTypes());
    anim_ = std::make_unique<AnimDevice>(env_.drawing, files_.get());
    const RenderResult initialised =
        anim_->initialise(env_.window, ScreenMode::Windowed, client.width(), client.height(), depth,
                          DepthBuffer::Wanted);
    anim_->setTextureSearchPath(std::string(character::kTexturePathList));
    if (!platformStep(6, initialised)) return SetUpFailure::Platform;

    if (!platformStep(8, Device3D::create(*anim_, device_))) return SetUpFailure::Platform;
    CurrentDevice::instance().set(device_.get());
    if (!platformStep(9, device_->createViewport(nullptr, &viewport_)))
        return SetUpFailure::Platform;
    if (!platformStep(10,
                      viewport_->setBackgroundColor(0.89453125f, 0.48046875f, 0.015625f, 255.0f)))
        return SetUpFailure::Platform;
    RenderStateFields state = viewport_->renderState();
    state.shading = 2;
    viewport_->setRenderState(state);

    Camera* camera = nullptr;
    RenderResult placed = viewport_->createCamera({-300, 0, 0}, {1, 0, 0}, 10.0f, 200.0f,
                                                  std::numbers::pi_v<float> / 4, &camera);
    if (camera) {
        camera->addRef();
        cameraObject_ = camera;
        if (placed == kRenderOk)
            placed = placePreviewCamera(camera_, *cameraObject_, *viewport_,
                                        AnimationClock::instance().now());
    }
    if (!platformStep(12, camera ? placed : kRenderOutOfMemory)) return SetUpFailure::Platform;

    const Vec3 lightPlaces[2][2] = {{{100, 100, 50}, {-100, -100, 0}},
                                    {{-100, -100, -50}, {100, 100, 0}}};
    for (size_t i = 0; i < lights_.size(); ++i) {
        RenderResult r = device_->createLight(AddToViewports::Yes, &lights_[i]);
        if (r == kRenderOk)
            r = lights_[i]->setPositionDirection(lightPlaces[i][0], lightPlaces[i][1]);
        if (r == kRenderOk) r = lights_[i]->setIntensity(1.0f);
        if (r == kRenderOk) r = lights_[i]->setColor(1.0f, 1.0f, 1.0f);
        if (!platformStep(13, r)) return SetUpFailure::Platform;
    }
    if (!platformStep(13, viewport_->setAmbientLight(0.7f, 0.7f, 0.7f, 0.7f)))
        return SetUpFailure::Platform;

    catalogue_ = std::make_unique<character::CharacterCatalogue>(folderIndex(), fileTypes());
    character::setAnimationEventCallback(
        [this](const character::AnimationInstance&, const character::Bone&,
               const character::BoneTrack&,
               const character::PropertyList& properties) { animationEvent(properties); });

    folderIndex().setRoot(gameFolder_);
    const bool detected =
        catalogue_->build(character::kCharacterPathList, character::kAnimationPathList,
                          [this](std::string_view text) {
                              // The catalogue names more stages than the status line shows.
                              if (text == kLoadingStatus) host_.setStatus(text);
                          });
    if (!detected) return SetUpFailure::NotDetected;

    host_.setStatus(kDefaultsStatus);
    host_.defaultButtonStates();
    lookLists_ = std::make_unique<character::LookLists>(*catalogue_, folderIndex(), fileTypes(),
                                                        env_.look ? *env_.look : ownLook_,
                                                        selections_, this, host_.sounds());

    setUpDone_ = true;
    lookLists_->start();
    host_.setCursor(Cursor::Arrow);
    host_.setStatus(kReadyStatus);
    host_.sounds().playNamed(kGreetingSound);
    host_.previewReady();
    return SetUpFailure::None;
}

void PreviewScene::releaseScene() {
    if (render::CurrentDevice::instance().get() == device_.get())
        render::CurrentDevice::instance().set(nullptr);
    setUpDone_ = false;
    lastDrawn_.clear();
    changed_.clear();
    if (catalogue_) character::setAnimationEventCallback({});
    lookLists_.reset();
    person_.reset();
    catalogue_.reset();
    for (size_t i = lights_.size(); i-- > 0;) {
        if (lights_[i]) lights_[i]->release();
        lights_[i] = nullptr;
    }
    if (cameraObject_) cameraObject_->release();
    cameraObject_ = nullptr;
    if (device_ && viewport_) (void)device_->removeViewport(viewport_);
    viewport_ = nullptr;
    device_.reset();
    anim_.reset();
    files_.reset();
}

void PreviewScene::timerTick() {
    if (inTick_ || busy_) return;
    inTick_ = true;
    if (setUp()) {
        anim_->addPresentRect(evenClientRect());
        frame();
    }
    inTick_ = false;
}

void PreviewScene::frame() {
    if (!setUpDone_ || busy_) return;
    // The timer stands still while a frame is drawn; the host hears only of a net change.
    timerRunning_ = false;

    nextIdleIfFinished();

    AnimationClock& clock = AnimationClock::instance();
    if (toolInitialised_)
        clock.advance(systemTime());
    else
        clock.hold();
    const int32_t now = clock.now();

    (void)render::placePreviewCamera(camera_, *cameraObject_, *viewport_, now);
    const render::Matrix4 root = render::Matrix4::translation({0, kPersonDrop, 0});
    if (person_ && person_->hasSkeleton()) {
        if (toolInitialised_) person_->tick(root, now, true);
        (void)viewport_->clear(render::ClearDepth::Yes);
        (void)viewport_->beginScene(true);
        for (render::DirectionalLight* light : lights_)
            (void)light->setIntensity(1.0f);
        (void)person_->draw(*viewport_, now);
        (void)viewport_->endScene();
        // The background is one colour, so only what this frame and the one before drew has
        // changed, whatever the clear and the present covered.
        changed_.addAll(lastDrawn_);
        changed_.addAll(viewport_->drawnThisFrame());
        lastDrawn_ = viewport_->drawnThisFrame();
        (void)device_->present();
    }
    setTimerRunning(true);
}

void PreviewScene::nextIdleIfFinished() {
    if (!person_ || !person_->animations() || !lookLists_) return;
    character::AnimationInstance* running = person_->runningAnimation();
    // With nothing running (an idle name the catalogue lacks) the last pose stays.
    if (!running || !running->finished) return;
    running = idle_.next(selections_.animation, *person_->animations(), *catalogue_,
                         AnimationClock::instance().now(), !lookLists_->appearance().female(),
                         host_.isForeground(), random_, host_.sounds());
    person_->setRunningAnimation(running);
}

void PreviewScene::animationEvent(const character::PropertyList& properties) {
    if (!host_.isForeground()) return;
    for (const auto& [key, value] : properties.pairs)
        if (key == kEventSoundKey)
            host_.sounds().playFile(platform::resolveGamePath(gameFolder_, value));
}

void PreviewScene::paint() {
    if (busy_ || !setUpDone_) return;
    anim_->addPresentRect(evenClientRect());
    frame();
    (void)device_->present();
}

std::vector<platform::soft3d::Rect> PreviewScene::takeChangedRects() {
    std::vector<render::Rect> rects;
    if (!anim_) return rects;
    const render::Rect bounds{0, 0, anim_->width(), anim_->height()};
    // A pixel's margin covers the rounding of drawn extents.
    for (const render::Rect& r : changed_.rects())
        if (const render::Rect w = widened(r).intersect(bounds); !w.empty()) rects.push_back(w);
    changed_.clear();
    return rects;
}

int PreviewScene::timerPeriod() const {
    if (!timerRunning_) return 0;
    return active_ ? kActivePeriodMs : kInactivePeriodMs;
}

void PreviewScene::setTimerRunning(bool running) {
    timerRunning_ = running;
    const int period = timerPeriod();
    if (period == notifiedPeriod_) return;
    notifiedPeriod_ = period;
    host_.timerChanged(period);
}

void PreviewScene::setApplicationActive(bool active) {
    active_ = active;
    if (timerRunning_) setTimerRunning(true);
}

void PreviewScene::setToolInitialised(bool initialised) {
    toolInitialised_ = initialised;
}

void PreviewScene::setBusy(bool busy) {
    busy_ = busy;
}

void PreviewScene::beginModal() {
    busy_ = true;
    setTimerRunning(false);
}

void PreviewScene::endModal() {
    busy_ = false;
    if (!timerRunning_) setTimerRunning(true);
    frame();
}

void PreviewScene::show(bool shown) {
    if (!shown) {
        setTimerRunning(false);
        return;
    }
    if (anim_) anim_->recomputeWindowOffset();
    if (!timerRunning_) setTimerRunning(true);
}

void PreviewScene::windowMoved() {
    if (anim_) anim_->recomputeWindowOffset();
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
    host_.sounds().playNamed(kClickSound);
    setFacing(kFacingChoices[size_t(index)].angle);
}

void PreviewScene::selectRotate(int index) {
    if (index < 0 || index >= int(kRotateChoices.size())) return;
    host_.sounds().playNamed(kClickSound);
    setSpinRate(kRotateChoices[size_t(index)].rate);
}

character::LookLists* PreviewScene::lookLists() {
    return setUpDone_ ? lookLists_.get() : nullptr;
}

const platform::soft3d::Surface* PreviewScene::backBuffer() const {
    return setUpDone_ && anim_ ? anim_->backBuffer() : nullptr;
}

void PreviewScene::singleFrame() {
    busy_ = false;
    setTimerRunning(true);
    frame();
    busy_ = true;
    setTimerRunning(false);
}

int PreviewScene::takeSnapshots(const image::SnapshotPaths& paths) {
    platform::soft3d::Surface* surface = setUpDone_ && anim_ ? anim_->backBuffer() : nullptr;
    const render::PreviewCameraSettings before = camera_;
    camera_.zoomIndex = kSnapshotZoom;
    camera_.facing = kSnapshotFacing;
    camera_.spinRate = kSnapshotSpin;

    auto capture = [&](const std::string& path, const platform::soft3d::Rect& region) {
        if (!surface || !env_.images || !env_.images->available()) return 0;
        return int(image::SurfaceSnapshotWriter(*env_.images, path, surface, &region));
    };
    int written = 0;
    singleFrame();
    written += capture(paths.head, kHeadRegion);
    singleFrame();
    written += capture(paths.body, kBodyRegion);

    camera_.zoomIndex = before.zoomIndex;
    camera_.facing = before.facing;
    camera_.spinRate = before.spinRate;
    singleFrame();
    return written;
}

void PreviewScene::ensurePerson(const std::string& skeletonName) {
    if (!catalogue_ || !device_) return;
    if (person_ && person_->skeletonName() == skeletonName) return;
    if (person_) undressAll();
    person_.reset();
    person_ = character::PreviewPerson::create(*catalogue_, *device_, skeletonName);
}

void PreviewScene::dress(const character::Appearance& appearance,
                         character::SkinSelections& dressing, bool fashionPage) {
    if (person_) person_->dressFromSelections(appearance, dressing, fashionPage);
}

void PreviewScene::undressAll() {
    if (!person_) return;
    person_->undressAll();
    person_->setRunningAnimation(nullptr);
}

void PreviewScene::reloadTextures() {
    if (!device_) return;
    device_->materials().releaseUnused();
    device_->textures().forgetAll();
}

void PreviewScene::syncAnimation(std::string& animationName) {
    if (!person_ || !person_->animations() || !catalogue_) return;
    character::AnimationPlayer& player = *person_->animations();
    character::AnimationInstance* running = person_->runningAnimation();
    if (running && (!running->animation || running->animation->name != animationName)) {
        player.stop(running);
        person_->setRunningAnimation(nullptr);
        running = nullptr;
    }
    if (running || animationName.empty()) return;
    character::Animation* animation = catalogue_->findAnimation(animationName);
    if (!animation) {
        animationName.clear();
        return;
    }
    running =
        player.start(*catalogue_, *animation, 1, 1.0f, 1.0f, AnimationClock::instance().now());
    if (running) running->endMode = character::EndMode::HoldAtEnd;
    person_->setRunningAnimation(running);
}

}  // namespace marquill::preview
