#pragma once
// The objects the preview is drawn with, and their life: the drawing device on the preview
// window, the 3D device on its back buffer, the viewport with its camera, the two lights and the
// character catalogue, built in the order of the set-up and released in the reverse.
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "character/CharacterRecords.h"
#include "preview/PreviewEnvironment.h"
#include "preview/PreviewHost.h"
#include "render/PreviewCamera.h"
#include "render/RenderResult.h"
#include "render/UpdateRectList.h"

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
}  // namespace marquill::character

namespace marquill::preview {

class SceneObjects {
  public:
    enum class Failure { None, Platform, NotDetected };
    using AnimationEvents = std::function<void(const character::PropertyList& properties)>;

    // `host` and `environment` outlive the objects.
    SceneObjects(PreviewHost& host, const PreviewEnvironment& environment);
    ~SceneObjects();
    SceneObjects(const SceneObjects&) = delete;
    SceneObjects& operator=(const SceneObjects&) = delete;

    // Builds everything over a back buffer of `buffer` (even sizes), the camera placed with
    // `camera` at `now` for a window of `framing`, and loads the character files of
    // `gameFolder`; `events` hears the animations' events from then on. What was built stays on
    // failure, for release().
    [[nodiscard]] Failure build(const std::string& gameFolder, const render::Rect& buffer,
                                const render::Rect& framing, render::PreviewCameraSettings& camera,
                                int32_t now, AnimationEvents events);
    // Releases every object in teardown order; what was never made is skipped.
    void release();

    [[nodiscard]] fileindex::FolderIndex& folderIndex() const;
    [[nodiscard]] fileindex::FileTypeRegistry& fileTypes() const;

    [[nodiscard]] render::AnimDevice* animDevice() const { return anim_.get(); }
    [[nodiscard]] render::Device3D* device() const { return device_.get(); }
    [[nodiscard]] render::Viewport3D* viewport() const { return viewport_; }
    [[nodiscard]] render::Camera* camera() const { return camera_; }
    [[nodiscard]] const std::array<render::DirectionalLight*, 2>& lights() const { return lights_; }
    [[nodiscard]] character::CharacterCatalogue* catalogue() const { return catalogue_.get(); }

  private:
    [[nodiscard]] bool platformStep(int step, render::RenderResult result) const;

    PreviewHost& host_;
    const PreviewEnvironment& env_;
    std::unique_ptr<character::IndexedFileSource> files_;
    std::unique_ptr<render::AnimDevice> anim_;
    std::unique_ptr<render::Device3D> device_;
    render::Viewport3D* viewport_ = nullptr;
    render::Camera* camera_ = nullptr;  // our reference; the viewport holds its own
    std::array<render::DirectionalLight*, 2> lights_{};
    std::unique_ptr<character::CharacterCatalogue> catalogue_;
};

}  // namespace marquill::preview
