#include "preview/SceneObjects.h"

#include <numbers>
#include <utility>

#include "character/AnimationPlayer.h"
#include "character/CharacterCatalogue.h"
#include "character/IndexedFileSource.h"
#include "fileindex/FileTypeRegistry.h"
#include "fileindex/FolderIndex.h"
#include "render/AnimDevice.h"
#include "render/Camera.h"
#include "render/CurrentDevice.h"
#include "render/Device3D.h"
#include "render/Light.h"
#include "render/Viewport3D.h"

namespace marquill::preview {

using render::kRenderOk;
using render::RenderResult;

namespace {

constexpr std::string_view kInitializingStatus = "Initializing DDD:";
constexpr std::string_view kLoadingStatus = "Loading data - This takes a while...";
constexpr uint32_t kFallbackDepth = 16;

// The depth of the display the preview window is on; an unreadable display counts as 16 bits.
uint32_t displayDepth(const platform::soft3d::DrawingModule& module) {
    if (!module.create) return kFallbackDepth;
    platform::soft3d::Ref<platform::soft3d::DrawingObject> drawing;
    if (module.create(nullptr, drawing) != platform::soft3d::kOk || !drawing) return kFallbackDepth;
    const uint32_t bits = drawing->displayMode().bitsPerPixel;
    return bits != 0 ? bits : kFallbackDepth;
}

}  // namespace

SceneObjects::SceneObjects(PreviewHost& host, const PreviewEnvironment& environment)
    : host_(host), env_(environment) {}

SceneObjects::~SceneObjects() {
    release();
}

fileindex::FolderIndex& SceneObjects::folderIndex() const {
    return env_.index ? *env_.index : fileindex::processFolderIndex();
}

fileindex::FileTypeRegistry& SceneObjects::fileTypes() const {
    return env_.types ? *env_.types : fileindex::processFileTypes();
}

bool SceneObjects::platformStep(int step, RenderResult result) const {
    if (env_.stepResult) result = env_.stepResult(step, result);
    return result == kRenderOk;
}

SceneObjects::Failure SceneObjects::build(const std::string& gameFolder, const render::Rect& buffer,
                                          const render::Rect& framing,
                                          render::PreviewCameraSettings& cameraSettings,
                                          int32_t now, AnimationEvents events) {
    using namespace render;
    const uint32_t depth = displayDepth(env_.drawing);
    host_.setStatus(kInitializingStatus);

    files_ = std::make_unique<character::IndexedFileSource>(fileTypes());
    anim_ = std::make_unique<AnimDevice>(env_.drawing, files_.get());
    const RenderResult initialised =
        anim_->initialise(env_.window, ScreenMode::Windowed, buffer.width(), buffer.height(), depth,
                          DepthBuffer::Wanted);
    anim_->setTextureSearchPath(std::string(character::kTexturePathList));
    if (!platformStep(6, initialised)) return Failure::Platform;

    if (!platformStep(8, Device3D::create(*anim_, device_))) return Failure::Platform;
    CurrentDevice::instance().set(device_.get());
    if (!platformStep(9, device_->createViewport(nullptr, &viewport_))) return Failure::Platform;
    if (!platformStep(10,
                      viewport_->setBackgroundColor(0.89453125f, 0.48046875f, 0.015625f, 255.0f)))
        return Failure::Platform;
    RenderStateFields state = viewport_->renderState();
    state.shading = 2;
    viewport_->setRenderState(state);

    Camera* camera = nullptr;
    RenderResult placed = viewport_->createCamera({-300, 0, 0}, {1, 0, 0}, 10.0f, 200.0f,
                                                  std::numbers::pi_v<float> / 4, &camera);
    if (camera) {
        camera->addRef();
        camera_ = camera;
        if (placed == kRenderOk)
            placed = placePreviewCamera(cameraSettings, *camera_, *viewport_, now, framing);
    }
    if (!platformStep(12, camera ? placed : kRenderOutOfMemory)) return Failure::Platform;

    const Vec3 lightPlaces[2][2] = {{{100, 100, 50}, {-100, -100, 0}},
                                    {{-100, -100, -50}, {100, 100, 0}}};
    for (size_t i = 0; i < lights_.size(); ++i) {
        RenderResult r = device_->createLight(AddToViewports::Yes, &lights_[i]);
        if (r == kRenderOk)
            r = lights_[i]->setPositionDirection(lightPlaces[i][0], lightPlaces[i][1]);
        if (r == kRenderOk) r = lights_[i]->setIntensity(1.0f);
        if (r == kRenderOk) r = lights_[i]->setColor(1.0f, 1.0f, 1.0f);
        if (!platformStep(13, r)) return Failure::Platform;
    }
    if (!platformStep(13, viewport_->setAmbientLight(0.7f, 0.7f, 0.7f, 0.7f)))
        return Failure::Platform;

    catalogue_ = std::make_unique<character::CharacterCatalogue>(folderIndex(), fileTypes());
    character::setAnimationEventCallback(
        [events = std::move(events)](const character::AnimationInstance&, const character::Bone&,
                                     const character::BoneTrack&,
                                     const character::PropertyList& properties) {
            events(properties);
        });

    folderIndex().setRoot(gameFolder);
    const bool detected =
        catalogue_->build(character::kCharacterPathList, character::kAnimationPathList,
                          [this](std::string_view text) {
                              // The catalogue names more stages than the status line shows.
                              if (text == kLoadingStatus) host_.setStatus(text);
                          });
    return detected ? Failure::None : Failure::NotDetected;
}

void SceneObjects::release() {
    if (render::CurrentDevice::instance().get() == device_.get())
        render::CurrentDevice::instance().set(nullptr);
    if (catalogue_) character::setAnimationEventCallback({});
    catalogue_.reset();
    for (size_t i = lights_.size(); i-- > 0;) {
        if (lights_[i]) lights_[i]->release();
        lights_[i] = nullptr;
    }
    if (camera_) camera_->release();
    camera_ = nullptr;
    if (device_ && viewport_) (void)device_->removeViewport(viewport_);
    viewport_ = nullptr;
    device_.reset();
    anim_.reset();
    files_.reset();
}

}  // namespace marquill::preview
